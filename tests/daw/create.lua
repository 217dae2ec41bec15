-- First process: a new session with a MIDI track and the plug-in; checks what the DAW shows of
-- it, sets two parameters, chooses a preset, edits one parameter, rolls, saves and closes.
-- usage: ardour7-lua create.lua <LXVST|VST3|LV2> <session folder> <this folder>
local fmt, sdir, here = arg[1], arg[2], arg[3]
dofile(here .. "/common.lua")
M.tag = "create/" .. fmt

if not create_session(sdir, M.SNAPSHOT, 48000) then error("create_session failed") end

local midi, audio = ARDOUR.DataType("midi"), ARDOUR.DataType("audio")
local tracks = Session:new_midi_track(ARDOUR.ChanCount(midi, 1), ARDOUR.ChanCount(audio, 2), true,
  ARDOUR.PluginInfo(), nil, nil, 1, M.TRACK_NAME, ARDOUR.PresentationInfo.max_order, ARDOUR.TrackMode.Normal, true)
if tracks:size() ~= 1 then error("new_midi_track failed") end
local track = tracks:front()

local proc = ARDOUR.LuaAPI.new_plugin(Session, M.PLUGIN_NAME, M.ptype(fmt), "")
if proc:isnil() then error("the DAW does not know " .. M.PLUGIN_NAME .. " as " .. fmt) end
if track:add_processor_by_index(proc, 0, nil, true) ~= 0 then error("add_processor_by_index failed") end
local plugin = proc:to_insert():plugin(0)

M.check(plugin:name() == M.PLUGIN_NAME, "name '" .. plugin:name() .. "'")
local params = M.plugin_params(proc, fmt)
M.check_names(params, fmt)

local presets = M.list_presets(fmt, plugin)
M.check(#presets == M.N_PRESETS, #presets .. " presets")
M.check(presets[1] ~= nil and presets[1].label == M.FIRST_PRESET, "the first preset is '" .. tostring(presets[1] and presets[1].label) .. "'")

local function set(label, value)
  local p = M.find_param(params, label)
  if M.check(p ~= nil, "parameter " .. label .. " exists") then
    p.ac:set_value(value, PBD.GroupControlDisposition.NoGroup)
  end
end

for _, s in ipairs(M.SET) do set(s[1], s[2]) end
M.check(M.processed(), "the plug-in has had its values")

local before = {}
for i, p in ipairs(params) do before[i] = p.ac:get_value() end
local preset = presets[M.PRESET + 1]
M.check(preset ~= nil and plugin:load_preset(preset), "preset " .. M.PRESET .. " '" .. tostring(preset and preset.label) .. "' chosen")

-- The DAW shows the preset's values (LV2 property controls show only what the DAW itself set).
if fmt ~= "LV2" then
  M.check(M.wait_for(function()
    for i, p in ipairs(params) do if math.abs(p.ac:get_value() - before[i]) > 1e-6 then return true end end
    return false
  end, 2), "the DAW shows the preset's values")
end

set(M.EDIT[1], M.EDIT[2])
M.check(M.processed(), "the plug-in has had the edit")

Session:request_roll(ARDOUR.TransportRequestSource.TRS_UI)
M.check(M.wait_for(function() return Session:transport_rolling() end, 10), "the transport rolls")
local start = Session:transport_sample()
ARDOUR.LuaAPI.usleep(1000000)
Session:request_stop(false, false, ARDOUR.TransportRequestSource.TRS_UI)
M.check(M.wait_for(function() return not Session:transport_rolling() end, 10), "the transport stops")
M.log("rolled", Session:transport_sample() - start, "samples")

-- What the second process compares with: the DAW's values as they are now.
local f = assert(io.open(sdir .. "/expected.lua", "w"))
f:write("return {\n")
for i, p in ipairs(M.plugin_params(proc, fmt)) do f:write(string.format("  %.9g,\n", p.ac:get_value())) end
f:write("}\n")
f:close()

M.check(Session:save_state("", false, false, false, false, false) == 0, "saved")

local saved, why = M.saved_state(fmt, sdir, M.SNAPSHOT)
if M.check(saved ~= nil, "the plug-in's state is in the session" .. (saved and "" or (": " .. why))) then
  M.check(M.chunk_preset(saved.chunk) == M.PRESET, "the state names preset " .. M.PRESET .. " (" .. M.chunk_preset(saved.chunk) .. ")")
end

Session:close()
M.finish()
