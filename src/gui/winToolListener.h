#pragma once

namespace juce { class Component; }

/** Told when a window's title tool is used: 120 minimise, 121 full screen, 122 close. */
class winToolListener
{
public:
    static constexpr int minimise = 120, fullScreen = 121, close = 122;

    virtual ~winToolListener() = default;
    virtual void windowTool (juce::Component* window, int tool) = 0;
};
