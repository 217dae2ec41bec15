#pragma once

#include "gui/CaptionButton.h"
#include "gui/OwnListeners.h"
#include "gui/StButListener.h"

/** A text button that reports its press as well as its click: StButListener code 1215 on mouse
    down, and, after a change message, 1216 on a release inside the button. Style 2 shows its
    latched state in blue. */
class StBut : public CaptionButton,
              public juce::ChangeBroadcaster
{
public:
    StBut (const juce::String& caption, int id, int style = 0);

    void addListener (StButListener* listener)    { listeners.add (listener); }
    void removeListener (StButListener* listener) { listeners.remove (listener); }

    void paint (juce::Graphics&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;

private:
    void report (int code);

    OwnListeners<StButListener> listeners;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (StBut)
};
