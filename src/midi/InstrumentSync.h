#pragma once

#include <juce_events/juce_events.h>

#include <atomic>
#include <cstdint>
#include <functional>

class MidiCntrState;

/** Keeps the instrument playing the sound the panel shows, and the host told of it.

    Whenever the edit buffer is replaced as a whole, the engine tells this object where the new
    program came from. On the message thread (a timer, or `poll` driven by a test) it then:
    - tells its listener (the processor, which tells the host that the values changed);
    - sends the edit buffer to the instrument once as an edit-buffer dump, when the option for
      that origin is on and the output is open: right away for a program the user or the host
      chose ("Send Program Changes"), and once the host has finished restoring a project for a
      recall ("Send Program on Project Load"; hosts restore several times in a row, so the dump
      waits until restores have stopped for `recallSettleMs`);
    - asks the instrument for its edit buffer when it first answers after the ports were opened,
      so the panel starts from the sound the instrument is playing; unless a recalled sound is
      still waiting to reach it (then that goes instead), or the sound on the panel is already
      the user's own (edited or chosen), which an answer must not wipe out.
    A program that came from the instrument is never sent back: it cancels whatever was waiting.

    Producers may call from any thread, the audio thread included: they only touch atomics. */
class InstrumentSync : private juce::Timer
{
public:
    /** Where a new edit buffer came from. */
    enum class Origin : uint32_t
    {
        user = 1,          // the user or the host chose it: a preset, a paste, a file, a library entry
        recall = 2,        // the host restored the project
        instrument = 3,    // the instrument sent it, or selected it with a program change
        programSelect = 4, // the instrument was told to select it with bank select and program change
        sentByCaller = 5   // whoever replaced it has sent it to the instrument already
    };

    static constexpr double recallSettleMs = 300.0;
    static constexpr int pollIntervalMs = 25;

    explicit InstrumentSync (MidiCntrState& engine);
    ~InstrumentSync() override;

    // --- any thread
    void editBufferReplaced (Origin origin) noexcept;
    /** The ports were opened or chosen again: whoever answers next is (perhaps) another instrument. */
    void contactLost() noexcept { contactKnown.store (false); }
    /** The instrument answered a request for its globals. */
    void instrumentAnswered() noexcept;
    /** A parameter of the edit buffer was edited (on the panel, by the host or the instrument). */
    void soundEdited() noexcept { ownSound.store (true, std::memory_order_relaxed); } // per automation step: no fence
    /** How many times the edit buffer was replaced as a whole so far. */
    uint32_t replacementCount() const noexcept { return replacements.load() >> 4; }
    /** Where the latest replacement came from. */
    Origin latestOrigin() const noexcept { return (Origin) (replacements.load() & 15u); }

    /** From a restore until restores have stopped for `recallSettleMs` (or another program
        replaced the recalled one): a host selecting the restored preset now is re-selecting it as
        part of loading, not a user picking it. */
    bool isRecallSettling() const noexcept { return recallSettling.load(); }
    /** A recalled sound that no answering instrument has been sent yet. Message thread. */
    bool isRecallWaiting() const noexcept { return recallWaiting; }

    /** Message thread: told after each whole replacement, once per poll that finds one. */
    std::function<void()> onEditBufferReplaced;

    /** Message thread: does what is due at `nowMs` (the millisecond counter's time). */
    void poll (double nowMs);
    /** Tests drive `poll` themselves; the timer then stays off. */
    void setPolling (bool on);
    /** Starts the polling, once something uses the instance: a port opened, audio about to run,
        an editor, a restored state, a replacement made on the message thread. Until then there is
        nothing to keep in step, and what was replaced meanwhile is found by the first poll. Any
        thread but the audio thread. */
    void inUse();
    bool isPolling() const noexcept { return isTimerRunning(); }

private:
    enum class Pending { none, change, recall };

    void timerCallback() override;
    void sendDump();

    MidiCntrState& engine;

    // Written by any thread: a count of replacements (upper bits) with the latest origin (low 4).
    std::atomic<uint32_t> replacements { 0 };
    std::atomic<bool> recallSettling { false }, contactKnown { false }, wentOnline { false }, ownSound { false };
    std::atomic<bool> polling { false }, pollingOff { false };

    // The message thread's own.
    uint32_t seenReplacements = 0;
    Pending pending = Pending::none;
    double dueAt = 0.0;
    bool recallWaiting = false;
};
