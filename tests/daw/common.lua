-- What create.lua and reload.lua share: the plug-in's expected face, the DAW's handles on it, and a
-- reader of the plug-in's own state as the session keeps it. Loaded with dofile().

M = {}

M.PLUGIN_NAME = "Prophet 5 Morvex"
M.TRACK_NAME = "Morvex"
M.SNAPSHOT = "morvex"
M.N_PARAMS = 59
M.N_PRESETS = 40
M.FIRST_PRESET = "Poly Brass"

-- What the test does to the plug-in in create.lua and looks for in reload.lua.
M.PRESET = 3                                              -- "Str Machine"
M.SET = { { "FILTER CUTOFF", 0.75 }, { "VOLUME", 0.6 } }  -- before the preset is chosen
M.EDIT = { "FILTER RESONANCE", 0.33 }                     -- after it
-- The instrument's record byte and maximum behind the edited host parameter.
M.RECORD = { ["FILTER RESONANCE"] = { 18, 120 } }

M.EXPECTED_NAMES = {
  "PROGRAM", "VOLUME", "OSC A FREQ", "OSC B FREQ", "OSC B FINE", "OSC A SH. SAW",
  "OSC A SH. PULSE", "OSC B SH. SAW", "OSC B SH. TRIAN", "OSC B SH. PULSE",
  "OSC A PULSE WTH", "OSC B PULSE WTH", "OSC SYNC", "OSC B LOW FREQ",
  "OSC B KEYBOARD", "GLIDE RATE", "OSC A MIX", "OSC B MIX", "NOISE",
  "FILTER CUTOFF", "FILTER RESONANCE", "FILTER FLT KEYBOARD", "FILTER REV",
  "LFO FREQUENCY", "LFO INIT AMNT", "LFO SHAPE SAW", "LFO SHAPE TRI",
  "LFO SHAPE SQR", "WHEEL SRC MIX", "WHEEL FREQ A", "WHEEL FREQ B",
  "WHEEL PW A", "WHEEL PW B", "WHEEL FILTER", "POLY FILT AMT", "POLY OSC B",
  "POLY FREQ A", "POLY PW A", "POLY FILTER", "VINTAGE", "AFTCH  FILTER",
  "AFTCH LFO", "FILTER ENV AMNT", "VELOCITY FILTER", "VELOCITY AMP",
  "FILTER ATTACK", "AMP ATTACK", "FILTER DECAY", "AMP DECAY",
  "FILTER SUSTAIN", "AMP SUSTAIN", "FILTER RELEASE", "AMP RELEASE",
  "RELEASE SW", "UNISON", "VOICE COUNT", "DETUNE", "P. B. RANGE",
  "UNISON ASSIGN",
}

M.failures = 0

function M.log(...)
  local t = {}
  for i = 1, select("#", ...) do t[#t + 1] = tostring(select(i, ...)) end
  print("[" .. (M.tag or "lua") .. "] " .. table.concat(t, " "))
end

function M.check(cond, what)
  M.log(cond and "PASS" or "FAIL", what)
  if not cond then M.failures = M.failures + 1 end
  return cond
end

function M.finish()
  M.log("done, failures:", M.failures)
  if M.failures > 0 then error(M.failures .. " check(s) failed") end
end

function M.now() return ARDOUR.LuaAPI.monotonic_time() / 1e6 end

-- Polls fn() every 10 ms until it returns a true value or `timeout` seconds have passed.
function M.wait_for(fn, timeout)
  local t0 = M.now()
  repeat
    local v = fn()
    if v then return v end
    ARDOUR.LuaAPI.usleep(10000)
  until M.now() - t0 >= timeout
  return nil
end

-- Values set from Lua reach the plug-in from the DAW's process thread: waits until it has run
-- a couple of cycles more.
function M.processed()
  local engine = Session:engine()
  local target = engine:processed_samples() + 2 * Session:get_block_size()
  return M.wait_for(function() return engine:processed_samples() > target end, 5)
end

function M.ptype(fmt)
  local t = { LXVST = ARDOUR.PluginType.LXVST, VST3 = ARDOUR.PluginType.VST3, LV2 = ARDOUR.PluginType.LV2 }
  return assert(t[fmt], "unknown format " .. tostring(fmt))
end

-- VST 2 and VST3 parameters are plug-in controls; an LV2 plug-in of this framework declares its
-- parameters as patch properties, which the DAW keeps as property controls (type 8, which its
-- Lua bindings do not name).
M.PLUGIN_AUTOMATION = ARDOUR.AutomationType.PluginAutomation
M.PLUGIN_PROPERTY_AUTOMATION = ARDOUR.AutomationType.PluginAutomation + 1

-- The plug-in's parameters as the DAW shows them, in order: { label=, ac= }.
function M.plugin_params(proc, fmt)
  local want = (fmt == "LV2") and M.PLUGIN_PROPERTY_AUTOMATION or M.PLUGIN_AUTOMATION
  local a = proc:to_automatable()
  local out = {}
  for prm in a:all_automatable_params():iter() do
    if prm:type() == want then
      local ac = a:automation_control(prm, false)
      if not ac:isnil() then out[#out + 1] = { label = ac:desc().label, ac = ac } end
    end
  end
  return out
end

function M.find_param(params, label)
  for _, p in ipairs(params) do
    if p.label == label then return p end
  end
  return nil
end

-- The 59 names in order; VST3 hosts get the framework's "Bypass" after them.
function M.check_names(params, fmt)
  local matched = 0
  for i = 1, M.N_PARAMS do
    if params[i] and params[i].label == M.EXPECTED_NAMES[i] then matched = matched + 1 end
  end
  M.check(matched == M.N_PARAMS, string.format("the %d parameter names (%d matched)", M.N_PARAMS, matched))
  local extra = (fmt == "VST3") and 1 or 0
  M.check(#params == M.N_PARAMS + extra and (extra == 0 or params[#params].label == "Bypass"),
    string.format("%d parameters", #params))
end

-- The DAW's names for the plug-in's programs, by index from 0.
function M.preset_uri(fmt, plugin, index)
  if fmt == "LXVST" then return string.format("VST:%s:%04d", plugin:unique_id(), index) end
  if fmt == "VST3" then return string.format("VST3-P:%s:%04d", plugin:unique_id(), index) end
  return string.format("%s:preset%d", plugin:unique_id(), index + 1)
end

function M.preset_index(fmt, uri)
  if not uri or uri == "" then return nil end
  local n = (fmt == "LV2") and uri:match(":preset(%d+)$") or uri:match(":(%d+)$")
  if not n then return nil end
  return (fmt == "LV2") and tonumber(n) - 1 or tonumber(n)
end

function M.list_presets(fmt, plugin)
  local out = {}
  for i = 0, 127 do
    local r = plugin:preset_by_uri(M.preset_uri(fmt, plugin, i))
    if not r or not r.valid then break end
    out[#out + 1] = r
  end
  return out
end

function M.find_plugin(route)
  for i = 0, 16 do
    local proc = route:nth_plugin(i)
    if proc:isnil() then break end
    local pi = proc:to_insert()
    if not pi:isnil() and pi:plugin(0):name() == M.PLUGIN_NAME then return proc, pi, pi:plugin(0) end
  end
  return nil
end

function M.read_file(path)
  local f = io.open(path, "rb")
  if not f then return nil end
  local d = f:read("a")
  f:close()
  return d
end

-- Standard base64 (the DAW's own encoding of VST chunks).
function M.base64(text)
  local alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/"
  local out, acc, bits = {}, 0, 0
  for c in text:gmatch("[%w%+/]") do
    acc = (acc << 6) | (alphabet:find(c, 1, true) - 1)
    bits = bits + 6
    if bits >= 8 then
      bits = bits - 8
      out[#out + 1] = string.char((acc >> bits) & 0xFF)
    end
  end
  return table.concat(out)
end

-- The framework's own base64 ("<size>.<chars>", its own alphabet, bits from the low end), in
-- which its LV2 wrapper stores the plug-in's state.
function M.juce_base64(text)
  local size, chars = text:match("^(%d+)%.(.*)$")
  if not size then return nil end
  local alphabet = ".ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+"
  local out, acc, bits = {}, 0, 0
  for c in chars:gmatch(".") do
    local v = alphabet:find(c, 1, true)
    if v then
      acc = acc | ((v - 1) << bits)
      bits = bits + 6
      while bits >= 8 do
        out[#out + 1] = string.char(acc & 0xFF)
        acc = acc >> 8
        bits = bits - 8
      end
    end
  end
  return table.concat(out):sub(1, tonumber(size))
end

-- The plug-in's state as the session file (snapshot) keeps it, decoded: the text the DAW keeps and
-- the bytes of the plug-in's bank chunk (from its key on), or nil and why not.
function M.saved_state(fmt, sdir, snapshot)
  local xml = M.read_file(sdir .. "/" .. snapshot .. ".ardour")
  if not xml then return nil, "no " .. snapshot .. ".ardour" end
  local text, bytes
  if fmt == "LXVST" then
    text = xml:match("<lxvst[^>]*>%s*<chunk[^>]*>%s*([^<]-)%s*</chunk>")
    bytes = text and M.base64(text)
  elseif fmt == "VST3" then
    local body = xml:match("<vst3[^>]*>(.-)</vst3>")
    text = body and body:match("<chunk>%s*([^<]-)%s*</chunk>")
    bytes = text and M.base64(text)
  else
    local pid, dir = xml:match('<Processor id="(%d+)"[^>]-type="lv2".-<lv2 [^>]-state%-dir="(state%d+)"')
    local ttl = pid and M.read_file(sdir .. "/plugins/" .. pid .. "/" .. dir .. "/state.ttl")
    text = ttl and ttl:match('StateString>%s*"([^"]*)"')
    bytes = text and M.juce_base64(text)
  end
  if not bytes then return nil, "no plug-in state in " .. snapshot end
  local at = bytes:find("Ph_5MorvexBankVersion100", 1, true)
  if not at then return nil, "no bank chunk in the state" end
  return { text = text, chunk = bytes:sub(at) }
end

-- From a bank chunk: the current preset (255: none), edit-buffer byte p, preset i's byte p.
function M.chunk_preset(chunk) return chunk:byte(5273) end
function M.chunk_edit_byte(chunk, p) return chunk:byte(5145 + p) end
function M.chunk_preset_byte(chunk, i, p) return chunk:byte(25 + 128 * i + p) end

return M
