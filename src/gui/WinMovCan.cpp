#include "gui/WinMovCan.h"
#include "gui/Artwork.h"

WinMovCan::WinMovCan (juce::Component& w, bool onlyClose)
    : window (w), closeOnly (onlyClose), tools (Artwork::get (onlyClose ? "window_close_png" : "window_tools_png"))
{
    setSize (closeOnly ? 17 : 54, 15);
}

int WinMovCan::toolAt (int x) const noexcept
{
    if (x < 0 || x >= getWidth())
        return 0;
    if (closeOnly)
        return winToolListener::close;
    return x < zoneWidth ? winToolListener::minimise : x < 2 * zoneWidth ? winToolListener::fullScreen : winToolListener::close;
}

void WinMovCan::paint (juce::Graphics& g)
{
    if (tools.isValid())
        g.drawImage (tools, getLocalBounds().toFloat());

    if (hoverTool != 0)
    {
        const auto zone = closeOnly ? getLocalBounds()
                                    : juce::Rectangle<int> ((hoverTool - winToolListener::minimise) * zoneWidth, 0, zoneWidth, getHeight());
        g.setColour (juce::Colour (0x30ffffff));
        g.fillRect (zone);
    }
}

void WinMovCan::mouseMove (const juce::MouseEvent& e)
{
    const auto t = toolAt (e.x);
    if (t != hoverTool)
    {
        hoverTool = t;
        repaint();
    }
}

void WinMovCan::mouseExit (const juce::MouseEvent&)
{
    hoverTool = 0;
    repaint();
}

void WinMovCan::mouseDown (const juce::MouseEvent& e)
{
    pressedTool = toolAt (e.x);
}

void WinMovCan::mouseUp (const juce::MouseEvent& e)
{
    const auto tool = toolAt (e.x);
    const auto wasPressed = pressedTool;
    pressedTool = 0;
    if (tool != 0 && tool == wasPressed && e.y >= 0 && e.y < getHeight())
        listeners.callLastFirst ([this, tool] (winToolListener& l) { l.windowTool (&window, tool); });
}
