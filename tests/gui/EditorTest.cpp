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
        { { 0, 0, 10, 10 },     { 0, 0, 454, 298 } },
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

TEST (Editor, OpensAtTheStoredSizeOrOneThatFitsTheScreen)
{
    const struct { int storedWidth, storedHeight, screenWidth, screenHeight, width, height; } cases[] = {
        { 0, 0, 1920, 1080, 1000, 644 },      // nothing stored: the defaults
        { 0, 0, 3840, 2160, 2426, 644 },      // a very wide screen: the widest window
        { 0, 0, 1280, 600, 1000, 600 },       // a short screen: no taller than the screen
        { 1200, 500, 1920, 1080, 1200, 500 }, // a stored size is taken as it is
        { 1200, 50, 1920, 1080, 1200, 644 },  // a height that cannot be: each dimension by the rule
        { 3000, 50, 1920, 1080, 1000, 644 },  // a stored width wider than the screen
        { 5000, 5000, 1920, 1080, 1920, 644 },// stored but beyond the limits
        { 0, 0, 400, 200, 454, 298 },         // a tiny screen: never below the limits
    };

    for (const auto& c : cases)
        EXPECT_EQ (MorvexAudioProcessorEditor::initialSize (c.storedWidth, c.storedHeight, c.screenWidth, c.screenHeight),
                   juce::Point<int> (c.width, c.height))
            << c.storedWidth << "x" << c.storedHeight << " on " << c.screenWidth << "x" << c.screenHeight;
}
