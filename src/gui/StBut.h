#pragma once

#include "gui/OwnListeners.h"
#include "gui/StButListener.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** A text button that reports its press as well as its click: StButListener code 1215 on mouse
    down, and, after a change message, 1216 on a release inside the button. Style 2 shows its
    latched state in blue. */
class StBut : public juce::Component,
              public juce::SettableTooltipClient,
              public juce::ChangeBroadcaster
{
public:
    StBut (const juce::String& caption, int id, int style = 0);

    void place (int x, int y, int width, int height);

    int getId() const noexcept { return id; }
    const juce::String& getCaption() const noexcept { return caption; }
    void setCaption (const juce::String& text);
    void setFontSize (float size);
    void setFillColour (juce::Colour colour);
    void setLatched (bool on);
    bool isLatched() const noexcept { return latched; }

    void addListener (StButListener* listener)    { listeners.add (listener); }
    void removeListener (StButListener* listener) { listeners.remove (listener); }

    void paint (juce::Graphics&) override;
    void mouseEnter (const juce::MouseEvent&) override;
    void mouseExit (const juce::MouseEvent&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;

private:
    void report (int code);

    juce::String caption;
    const int id, style;
    float fontSize = 12.0f;
    juce::Colour fill { 0xff3a3a3a };
    juce::Image body;
    bool hover = false, pressed = false, latched = false;
    OwnListeners<StButListener> listeners;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (StBut)
};
