#pragma once

#include "gui/LCD_Comp.h"

class MidiCntrState;

/** The strip under the front panel: the LCD with the current program (a press opens the program
    finder) and the model's logo. */
class EditBar : public juce::Component
{
public:
    explicit EditBar (MidiCntrState& engine);

    LCD_Comp& getLcd() noexcept { return lcd; }
    /** The LCD shows the current group, program, name and category. */
    void showCurrentProgram();
    int getModel() const noexcept { return model; }
    juce::Rectangle<int> getLogoBounds() const noexcept { return logoBounds; }

    void paint (juce::Graphics&) override;
    void resized() override;

private:
    MidiCntrState& engine;
    LCD_Comp lcd;
    const int model;
    juce::Image background, logo;
    juce::Rectangle<int> logoBounds;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (EditBar)
};
