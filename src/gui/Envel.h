#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <array>

/** One envelope of the current program drawn as an editable graph: attack, decay, sustain and
    release as a filled polygon with three handles. Dragging a handle changes the stage values and
    sends a change message; the front panel then applies them to the section's four knobs. The
    graph only shows and reports values: the program record stays the one place they live. */
class Envel : public juce::Component,
              public juce::ChangeBroadcaster,
              private juce::Timer
{
public:
    /** Gesture states, read by the owner on each change message. */
    enum State
    {
        idle = 0,
        dragging = 1,
        released = 66,
        pressedOnHandle = 67,
        ignoredClick = 100
    };

    enum Stage
    {
        attackStage = 0, decayStage, sustainStage, releaseStage
    };

    enum Handle
    {
        noHandle = -1, attackHandle = 0, decaySustainHandle = 1, releaseHandle = 2
    };

    static constexpr int baseWidth = 202, baseHeight = 76;
    static constexpr float unit = 0.4567f, originX = 5.0f, top = 4.0f, height = 64.0f;
    static constexpr float sustainLength = 120.0f, tolerance = 7.0f, pixelsPerStep = 1.5f;
    static constexpr int maximumValue = 127, releaseDelayMs = 100;

    /** `section` is the number of the panel section whose knobs this graph drives. */
    Envel (int section, juce::Image background);
    ~Envel() override;

    int getSection() const noexcept { return section; }
    int getState() const noexcept { return state; }
    /** True between a release and the moment the owner hears of it. */
    bool isReleasePending() const noexcept { return isTimerRunning(); }
    float getStage (int stage) const noexcept;
    float getAttack() const noexcept  { return getStage (attackStage); }
    float getDecay() const noexcept   { return getStage (decayStage); }
    float getSustain() const noexcept { return getStage (sustainStage); }
    float getRelease() const noexcept { return getStage (releaseStage); }

    /** Sets one stage (0 attack, 1 decay, 2 sustain, 3 release), clamped to 0..127; the shape is
        only recomputed by `recompute`. */
    void setStage (int stage, float value) noexcept;
    /** Recomputes the polygon; repaints at once when showing, else the next time it shows. */
    void recompute();

    void setScale (float newScale);
    float getScale() const noexcept { return scale; }

    /** The polygon's five corners in unscaled units: start, attack peak, end of decay, end of
        sustain, end of release. */
    const std::array<juce::Point<float>, 5>& getCorners() const noexcept { return corners; }

    /** The handle under a point in pixels, or noHandle. */
    int handleAt (juce::Point<float> position) const noexcept;
    bool isRepaintPending() const noexcept { return repaintPending; }

    void paint (juce::Graphics&) override;
    void mouseMove (const juce::MouseEvent&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;
    void visibilityChanged() override;

private:
    void timerCallback() override;
    void computeCorners() noexcept;
    void setState (int newState);

    const int section;
    const juce::Image background;
    std::array<float, 4> values { 30.0f, 30.0f, 30.0f, 30.0f };
    std::array<float, 4> valuesAtPress {};
    std::array<juce::Point<float>, 5> corners;
    juce::Path polygon;

    int state = idle, handle = noHandle;
    float scale = 1.0f, minimumScale = 0.6f;
    juce::Point<int> pressPosition, lastPosition;
    int dx = 0, dy = 0;
    bool repaintPending = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Envel)
};
