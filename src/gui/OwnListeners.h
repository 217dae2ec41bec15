#pragma once

#include <juce_core/juce_core.h>

/** The listener list every widget of the editor keeps for the project's own listener interfaces:
    a listener is added at most once, and calls go to the last one added first (the panel that
    registered last is the one on top, and it answers first). Changes are locked because engine
    threads may look at the lists; calls go through a copy, so a listener may remove itself (or
    close the panel that owns the widget) from inside its callback. */
template <typename Listener>
class OwnListeners
{
public:
    void add (Listener* listener)
    {
        const juce::ScopedLock sl (lock);
        if (listener != nullptr)
            listeners.addIfNotAlreadyThere (listener);
    }

    void remove (Listener* listener)
    {
        const juce::ScopedLock sl (lock);
        listeners.removeFirstMatchingValue (listener);
    }

    int size() const
    {
        const juce::ScopedLock sl (lock);
        return listeners.size();
    }

    template <typename Call>
    void callLastFirst (Call&& call) const
    {
        juce::Array<Listener*> copy;
        {
            const juce::ScopedLock sl (lock);
            copy = listeners;
        }

        for (int i = copy.size(); --i >= 0;)
        {
            // one that an earlier callback removed is not called any more
            {
                const juce::ScopedLock sl (lock);
                if (! listeners.contains (copy.getUnchecked (i)))
                    continue;
            }
            call (*copy.getUnchecked (i));
        }
    }

private:
    juce::CriticalSection lock;
    juce::Array<Listener*> listeners;
};
