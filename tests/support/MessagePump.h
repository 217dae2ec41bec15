#pragma once

#include "support/Waiting.h"

#include <juce_events/juce_events.h>

namespace juce
{
// The framework's own step of its message loop, available whatever its build options.
bool dispatchNextMessageOnSystemQueue (bool returnIfNoPendingMessages);
}

/** Runs the message loop for a while on the calling (message) thread: timers fire, change
    messages arrive. */
inline void pumpMessages (int milliseconds)
{
    const auto end = juce::Time::getMillisecondCounter() + (juce::uint32) milliseconds;
    while (juce::Time::getMillisecondCounter() < end)
        if (! juce::dispatchNextMessageOnSystemQueue (true))
            pauseBeforeLookingAgain();
}

/** Delivers every message already posted (async updates, change messages, calls posted to the
    message thread), and what those post in turn, without waiting for any timer to come due. */
inline void pumpPending()
{
    // bounded, in case something posts itself again from its own callback
    for (int i = 0; i < 10000 && juce::dispatchNextMessageOnSystemQueue (true); ++i)
    {
    }
}

/** Runs the message loop until the condition holds or the time is up; returns the condition. */
template <typename Condition>
bool pumpUntil (Condition&& done, int timeoutMs = 2000)
{
    const auto end = juce::Time::getMillisecondCounter() + (juce::uint32) timeoutMs;
    while (! done())
    {
        if (juce::Time::getMillisecondCounter() >= end)
            return false;
        if (! juce::dispatchNextMessageOnSystemQueue (true))
            pauseBeforeLookingAgain();
    }
    return true;
}
