#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The zoom handle at the front panel's bottom-right corner: the zoom percentage and a grip.
    Dragging the grip up or down reports the panel height the pointer asks for; the owner turns
    it into the zoom. A click on the percentage asks the owner for its menu of zooms. Each step
    sends a change message, the owner then reads the state and the height. */
class CorButton : public juce::Component,
                  public juce::ChangeBroadcaster
{
public:
    enum State
    {
        pressed = 320,
        dragging = 321,
        released = 322,
        percentClicked = 323
    };

    static constexpr int width = 52, height = 14;
    static constexpr int gripX = 39;

    CorButton();

    int getState() const noexcept     { return state; }
    int getNewHeight() const noexcept { return newHeight; }

    /** The panel's height now; a drag reports this plus the distance moved. */
    void setPanelHeight (int h) noexcept { panelHeight = h; }
    int getPanelHeight() const noexcept  { return panelHeight; }

    void setPercent (int percent);
    int getPercent() const noexcept { return percent; }

    /** Back to the released state without a message (the owner laid the panel out anew). */
    void setReleased() noexcept { state = released; active = false; }

    void paint (juce::Graphics&) override;
    void mouseMove (const juce::MouseEvent&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;

private:
    int state = released, newHeight = 0, panelHeight = 0, percent = 100;
    // The panel moves the handle while it is dragged, so distances are measured on the screen and
    // from the height the panel had at the press.
    int pressScreenY = 0, heightAtPress = 0, lastDy = 0;
    bool active = false;
    juce::Image strip, grip;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (CorButton)
};
