#pragma once

#include "gui/CaptionButton.h"
#include "gui/OwnListeners.h"
#include "gui/stsbutListener.h"

/** The editor's text button. Style 0 is drawn from the button artwork, style 1 flat in its fill
    colour (with a frame while pressed or latched), style 2 black with a grey outline. A click is
    a press and a release inside the button; it goes to the stsbutListeners with the button's id. */
class StsBut : public CaptionButton
{
public:
    StsBut (const juce::String& caption, int id, int style = 0);

    void setCaptionColours (juce::Colour normal, juce::Colour pressed);

    void addListener (stsbutListener* listener)    { listeners.add (listener); }
    void removeListener (stsbutListener* listener) { listeners.remove (listener); }

    void paint (juce::Graphics&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;

private:
    void resetCaption() override;

    juce::Colour normalText { juce::Colours::black }, pressedText { juce::Colours::white };
    OwnListeners<stsbutListener> listeners;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (StsBut)
};
