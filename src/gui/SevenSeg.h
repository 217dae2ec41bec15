#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The program display of the front panel: three red seven-segment digits (group, bank,
    program), one of which may blink while the programmer's keys wait for it. A press notifies. */
class SevenSeg : public juce::Component,
                 public juce::ChangeBroadcaster,
                 private juce::Timer
{
public:
    SevenSeg();

    /** Digits 0..9; any other value leaves that digit dark. */
    void setDigits (int first, int second, int third);
    int getDigit (int i) const noexcept { return digits[(size_t) juce::jlimit (0, 2, i)]; }

    void setZoom (float z);

    static constexpr int blinkMs = 250;
    /** Digit 0..2 blinks; -1 none. */
    void setBlinking (int digit);
    int getBlinking() const noexcept { return blinking; }

    void paint (juce::Graphics&) override;
    void mouseDown (const juce::MouseEvent&) override;

private:
    void timerCallback() override;

    std::array<int, 3> digits { 1, 1, 1 };
    int blinking = -1;
    bool blinkDark = false;
    float zoom = 1.0f;
    juce::Image strip;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SevenSeg)
};
