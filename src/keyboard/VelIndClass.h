#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

class MidiCntrState;

/** The velocity the keys play with (settings byte 222): a bar filled to v / 127 of its height and
    the number. Dragging in the bar sets it. */
class VelIndClass : public juce::Component
{
public:
    static constexpr int baseWidth = 70, baseHeight = 120, dragZone = 40;

    explicit VelIndClass (MidiCntrState& engine);

    void setScale (float newScale);
    int getVelocity() const noexcept;

    void paint (juce::Graphics&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;

private:
    MidiCntrState& engine;
    float scale = 1.0f;
    bool dragging = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (VelIndClass)
};
