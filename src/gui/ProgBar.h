#pragma once

#include "gui/StsBut.h"

/** The group-transfer progress: dims the whole editor and shows, in a box in its middle, the
    progress over the 40 programs of a group, the location being transferred and "CANCEL". */
class ProgBar : public juce::Component
{
public:
    static constexpr int cancelId = 1212;
    static constexpr int maximum = 40;

    ProgBar (int editorWidth, int editorHeight);

    /** Progress for program index `program` of `group`: the position is clamped to 0..40. */
    void showProgress (int group, int program);

    int getPosition() const noexcept { return position; }
    const juce::String& getText() const noexcept { return text; }
    int getFillWidth() const noexcept { return position * 9; }
    StsBut& getCancelButton() noexcept { return cancel; }

    void paint (juce::Graphics&) override;
    void resized() override;

private:
    juce::Rectangle<int> box() const;

    int position = 0;
    juce::String text { "-" };
    StsBut cancel { "CANCEL", cancelId, 0 };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ProgBar)
};
