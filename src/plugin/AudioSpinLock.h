#pragma once

#include <juce_core/juce_core.h>

#include <atomic>
#include <thread>

/** A lock around a section the audio thread enters every block and almost never finds taken.
    Entering is one atomic exchange; leaving is a plain release store, where juce::SpinLock leaves
    with a second full barrier, which cost as much as the rest of an idle block. */
class AudioSpinLock
{
public:
    void enter() const noexcept
    {
        while (locked.exchange (true, std::memory_order_acquire))
            while (locked.load (std::memory_order_relaxed))
                std::this_thread::yield();
    }

    void exit() const noexcept { locked.store (false, std::memory_order_release); }

    using ScopedLockType = juce::GenericScopedLock<AudioSpinLock>;

private:
    mutable std::atomic<bool> locked { false };
};
