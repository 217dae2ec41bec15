#pragma once

#include "midi/EventQueue.h"
#include "midi/MidiDeviceSeam.h"

#include <atomic>
#include <memory>
#include <vector>

/** The opened input and output ports and every way of sending through the output.

    Only the open flags decide whether anything is sent: a port that failed to open, or is being
    closed, sends nothing.

    Timed sending is the port's own: every message, from any thread, is stamped with the time it
    is due and handed to a sender thread that delivers it then, in time order (and in the order
    sent when times are equal). Short messages travel through a fixed-size lock-free queue, so the
    audio thread neither allocates nor waits when it sends clock, thru or automation; only long
    SysEx, which the audio thread does not produce, goes through a locked list. */
class MIDI_PORTS_Control : private juce::Thread
{
public:
    static constexpr int smallSysexPiece = 256;
    /** The longest SysEx that sendBlock passes on; it is meant for the audio thread, so a longer
        one would need memory it cannot take. Longer ones are dropped and counted. */
    static constexpr int realtimeSysexReserve = 512;
    static constexpr int largeSysexPiece = 6000;

    explicit MIDI_PORTS_Control (MidiDeviceSeam& devices);
    ~MIDI_PORTS_Control();

    MidiDeviceSeam& getDevices() noexcept { return devices; }

    /** Closes the current input and opens list entry `entry` (0 = none, i = device i - 1). */
    void openInput (int entry, juce::MidiInputCallback* callback);
    void openOutput (int entry);
    void closeInput();
    void closeOutput();

    bool isInputOpen() const noexcept  { return inputOpen.load(); }
    bool isOutputOpen() const noexcept { return outputOpen.load(); }
    int getInputIndex() const noexcept  { return inputIndex; }
    int getOutputIndex() const noexcept { return outputIndex; }
    int getThirdIndex() const noexcept  { return -1; }

    /** 0: long SysEx goes out in 256-byte pieces; anything else: in 6000-byte pieces. */
    void setSysexSizeChoice (int choice) noexcept { sysexSizeChoice = choice; }
    int getSysexSizeChoice() const noexcept { return sysexSizeChoice.load(); }

    // --- sending; each does nothing while the output is not open
    /** Each message is due at the start plus its position, but never before `notBeforeMs`:
        the caller's stream keeps its order across blocks however irregularly they come. Returns
        when the last message is due (or notBeforeMs, when nothing was sent). */
    double sendBlock (const juce::MidiBuffer&, double millisecondCounterToStartAt, double samplesPerSecond,
                      double notBeforeMs = 0.0);

    static constexpr int batchSize = 64;

    /** Up to 64 messages, each due at start + position × msPerSample but never before the one
        before it (nor notBefore). A message longer than three bytes is a place holder (size 0,
        its ticket in the bytes) for one waiting in the long lane. */
    struct Batch
    {
        double startMs = 0.0, msPerSample = 0.0, notBeforeMs = 0.0;
        uint64_t firstOrder = 0;
        int count = 0;
        struct Entry
        {
            int32_t position;
            uint8_t size;
            uint8_t bytes[3];
        } entries[batchSize];
    };

    /** The messages of one audio block, built up one by one and handed to the sender as one
        batch: one queue slot and one start time for all the short ones, so a busy block costs
        the audio thread little more than copying its bytes. Due times as for sendBlock; a longer
        message (up to realtimeSysexReserve) waits in a lane of its own with its place kept in
        the batch. */
    class Block
    {
    public:
        Block (MIDI_PORTS_Control& ports, double startMs, double samplesPerSecond, double notBeforeMs) noexcept;
        ~Block() { finish(); }

        /** False when the message could not be queued: longer than realtimeSysexReserve, or
            too many long ones waiting. */
        bool add (const uint8_t* data, int size, int samplePosition) noexcept;
        /** Hands over what is left; returns when the last message is due. */
        double finish() noexcept;

    private:
        void flush() noexcept;

        MIDI_PORTS_Control& ports;
        const bool open;
        const double startMs, msPerSample;
        double last;
        bool any = false;
        Batch batch;
    };

    void sendNow (const juce::MidiBuffer& bufferInMilliseconds);
    void sendDelayed (const juce::MidiBuffer& bufferInSamples, double delayMs, double sampleRate);
    void sendController (int channel, int controller, int value);
    void sendNoteOn (int channel, int note, int velocity);
    void sendNoteOff (int channel, int note);
    void sendPitchWheel (int channel, int value);
    void sendProgramChange (int channel, int program);
    void sendSysEx (const void* data, size_t size);

    /** Messages dropped because thousands were already waiting for the device, or because a
        SysEx handed to sendBlock was longer than its reserve or found its lane full. */
    size_t getDroppedMessageCount() const noexcept { return droppedMessages.load(); }

    /** Waits (at most timeoutMs) until every message queued so far, and any queued meanwhile,
        has gone to the device or been dropped; false when time ran out first. Closing a port,
        or knowing that what an action sent has all arrived, needs no guess at how long that
        takes. */
    bool waitUntilDrained (int timeoutMs) const;

    /** Clamps a channel into 1..16, as the wire knows no other. */
    static int wireChannel (int channel) noexcept { return juce::jlimit (1, 16, channel); }

private:
    class OutputUse;

    struct ShortMessage
    {
        double due = 0.0;
        uint64_t order = 0;
        uint8_t size = 0;
        uint8_t bytes[15] {};
    };

    struct LongMessage
    {
        uint32_t ticket = 0; // matches its place in a batch
        uint16_t size = 0;
        uint8_t bytes[realtimeSysexReserve] {};
    };

    struct Timed
    {
        double due;
        uint64_t order;
        juce::MidiMessage message;
    };

    void sendOne (const juce::MidiMessage&);
    void enqueue (const uint8_t* data, int size, double due);
    /** The sender thread's: moves what other threads queued into `pending`. Returns how many. */
    size_t takeQueued();
    void dropPending() noexcept { dropBefore = nextOrder.load(); }
    void settle (uint64_t count) noexcept { settled.fetch_add (count, std::memory_order_release); }
    void wakeSender();
    void run() override;

    MidiDeviceSeam& devices;
    int inputIndex = -1, outputIndex = -1;
    std::unique_ptr<MidiInputPort> input;
    std::unique_ptr<MidiOutputPort> output;
    std::atomic<bool> inputOpen { false }, outputOpen { false };
    std::atomic<int> outputUsers { 0 };
    std::atomic<int> sysexSizeChoice { 0 };

    EventQueue<ShortMessage, 4096> shortMessages;
    // SysEx from the audio thread; blocks with messages longer than three bytes are built by one
    // thread at a time (the audio thread), so the lane keeps their order.
    EventQueue<LongMessage, 128> realtimeLongMessages;
    std::atomic<uint32_t> nextLongTicket { 0 };
    EventQueue<Batch, 256> batches;                    // blocks from the audio thread
    juce::CriticalSection longMessagesLock;
    std::vector<Timed> longMessages;
    std::vector<Timed> pending;        // the sender thread's own, in delivery order
    std::atomic<uint64_t> nextOrder { 0 }, dropBefore { 0 };
    std::atomic<size_t> droppedMessages { 0 };
    // Every order handed out is settled once: delivered, dropped, or lost with its batch.
    std::atomic<uint64_t> settled { 0 };
    juce::CriticalSection deliveryLock; // held while messages go to the device
    juce::WaitableEvent wake;
    std::atomic<bool> senderIdle { false };
};
