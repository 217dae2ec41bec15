#pragma once

#include "groups/Bank_Program.h"
#include "midi/MIDI_PORTS_Control.h"
#include "midi/MidiDeviceSeam.h"
#include "midi/MidiDevices.h"
#include "midi/PortSettings.h"
#include "midi/ToHostBuffer.h"
#include "model/GlobalSettings.h"
#include "model/ParTable.h"
#include "plugin/SettingsBlock.h"
#include "plugin/SettingsFolder.h"

#include <array>
#include <atomic>
#include <memory>

/** The MIDI engine: everything that outlives an editor window. It owns the ports, the settings,
    the parameter table, the mirror of the instrument's memory and the plug-in's own bank, and it
    is the one road to and from the instrument.

    Construction reads the settings file, the ports file (and opens the saved ports) and the
    program groups file; destruction writes the settings and the groups and closes the ports. */
class MidiCntrState : public juce::MidiInputCallback,
                      public juce::ChangeBroadcaster
{
public:
    static constexpr int numInstrumentBanks = 10;
    static constexpr int numDelays = 7;

    enum RequestKind
    {
        programRequest = 5,
        editBufferRequest = 6,
        globalsRequest = 14
    };

    /** The plug-in's engine uses the computer's devices plus the simulated instrument, and the
        shared settings folder; tests give their own devices and folder. */
    explicit MidiCntrState (std::shared_ptr<MidiDeviceSeam> devices = MidiDevices::standard(),
                            const juce::File& settingsFolder = SettingsFolder::folder());
    ~MidiCntrState() override;

    // --- files
    const juce::File& getSettingsFolder() const noexcept { return settingsFolder; }
    SettingsBlock& getSettings() noexcept { return settings; }
    void saveSettings() const;
    void saveBanks() const;

    // --- ports
    MIDI_PORTS_Control& getPorts() noexcept { return ports; }
    const PortSettings& getPortSettings() const noexcept { return portSettings; }
    void loadPortSettings();
    void savePortSettings();
    void openInput (int entry);
    void openOutput (int entry);
    void selectInputPort (int entry);
    void selectOutputPort (int entry);

    // --- data
    ParTable& getParTable() noexcept { return parTable; }
    Bank_Program& getInstrumentBank (int group) noexcept;
    Bank_Program& getPluginBank() noexcept { return pluginBank; }
    GlobalSettings::Buffer& getGlobals() noexcept { return globals; }

    int getMidiChannel() const noexcept { return midiChannel.load(); }
    void setMidiChannel (int channel);

    // --- latency (per sample-rate index; applied while the mode is below 100)
    int getLatencyMode() const noexcept { return latencyMode.load(); }
    int getDelay (int index) const noexcept;

    // --- sending to the instrument; nothing is sent while the output is closed
    void sendParameter (int parameter, int value, double delayMs, double sampleRate);
    void sendNrpn (int number, int value);
    void sendProgramSelect (int bank, int program);
    void sendNoteOn (int channel, int note, int velocity);
    void sendNoteOff (int channel, int note);
    void sendController (int channel, int controller, int value);
    void sendPitchWheelToAll (int channel, int value);
    void sendRequest (int kind, int bank, int program);
    void requestGlobals();
    void sendEditBufferDump (const ProgramSysex::Record& record);
    void sendProgramDump (int group, int program, const ProgramSysex::Record& record);
    void sendSysEx (const ProgramSysex::Message& message);

    // --- messages for the host
    juce::CriticalSection& getEngineLock() noexcept { return engineLock; }
    ToHostBuffer& getToHostBuffer() noexcept { return toHost; }

    // --- juce::MidiInputCallback
    void handleIncomingMidiMessage (juce::MidiInput* source, const juce::MidiMessage& message) override;

private:
    void loadSettings();
    void openSavedPort (const juce::String& name, bool isInput);
    void forgetLastNrpn() noexcept;
    juce::File file (const char* name) const { return settingsFolder.getChildFile (name); }

    const std::shared_ptr<MidiDeviceSeam> devices;
    const juce::File settingsFolder;

    SettingsBlock settings;
    std::atomic<int> midiChannel { 1 };
    PortSettings portSettings;
    MIDI_PORTS_Control ports;
    ParTable parTable;

    std::array<std::unique_ptr<Bank_Program>, numInstrumentBanks> instrumentBanks;
    Bank_Program pluginBank { "Program Group" };
    GlobalSettings::Buffer globals {};
    std::atomic<bool> globalDumpReceived { false };

    std::array<std::atomic<int>, numDelays> delays {};
    std::atomic<int> latencyMode { 0 };

    // What the instrument last heard of parameter NRPNs, so repeats can be left out.
    juce::SpinLock nrpnLock;
    int lastNrpnParameter = -1, lastValueMsb = -1, lastValueLsb = -1;

    juce::CriticalSection engineLock;
    ToHostBuffer toHost;
};
