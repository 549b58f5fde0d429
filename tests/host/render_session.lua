-- Builds and saves an Ardour session that plays one note through a VST 3 or LV2 instrument.
-- Run by ardour7-lua with the "None (Dummy)" backend; settings come from the environment:
--   TALUMA_SESSION_DIR, TALUMA_SESSION_NAME, TALUMA_PLUGIN, TALUMA_NOTE, TALUMA_VELOCITY,
--   TALUMA_PLUGIN_TYPE ("LV2" for the LV2 bundle, else the VST 3 one),
--   and optionally TALUMA_TWEAK ("label=value;label=value": parameters set by their names
--   and plain values, as a user turns them) and TALUMA_PRESET (a preset of Ardour's
--   preset list, by its name, loaded after the tweaks as a user picks it).
-- Lua cannot create an empty MIDI region, so the script records a short take from the
-- virtual keyboard port and then replaces the take's notes with the one under test.
-- It prints "SESSION SAVED" when everything worked.

local dir = os.getenv("TALUMA_SESSION_DIR")
local name = os.getenv("TALUMA_SESSION_NAME")
local plugin = os.getenv("TALUMA_PLUGIN")
local note = tonumber(os.getenv("TALUMA_NOTE"))
local velocity = tonumber(os.getenv("TALUMA_VELOCITY"))
local tweak = os.getenv("TALUMA_TWEAK") or ""
local preset = os.getenv("TALUMA_PRESET") or ""
local lv2 = os.getenv("TALUMA_PLUGIN_TYPE") == "LV2"

local function fail(message)
  print("SESSION FAILED: " .. message)
  error(message)  -- stops the script; quit() would only end it later
end

AudioEngine:set_backend("None (Dummy)", "", "")
if not create_session(dir, name, 48000) then fail("cannot create the session") end

local info = ARDOUR.LuaAPI.new_plugin_info(plugin, lv2 and ARDOUR.PluginType.LV2 or ARDOUR.PluginType.VST3)
if info:isnil() then fail("Ardour does not know the plug-in '" .. plugin .. "'") end

local tracks = Session:new_midi_track(ARDOUR.ChanCount(ARDOUR.DataType("midi"), 1),
                                      ARDOUR.ChanCount(ARDOUR.DataType("audio"), 2), true, info, nil, nil,
                                      1, "Synth", ARDOUR.PresentationInfo.max_order, ARDOUR.TrackMode.Normal,
                                      true, false)
if tracks:size() ~= 1 then fail("cannot create the MIDI track") end
local track = tracks:front()
local instrument = track:the_instrument()
if instrument:isnil() or instrument:display_name() ~= plugin then
  fail("the instrument '" .. plugin .. "' was not instantiated")
end

local plugin = instrument:to_insert():plugin(0)
for label, value in string.gmatch(tweak, "([^=;]+)=([^;]+)") do
  local found = false
  for i = 0, plugin:parameter_count() - 1 do
    local ok = false
    if plugin:parameter_label(plugin:nth_parameter(i, ok)) == label then
      if not ARDOUR.LuaAPI.set_processor_param(instrument, i, tonumber(value)) then
        fail("cannot set " .. label)
      end
      found = true
    end
  end
  if not found then fail("no parameter '" .. label .. "'") end
end
-- Ardour hands parameter changes to the processor in its next cycles: give them time to
-- arrive, as a user's clicks would have, before the preset is picked.
ARDOUR.LuaAPI.usleep(500000)
if preset ~= "" then
  local record = nil
  for p in info:get_presets(false):iter() do
    if p.label == preset then record = p end
  end
  if not record then fail("Ardour lists no preset '" .. preset .. "'") end
  if not plugin:load_preset(record) then fail("Ardour could not load '" .. preset .. "'") end
end

-- Record about three seconds from the virtual keyboard.
track:input():midi(0):connect("x-virtual-keyboard")
local keyboard = AudioEngine:get_port_by_name("x-virtual-keyboard"):to_asyncmidiport()
local function send(bytes)
  local buffer = C.ByteVector()
  buffer:add(bytes)
  keyboard:write(buffer:to_array(), #bytes, 0)
end
track:rec_enable_control():set_value(1, PBD.GroupControlDisposition.NoGroup)
Session:maybe_enable_record(false)
Session:request_roll(ARDOUR.TransportRequestSource.TRS_UI)
ARDOUR.LuaAPI.usleep(300000)
send({0x90, 60, 100})
ARDOUR.LuaAPI.usleep(200000)
send({0x80, 60, 0})
-- The take must outlast the 2.8 s the tests compare: on a busy machine the dummy backend
-- falls behind the wall clock, so the script waits for the transport, not for time.
local takeEnd = 3.2 * Session:nominal_sample_rate()
for _ = 1, 200 do
  if Session:transport_sample() >= takeEnd then break end
  ARDOUR.LuaAPI.usleep(100000)
end
Session:request_stop(false, false, ARDOUR.TransportRequestSource.TRS_UI)
ARDOUR.LuaAPI.usleep(500000)
Session:disable_record(false, false)
track:rec_enable_control():set_value(0, PBD.GroupControlDisposition.NoGroup)

local regions = track:playlist():region_list()
if regions:size() ~= 1 then fail("the take produced " .. regions:size() .. " regions") end

-- At the session's 120 BPM a beat is 0.5 s: the note starts after a one-beat lead-in
-- (a note at sample 0 may be dropped by the export) and lasts two beats.
local model = nil
for region in regions:iter() do model = region:to_midiregion():model() end
local diff = model:new_note_diff_command("replace take")
for n in ARDOUR.LuaAPI.note_list(model):iter() do diff:remove(n) end
diff:add(ARDOUR.LuaAPI.new_noteptr(1, Temporal.Beats(1, 0), Temporal.Beats(2, 0), note, velocity))
model:apply_command(Session, diff)

Session:save_state("", false, false, false, false, false)
print("SESSION SAVED")
close_session()
quit()
