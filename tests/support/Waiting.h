#pragma once

#include <juce_core/juce_core.h>

/** The pause between two looks at something another thread is about to make true. Tests wait
    only through here (or for a real-time interval they are about), never for a guessed time. */
inline void pauseBeforeLookingAgain()
{
    juce::Thread::sleep (1);
}

/** Looks until the condition holds or the time is up; returns the condition. */
template <typename Condition>
bool waitUntil (Condition&& done, int timeoutMs = 2000)
{
    const auto end = juce::Time::getMillisecondCounter() + (juce::uint32) timeoutMs;
    while (! done())
    {
        if (juce::Time::getMillisecondCounter() >= end)
            return done();
        pauseBeforeLookingAgain();
    }
    return true;
}
