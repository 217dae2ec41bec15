#pragma once

#include "gui/EnvPanel.h"
#include "gui/LCD_Comp.h"
#include "gui/StsBut.h"

class MidiCntrState;

/** The bar under the front panel: the LCD with the current program (a press opens the program
    finder), COMPARE, the ENVELOPES button that shows or hides the envelope graphs, and the
    model's logo. */
class EditBar : public juce::Component
{
public:
    static constexpr int envelopesId = 818;
    static constexpr int compareId = 819;

    EditBar (MidiCntrState& engine, const juce::Image& envelopeBackground);

    LCD_Comp& getLcd() noexcept { return lcd; }
    StsBut& getEnvelopesButton() noexcept { return envelopesButton; }
    StsBut& getCompareButton() noexcept { return compareButton; }
    /** COMPARE lit while comparing, dimmed (and deaf) while there is nothing to compare. */
    void showCompare (bool available, bool comparing);
    EnvPanel& getEnvPanel() noexcept { return envPanel; }

    /** The LCD shows the current group, program, name and category. */
    void showCurrentProgram();
    /** Shows the envelope panel when hidden, hides it when shown. */
    void toggleEnvelopes();

    /** 0 the Prophet-5, any other the Prophet-10: which logo the bar shows. */
    void setModel (int newModel);
    int getModel() const noexcept { return model; }
    juce::Rectangle<int> getLogoBounds() const noexcept { return logoBounds; }

    void paint (juce::Graphics&) override;
    void resized() override;

private:
    MidiCntrState& engine;
    LCD_Comp lcd;
    StsBut envelopesButton { "ENVELOPES", envelopesId };
    StsBut compareButton { "COMPARE", compareId };
    EnvPanel envPanel;
    int model = 0;
    juce::Image background, logo;
    juce::Rectangle<int> logoBounds;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (EditBar)
};
