#include "plugin/MorvexAudioProcessor.h"
#include "plugin/MorvexAudioProcessorEditor.h"

#include <gtest/gtest.h>

TEST (Editor, StaysWithinItsSizeLimits)
{
    MorvexAudioProcessor processor;
    std::unique_ptr<juce::AudioProcessorEditor> editor (processor.createEditor());
    ASSERT_NE (editor, nullptr);
    EXPECT_TRUE (editor->isResizable());

    auto* constrainer = editor->getConstrainer();
    ASSERT_NE (constrainer, nullptr);

    const struct { juce::Rectangle<int> asked, expected; } cases[] = {
        { { 0, 0, 10, 10 },     { 0, 0, 640, 396 } },
        { { 0, 0, 5000, 5000 }, { 0, 0, 2426, 644 } },
        { { 0, 0, 800, 500 },   { 0, 0, 800, 500 } },
    };

    for (const auto& c : cases)
    {
        constrainer->setBoundsForComponent (editor.get(), c.asked, false, false, true, true);
        EXPECT_EQ (editor->getBounds(), c.expected) << c.asked.toString();
    }
}

TEST (Editor, KeepsItsResizingCornerInTheCorner)
{
    MorvexAudioProcessor processor;
    std::unique_ptr<juce::AudioProcessorEditor> editor (processor.createEditor());
    editor->setSize (900, 400);

    juce::ResizableCornerComponent* corner = nullptr;
    for (auto* child : editor->getChildren())
        if (auto* c = dynamic_cast<juce::ResizableCornerComponent*> (child))
            corner = c;

    ASSERT_NE (corner, nullptr);
    EXPECT_EQ (corner->getBounds(), juce::Rectangle<int> (884, 384, 16, 16));
}

TEST (Editor, OpensAtTheStoredSizeOrAtFirstWithTheWholePanelOnTheScreen)
{
    const struct { int storedWidth, storedHeight, storedZoom, screenWidth, screenHeight, width, height, zoom; } cases[] = {
        // first openings: the whole panel across and the keyboard's bottom in view
        { 0, 0, 1000, 1920, 1080, 1764, 640, 1000 },   // a large screen: everything at full size
        { 0, 0, 1000, 3840, 2160, 1764, 640, 1000 },   // no wider than the panel
        { 0, 0, 1000, 1280, 1024, 1280, 549, 725 },    // a smaller screen: the zoom that fits
        { 0, 0, 1000, 1024, 600, 1024, 478, 580 },     // a small one: the keyboard shrinks too
        { 0, 0, 1000, 1920, 500, 1015, 474, 575 },     // a short one: the height sets the zoom
        { 0, 0, 1000, 400, 200, 640, 396, 500 },       // a tiny one: never below the limits
        { 1200, 50, 800, 1920, 1080, 1764, 640, 1000 },// a size that cannot be counts as none
        // reopenings: the stored size and zoom, within the limits and the screen
        { 1200, 500, 800, 1920, 1080, 1200, 500, 800 },
        { 3000, 600, 1000, 1920, 1080, 1920, 600, 1000 },
        { 5000, 5000, 300, 1920, 1080, 1920, 644, 500 },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (testing::Message() << c.storedWidth << "x" << c.storedHeight << " on " << c.screenWidth << "x" << c.screenHeight);
        const auto o = MorvexAudioProcessorEditor::initialSize (c.storedWidth, c.storedHeight, (float) c.storedZoom / 1000.0f,
                                                                c.screenWidth, c.screenHeight);
        EXPECT_EQ (o.width, c.width);
        EXPECT_EQ (o.height, c.height);
        EXPECT_EQ ((int) std::lround (o.zoom * 1000.0f), c.zoom);
        if (c.storedWidth == 0 && c.screenWidth >= 882)
        {
            EXPECT_LE (std::ceil (1764.0f * o.zoom), (float) o.width) << "the whole panel across";
            EXPECT_LE (EditorLayout::contentHeight (o.width, o.zoom), o.height) << "down to the keyboard's bottom";
        }
    }
}
