#pragma once

#include "midi/VirtualMidiEndpoint.h"
#include "model/GlobalSettings.h"
#include "model/ProgramSysex.h"

#include <array>
#include <map>
#include <set>
#include <atomic>
#include <memory>
#include <vector>

/** A stand-in for the instrument's MIDI side, for tests and for trying the editor without the
    hardware. It keeps 400 program slots, an edit buffer, 100 global bytes and a MIDI channel
    (global 2; 0 listens on all channels), and it

    - answers the program (05), edit-buffer (06) and global (0E) requests with the instrument's
      dumps, on a thread of its own, after a delay if told so, whole or split into pieces;
    - applies NRPNs (controllers 99, 98, 6, 38), bank select (32) with program change, program
      dumps (stored) and edit-buffer dumps (played);
    - turns one of its own knobs on request: it then sends the NRPN like the instrument does;
    - plays its keys when told by a SysEx of the non-commercial ID 7D (pairs of note and
      velocity, 0 for a release), so a test that reaches it only through MIDI can have it play;
    - reads what it receives as the byte stream it is, so a SysEx sent in pieces is put together
      exactly as the instrument would;
    - logs every delivery it received, and every complete message, with the time it arrived;
    - can answer at the pace of a MIDI cable, and can be told to lose, cut short or misaddress
      its answers to program requests, or to stop answering them, as a flaky cable or a busy
      instrument would. */
class SimulatedProphet final : public VirtualMidiEndpoint,
                               private juce::Thread
{
public:
    static constexpr const char* defaultName = "Simulated Prophet-5";
    static constexpr uint8_t playKeysId = 0x7D;

    explicit SimulatedProphet (const juce::String& deviceName = defaultName);
    ~SimulatedProphet() override;

    /** The one simulated instrument the plug-in lists among its devices, shared by every instance
        in the process like a real device would be. */
    static std::shared_ptr<SimulatedProphet> shared();

    // --- VirtualMidiEndpoint
    juce::String getDeviceName() const override { return name; }
    bool isAvailable() const override { return available; }
    void receive (const juce::MidiMessage& delivery) override;
    void connectInput (juce::MidiInputCallback* callback) override;
    void disconnectInput (juce::MidiInputCallback* callback) override;

    // --- what was received
    struct Received
    {
        double time; // Time::getMillisecondCounterHiRes() on arrival
        std::vector<uint8_t> bytes;
    };

    std::vector<Received> deliveries() const;  // as the port handed them over
    std::vector<Received> messages() const;    // complete messages, SysEx put together
    void clearLog();

    /** Wait (at most timeoutMs) until at least count complete messages, or deliveries, arrived. */
    bool waitForMessages (size_t count, int timeoutMs) const;
    bool waitForDeliveries (size_t count, int timeoutMs) const;
    /** Wait (at most timeoutMs) until every answer or message it was given to send so far has
        been handed to the connected input, delays included. */
    bool waitUntilAnswered (int timeoutMs) const;

    // --- behaviour
    void setAnswerDelay (int milliseconds);
    void setSysexPieceSize (int bytes);  // 0 sends every SysEx whole
    void setSilent (bool shouldStaySilent);
    void setGlobalDumpLength (int payloadBytes);
    void setAvailable (bool canBeOpened) { available = canBeOpened; }
    /** Each answer leaves only after the time its bytes take on a MIDI cable, times `scale`
        (0: at once, apart from the answer delay). */
    void setWirePace (double scale);

    /** What goes wrong with the n-th answer to a program request (counted from 1 since the last
        resetProgramAnswers). */
    enum class Fault { none, drop, truncate, wrongSlot };
    void setProgramAnswerFault (int n, Fault fault);
    /** Every n-th answer to a program request is lost (0: none). */
    void setDropEvery (int n);
    /** After n answers to program requests, no more (-1: no limit). */
    void setSilentAfter (int n);
    /** A slot whose requests are never answered, until told otherwise. */
    void setUnanswered (int group, int index, bool unanswered);
    /** The next n program dumps it receives are lost, as on a bad cable: the slots keep what
        they held. */
    void ignoreProgramDumps (int n);
    /** Clears the faults above and starts counting answers again. */
    void resetProgramAnswers();
    /** Program requests answered so far (lost ones included) and the time the answers took, from
        a request's arrival to the dump being handed over, summed. */
    int getProgramAnswerCount() const;
    double getProgramAnswerMs() const;
    /** Answers to program requests that were handed over (not lost). */
    int getProgramAnswersHandedOver() const;
    /** Keeps no log (for long runs, where the log would only grow). */
    void setLogging (bool shouldLog);
    /** Appends every complete message received to a text file, one line of hex bytes each, so the
        wire can be watched from outside a running editor. The shared instrument does so when the
        environment names a file in MORVEX_SIMULATOR_WIRE. */
    void setWireFile (const juce::File& file);

    /** Turns a knob on the instrument: the edit buffer changes and the NRPN goes out. */
    void turnKnob (int parameter, int value);

    /** Sends any message as the instrument, through the same delivery path as its answers. */
    void sendToSystem (const std::vector<uint8_t>& bytes);

    // --- the instrument's memory
    ProgramSysex::Record getProgram (int group, int index) const;
    void setProgram (int group, int index, const ProgramSysex::Record& record);
    ProgramSysex::Record getEditBuffer() const;
    void setEditBuffer (const ProgramSysex::Record& record);
    GlobalSettings::Buffer getGlobals() const;
    void setGlobal (int index, uint8_t value);
    int getCurrentGroup() const;
    int getCurrentProgram() const;

private:
    struct Outgoing
    {
        double time;
        juce::MidiMessage message;
        double requestTime = 0.0; // a program dump's: when its request arrived
    };

    void handleByte (uint8_t byte, double time);
    void handleMessage (const std::vector<uint8_t>& message, double time);
    void handleChannelMessage (const std::vector<uint8_t>& message);
    void handleSysex (const std::vector<uint8_t>& message);
    void answer (const std::vector<uint8_t>& message, double requestTime = 0.0);
    void answerProgramRequest (int group, int index);
    int sendingChannel() const;
    void run() override;
    bool waitUntil (const std::vector<Received>& log, size_t count, int timeoutMs) const;

    const juce::String name;

    mutable juce::CriticalSection stateLock;
    juce::File wireFile;
    std::array<ProgramSysex::Record, 400> slots {};
    ProgramSysex::Record editBuffer {};
    GlobalSettings::Buffer globals {};
    int currentGroup = 0, currentProgram = 0, pendingBank = 0;
    int nrpnMsb = 0x7F, nrpnLsb = 0x7F, dataMsb = 0;

    // receiving as a byte stream
    uint8_t runningStatus = 0;
    std::vector<uint8_t> partial;
    bool inSysex = false;
    std::vector<Received> deliveryLog, messageLog;

    // answering
    int answerDelayMs = 0, sysexPieceSize = 0, globalDumpLength = GlobalSettings::bufferSize;
    double wirePace = 0.0, messageTime = 0.0;
    int programAnswers = 0, dropEvery = 0, silentAfter = -1, dumpsToIgnore = 0;
    std::map<int, Fault> faults;
    std::set<int> unansweredSlots;
    // guarded by outLock
    double wireBusyUntil = 0.0;
    int programAnswersTimed = 0;
    double programAnswerMs = 0.0;
    bool silent = false, logging = true;
    std::atomic<bool> available { true };
    mutable juce::CriticalSection outLock;
    std::vector<Outgoing> outgoing;
    std::atomic<uint64_t> answersQueued { 0 }, answersHandedOver { 0 };
    juce::CriticalSection deliverLock; // held while the connected callback runs
    juce::MidiInputCallback* connected = nullptr;
    juce::WaitableEvent wake;
};
