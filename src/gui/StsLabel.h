#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** A text with a tooltip; style 1 fills a background, style 2 adds an outline. A click inside
    sends a change message. */
class StsLabel : public juce::Component,
                 public juce::SettableTooltipClient,
                 public juce::ChangeBroadcaster
{
public:
    explicit StsLabel (const juce::String& text = {}, int style = 0);

    /** Repaints only when the text really changes. */
    void setText (const juce::String& newText);
    const juce::String& getText() const noexcept { return text; }

    void setFontSize (float size);
    void setBold (bool bold);
    void setJustification (juce::Justification j);
    void setTextColour (juce::Colour colour);
    void setBackground (juce::Colour colour);
    void setOutline (juce::Colour colour);
    void setStyle (int newStyle);

    void paint (juce::Graphics&) override;
    void mouseDown (const juce::MouseEvent&) override;

private:
    juce::String text;
    int style;
    float fontSize = 11.0f;
    bool bold = false;
    juce::Justification justification { juce::Justification::centredLeft };
    juce::Colour textColour { 0xffdddddd }, background { juce::Colours::black }, outline { 0xff9f9f9f };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (StsLabel)
};
