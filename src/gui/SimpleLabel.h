#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** A plain line of text on a filled background, cheaper than a juce::Label where many stand
    (the category counts): no editing, no look-and-feel. */
class SimpleLabel : public juce::Component
{
public:
    static constexpr int lineHeight = 20;

    SimpleLabel (float fontHeight = 12.0f, int fontStyle = juce::Font::plain,
                 juce::Justification justification = juce::Justification::centred);

    void setText (const juce::String& text);
    const juce::String& getText() const noexcept { return text; }
    void setBackgroundColour (juce::Colour colour);
    void setTextColour (juce::Colour colour);

    void paint (juce::Graphics&) override;

private:
    juce::Colour background { 0xff373535 }, textColour { juce::Colours::white };
    float fontHeight;
    int fontStyle;
    juce::Justification justification;
    juce::String text;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SimpleLabel)
};
