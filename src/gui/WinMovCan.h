#pragma once

#include "gui/OwnListeners.h"
#include "gui/winToolListener.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** A window's title tools: minimise, full screen and close side by side (54 × 15), or the close
    tool alone (17 × 15). The zone under the pointer lights up; a release on the zone that was
    pressed calls the winToolListeners with its code. */
class WinMovCan : public juce::Component
{
public:
    WinMovCan (juce::Component& window, bool closeOnly);

    /** The tool code at x (120, 121, 122), or 0 for none. */
    int toolAt (int x) const noexcept;

    /** Uses a tool as a click on it would: the listeners are told. */
    void use (int tool) { listeners.callLastFirst ([this, tool] (winToolListener& l) { l.windowTool (&window, tool); }); }

    void addListener (winToolListener* l)    { listeners.add (l); }
    void removeListener (winToolListener* l) { listeners.remove (l); }

    void paint (juce::Graphics&) override;
    void mouseMove (const juce::MouseEvent&) override;
    void mouseExit (const juce::MouseEvent&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;

private:
    static constexpr int zoneWidth = 18;

    juce::Component& window;
    const bool closeOnly;
    int hoverTool = 0, pressedTool = 0;
    juce::Image tools;
    OwnListeners<winToolListener> listeners;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (WinMovCan)
};
