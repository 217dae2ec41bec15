#pragma once

#include "groups/Bank_Program.h"
#include "midi/MIDI_PORTS_Control.h"
#include "midi/MidiDeviceSeam.h"
#include "midi/MidiDevices.h"
#include "midi/EventQueue.h"
#include "midi/GroupTransfer.h"
#include "midi/InstrumentSync.h"
#include "midi/PortSettings.h"
#include "midi/StateEvent.h"
#include "midi/StoredSource.h"
#include "midi/ToHostBuffer.h"
#include "midi/stateListener.h"
#include "model/GlobalSettings.h"
#include "model/ParTable.h"
#include "plugin/Cable_Listener.h"
#include "plugin/SettingsBlock.h"
#include "plugin/SettingsFolder.h"

#include <array>
#include <functional>

class SoundHistory;
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
    static constexpr size_t maximumSysexSize = 65536; // far above any message of the instrument's
    static constexpr size_t eventQueueSize = 4096;

    struct HostParam
    {
        int parameter = 0, value = 0;
    };

    /** What a group transfer covers; the values are the group manager's transfer kinds. */
    enum TransferKind
    {
        noTransfer = GroupTransfer::none,
        receiveOneGroup = GroupTransfer::receiveOneGroup,
        receiveUserGroups = GroupTransfer::receiveUserGroups,
        receiveFactoryGroups = GroupTransfer::receiveFactoryGroups,
        receiveAllGroups = GroupTransfer::receiveAllGroups,
        transmitOneGroup = GroupTransfer::transmitOneGroup,
        transmitUserGroups = GroupTransfer::transmitUserGroups,
        transmitFactoryGroups = GroupTransfer::transmitFactoryGroups
    };

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
    GlobalSettings::Buffer getGlobals() const;
    /** Global `index` := value (0..127), then sent as the global's NRPN when it has one, also
        when the byte already held that value (the instrument may have drifted from the copy).
        Returns true when the stored byte changed. Message thread. */
    bool setGlobal (int index, int value);

    int getMidiChannel() const noexcept { return midiChannel.load(); }
    void setMidiChannel (int channel);

    /** The channel menu's change: takes the channel and tells the editor, if it differs. */
    void changeChannel (int channel);

    // --- the current program: a group (bank) and a program within it
    int getCurrentBank() const noexcept    { return currentBank.load(); }
    int getCurrentProgram() const noexcept { return currentProgram.load(); }
    void selectProgram (int index, bool sendToPort, bool notifyHost);
    /** Makes (group, index) current with the mirror's record as it stands, which the instrument
        then hears as the edit buffer (when program changes are sent), not as its own slot. */
    void selectStoredProgram (int group, int index);
    /** A program change from the instrument in group `bank`: loaded unless it is the program
        already loaded. */
    void programChangeIn (int bank, int program);
    /** bank × 40 + program of the loaded program; -1 before any. */
    int loadedProgramIndex() const noexcept;
    using StoredSource = ::StoredSource;

    /** A loaded or pasted program: into the mirror at (bank, program), or as the edit buffer. */
    void storeProgram (bool toBank, int bank, int program, const ProgramSysex::Record& record,
                       InstrumentSync::Origin origin = InstrumentSync::Origin::user, StoredSource source = {});
    ProgramSysex::Record getEditBuffer() const noexcept { return pluginBank.single(); }
    /** The edit buffer replaced as a whole: the editor, the host and the instrument follow. Any thread. */
    void replaceEditBuffer (const ProgramSysex::Record& record, InstrumentSync::Origin origin, StoredSource source = {});
    /** The stored program the sound being edited is measured against (see StoredSource). */
    ProgramSysex::Record getStoredProgram() const;

    /** Everything an undo of a whole-program change puts back. */
    struct SoundState
    {
        ProgramSysex::Record record {};
        int bank = -1, program = -1;
        StoredSource source;
        ProgramSysex::Record arrived {}; // the record as it arrived, for a source of none

        bool operator== (const SoundState& o) const noexcept
        {
            return record == o.record && bank == o.bank && program == o.program && source == o.source && arrived == o.arrived;
        }
        bool operator!= (const SoundState& o) const noexcept { return ! operator== (o); }
    };
    SoundState getSoundState() const;
    /** Puts a sound back as it was: the current slot, the stored source and the edit buffer, which
        goes to the instrument as an edit-buffer dump; the groups and the instrument's memory are
        left alone. Message thread. */
    void restoreSoundState (const SoundState& state);
    /** Shows and plays another sound in place of the one being edited, the current slot and the
        stored source unchanged: the editor, the host and the instrument (an edit-buffer dump)
        follow. Message thread. */
    void showSound (const ProgramSysex::Record& record);
    /** One parameter set, sent to the instrument as its NRPN and shown: what an undo of a knob
        turn does. The host hears of it from whoever called. Message thread. */
    void restoreParameter (int parameter, int value);
    InstrumentSync& getInstrumentSync() noexcept { return instrumentSync; }

    /** The undo history of the sound, kept by the processor; null without one. Message thread. */
    SoundHistory* getSoundHistory() const noexcept { return soundHistory; }
    void setSoundHistory (SoundHistory* history) noexcept { soundHistory = history; }

    // --- the plug-in's own programs: the current one of the 40, -1 until one is chosen
    int getCurrentPluginProgram() const noexcept { return currentPluginProgram.load(); }
    void setCurrentPluginProgram (int index) noexcept { currentPluginProgram = index; }

    // --- who reports panel edits to the host (the processor)
    void addCableListener (Cable_Listener* listener);
    void removeCableListener (Cable_Listener* listener);
    /** A panel edit: every cable listener reports it to the host. Message thread. */
    void paramEdited (int parameter, int value);

    // --- options
    bool isSendClockOn() const noexcept           { return sendClock.load(); }
    void setSendClock (bool on);
    int getBlockSize() const noexcept             { return blockSize.load(); }
    // Every block: a store with no barrier, as nothing else is published with it.
    void setBlockSize (int numSamples) noexcept   { blockSize.store (numSamples, std::memory_order_relaxed); }
    bool isInThruOn() const noexcept              { return inThru.load(); }
    bool isHostThruOn() const noexcept            { return hostThru.load(); }
    bool isProgramChangeAutomationOn() const noexcept { return programChangeAutomation.load(); }
    void setInThru (bool on);
    void setHostThru (bool on);
    void setProgramChangeAutomation (bool on);
    /** "Send Program on Project Load" and "Send Program Changes": both on unless switched off. */
    bool isSendProgramOnLoadOn() const noexcept   { return settings.getByte (SettingsBlock::sendOnLoadOffOffset) == 0; }
    bool isSendProgramChangesOn() const noexcept  { return settings.getByte (SettingsBlock::sendChangesOffOffset) == 0; }
    void setSendProgramOnLoad (bool on) noexcept  { settings.setByte (SettingsBlock::sendOnLoadOffOffset, on ? 0 : 1); }
    void setSendProgramChanges (bool on) noexcept { settings.setByte (SettingsBlock::sendChangesOffOffset, on ? 0 : 1); }
    /** The group manager's "Use Loaded Data": a program picked in its list is taken from the
        mirror as it stands instead of being selected on the instrument. Off at start. */
    bool isLoadStoredProgramsOn() const noexcept      { return loadStoredPrograms.load(); }
    void setLoadStoredPrograms (bool on) noexcept     { loadStoredPrograms = on; }

    // --- detection: off-line from a request until the instrument's global dump answers
    bool isOnline() const noexcept { return globalDumpReceived.load(); }

    // --- group transfers: they run here, so they go on with the editor closed
    /** Starts a transfer of `kind`: `group` is the group one-group kinds fetch or write to; a
        one-group transmission writes `sourceGroup`'s programs (the current group when -1).
        False while one runs, or while the output is closed. */
    bool startTransfer (int kind, int group, int sourceGroup = -1);
    /** Ends the running transfer, keeping what arrived. */
    void cancelTransfer();
    /** Fetches again only the slots the last receive gave up on. */
    bool retryFailedTransfer();
    GroupTransfer::Status getTransferStatus() const;
    /** The editor has shown how the last transfer ended. */
    void transferReportSeen() { transfer.markSeen(); }
    GroupTransfer& getGroupTransfer() noexcept { return transfer; }

    /** The write panel's WRITE: the record goes into the mirror at (group, index) and into the
        instrument's memory there, becomes the edit buffer and makes that slot current; then the
        slot is asked back and compared, and event writeChecked says how that went. */
    void writeProgram (int group, int index, const ProgramSysex::Record& record);
    GroupTransfer::WriteCheck getWriteCheck() const { return transfer.writeCheck(); }
    bool isBusy() const noexcept      { return transfer.isRunning(); }
    bool isReceiving() const noexcept { return transfer.isReceiving(); }
    int getTransferKind() const noexcept { return transfer.getKind(); }

    // --- the editor
    /** True the first time an editor is built for this plug-in instance, false after. */
    bool firstEditorOpened() noexcept { return ! editorOpenedBefore.exchange (true); }

    // --- computer-key play (message thread): notes from the computer's letter keys
    /** The letters that play the notes of one octave, C to B, from the base note up. */
    static constexpr const char* noteLetters = "zsxdcvgbhnjm";
    /** A key for the player, as a lower-case character code: a note letter, u/i (velocity down/up),
        o/p (octave down/up), or 64 (every note off). Returns whether it was taken. */
    bool keyPlay (int code);
    /** The note at base note + offset, unless it is 128 or above or already on from a key. */
    bool noteOnFromKey (int offset);
    void noteOffFromKey (int note);
    /** A key went up or down: the first note letter that is no longer held (`held` tells, by its
        position in noteLetters) but whose note is still on gets its note off; one per call. */
    void keyRelease (const std::function<bool (int letterIndex)>& held);
    bool isKeyNoteOn (int note) const noexcept { return juce::isPositiveAndBelow (note, 128) && keyNotes[(size_t) note] != 0; }
    /** Every note a computer key left on goes off (the keys can no longer be heard going up). */
    void releaseKeyNotes();
    /** What the last key did, for the keyboard's status line. */
    const juce::String& getKeyStatus() const noexcept { return keyStatus; }
    void clearKeyStatus() { keyStatus.clear(); }
    /** "C" … "B" for note % 12 followed by note / 12: note 60 is "C5". */
    static juce::String noteName (int note);

    // --- events for the editor and edits for the host
    void postEvent (int32_t code);
    void addStateListener (stateListener* listener);
    void removeStateListener (stateListener* listener);
    /** Message thread: takes every queued event, oldest first; when some could not be queued,
        codes that refresh everything the editor shows (the edit buffer, the groups, the on-line
        state, a transfer that has ended) come last. */
    void drainEvents (std::vector<int32_t>& out);
    /** Message thread: takes every queued (parameter, value) pair for the host. */
    void drainHostParams (std::vector<HostParam>& out) { hostParams.drainInto (out); }
    /** Delivers a pending listener notification now (for callers without a running message loop). */
    void dispatchPendingNotifications();
    void reportToHost (int parameter, int value);

    // --- the host's MIDI, once per block on the audio thread
    void handleHostMidi (juce::MidiBuffer& hostBuffer, int numSamples, int sampleRate);
    void setSampleRate (int sampleRateHz) noexcept;
    int getSampleRate() const noexcept { return storedSampleRate.load(); }
    int getSampleRateIndex() const noexcept { return sampleRateIndex.load(); }
    int currentLatencyDelay() const noexcept;

    // --- latency (per sample-rate index; applied while the mode is below 100)
    int getLatencyMode() const noexcept { return latencyMode.load(); }
    int getDelay (int index) const noexcept;
    /** Takes a new delay list at once (clock, host thru and automated parameters all read it). */
    void setLatency (int mode, const std::array<int, numDelays>& newDelays);

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

    /** Host SysEx not passed on: longer than the audio thread's reserve
        (MIDI_PORTS_Control::realtimeSysexReserve), or too many waiting. */
    size_t getDroppedHostThruCount() const noexcept { return droppedHostThru.load(); }
    /** The editor has shown the notice of a dropped host message: the next drop posts one again. */
    void hostThruNoticeShown() noexcept { hostThruNoticePending = false; }
    /** The editor has said that an edit or a note went nowhere; the next one is told again. */
    void notSentNoticeShown() noexcept { notSentNoticePending = false; }

    // --- messages for the host
    juce::CriticalSection& getEngineLock() noexcept { return engineLock; }
    ToHostBuffer& getToHostBuffer() noexcept { return toHost; }

    // --- juce::MidiInputCallback, on the MIDI driver's thread
    void handleIncomingMidiMessage (juce::MidiInput* source, const juce::MidiMessage& message) override;
    void handlePartialSysexMessage (juce::MidiInput* source, const juce::uint8* data, int numBytesSoFar, double timestamp) override;

private:
    /** Tells the state listeners, on the message thread, that events are waiting. Posting an
        event only sets a flag, so any thread (the audio thread too) may post without a lock or a
        message; the listeners hear of it within one tick. */
    class Notifier : public juce::Timer
    {
    public:
        static constexpr int intervalMs = 15;
        explicit Notifier (MidiCntrState& e) : engine (e) {}
        void timerCallback() override;

    private:
        MidiCntrState& engine;
    };

    bool passesInThru (const juce::MidiMessage& message);
    static bool passesHostThru (const juce::MidiMessage& message) noexcept;
    void handleInputController (int channel, int controller, int value);
    void bankSelect (std::atomic<int>& pending, int value) noexcept;
    void hostThruDropped() noexcept;
    /** An edit or a note with no output open: one notice until the editor has shown it. */
    void notSent() noexcept;
    void handleHostInput (const juce::MidiMessage& message, MIDI_PORTS_Control::Block* thru, int samplePosition);
    /** Makes program `index` current and loads it into the edit buffer; false (nothing changes)
        past the last group. */
    bool loadProgram (int index, InstrumentSync::Origin origin, bool notifyHost);
    void makeCurrent (int bank, int program) noexcept;
    void appendToSysex (const juce::uint8* data, int size);
    void dispatchSysex (const std::vector<uint8_t>& m);
    void handleProgramDump (const std::vector<uint8_t>& m);
    void handleEditBufferDump (const std::vector<uint8_t>& m);
    void handleGlobalDump (const std::vector<uint8_t>& m);

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
    mutable juce::SpinLock globalsLock;
    GlobalSettings::Buffer globals {};
    std::atomic<bool> globalDumpReceived { false };

    std::atomic<int> currentBank { 0 }, currentProgram { 0 };
    mutable juce::SpinLock storedLock; // the stored source and the record as it arrived
    StoredSource storedSource;
    ProgramSysex::Record arrivedRecord {};
    // The group the next program change selects in, as each sender last set it with controller 32.
    std::atomic<int> inputBank { 0 }, hostBank { 0 };
    std::atomic<bool> inThru { false }, hostThru { true }, programChangeAutomation { false }, sendClock { false };
    std::atomic<bool> loadStoredPrograms { false };
    std::atomic<int> currentPluginProgram { -1 }, blockSize { 0 };
    juce::Array<Cable_Listener*> cableListeners; // message thread only
    SoundHistory* soundHistory = nullptr;        // message thread only
    std::atomic<bool> editorOpenedBefore { false };

    std::array<std::atomic<int>, numDelays> delays {};
    std::atomic<int> latencyMode { 0 };
    std::atomic<int> storedSampleRate { 44100 }, sampleRateIndex { 0 };

    // The MIDI input thread's own state: the NRPN being received and the SysEx being assembled.
    uint8_t incomingNrpnMsb = 0xFF, incomingNrpnLsb = 0xFF, incomingDataMsb = 0;
    std::vector<uint8_t> sysexAssembly, sysexDispatch;

    EventQueue<int32_t, eventQueueSize> stateEvents;
    EventQueue<HostParam, eventQueueSize> hostParams;
    juce::Array<stateListener*> stateListeners; // message thread only
    // Notes switched on by a computer key, with the channel each went out on (0: off), and the note
    // each letter played: the note off goes where the note on went, whatever changed meanwhile.
    std::array<uint8_t, 128> keyNotes {};         // message thread
    std::array<int, 12> letterNotes { -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1 };
    juce::String keyStatus;
    std::atomic<bool> eventsWaiting { false }, eventsLost { false };
    Notifier notifier { *this };
    juce::MidiBuffer nrpnScratch; // reserved once, so sending never allocates

    // What the instrument last heard of parameter NRPNs, so repeats can be left out.
    juce::SpinLock nrpnLock;
    int lastNrpnParameter = -1, lastValueMsb = -1, lastValueLsb = -1;
    double lastNrpnDelayMs = 0.0;

    juce::CriticalSection engineLock;
    ToHostBuffer toHost;
    std::atomic<bool> toHostWaiting { false }; // set with the lock held, whenever toHost gains a message
    std::atomic<size_t> droppedHostThru { 0 };
    std::atomic<bool> hostThruNoticePending { false };
    std::atomic<bool> notSentNoticePending { false };
    double lastThruDueMs = 0.0; // the audio thread's: when the last host message passed on is due

    InstrumentSync instrumentSync { *this };

    /** What a transfer does, done by the engine. */
    class TransferTarget final : public GroupTransfer::Target
    {
    public:
        explicit TransferTarget (MidiCntrState& e) : engine (e) {}
        void requestProgram (int group, int program) override;
        void sendProgram (int group, int program, const ProgramSysex::Record& record) override;
        ProgramSysex::Record storedProgram (int group, int program) override;
        void storeProgram (int group, int program, const ProgramSysex::Record& record) override;
        void post (int32_t event) override;

    private:
        MidiCntrState& engine;
    };

    /** Writes the groups file on the message thread, when a transfer has ended. */
    class GroupsSaver final : public juce::AsyncUpdater
    {
    public:
        explicit GroupsSaver (MidiCntrState& e) : engine (e) {}
        void handleAsyncUpdate() override { engine.saveBanks(); }

    private:
        MidiCntrState& engine;
    };
    GroupsSaver groupsSaver { *this };

    // Last, so the transfer's thread has stopped before anything it uses goes.
    TransferTarget transferTarget { *this };
    GroupTransfer transfer { transferTarget };
};
