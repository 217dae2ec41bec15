-- Second process: opens the session create.lua saved and checks that the plug-in came back as it
-- was: the DAW's values and preset, and the plug-in's own state, the edit made after the preset
-- among it. Then removes the plug-in and closes.
-- usage: ardour7-lua reload.lua <LXVST|VST3|LV2> <session folder> <this folder>
local fmt, sdir, here = arg[1], arg[2], arg[3]
dofile(here .. "/common.lua")
M.tag = "reload/" .. fmt
local expected = dofile(sdir .. "/expected.lua")

if not load_session(sdir, M.SNAPSHOT) then error("load_session failed") end

local track = Session:route_by_name(M.TRACK_NAME)
if track:isnil() then error("no track '" .. M.TRACK_NAME .. "'") end
local proc, insert, plugin = M.find_plugin(track)
if not proc then error("the plug-in is not on the track") end
M.check(plugin:name() == M.PLUGIN_NAME and insert:type() == M.ptype(fmt), "the plug-in is back as " .. fmt)

local params = M.plugin_params(proc, fmt)
M.check_names(params, fmt)

local preset = M.preset_index(fmt, plugin:last_preset().uri)
M.check(preset == M.PRESET, "the DAW's preset is " .. tostring(preset))

-- The DAW's values: what it showed when it saved, within the plug-in's own step (a value set
-- from the DAW comes back as the nearest value the instrument has). LV2 property controls hold
-- only what the DAW set in this process, so there the plug-in's state below tells.
if fmt ~= "LV2" then
  local differ = {}
  for i, p in ipairs(params) do
    if math.abs(p.ac:get_value() - (expected[i] or -1)) > 1 / 119 then
      differ[#differ + 1] = string.format("%s %.4f->%.4f", p.label, expected[i] or -1, p.ac:get_value())
    end
  end
  M.check(#differ == 0, #params - #differ .. "/" .. #params .. " values came back " .. table.concat(differ, "; "))
end

-- The plug-in's own state, saved again from the reloaded plug-in: identical to the first, and its
-- sound is the preset with the one edit made after choosing it (the values set before the preset
-- went with the preset).
M.check(Session:save_state("reloaded", false, false, false, false, false) == 0, "saved again")
local first, why1 = M.saved_state(fmt, sdir, M.SNAPSHOT)
local again, why2 = M.saved_state(fmt, sdir, "reloaded")
if M.check(first ~= nil and again ~= nil, "both states found " .. (why1 or "") .. (why2 or "")) then
  M.check(first.chunk == again.chunk, "the reloaded plug-in's state is the one saved")
  M.check(M.chunk_preset(again.chunk) == M.PRESET, "its preset is " .. M.chunk_preset(again.chunk))

  local edited, maximum = M.RECORD[M.EDIT[1]][1], M.RECORD[M.EDIT[1]][2]
  local want = math.floor(M.EDIT[2] * maximum + 0.5)
  local got = M.chunk_edit_byte(again.chunk, edited)
  M.check(got == want, string.format("%s is %d (set %d; the preset has %d)", M.EDIT[1], got, want,
    M.chunk_preset_byte(again.chunk, M.PRESET, edited)))

  local differ = {}
  for p = 0, 99 do
    if p ~= edited and M.chunk_edit_byte(again.chunk, p) ~= M.chunk_preset_byte(again.chunk, M.PRESET, p) then
      differ[#differ + 1] = tostring(p)
    end
  end
  M.check(#differ == 0, "every other value is the preset's " .. table.concat(differ, " "))
end

M.check(track:remove_processor(proc, nil, true) == 0, "the plug-in is removed")
proc, insert, plugin, params = nil, nil, nil, nil
collectgarbage()
M.check(M.wait_for(function() return M.find_plugin(track) == nil end, 5) ~= nil, "the track is without it")
Session:close()
M.finish()
