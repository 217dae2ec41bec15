#include "midi/MidiCntrState.h"
#include "groups/GroupsDataFile.h"
#include "plugin/SafeFile.h"
#include "plugin/SettingsFolder.h"

MidiCntrState::MidiCntrState (std::shared_ptr<MidiDeviceSeam> deviceSeam, const juce::File& folder)
    : devices (std::move (deviceSeam)),
      settingsFolder (folder),
      ports (*devices)
{
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

    for (int i = 0; i < 6; ++i)
        delays[(size_t) i] = settings.getInt (SettingsBlock::delaysOffset + 4 * i);
    delays[6] = settings.getInt (SettingsBlock::seventhDelayOffset);
}

MidiCntrState::~MidiCntrState()
{
    saveSettings();
    saveBanks();
    ports.closeOutput();
    ports.closeInput();
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
}

void MidiCntrState::saveSettings() const
{
    SafeFile::replaceWith (file (SettingsFolder::settingsFileName), settings.bytes().data(), settings.bytes().size());
}

void MidiCntrState::saveBanks() const
{
    GroupsDataFile::Groups groups {};
    for (int g = 0; g < numInstrumentBanks; ++g)
        groups[(size_t) g] = instrumentBanks[(size_t) g].get();

    const auto data = GroupsDataFile::make (groups);
    SafeFile::replaceWith (file (SettingsFolder::groupsFileName), data.getData(), data.getSize());
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
    SafeFile::replaceWith (file (SettingsFolder::portsFileName), data.getData(), data.getSize());
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
    ports.openInput (entry, this);
}

void MidiCntrState::openOutput (int entry)
{
    // A new device has heard no NRPN number yet.
    forgetLastNrpn();
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
    const auto number = parTable.getNrpnOfParam (parameter);
    if (! juce::isPositiveAndBelow (parameter, ParTable::numNrpns) || ! ports.isOutputOpen())
        return;

    const int nMsb = number >> 7, nLsb = number - nMsb * 128;
    const int vMsb = (value / 128) & 0x7F, vLsb = value % 128;
    const auto channel = getMidiChannel();

    juce::MidiBuffer buffer;
    const auto add = [&] (int controller, int data) { buffer.addEvent (juce::MidiMessage::controllerEvent (channel, controller, data), 0); };

    // Held while the buffer is built and handed to the port, so the instrument never hears a
    // data byte meant for another parameter's number.
    const juce::SpinLock::ScopedLockType sl (nrpnLock);

    if (parameter != lastNrpnParameter)
    {
        add (99, nMsb);
        add (98, nLsb);
        add (6, vMsb);
        add (38, vLsb);
        lastNrpnParameter = parameter;
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
    juce::MidiBuffer buffer;
    for (const auto& [controller, data] : { std::pair { 99, (number >> 7) & 0x7F }, std::pair { 98, number & 0x7F },
                                            std::pair { 6, (value >> 7) & 0x7F }, std::pair { 38, value & 0x7F } })
        buffer.addEvent (juce::MidiMessage::controllerEvent (channel, controller, data), 0);

    // The instrument's NRPN number is now this one: the next parameter must name its own again.
    const juce::SpinLock::ScopedLockType sl (nrpnLock);
    lastNrpnParameter = lastValueMsb = lastValueLsb = -1;
    ports.sendNow (buffer);
}

void MidiCntrState::sendProgramSelect (int bank, int program)
{
    const auto channel = getMidiChannel();
    ports.sendController (channel, 32, bank);
    ports.sendProgramChange (channel, program);
}

void MidiCntrState::sendNoteOn (int channel, int note, int velocity)  { ports.sendNoteOn (channel, note, velocity); }
void MidiCntrState::sendNoteOff (int channel, int note)               { ports.sendNoteOff (channel, note); }
void MidiCntrState::sendController (int channel, int controller, int value) { ports.sendController (channel, controller, value); }

void MidiCntrState::sendPitchWheelToAll (int channel, int value)
{
    {
        const juce::ScopedLock sl (engineLock);
        toHost.add (juce::MidiMessage::pitchWheel (MIDI_PORTS_Control::wireChannel (channel), value & 0x3FFF),
                    juce::Time::getMillisecondCounter());
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
void MidiCntrState::handleIncomingMidiMessage (juce::MidiInput*, const juce::MidiMessage&)
{
}
