#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The program display of the front panel: three red seven-segment digits (group, bank,
    program). A press notifies. */
class SevenSeg : public juce::Component,
                 public juce::ChangeBroadcaster
{
public:
    SevenSeg();

    /** Digits 0..9; any other value leaves that digit dark. */
    void setDigits (int first, int second, int third);
    int getDigit (int i) const noexcept { return digits[(size_t) juce::jlimit (0, 2, i)]; }

    void setZoom (float z);

    void paint (juce::Graphics&) override;
    void mouseDown (const juce::MouseEvent&) override;

private:
    std::array<int, 3> digits { 1, 1, 1 };
    float zoom = 1.0f;
    juce::Image strip;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SevenSeg)
};
