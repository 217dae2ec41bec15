#include "gui/EditorLayout.h"
#include "plugin/MorvexAudioProcessorEditor.h"

namespace
{
/** The zoom as the settings keep it, in thousandths: what a reopened editor reads back. */
float asStored (float zoom) noexcept
{
    return (float) (int) (zoom * 1000.0f) / 1000.0f;
}
}

float EditorLayout::keyboardScaleFor (int width) noexcept
{
    return juce::jlimit (0.1f, 1.0f, (float) width / (float) keyboardUnitWidth);
}

int EditorLayout::keyboardHeightFor (int width) noexcept
{
    return (int) ((float) keyboardBaseHeight * keyboardScaleFor (width));
}

int EditorLayout::panelHeightFor (float zoom) noexcept
{
    return (int) (zoom * (float) panelBaseHeight) + zoomStripHeight;
}

int EditorLayout::contentHeight (int width, float zoom) noexcept
{
    return barHeight + panelHeightFor (zoom) + editBarHeight + keyboardHeightFor (width);
}

EditorLayout::Areas EditorLayout::compute (int width, int height, float zoom, bool groupManagerOpen) noexcept
{
    Areas a;
    a.keyboardScale = keyboardScaleFor (width);
    const auto keyboardHeight = keyboardHeightFor (width);
    a.appBar = { 0, 0, width, barHeight };

    if (groupManagerOpen)
    {
        a.editorPanel = { 0, -2000, width, barHeight };
        a.groupManager = { 0, barHeight, width, juce::jmax (0, height - barHeight - keyboardHeight) };
        a.keyboard = { 0, a.groupManager.getBottom(), width, keyboardHeight };
        return a;
    }

    const auto panelHeight = panelHeightFor (zoom);
    a.editorPanel = { 0, barHeight, width, panelHeight };
    a.editBar = { 0, a.editorPanel.getBottom(), width, editBarHeight };
    a.keyboard = { 0, a.editBar.getBottom(), width, keyboardHeight };
    return a;
}

float EditorLayout::fitZoom (int width, int height) noexcept
{
    const auto across = (float) width / (float) panelUnitWidth;
    const auto down = (float) (height - barHeight - zoomStripHeight - editBarHeight - keyboardHeightFor (width)) / (float) panelBaseHeight;
    return asStored (juce::jlimit (minZoom, maxZoom, juce::jmin (across, down)));
}

EditorLayout::Opening EditorLayout::firstOpening (int screenWidth, int screenHeight) noexcept
{
    using Editor = MorvexAudioProcessorEditor;
    const auto tallest = juce::jlimit (Editor::minHeight, Editor::maxHeight, screenHeight);

    // as wide as the whole panel, or the screen when that is narrower
    Opening o;
    o.width = juce::jlimit (Editor::minWidth, Editor::maxWidth, juce::jmin (screenWidth, panelUnitWidth));
    o.zoom = fitZoom (o.width, tallest);

    // a short screen takes a smaller zoom than the width allows: the window need be no wider
    // than that panel
    if (o.zoom < asStored (juce::jlimit (minZoom, maxZoom, (float) o.width / (float) panelUnitWidth)))
        o.width = juce::jmax (Editor::minWidth, (int) std::ceil ((float) panelUnitWidth * o.zoom));

    o.height = juce::jlimit (Editor::minHeight, tallest, contentHeight (o.width, o.zoom));
    return o;
}
