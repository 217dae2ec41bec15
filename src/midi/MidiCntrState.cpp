#include "midi/MidiCntrState.h"
#include "groups/GroupsDataFile.h"
#include "groups/ProgramLocation.h"
#include "midi/SampleRateIndex.h"
#include "model/DSI_Program.h"
#include "plugin/SafeFile.h"
#include "plugin/SettingsFolder.h"

#include <cstring>
#include <optional>

MidiCntrState::MidiCntrState (std::shared_ptr<MidiDeviceSeam> deviceSeam, const juce::File& folder)
    : devices (std::move (deviceSeam)),
      settingsFolder (folder),
      ports (*devices)
{
    sysexAssembly.reserve (4096);
    sysexDispatch.reserve (4096);
    nrpnScratch.ensureSize (256);

    loadSettings();

    loadPortSettings();
    openSavedPort (portSettings.input, true);
    openSavedPort (portSettings.output, false);

    for (int g = 0; g < numInstrumentBanks; ++g)
        instrumentBanks[(size_t) g] = std::make_unique<Bank_Program> (g < 5 ? "User Bank " + juce::String (g)
                                                                             : "Factory Bank " + juce::String (g));

    GroupsDataFile::Groups groups {};
    for (int g = 0; g < numInstrumentBanks; ++g)
        groups[(size_t) g] = instrumentBanks[(size_t) g].get();

    const auto data = SafeFile::read (file (SettingsFolder::groupsFileName));
    GroupsDataFile::load (data.getData(), data.getSize(), groups);
    pluginBank.initialise (true);
    // the sound the plug-in starts with is unedited until someone edits it
    arrivedRecord = pluginBank.single();

    for (int i = 0; i < 6; ++i)
        delays[(size_t) i] = settings.getInt (SettingsBlock::delaysOffset + 4 * i);
    delays[6] = settings.getInt (SettingsBlock::seventhDelayOffset);
}

MidiCntrState::~MidiCntrState()
{
    notifier.stopTimer();
    groupsSaver.cancelPendingUpdate();
    // nothing more goes to the instrument, nor into the groups being saved
    transfer.cancel (juce::Time::getMillisecondCounterHiRes());
    ports.closeInput();
    saveSettings();
    saveBanks();
    ports.closeOutput();
}

//==============================================================================
void MidiCntrState::loadSettings()
{
    const auto settingsFile = file (SettingsFolder::settingsFileName);

    if (! settingsFile.existsAsFile())
    {
        settings = SettingsBlock::fromFileBytes (nullptr, 0);
        saveSettings();
    }
    else
    {
        // A short file gives the defaults; it is rewritten only when the engine ends.
        const auto data = SafeFile::read (settingsFile);
        settings = SettingsBlock::fromFileBytes (data.getData(), data.getSize());
    }

    midiChannel = settings.getByte (SettingsBlock::midiChannelOffset);
    inThru = settings.getByte (SettingsBlock::inThruOffset) == 1;
    programChangeAutomation = settings.getByte (SettingsBlock::programChangeAutomationOffset) == 1;
    sendClock = settings.getByte (SettingsBlock::sendClockOffset) == 1;
    hostThru = settings.getByte (SettingsBlock::hostThruOffset) != SettingsBlock::hostThruSwitchedOff;
}

void MidiCntrState::saveSettings() const
{
    const auto bytes = settings.bytes();
    SafeFile::replaceIfChanged (file (SettingsFolder::settingsFileName), bytes.data(), bytes.size());
}

void MidiCntrState::saveBanks() const
{
    GroupsDataFile::Groups groups {};
    for (int g = 0; g < numInstrumentBanks; ++g)
        groups[(size_t) g] = instrumentBanks[(size_t) g].get();

    const auto data = GroupsDataFile::make (groups);
    SafeFile::replaceIfChanged (file (SettingsFolder::groupsFileName), data.getData(), data.getSize());
}

Bank_Program& MidiCntrState::getInstrumentBank (int group) noexcept
{
    return *instrumentBanks[(size_t) juce::jlimit (0, numInstrumentBanks - 1, group)];
}

void MidiCntrState::setMidiChannel (int channel)
{
    const auto c = juce::jlimit (1, 16, channel);
    midiChannel = c;
    settings.setByte (SettingsBlock::midiChannelOffset, (uint8_t) c);
}

void MidiCntrState::changeChannel (int channel)
{
    if (channel == getMidiChannel())
        return;

    setMidiChannel (channel);
    postEvent (StateEvent::channelChanged);
}

GlobalSettings::Buffer MidiCntrState::getGlobals() const
{
    const juce::SpinLock::ScopedLockType sl (globalsLock);
    return globals;
}

bool MidiCntrState::setGlobal (int index, int value)
{
    if (! juce::isPositiveAndBelow (index, GlobalSettings::bufferSize))
        return false;

    const auto byte = (uint8_t) juce::jlimit (0, 127, value);
    bool changed = false;
    {
        const juce::SpinLock::ScopedLockType sl (globalsLock);
        changed = globals[(size_t) index] != byte;
        globals[(size_t) index] = byte;
    }

    if (const auto number = GlobalSettings::global (index).nrpn; number != 0)
        sendNrpn (number, byte);
    return changed;
}

void MidiCntrState::setInThru (bool on)
{
    inThru = on;
    settings.setByte (SettingsBlock::inThruOffset, on ? 1 : 0);
}

void MidiCntrState::setHostThru (bool on)
{
    hostThru = on;
    settings.setByte (SettingsBlock::hostThruOffset, on ? 1 : SettingsBlock::hostThruSwitchedOff);
}

void MidiCntrState::setProgramChangeAutomation (bool on)
{
    programChangeAutomation = on;
    settings.setByte (SettingsBlock::programChangeAutomationOffset, on ? 1 : 0);
}

void MidiCntrState::setSendClock (bool on)
{
    sendClock = on;
    settings.setByte (SettingsBlock::sendClockOffset, on ? 1 : 0);
}

void MidiCntrState::addCableListener (Cable_Listener* listener)
{
    if (listener != nullptr)
        cableListeners.addIfNotAlreadyThere (listener);
}

void MidiCntrState::removeCableListener (Cable_Listener* listener)
{
    cableListeners.removeFirstMatchingValue (listener);
}

void MidiCntrState::paramEdited (int parameter, int value)
{
    for (int i = cableListeners.size(); --i >= 0;)
        cableListeners.getUnchecked (i)->paramEdited (parameter, value);
}

void MidiCntrState::setSampleRate (int sampleRateHz) noexcept
{
    storedSampleRate = sampleRateHz;
    sampleRateIndex = morvex::sampleRateIndex (sampleRateHz);
}

int MidiCntrState::currentLatencyDelay() const noexcept
{
    return latencyMode.load() < 100 ? getDelay (sampleRateIndex.load()) : 0;
}

void MidiCntrState::setLatency (int mode, const std::array<int, numDelays>& newDelays)
{
    for (int i = 0; i < numDelays; ++i)
        delays[(size_t) i] = newDelays[(size_t) i];
    latencyMode = mode;

    settings.setInt (SettingsBlock::latencyMarkerOffset, SettingsBlock::latencyMarker);
    for (int i = 0; i < 6; ++i)
        settings.setInt (SettingsBlock::delaysOffset + 4 * i, newDelays[(size_t) i]);
    settings.setInt (SettingsBlock::latencyModeOffset, mode);
    settings.setInt (SettingsBlock::seventhDelayOffset, newDelays[6]);
}

int MidiCntrState::getDelay (int index) const noexcept
{
    return juce::isPositiveAndBelow (index, numDelays) ? delays[(size_t) index].load() : 0;
}

//==============================================================================
void MidiCntrState::loadPortSettings()
{
    portSettings = {};
    const auto portsFile = file (SettingsFolder::portsFileName);

    if (! portsFile.existsAsFile())
    {
        savePortSettings();
        return;
    }

    const auto data = SafeFile::read (portsFile);
    int choice = ports.getSysexSizeChoice();
    if (! PortSettings::parse (data.getData(), data.getSize(), portSettings, choice))
    {
        savePortSettings();
        return;
    }
    ports.setSysexSizeChoice (choice);
}

void MidiCntrState::savePortSettings()
{
    portSettings.sysexSize = juce::String (ports.getSysexSizeChoice());
    const auto data = portSettings.serialise();
    SafeFile::replaceIfChanged (file (SettingsFolder::portsFileName), data.getData(), data.getSize());
}

void MidiCntrState::openSavedPort (const juce::String& name, bool isInput)
{
    // Short names ("", "NO") are no device names: the port stays closed.
    if (name.length() < 3)
        return;

    const auto names = isInput ? devices->getInputNames() : devices->getOutputNames();
    const auto index = names.indexOf (name, false);
    if (index < 0)
        return;

    if (isInput)
        openInput (index + 1);
    else
        openOutput (index + 1);
}

void MidiCntrState::openInput (int entry)
{
    instrumentSync.contactLost();
    instrumentSync.inUse();
    ports.openInput (entry, this);
}

void MidiCntrState::openOutput (int entry)
{
    // A new device has heard no NRPN number yet, and may be another instrument.
    forgetLastNrpn();
    instrumentSync.contactLost();
    instrumentSync.inUse();
    ports.openOutput (entry);
}

void MidiCntrState::selectInputPort (int entry)
{
    const auto names = devices->getInputNames();
    if (entry == 0)
        portSettings.input = PortSettings::none;
    else if (entry >= 1 && entry <= names.size())
        portSettings.input = names[entry - 1];

    openInput (entry);
}

void MidiCntrState::selectOutputPort (int entry)
{
    const auto names = devices->getOutputNames();
    if (entry == 0)
        portSettings.output = PortSettings::none;
    else if (entry >= 1 && entry <= names.size())
        portSettings.output = names[entry - 1];

    openOutput (entry);
}

//==============================================================================
void MidiCntrState::forgetLastNrpn() noexcept
{
    const juce::SpinLock::ScopedLockType sl (nrpnLock);
    lastNrpnParameter = lastValueMsb = lastValueLsb = -1;
}

void MidiCntrState::sendParameter (int parameter, int value, double delayMs, double sampleRate)
{
    instrumentSync.soundEdited();
    const auto number = parTable.getNrpnOfParam (parameter);
    if (! juce::isPositiveAndBelow (parameter, ParTable::numNrpns))
        return;
    if (! ports.isOutputOpen())
    {
        notSent();
        return;
    }

    const int nMsb = number >> 7, nLsb = number - nMsb * 128;
    const int vMsb = (value / 128) & 0x7F, vLsb = value % 128;
    const auto channel = getMidiChannel();

    // Held while the buffer is built and handed to the port, so the instrument never hears a
    // data byte meant for another parameter's number.
    const juce::SpinLock::ScopedLockType sl (nrpnLock);

    auto& buffer = nrpnScratch;
    buffer.clear();
    const auto add = [&] (int controller, int data) { buffer.addEvent (juce::MidiMessage::controllerEvent (channel, controller, data), 0); };

    // Sent with another delay than the last, the short form could reach the instrument before or
    // after messages that name another number: only the full form is safe then.
    if (parameter != lastNrpnParameter || delayMs != lastNrpnDelayMs)
    {
        add (99, nMsb);
        add (98, nLsb);
        add (6, vMsb);
        add (38, vLsb);
        lastNrpnParameter = parameter;
        lastNrpnDelayMs = delayMs;
        lastValueMsb = vMsb;
    }
    else if (vMsb == lastValueMsb)
    {
        if (vLsb == lastValueLsb)
            return;
        add (38, vLsb);
    }
    else
    {
        add (6, vMsb);
        add (38, vLsb);
        lastValueMsb = vMsb;
    }

    lastValueLsb = vLsb;

    if (delayMs > 0.0)
        ports.sendDelayed (buffer, delayMs, sampleRate);
    else
        ports.sendNow (buffer);
}

void MidiCntrState::sendNrpn (int number, int value)
{
    if (! ports.isOutputOpen())
        return;

    const auto channel = getMidiChannel();

    // The instrument's NRPN number is now this one: the next parameter must name its own again.
    const juce::SpinLock::ScopedLockType sl (nrpnLock);
    lastNrpnParameter = lastValueMsb = lastValueLsb = -1;

    auto& buffer = nrpnScratch;
    buffer.clear();
    for (const auto& [controller, data] : { std::pair { 99, (number >> 7) & 0x7F }, std::pair { 98, number & 0x7F },
                                            std::pair { 6, (value >> 7) & 0x7F }, std::pair { 38, value & 0x7F } })
        buffer.addEvent (juce::MidiMessage::controllerEvent (channel, controller, data), 0);
    ports.sendNow (buffer);
}

void MidiCntrState::sendProgramSelect (int bank, int program)
{
    const auto channel = getMidiChannel();
    ports.sendController (channel, 32, bank);
    ports.sendProgramChange (channel, program);
}

void MidiCntrState::sendNoteOn (int channel, int note, int velocity)
{
    if (! ports.isOutputOpen())
        notSent();
    ports.sendNoteOn (channel, note, velocity);
}

void MidiCntrState::sendNoteOff (int channel, int note)               { ports.sendNoteOff (channel, note); }
void MidiCntrState::sendController (int channel, int controller, int value) { ports.sendController (channel, controller, value); }

void MidiCntrState::sendPitchWheelToAll (int channel, int value)
{
    {
        const juce::ScopedLock sl (engineLock);
        toHost.add (juce::MidiMessage::pitchWheel (MIDI_PORTS_Control::wireChannel (channel), value & 0x3FFF),
                    juce::Time::getMillisecondCounter());
        toHostWaiting.store (true, std::memory_order_release);
    }
    ports.sendPitchWheel (channel, value);
}

void MidiCntrState::sendRequest (int kind, int bank, int program)
{
    switch (kind)
    {
        case programRequest:    sendSysEx (ProgramSysex::programDumpRequest (bank, program)); break;
        case editBufferRequest: sendSysEx (ProgramSysex::editBufferDumpRequest()); break;
        case globalsRequest:    sendSysEx (ProgramSysex::globalParameterRequest()); break;
        default: break;
    }
}

void MidiCntrState::requestGlobals()
{
    globalDumpReceived = false;
    postEvent (StateEvent::instrumentOffline);
    sendRequest (globalsRequest, 0, 0);
}

void MidiCntrState::sendEditBufferDump (const ProgramSysex::Record& record)
{
    sendSysEx (ProgramSysex::editBufferDump (record));
}

void MidiCntrState::sendProgramDump (int group, int program, const ProgramSysex::Record& record)
{
    sendSysEx (ProgramSysex::programDump (group, program, record));
}

void MidiCntrState::sendSysEx (const ProgramSysex::Message& message)
{
    ports.sendSysEx (message.data(), message.size());
}


//==============================================================================
// Events for the editor, edits for the host

void MidiCntrState::postEvent (int32_t code)
{
    if (! stateEvents.push (code))
        eventsLost.store (true, std::memory_order_release);
    eventsWaiting.store (true, std::memory_order_release);
}

void MidiCntrState::drainEvents (std::vector<int32_t>& out)
{
    // Taken before the drain: whatever was lost before this moment is made good by refreshing
    // after everything that did arrive, so the editor never ends older than the engine.
    const auto lost = eventsLost.exchange (false, std::memory_order_acq_rel);
    stateEvents.drainInto (out);
    if (! lost)
        return;

    out.push_back (StateEvent::editBufferChanged);
    out.push_back (StateEvent::mirrorChanged);
    out.push_back (globalDumpReceived.load() ? StateEvent::instrumentOnline : StateEvent::instrumentOffline);
    // Transfers start on this thread: one not running now has ended, whether or not that was heard.
    if (! isBusy())
        out.push_back (StateEvent::transferFinished);
}

void MidiCntrState::Notifier::timerCallback()
{
    engine.dispatchPendingNotifications();
}

void MidiCntrState::dispatchPendingNotifications()
{
    if (! eventsWaiting.exchange (false, std::memory_order_acq_rel))
        return;

    // Last added first, as the listeners expect.
    for (int i = stateListeners.size(); --i >= 0;)
        if (auto* listener = stateListeners[i])
            listener->engineStateChanged();
}

void MidiCntrState::addStateListener (stateListener* listener)
{
    if (listener == nullptr)
        return;

    // What piled up while nobody listened is older than the edit buffer the new listener reads
    // as it starts: replayed after that, it would set the panel back.
    if (stateListeners.isEmpty())
    {
        stateEvents.discardAll();
        eventsLost = false;
    }

    stateListeners.addIfNotAlreadyThere (listener);
    notifier.startTimer (Notifier::intervalMs);
}

void MidiCntrState::removeStateListener (stateListener* listener)
{
    stateListeners.removeFirstMatchingValue (listener);
    if (stateListeners.isEmpty())
        notifier.stopTimer();
}

//==============================================================================
// Computer-key play

juce::String MidiCntrState::noteName (int note)
{
    static const char* const names[] = { "C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B" };
    return names[((note % 12) + 12) % 12] + juce::String (note / 12);
}

bool MidiCntrState::keyPlay (int code)
{
    auto& s = settings;
    const auto velocity = s.getByte (SettingsBlock::keyVelocityOffset);
    const auto base = s.getByte (SettingsBlock::keyBaseNoteOffset);

    if (const auto* letter = std::strchr (noteLetters, code); letter != nullptr && code != 0)
        return noteOnFromKey ((int) (letter - noteLetters));

    switch (code)
    {
        case 'u':
        case 'i':
        {
            const auto changed = code == 'u' ? (velocity > 4 ? velocity - 5 : velocity)
                                             : (velocity < 122 ? velocity + 5 : velocity);
            s.setByte (SettingsBlock::keyVelocityOffset, (uint8_t) changed);
            keyStatus = "Note Velocity: " + juce::String (changed);
            postEvent (StateEvent::keyVelocityChanged);
            return true;
        }

        case 'o':
        case 'p':
        {
            const auto changed = code == 'o' ? (base > 0 ? base - 12 : base) : (base < 115 ? base + 12 : base);
            s.setByte (SettingsBlock::keyBaseNoteOffset, (uint8_t) juce::jmax (0, changed));
            keyStatus = "Octave " + juce::String (juce::jmax (0, changed) / 12 - 2);
            postEvent (StateEvent::keyOctaveChanged);
            return true;
        }

        case 64:
            // every note off, whatever switched it on
            for (int note = 0; note < 128; ++note)
                noteOffFromKey (note);
            letterNotes.fill (-1);
            return true;

        default:
            return false;
    }
}

bool MidiCntrState::noteOnFromKey (int offset)
{
    const auto note = offset + settings.getByte (SettingsBlock::keyBaseNoteOffset);
    if (! juce::isPositiveAndBelow (note, 128) || keyNotes[(size_t) note] != 0)
        return false;

    const auto channel = getMidiChannel();
    const auto velocity = settings.getByte (SettingsBlock::keyVelocityOffset);
    keyNotes[(size_t) note] = (uint8_t) juce::jlimit (1, 16, channel);
    if (juce::isPositiveAndBelow (offset, 12))
        letterNotes[(size_t) offset] = note;
    sendNoteOn (channel, note, velocity);
    keyStatus = "Play Chn: " + juce::String (channel) + " Key: " + noteName (note) + " Vel: " + juce::String (velocity);
    return true;
}

void MidiCntrState::noteOffFromKey (int note)
{
    if (! juce::isPositiveAndBelow (note, 128))
        return;

    const auto channel = keyNotes[(size_t) note] != 0 ? (int) keyNotes[(size_t) note] : getMidiChannel();
    keyNotes[(size_t) note] = 0;
    sendNoteOff (channel, note);
}

void MidiCntrState::keyRelease (const std::function<bool (int)>& held)
{
    if (settings.getByte (SettingsBlock::keyPlayOffset) != 1)
        return;

    keyStatus.clear();
    for (size_t i = 0; i < letterNotes.size(); ++i)
    {
        const auto note = letterNotes[i];
        if (note >= 0 && ! held ((int) i) && isKeyNoteOn (note))
        {
            letterNotes[i] = -1;
            noteOffFromKey (note);
            return;
        }
    }
}

void MidiCntrState::releaseKeyNotes()
{
    for (int note = 0; note < 128; ++note)
        if (isKeyNoteOn (note))
            noteOffFromKey (note);
    letterNotes.fill (-1);
}

void MidiCntrState::reportToHost (int parameter, int value)
{
    hostParams.push ({ parameter, value });
    sendChangeMessage();
}

//==============================================================================
// Program selection

void MidiCntrState::selectProgram (int index, bool sendToPort, bool notifyHost)
{
    // Told to select it, the instrument plays its own copy; otherwise the selection came from it.
    if (! loadProgram (index, sendToPort ? InstrumentSync::Origin::programSelect : InstrumentSync::Origin::instrument, notifyHost))
        return;

    const auto bank = getCurrentBank(), program = getCurrentProgram();
    if (sendToPort && bank >= 0 && program >= 0)
        sendProgramSelect (bank, program);
}

void MidiCntrState::selectStoredProgram (int group, int index)
{
    if (! ProgramLocation::isValid (group, index))
        return;
    makeCurrent (group, index);
    replaceEditBuffer (instrumentBanks[(size_t) group]->programRecord (index), InstrumentSync::Origin::user,
                       StoredSource::inSlot (group, index));
}

bool MidiCntrState::loadProgram (int index, InstrumentSync::Origin origin, bool notifyHost)
{
    // Past the last group there is no program to load: a larger number changes nothing.
    if (index >= numInstrumentBanks * ProgramLocation::programsPerGroup)
        return false;

    if (index < 0)
    {
        currentBank = -1;
        currentProgram = -1;
    }
    else
    {
        makeCurrent (index / ProgramLocation::programsPerGroup, index % ProgramLocation::programsPerGroup);
    }

    const auto bank = getCurrentBank(), program = getCurrentProgram();
    const auto stored = juce::isPositiveAndBelow (bank, numInstrumentBanks);
    const auto record = stored ? instrumentBanks[(size_t) bank]->programRecord (program) : ProgramSysex::Record {};
    replaceEditBuffer (record, origin, stored ? StoredSource::inSlot (bank, program) : StoredSource {});

    if (notifyHost && isProgramChangeAutomationOn())
        reportToHost (ParTable::programSelector, ProgramLocation::programNumber (bank, program));
    return true;
}

void MidiCntrState::makeCurrent (int bank, int program) noexcept
{
    currentBank = bank;
    currentProgram = program;
    // A program change arriving next, without a bank select, stays in this group.
    inputBank = bank;
    hostBank = bank;
}

int MidiCntrState::loadedProgramIndex() const noexcept
{
    const auto bank = getCurrentBank(), program = getCurrentProgram();
    return bank < 0 || program < 0 ? -1 : bank * ProgramLocation::programsPerGroup + program;
}

void MidiCntrState::bankSelect (std::atomic<int>& pending, int value) noexcept
{
    // Bank selects for groups the instrument does not have (meant, perhaps, for another
    // instrument on the same cable) are not ours to act on.
    if (juce::isPositiveAndBelow (value, numInstrumentBanks))
        pending = value;
}

void MidiCntrState::programChangeIn (int bank, int program)
{
    // Compared with what is loaded, not with the pending bank: a bank select followed by the
    // same program number is a new program.
    const auto index = program + bank * ProgramLocation::programsPerGroup;
    if (index == loadedProgramIndex())
        return;

    selectProgram (index, false, isProgramChangeAutomationOn());
}

void MidiCntrState::storeProgram (bool toBank, int bank, int program, const ProgramSysex::Record& record,
                                  InstrumentSync::Origin origin, StoredSource source)
{
    if (! toBank)
    {
        replaceEditBuffer (record, origin, source);
        return;
    }

    if (ProgramLocation::isValid (bank, program))
        instrumentBanks[(size_t) bank]->storeProgram (program, record);
    postEvent (StateEvent::mirrorChanged);
    postEvent (StateEvent::editBufferChanged);
}

void MidiCntrState::replaceEditBuffer (const ProgramSysex::Record& record, InstrumentSync::Origin origin, StoredSource source)
{
    if (source.kind != StoredSource::keep)
    {
        const juce::SpinLock::ScopedLockType sl (storedLock);
        storedSource = source;
        arrivedRecord = record;
    }
    pluginBank.setSingle (record);
    postEvent (StateEvent::editBufferChanged);
    instrumentSync.editBufferReplaced (origin);
}

ProgramSysex::Record MidiCntrState::getStoredProgram() const
{
    StoredSource source;
    ProgramSysex::Record arrived;
    {
        const juce::SpinLock::ScopedLockType sl (storedLock);
        source = storedSource;
        arrived = arrivedRecord;
    }

    switch (source.kind)
    {
        case StoredSource::slot:
            if (ProgramLocation::isValid (source.group, source.index))
                return instrumentBanks[(size_t) source.group]->programRecord (source.index);
            break;
        case StoredSource::preset:
            if (juce::isPositiveAndBelow (source.index, Bank_Program::recordsPerGroup))
                return pluginBank.programRecord (source.index);
            break;
        case StoredSource::none:
        case StoredSource::keep:
            break;
    }
    return arrived;
}

MidiCntrState::SoundState MidiCntrState::getSoundState() const
{
    SoundState state;
    state.record = pluginBank.single();
    state.bank = currentBank.load();
    state.program = currentProgram.load();
    const juce::SpinLock::ScopedLockType sl (storedLock);
    state.source = storedSource;
    state.arrived = arrivedRecord;
    return state;
}

void MidiCntrState::restoreSoundState (const SoundState& state)
{
    if (ProgramLocation::isValid (state.bank, state.program))
        makeCurrent (state.bank, state.program);
    {
        const juce::SpinLock::ScopedLockType sl (storedLock);
        storedSource = state.source;
        arrivedRecord = state.arrived;
    }
    showSound (state.record);
}

void MidiCntrState::showSound (const ProgramSysex::Record& record)
{
    // Sent whatever "Send Program Changes" says: the user asked for this sound to be heard, and
    // the instrument would otherwise go on playing one the panel no longer shows.
    replaceEditBuffer (record, InstrumentSync::Origin::sentByCaller, StoredSource::unchanged());
    sendEditBufferDump (record);
}

void MidiCntrState::restoreParameter (int parameter, int value)
{
    if (! juce::isPositiveAndBelow (parameter, ParTable::numNrpns))
        return;
    pluginBank.setSingleByte (parameter, (uint8_t) value);
    sendParameter (parameter, value, 0.0, 0.0);
    instrumentSync.soundEdited();
    postEvent (StateEvent::parameterChanged (parameter, value));
}

//==============================================================================
// Group transfers

bool MidiCntrState::startTransfer (int kind, int group, int sourceGroup)
{
    // with nowhere to send, a receive could only time out slot by slot and a transmission would
    // count dumps that never left
    if (! ports.isOutputOpen())
        return false;
    return transfer.start (kind, group, sourceGroup >= 0 ? sourceGroup : currentBank.load(), juce::Time::getMillisecondCounterHiRes());
}

void MidiCntrState::cancelTransfer()
{
    transfer.cancel (juce::Time::getMillisecondCounterHiRes());
}

void MidiCntrState::writeProgram (int group, int index, const ProgramSysex::Record& record)
{
    if (! ProgramLocation::isValid (group, index))
        return;

    instrumentBanks[(size_t) group]->storeProgram (index, record);
    makeCurrent (group, index);
    replaceEditBuffer (record, InstrumentSync::Origin::sentByCaller, StoredSource::inSlot (group, index));
    sendProgramDump (group, index, record);
    postEvent (StateEvent::mirrorChanged);

    // a write lost on the way leaves the old program in the slot: it is asked back and compared,
    // unless no answer could be heard
    const GroupTransfer::Slot slot { group, index };
    if (! ports.isInputOpen() || ! transfer.checkWrite (slot, record, juce::Time::getMillisecondCounterHiRes()))
        transfer.writeUnchecked (slot, record);
}

bool MidiCntrState::retryFailedTransfer()
{
    return transfer.retryFailed (juce::Time::getMillisecondCounterHiRes());
}

GroupTransfer::Status MidiCntrState::getTransferStatus() const
{
    return transfer.status (juce::Time::getMillisecondCounterHiRes());
}

void MidiCntrState::TransferTarget::requestProgram (int group, int program)
{
    engine.sendRequest (programRequest, group, program);
}

void MidiCntrState::TransferTarget::sendProgram (int group, int program, const ProgramSysex::Record& record)
{
    engine.sendProgramDump (group, program, record);
}

ProgramSysex::Record MidiCntrState::TransferTarget::storedProgram (int group, int program)
{
    return engine.getInstrumentBank (group).programRecord (program);
}

void MidiCntrState::TransferTarget::storeProgram (int group, int program, const ProgramSysex::Record& record)
{
    engine.getInstrumentBank (group).storeProgram (program, record);
}

void MidiCntrState::TransferTarget::post (int32_t event)
{
    // A finished transfer may have fetched hundreds of programs: they go to disk now, with or
    // without an editor, not only when the plug-in closes, so a crash of the host later loses
    // none of them.
    if (event == StateEvent::transferFinished)
        engine.groupsSaver.triggerAsyncUpdate();
    engine.postEvent (event);
}

//==============================================================================
// From the instrument, on the MIDI driver's thread

bool MidiCntrState::passesInThru (const juce::MidiMessage& message)
{
    const auto* raw = message.getRawData();
    const auto status = raw[0];

    if (status == 0xF0 || status < 0x80) // a SysEx, or the rest of one arriving in pieces
        return false;

    if (message.isController())
    {
        switch (message.getControllerNumber())
        {
            case 6: case 7: case 38: case 98: case 99:
                return false;
            case 32:
                bankSelect (inputBank, message.getControllerValue());
                return true;
            default:
                return true;
        }
    }

    if (message.isProgramChange())
        programChangeIn (inputBank.load(), message.getProgramChangeNumber());

    return true;
}

void MidiCntrState::handleIncomingMidiMessage (juce::MidiInput*, const juce::MidiMessage& message)
{
    const auto* raw = message.getRawData();
    const auto size = message.getRawDataSize();
    if (size <= 0)
        return;

    // A channel message without all its data bytes is no message (and would be read past its end).
    if (raw[0] >= 0x80 && raw[0] < 0xF0 && size < juce::MidiMessage::getMessageLengthFromFirstByte (raw[0]))
        return;

    if (isInThruOn() && passesInThru (message))
    {
        const juce::ScopedLock sl (engineLock);
        toHost.add (message, juce::Time::getMillisecondCounter());
        toHostWaiting.store (true, std::memory_order_release);
        return;
    }

    const auto status = raw[0];
    const auto channel = (status & 0x0F) + 1;

    if (status >= 0xF8)
        return; // real-time bytes belong to no other message, not even a SysEx being assembled

    switch (status & 0xF0)
    {
        case 0x90:
            postEvent (raw[2] > 0 ? StateEvent::noteOn (channel, raw[1], raw[2]) : StateEvent::noteOff (channel, raw[1]));
            return;

        case 0x80:
            postEvent (StateEvent::noteOff (channel, raw[1]));
            return;

        case 0xB0:
            handleInputController (channel, raw[1], raw[2]);
            return;

        case 0xC0:
            programChangeIn (inputBank.load(), raw[1]);
            return;

        case 0xE0:
            postEvent (StateEvent::pitchWheel (channel, raw[2], raw[1]));
            return;

        case 0xA0:
        case 0xD0:
            return; // pressure: nothing to act on, and never part of a SysEx

        default:
            break;
    }

    if (status == 0xF0)
        sysexAssembly.clear();
    else if (sysexAssembly.empty())
        return;

    appendToSysex (raw, size);
}

void MidiCntrState::handlePartialSysexMessage (juce::MidiInput*, const juce::uint8*, int, double)
{
    if (sysexAssembly.empty())
        return;

    sysexDispatch.assign (sysexAssembly.begin(), sysexAssembly.end());
    sysexAssembly.clear();
    dispatchSysex (sysexDispatch);
}

void MidiCntrState::appendToSysex (const juce::uint8* data, int size)
{
    if (sysexAssembly.size() + (size_t) size > maximumSysexSize)
    {
        sysexAssembly.clear(); // a SysEx that never ends is no message of the instrument's
        return;
    }

    sysexAssembly.insert (sysexAssembly.end(), data, data + size);

    if (sysexAssembly.front() == 0xF0 && sysexAssembly.back() == 0xF7)
    {
        sysexDispatch.assign (sysexAssembly.begin(), sysexAssembly.end());
        sysexAssembly.clear();
        dispatchSysex (sysexDispatch);
    }
}

void MidiCntrState::handleInputController (int channel, int controller, int value)
{
    switch (controller)
    {
        case 1:  postEvent (StateEvent::controller (channel, controller, value)); break;
        case 6:  incomingDataMsb = (uint8_t) value; break;
        case 7:  reportToHost (89, value); break;
        case 32: bankSelect (inputBank, value); break;
        case 98: incomingNrpnLsb = (uint8_t) value; break;
        case 99: incomingNrpnMsb = (uint8_t) value; break;

        case 38:
        {
            const auto number = incomingNrpnMsb * 128 + incomingNrpnLsb;
            const auto parameter = parTable.getParamOfNrpn (number);
            if ((parameter == 0 && number != 0) || parameter > ParTable::programSelector)
                return;
            reportToHost (parameter, incomingDataMsb * 128 + value);
            break;
        }

        default:
            break;
    }
}

void MidiCntrState::dispatchSysex (const std::vector<uint8_t>& m)
{
    const auto n = m.size();
    if (n >= 4 && m[3] == 0x06 && m[1] == 0x7E)
        return; // a universal identity reply

    if (n < 4 || m[2] != ProgramSysex::deviceId)
        return;

    switch (m[3])
    {
        case ProgramSysex::programDumpCommand:         handleProgramDump (m); break;
        case ProgramSysex::editBufferDumpCommand:      handleEditBufferDump (m); break;
        case ProgramSysex::globalParameterDumpCommand: handleGlobalDump (m); break;
        default: break;
    }
}

void MidiCntrState::handleProgramDump (const std::vector<uint8_t>& m)
{
    if (m.size() < (size_t) ProgramSysex::programDumpSize)
        return;

    DSI_Program program;
    program.unpack (m.data() + ProgramSysex::programDumpPayload, (size_t) ProgramSysex::packedSize);
    const auto record = program.getData();
    const int group = m[4], index = m[5];

    // Only slots the instrument has are stored; a dump naming another is not the instrument's.
    if (! ProgramLocation::isValid (group, index))
        return;

    // During a transfer, and for answers to it that come late, the dump only fills the mirror.
    if (transfer.dumpArrived (group, index, record, juce::Time::getMillisecondCounterHiRes()))
        return;

    makeCurrent (group, index);
    instrumentBanks[(size_t) group]->storeProgram (index, record);
    postEvent (StateEvent::mirrorChanged);
    replaceEditBuffer (record, InstrumentSync::Origin::instrument, StoredSource::inSlot (group, index));
}

void MidiCntrState::handleEditBufferDump (const std::vector<uint8_t>& m)
{
    if (m.size() < (size_t) ProgramSysex::editBufferDumpSize)
        return;

    DSI_Program program;
    program.unpack (m.data() + ProgramSysex::editBufferDumpPayload, (size_t) ProgramSysex::packedSize);
    replaceEditBuffer (program.getData(), InstrumentSync::Origin::instrument);
    postEvent (StateEvent::editBufferReceived);
}

void MidiCntrState::handleGlobalDump (const std::vector<uint8_t>& m)
{
    GlobalSettings::Buffer copy;
    int received = 0;
    {
        const juce::SpinLock::ScopedLockType sl (globalsLock);
        received = GlobalSettings::applyGlobalDump (m.data(), m.size(), globals);
        copy = globals;
    }
    globalDumpReceived = true;

    // A dump cut short before the channel tells nothing about it: the channel stays.
    if (received > GlobalSettings::midiChannelGlobal)
    {
        const auto channel = GlobalSettings::channelFromGlobals (copy, getMidiChannel());
        if (channel != getMidiChannel())
        {
            setMidiChannel (channel);
            postEvent (StateEvent::channelChanged);
        }
    }

    postEvent (StateEvent::instrumentOnline);
    instrumentSync.instrumentAnswered();
}

//==============================================================================
// The host's MIDI, on the audio thread

bool MidiCntrState::passesHostThru (const juce::MidiMessage& message) noexcept
{
    if (message.isProgramChange())
        return false;

    if (message.isController())
    {
        switch (message.getControllerNumber())
        {
            case 6: case 32: case 38: case 98: case 99: return false;
            default: return true;
        }
    }

    return true;
}

void MidiCntrState::handleHostInput (const juce::MidiMessage& message, MIDI_PORTS_Control::Block* thru, int samplePosition)
{
    const auto channel = message.getChannel();

    if (message.isController())
    {
        const auto controller = message.getControllerNumber();
        const auto value = message.getControllerValue();

        if (controller == 32)
            bankSelect (hostBank, value);
        else if (controller != 0)
            postEvent (StateEvent::controller (channel, controller, value));
    }
    else if (message.isProgramChange())
    {
        const auto index = hostBank.load() * ProgramLocation::programsPerGroup + message.getProgramChangeNumber();
        if (index == loadedProgramIndex())
            return;

        // Passing the track on, the selection takes its place among the track's notes: a note
        // before it keeps the old sound, one after it gets the new.
        if (thru == nullptr)
        {
            selectProgram (index, true, false);
        }
        else if (loadProgram (index, InstrumentSync::Origin::programSelect, false))
        {
            const auto wire = (uint8_t) (MIDI_PORTS_Control::wireChannel (getMidiChannel()) - 1);
            const uint8_t bankSelect[] = { (uint8_t) (0xB0 | wire), 32, (uint8_t) getCurrentBank() };
            const uint8_t programChange[] = { (uint8_t) (0xC0 | wire), (uint8_t) getCurrentProgram() };
            thru->add (bankSelect, 3, samplePosition);
            thru->add (programChange, 2, samplePosition);
        }
    }
    else if (message.isNoteOn())
    {
        postEvent (StateEvent::noteOn (channel, message.getNoteNumber(), message.getVelocity()));
    }
    else if (message.isNoteOff())
    {
        postEvent (StateEvent::noteOff (channel, message.getNoteNumber()));
    }
    else if (message.isPitchWheel())
    {
        const auto value = message.getPitchWheelValue();
        postEvent (StateEvent::pitchWheel (channel, (value >> 7) & 0x7F, value & 0x7F));
    }
}

void MidiCntrState::notSent() noexcept
{
    if (! notSentNoticePending.exchange (true))
        postEvent (StateEvent::editNotSent);
}

void MidiCntrState::hostThruDropped() noexcept
{
    droppedHostThru.fetch_add (1, std::memory_order_relaxed);
    // One notice until the editor has shown it: a burst must not fill the queue.
    if (! hostThruNoticePending.exchange (true))
        postEvent (StateEvent::hostThruDropped);
}

void MidiCntrState::handleHostMidi (juce::MidiBuffer& hostBuffer, int numSamples, int rate)
{
    // Most blocks carry nothing either way: they need not touch the lock.
    if (hostBuffer.isEmpty() && ! toHostWaiting.load (std::memory_order_acquire))
        return;

    const juce::ScopedLock sl (engineLock);

    // Every message of the block is late by the same delay, the first included: a note off at
    // the start of a block must not overtake the note on near the end of the block before. And
    // blocks come when the host computes them, not when they play: a block started early must
    // not put its messages before those of the block before.
    std::optional<MIDI_PORTS_Control::Block> thru;
    if (isHostThruOn() && ports.isOutputOpen() && ! hostBuffer.isEmpty())
        thru.emplace (ports, juce::Time::getMillisecondCounterHiRes() + currentLatencyDelay(),
                      rate > 0 ? (double) rate : 44100.0, lastThruDueMs);

    for (const auto metadata : hostBuffer)
    {
        if (metadata.numBytes <= 0)
            continue;

        // As from the instrument's port: a channel message without all its data bytes is no
        // message, and acting on it would read bytes it does not have.
        const auto status = metadata.data[0];
        if (status >= 0x80 && status < 0xF0 && metadata.numBytes < juce::MidiMessage::getMessageLengthFromFirstByte (status))
            continue;

        // A SysEx is never acted on here, only passed on; made into a message it would allocate.
        if (metadata.data[0] == 0xF0)
        {
            if (! thru)
                continue;
            if (! thru->add (metadata.data, metadata.numBytes, metadata.samplePosition))
                hostThruDropped();
            continue;
        }

        const auto message = metadata.getMessage();
        if (thru && passesHostThru (message) && ! thru->add (metadata.data, metadata.numBytes, metadata.samplePosition))
            hostThruDropped();

        handleHostInput (message, thru ? &*thru : nullptr, metadata.samplePosition);
    }

    if (thru)
        lastThruDueMs = thru->finish();

    hostBuffer.clear();
    toHost.moveInto (hostBuffer, numSamples);
    toHostWaiting.store (false, std::memory_order_release);
}
