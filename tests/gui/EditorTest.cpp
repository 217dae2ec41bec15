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
