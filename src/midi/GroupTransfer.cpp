#include "midi/GroupTransfer.h"
#include "groups/ProgramLocation.h"
#include "midi/StateEvent.h"

#include <algorithm>
#include <cmath>

GroupTransfer::GroupTransfer (Target& t, bool ownThread)
    : juce::Thread ("Group transfer"), target (t), threaded (ownThread)
{
}

GroupTransfer::~GroupTransfer()
{
    signalThreadShouldExit();
    wakeEvent.signal();
    stopThread (2000);
}

std::vector<GroupTransfer::Slot> GroupTransfer::slotsFor (int kind, int group)
{
    int first = 0, last = -1;
    switch (kind)
    {
        case receiveOneGroup:
        case transmitOneGroup:      first = last = group; break;
        case receiveUserGroups:
        case transmitUserGroups:    first = 0; last = ProgramLocation::numUserGroups - 1; break;
        case receiveFactoryGroups:
        case transmitFactoryGroups: first = ProgramLocation::numUserGroups; last = ProgramLocation::numGroups - 1; break;
        case receiveAllGroups:      first = 0; last = ProgramLocation::numGroups - 1; break;
        default: break;
    }

    std::vector<Slot> out;
    if (first < 0 || last >= ProgramLocation::numGroups)
        return out;
    for (int g = first; g <= last; ++g)
        for (int i = 0; i < ProgramLocation::programsPerGroup; ++i)
            out.push_back ({ g, i });
    return out;
}

//==============================================================================
bool GroupTransfer::start (int newKind, int group, int source, double nowMs)
{
    auto newSlots = slotsFor (newKind, group);
    if (newSlots.empty() || (newKind == transmitOneGroup && ! juce::isPositiveAndBelow (source, ProgramLocation::numGroups)))
        return false;

    {
        const std::lock_guard<std::mutex> sl (lock);
        if (running)
            return false;
        sourceGroup = source;
        beginLocked (newKind, std::move (newSlots), nowMs, false);
    }
    wake();
    return true;
}

bool GroupTransfer::retryFailed (double nowMs)
{
    {
        const std::lock_guard<std::mutex> sl (lock);
        if (running || result.failed.empty() || isTransmission (result.kind))
            return false;
        auto again = result.failed;
        beginLocked (result.kind, std::move (again), nowMs, true);
    }
    wake();
    return true;
}

void GroupTransfer::beginLocked (int newKind, std::vector<Slot> newSlots, double nowMs, bool isRetry)
{
    slots = std::move (newSlots);
    next = 0;
    startedAt = nowMs;
    result = {};
    result.kind = newKind;
    result.running = true;
    result.retry = isRetry;
    result.total = (int) slots.size();
    silentSlots = 0;
    kind = newKind;
    running = true;

    if (isTransmission (newKind))
    {
        receiving = false;
        result.receiving = false;
        nextSendAt = nowMs;
        wireFreeAt = nowMs;
    }
    else
    {
        receiving = true;
        result.receiving = true;
        requestCurrent (nowMs);
    }
}

bool GroupTransfer::checkWrite (Slot slot, const ProgramSysex::Record& record, double nowMs)
{
    {
        const std::lock_guard<std::mutex> sl (lock);
        if (running)
            return false;
        check = { WriteCheck::pending, slot, record };
        request (slot, nowMs);
        checkAttempts = 1;
        checkDeadline = nowMs + answerTimeout;
    }
    wake();
    return true;
}

void GroupTransfer::writeUnchecked (Slot slot, const ProgramSysex::Record& record)
{
    {
        const std::lock_guard<std::mutex> sl (lock);
        check = { WriteCheck::noInput, slot, record };
    }
    target.post (StateEvent::writeChecked);
}

GroupTransfer::WriteCheck GroupTransfer::writeCheck() const
{
    const std::lock_guard<std::mutex> sl (lock);
    return check;
}

void GroupTransfer::cancel (double nowMs)
{
    const std::lock_guard<std::mutex> sl (lock);
    if (running)
        finish (nowMs, true);
}

void GroupTransfer::setAnswerTimeout (double ms)
{
    const std::lock_guard<std::mutex> sl (lock);
    answerTimeout = juce::jmax (1.0, ms);
}

void GroupTransfer::markSeen()
{
    const std::lock_guard<std::mutex> sl (lock);
    result.unseen = false;
}

//==============================================================================
int GroupTransfer::slotIndex (Slot slot) noexcept
{
    return juce::isPositiveAndBelow (slot.group, numSlots / 40) && juce::isPositiveAndBelow (slot.program, 40)
               ? slot.group * 40 + slot.program : -1;
}

void GroupTransfer::request (Slot slot, double nowMs)
{
    target.requestProgram (slot.group, slot.program);
    if (const auto i = slotIndex (slot); i >= 0)
        answerDueUntil[(size_t) i] = nowMs + answerTimeout * (maxRetries + 1);
}

void GroupTransfer::requestCurrent (double nowMs)
{
    request (slots[next], nowMs);
    attempts = 1;
    deadline = nowMs + answerTimeout;
}

void GroupTransfer::advance (double nowMs)
{
    if (++next >= slots.size())
        finish (nowMs, false);
    else if (receiving)
        requestCurrent (nowMs);
}

void GroupTransfer::finish (double nowMs, bool wasCancelled)
{
    running = false;
    receiving = false;
    kind = none;
    endedAt = nowMs;
    result.running = false;
    result.receiving = false;
    result.cancelled = wasCancelled;
    // a cancel is seen by whoever pressed it; an ending on its own may happen with no editor open
    result.unseen = ! wasCancelled;
    target.post (StateEvent::mirrorChanged);
    target.post (StateEvent::transferFinished);
}

bool GroupTransfer::dumpArrived (int group, int program, const ProgramSysex::Record& record, double nowMs)
{
    const std::lock_guard<std::mutex> sl (lock);
    const Slot slot { group, program };

    // the answer a written slot was asked back for: compared, never stored over what was written
    if (check.state == WriteCheck::pending && check.slot == slot)
    {
        check.state = record == check.record ? WriteCheck::verified : WriteCheck::mismatch;
        target.post (StateEvent::writeChecked);
        return true;
    }

    const auto index = slotIndex (slot);
    if (! receiving && (index < 0 || answerDueUntil[(size_t) index] <= nowMs))
        return false;

    target.storeProgram (group, program, record);

    // A late answer to a slot given up on is a program received after all.
    const auto late = std::find (result.failed.begin(), result.failed.end(), slot);
    if (late != result.failed.end())
    {
        result.failed.erase (late);
        ++result.arrived;
        if (! receiving)
            target.post (StateEvent::mirrorChanged);
    }

    // Only the answer awaited moves the transfer on; a repeat, or a dump for another slot, is
    // kept and nothing more.
    if (receiving && slots[next] == slot)
    {
        silentSlots = 0;
        ++result.arrived;
        ++result.settled;
        result.last = slot;
        target.post (StateEvent::transfer (group, program));
        advance (nowMs);
    }
    return true;
}

double GroupTransfer::service (double nowMs)
{
    const std::lock_guard<std::mutex> sl (lock);
    if (check.state == WriteCheck::pending && nowMs >= checkDeadline)
    {
        if (checkAttempts <= maxRetries)
        {
            request (check.slot, nowMs);
            ++checkAttempts;
            checkDeadline = nowMs + answerTimeout;
        }
        else
        {
            check.state = WriteCheck::noAnswer;
            target.post (StateEvent::writeChecked);
        }
    }
    const auto checkWait = check.state == WriteCheck::pending ? checkDeadline - nowMs : -1.0;
    const auto transferWait = serviceTransfer (nowMs);
    if (checkWait < 0.0)
        return transferWait;
    return transferWait < 0.0 ? checkWait : std::min (checkWait, transferWait);
}

double GroupTransfer::serviceTransfer (double nowMs)
{
    if (! running)
        return -1.0;

    if (receiving)
    {
        if (nowMs < deadline)
            return deadline - nowMs;

        const auto slot = slots[next];
        if (attempts <= maxRetries)
        {
            request (slot, nowMs);
            ++attempts;
            deadline = nowMs + answerTimeout;
            return answerTimeout;
        }

        result.failed.push_back (slot);
        ++result.settled;
        result.last = slot;
        target.post (StateEvent::transfer (slot.group, slot.program));

        if (++silentSlots >= maxSilentSlots && next + 1 < slots.size())
        {
            // nobody is answering: the rest is reported as not received rather than waited for
            for (auto k = next + 1; k < slots.size(); ++k)
                result.failed.push_back (slots[k]);
            result.settled = result.total;
            result.stopped = true;
            finish (nowMs, false);
            return -1.0;
        }
        advance (nowMs);
        return running ? juce::jmax (0.0, deadline - nowMs) : -1.0;
    }

    if (nowMs < nextSendAt)
        return nextSendAt - nowMs;

    // one dump a turn, and the next not before this one is about to leave the cable
    const auto slot = slots[next];
    const auto source = kind == transmitOneGroup ? sourceGroup : slot.group;
    target.sendProgram (slot.group, slot.program, target.storedProgram (source, slot.program));
    ++result.arrived;
    ++result.settled;
    result.last = slot;
    target.post (StateEvent::transfer (slot.group, slot.program));

    wireFreeAt = std::max (wireFreeAt, nowMs) + dumpWireMs;
    nextSendAt = wireFreeAt - handOverLeadMs;
    advance (nowMs);
    return running ? juce::jmax (0.0, nextSendAt - nowMs) : -1.0;
}

GroupTransfer::Status GroupTransfer::status (double nowMs) const
{
    const std::lock_guard<std::mutex> sl (lock);
    auto s = result;
    s.elapsedMs = (s.running ? nowMs : endedAt) - startedAt;
    if (s.running)
    {
        const auto left = s.total - s.settled;
        // the pace measured so far, or the cable's own before anything has arrived
        const auto pace = s.settled > 0 ? s.elapsedMs / s.settled : dumpWireMs;
        s.remainingMs = isTransmission (s.kind) ? left * dumpWireMs : left * pace;
    }
    return s;
}

//==============================================================================
void GroupTransfer::wake()
{
    if (! threaded)
        return;
    if (! isThreadRunning())
        startThread();
    wakeEvent.signal();
}

void GroupTransfer::run()
{
    while (! threadShouldExit())
    {
        const auto waitMs = service (juce::Time::getMillisecondCounterHiRes());
        wakeEvent.wait (waitMs < 0.0 ? -1 : juce::jmax (1, (int) std::ceil (waitMs)));
    }
}
