#pragma once

#include "model/ProgramSysex.h"

#include <juce_core/juce_core.h>

#include <array>
#include <atomic>
#include <mutex>
#include <vector>

/** A group transfer: programs fetched from the instrument into the mirror, or the mirror's
    programs written to the instrument.

    A receive asks for one program at a time and asks for the next the moment the answer is in,
    so it runs at the instrument's pace. An answer that does not come within answerTimeoutMs is
    asked for again, up to maxRetries times; a slot that still gets none is noted as failed and the
    transfer goes on, so a lost dump never stalls it and is never skipped without a word. A
    transmission hands the output one dump at a time, each as the one before it is about to
    leave the cable, so no more than one dump ever waits ahead of the wire and a cancel takes
    effect after the dump in progress.

    It runs on a thread of its own, not on an editor's timer: closing the editor neither stalls
    nor abandons it. `service` holds all of its timing; tests without the thread call it with a
    clock of their own. */
class GroupTransfer : private juce::Thread
{
public:
    /** Kinds as the group manager names them. */
    enum Kind
    {
        none = -1,
        receiveOneGroup = 0,
        receiveUserGroups = 7,
        receiveFactoryGroups = 8,
        receiveAllGroups = 9,
        transmitOneGroup = 100,
        transmitUserGroups = 107,
        transmitFactoryGroups = 108
    };

    /** A MIDI cable carries 31,250 bits a second, ten bits to a byte. */
    static constexpr double msPerWireByte = 10.0 * 1000.0 / 31250.0;
    static constexpr double dumpWireMs = ProgramSysex::programDumpSize * msPerWireByte; // about 51 ms
    /** How long an answer may take before it is asked for again: ten times a program dump's time
        on the cable, which covers an instrument busy with its own panel or a slow USB bridge. */
    static constexpr double answerTimeoutMs = 500.0;
    static constexpr int maxRetries = 3;
    /** This many slots in a row without an answer: the instrument has stopped answering (switched
        off, unplugged), and the rest of the transfer is reported instead of waited for. */
    static constexpr int maxSilentSlots = 3;
    /** A transmission hands over the next dump this long before the last one is due to have left
        the cable, so the cable never idles and a waiting dump waits no longer than this. */
    static constexpr double handOverLeadMs = 4.0;

    struct Slot
    {
        int group = 0, program = 0;
        bool operator== (const Slot& o) const noexcept { return group == o.group && program == o.program; }
    };

    /** What a transfer does to the world around it. Called with the transfer's lock held: none of
        these may call back into the transfer. */
    class Target
    {
    public:
        virtual ~Target() = default;
        virtual void requestProgram (int group, int program) = 0;
        virtual void sendProgram (int group, int program, const ProgramSysex::Record& record) = 0;
        virtual ProgramSysex::Record storedProgram (int group, int program) = 0;
        virtual void storeProgram (int group, int program, const ProgramSysex::Record& record) = 0;
        virtual void post (int32_t event) = 0;
    };

    /** A program written to a slot, asked back and compared with what was sent. */
    struct WriteCheck
    {
        enum State { none, pending, verified, mismatch, noAnswer, noInput };
        State state = none;
        Slot slot { -1, -1 };
        ProgramSysex::Record record {};
    };

    /** A transfer as the editor shows it: while it runs, and after it ended. */
    struct Status
    {
        int kind = none;
        bool running = false, receiving = false, cancelled = false, retry = false;
        /** Ended early because the instrument stopped answering; the slots never asked for are
            among the failed ones. */
        bool stopped = false;
        /** Ended while nobody saw it end: the next editor reports it. */
        bool unseen = false;
        int total = 0;      // slots in the transfer
        int settled = 0;    // slots done with: arrived, sent or given up
        int arrived = 0;    // programs received or sent
        Slot last { -1, -1 }; // the slot settled last
        std::vector<Slot> failed;
        double elapsedMs = 0.0, remainingMs = 0.0;
    };

    /** With ownThread false nothing happens by itself: the caller calls `service`. */
    explicit GroupTransfer (Target& target, bool ownThread = true);
    ~GroupTransfer() override;

    /** Starts a transfer of `kind`. `group` is the group a one-group receive fetches, or the
        group a one-group transmission writes `sourceGroup`'s programs to. False, and nothing
        starts, while another runs or for a kind or group that does not exist. */
    bool start (int kind, int group, int sourceGroup, double nowMs);
    /** Asks for `slot` back after `record` was written to it, and compares the answer with the
        record, asking again as a receive does when it gets none. The mirror is left alone: it
        holds what was written, which a "write again" needs. False while a transfer runs. */
    bool checkWrite (Slot slot, const ProgramSysex::Record& record, double nowMs);
    /** A write that cannot be checked (no way to hear the answer). */
    void writeUnchecked (Slot slot, const ProgramSysex::Record& record);
    WriteCheck writeCheck() const;

    /** Fetches again only the slots the last receive gave up on. False when there are none or a
        transfer runs. */
    bool retryFailed (double nowMs);
    /** Ends the running transfer, keeping whatever arrived. No further request or dump goes out. */
    void cancel (double nowMs);

    /** A program dump from the instrument (MIDI input thread). True when it belongs to a transfer
        (or is a late answer to one of its requests) and was stored; false when the caller should
        treat it as the instrument's own choice of program. */
    bool dumpArrived (int group, int program, const ProgramSysex::Record& record, double nowMs);

    /** Timeouts and pacing: does what is due at nowMs and returns how long until it next needs
        to be called (negative: only when something starts). */
    double service (double nowMs);

    /** How long an answer may take before it is asked for again (answerTimeoutMs unless told):
        a link slower than a cable may need longer; tests hold a transfer still with a long one or
        hurry a failing one with a short one. */
    void setAnswerTimeout (double ms);

    Status status (double nowMs) const;
    bool isRunning() const noexcept   { return running.load(); }
    bool isReceiving() const noexcept { return receiving.load(); }
    int getKind() const noexcept      { return kind.load(); }
    /** The editor has shown how the last transfer ended. */
    void markSeen();

    /** The slots of a kind, in the order they are transferred; `group` as for start. */
    static std::vector<Slot> slotsFor (int kind, int group);
    static bool isTransmission (int kind) noexcept { return kind >= transmitOneGroup; }

private:
    void run() override;
    void wake();
    /** The transfer's part of `service`, with the lock held. */
    double serviceTransfer (double nowMs);
    void requestCurrent (double nowMs);
    void request (Slot slot, double nowMs);
    void advance (double nowMs);
    void finish (double nowMs, bool wasCancelled);
    void beginLocked (int newKind, std::vector<Slot> newSlots, double nowMs, bool isRetry);

    Target& target;
    const bool threaded;
    mutable std::mutex lock;
    juce::WaitableEvent wakeEvent;

    std::atomic<bool> running { false }, receiving { false };
    std::atomic<int> kind { none };

    // guarded by lock
    std::vector<Slot> slots;        // receive: the slots asked for; transmit: the destinations
    int sourceGroup = 0;            // transmit: where one group's programs come from
    size_t next = 0;                // the slot being asked for or sent next
    int attempts = 0;               // requests sent for the current slot
    int silentSlots = 0;            // slots in a row given up on
    double deadline = 0.0;          // receive: when the current request counts as unanswered
    double nextSendAt = 0.0;        // transmit: when the next dump may be handed over
    double wireFreeAt = 0.0;        // transmit: when the dumps handed over will have left the cable
    // Until when an answer to each slot's latest request may still come (group × 40 + program):
    // one arriving after the transfer has ended still only fills the mirror. One entry a slot, so
    // answers that come fast (a USB cable) cost no more than slow ones.
    static constexpr int numSlots = 10 * 40;
    static int slotIndex (Slot slot) noexcept;
    std::array<double, numSlots> answerDueUntil {};
    double startedAt = 0.0, endedAt = 0.0;
    double answerTimeout = answerTimeoutMs;
    Status result;
    WriteCheck check;
    int checkAttempts = 0;
    double checkDeadline = 0.0;
};
