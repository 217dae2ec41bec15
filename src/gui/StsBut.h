#pragma once

#include "gui/OwnListeners.h"
#include "gui/stsbutListener.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** The editor's text button. Style 0 is drawn from the button artwork, style 1 flat in its fill
    colour (with a frame while pressed or latched), style 2 black with a grey outline. A click is
    a press and a release inside the button; it goes to the stsbutListeners with the button's id. */
class StsBut : public juce::Component,
               public juce::SettableTooltipClient
{
public:
    StsBut (const juce::String& caption, int id, int style = 0);

    /** Places the button; the height picks the artwork. Styles 0 and 2 go back to black and white
        captions in 12-point text. */
    void place (int x, int y, int width, int height);

    int getId() const noexcept { return id; }
    const juce::String& getCaption() const noexcept { return caption; }
    void setCaption (const juce::String& text);
    void setFontSize (float size);
    void setCaptionColours (juce::Colour normal, juce::Colour pressed);
    void setFillColour (juce::Colour colour);
    void setLatched (bool on);
    bool isLatched() const noexcept { return latched; }

    void addListener (stsbutListener* listener)    { listeners.add (listener); }
    void removeListener (stsbutListener* listener) { listeners.remove (listener); }

    void paint (juce::Graphics&) override;
    void mouseEnter (const juce::MouseEvent&) override;
    void mouseExit (const juce::MouseEvent&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;

private:
    juce::String caption;
    const int id, style;
    float fontSize = 12.0f;
    juce::Colour normalText { juce::Colours::black }, pressedText { juce::Colours::white };
    juce::Colour fill { 0xff3a3a3a };
    juce::Image body;
    bool hover = false, pressed = false, latched = false;
    OwnListeners<stsbutListener> listeners;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (StsBut)
};
