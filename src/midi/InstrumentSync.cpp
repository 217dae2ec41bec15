#include "midi/InstrumentSync.h"
#include "midi/MidiCntrState.h"

namespace
{
constexpr uint32_t originBits = 0xF;
}

InstrumentSync::InstrumentSync (MidiCntrState& e) : engine (e)
{
}

InstrumentSync::~InstrumentSync()
{
    stopTimer();
}

void InstrumentSync::setPolling (bool on)
{
    pollingOff = ! on;
    if (on)
        startTimer (pollIntervalMs);
    else
        stopTimer();
}

void InstrumentSync::inUse()
{
    // An instance a host only scans (made, asked its name, closed) never gets here, and so never
    // starts the framework's timer thread, whose start and stop would be most of what the scan
    // costs beyond a bare plug-in. An engine made without a message loop (a fuzzer's) has nobody
    // to poll for it.
    if (pollingOff.load() || polling.exchange (true))
        return;
    if (juce::MessageManager::getInstanceWithoutCreating() != nullptr)
        startTimer (pollIntervalMs);
}

void InstrumentSync::timerCallback()
{
    poll (juce::Time::getMillisecondCounterHiRes());
}

void InstrumentSync::editBufferReplaced (Origin origin) noexcept
{
    auto old = replacements.load();
    while (! replacements.compare_exchange_weak (old, (((old >> 4) + 1) << 4) | (uint32_t) origin))
    {
    }

    recallSettling.store (origin == Origin::recall);
    if (origin != Origin::instrument)
        ownSound.store (true);

    // Never from the audio thread: starting a timer takes a lock.
    if (juce::MessageManager::existsAndIsCurrentThread())
        inUse();
}

void InstrumentSync::instrumentAnswered() noexcept
{
    if (! contactKnown.exchange (true))
        wentOnline.store (true);
}

void InstrumentSync::poll (double now)
{
    const auto state = replacements.load();
    const auto latest = (Origin) (state & originBits);

    if (state != seenReplacements)
    {
        seenReplacements = state;

        switch (latest)
        {
            case Origin::recall:
                // Every restore of a burst restarts the wait; the sound sent is the last one.
                recallWaiting = true;
                dueAt = now + recallSettleMs;
                pending = engine.isSendProgramOnLoadOn() ? Pending::recall : Pending::none;
                break;

            case Origin::user:
                recallWaiting = false;
                dueAt = now;
                pending = engine.isSendProgramChangesOn() ? Pending::change : Pending::none;
                break;

            case Origin::instrument:
            case Origin::programSelect:
            case Origin::sentByCaller:
                // The instrument has this program already: nothing waits to be sent.
                recallWaiting = false;
                pending = Pending::none;
                break;
        }

        if (onEditBufferReplaced)
            onEditBufferReplaced();
    }

    if (wentOnline.exchange (false))
    {
        if (recallWaiting)
        {
            // The project's sound goes to the instrument that has just answered; with the option
            // off the panel keeps it without asking the instrument for its own.
            if (engine.isSendProgramOnLoadOn() && pending == Pending::none)
            {
                pending = Pending::recall;
                dueAt = now;
            }
        }
        else if (pending == Pending::none && ! ownSound.load())
        {
            engine.sendRequest (MidiCntrState::editBufferRequest, 0, 0);
        }
    }

    if (pending != Pending::none && now >= dueAt)
    {
        const auto kind = pending;
        pending = Pending::none;

        // A closed output drops a program change; a recall waits for the instrument to answer.
        if (engine.getPorts().isOutputOpen())
        {
            sendDump();
            if (kind == Pending::recall && contactKnown.load())
                recallWaiting = false;
        }
    }

    if (latest == Origin::recall && recallSettling.load() && now >= dueAt)
        recallSettling.store (false);
}

void InstrumentSync::sendDump()
{
    engine.sendEditBufferDump (engine.getEditBuffer());
}
