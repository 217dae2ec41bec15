#pragma once

#include <juce_graphics/juce_graphics.h>

/** Where the editor's areas go for a window size, a front-panel zoom and whether the group
    manager has taken the panel's place. Nothing here remembers an earlier layout: the same window
    gives the same places however it came to its size, so a drag in many small steps, a change of
    height alone or a reopened editor all end where a single resize would. */
class EditorLayout
{
public:
    static constexpr int barHeight = 24, panelBaseHeight = 330, zoomStripHeight = 14, editBarHeight = 100;
    static constexpr int panelUnitWidth = 1764;
    static constexpr int keyboardBaseHeight = 172;
    /** The keyboard strip's full width at its own size: wheels and indicators, then 38 white keys. */
    static constexpr int keyboardUnitWidth = 232 + 38 * 25;
    static constexpr float minZoom = 0.5f, maxZoom = 1.0f;

    struct Areas
    {
        juce::Rectangle<int> appBar, editorPanel, editBar, groupManager, keyboard;
        float keyboardScale = 1.0f;
    };

    /** The places for a window of `width` × `height`. With the group manager open the front panel
        is parked out of sight and the manager fills the space above the keyboard. */
    static Areas compute (int width, int height, float zoom, bool groupManagerOpen) noexcept;

    /** The keyboard strip is as large as it was drawn, unless the window is too narrow for all
        its keys: then it shrinks until they fit. */
    static float keyboardScaleFor (int width) noexcept;
    static int keyboardHeightFor (int width) noexcept;
    /** The front panel's frame: the panel at the zoom plus the strip for its scroller and handle. */
    static int panelHeightFor (float zoom) noexcept;
    /** The height that shows the bar, the panel, the edit bar and the whole keyboard. */
    static int contentHeight (int width, float zoom) noexcept;

    /** The largest zoom (within 0.5 .. 1) that shows the whole panel across the window's width and
        everything down to the keyboard's bottom within its height. */
    static float fitZoom (int width, int height) noexcept;

    /** A first opening on a screen (its free area): the window and zoom that show the whole
        panel and the keyboard, no larger than they need, within the window's limits. */
    struct Opening
    {
        int width = 0, height = 0;
        float zoom = 1.0f;
    };
    static Opening firstOpening (int screenWidth, int screenHeight) noexcept;
};
