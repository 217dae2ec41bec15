#pragma once

#include "gui/StsBut.h"

/** The small rename box: a one-line text field with the name (all of it selected, so typing
    replaces it) and the "Cancel" (1113) and "OK" (1111) buttons, which its owner listens to. */
class RenameCnt : public juce::Component
{
public:
    static constexpr int okId = 1111, cancelId = 1113;

    explicit RenameCnt (const juce::String& name);

    juce::String getText() const { return field.getText(); }
    juce::TextEditor& getField() noexcept { return field; }
    StsBut& getOkButton() noexcept       { return ok; }
    StsBut& getCancelButton() noexcept   { return cancel; }

    void paint (juce::Graphics&) override;

private:
    juce::TextEditor field;
    StsBut cancel { "Cancel", cancelId, 0 }, ok { "OK", okId, 0 };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (RenameCnt)
};
