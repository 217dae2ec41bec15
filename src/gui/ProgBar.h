#pragma once

#include "gui/StsBut.h"
#include "midi/GroupTransfer.h"

/** The group-transfer progress: dims the whole editor and shows, in a box in its middle, the
    progress over the 40 programs of the group at hand, the location being transferred, how far
    the whole transfer is and how long it has left, and "CANCEL". A transfer that ended with slots
    the instrument never answered turns it into a report of them, with "Retry failed". */
class ProgBar : public juce::Component
{
public:
    static constexpr int cancelId = 1212;
    static constexpr int retryId = 1213;
    static constexpr int closeId = 1214;
    static constexpr int maximum = 40;
    /** Failed slots listed by name; any more are counted. */
    static constexpr int maxListed = 6;

    ProgBar (int editorWidth, int editorHeight);

    /** Progress for program index `program` of `group`: the position is clamped to 0..40. */
    void showProgress (int group, int program);
    /** How far the whole transfer is: "n of N" and the time left. */
    void showOverall (const GroupTransfer::Status& status);
    /** The ended transfer's outcome, with the slots that never arrived. */
    void showReport (const GroupTransfer::Status& status);
    /** Something that needs the player's decision, in the report's place: a title, lines under
        it and the action the retry button offers. */
    void showAlert (const juce::String& title, const juce::StringArray& lines, const juce::String& action);

    bool isReport() const noexcept { return report; }
    int getPosition() const noexcept { return position; }
    const juce::String& getText() const noexcept { return text; }
    const juce::String& getOverallText() const noexcept { return overall; }
    const juce::StringArray& getReportLines() const noexcept { return reportLines; }
    int getFillWidth() const noexcept { return position * 9; }
    StsBut& getCancelButton() noexcept { return cancel; }
    StsBut& getRetryButton() noexcept  { return retry; }
    StsBut& getCloseButton() noexcept  { return close; }

    /** "n of N programs received", or sent, for a transfer's status. */
    static juce::String countText (const GroupTransfer::Status& status);
    /** "0:12 left", "1:05 left". */
    static juce::String timeLeftText (double ms);

    void paint (juce::Graphics&) override;
    void resized() override;

private:
    juce::Rectangle<int> box() const;

    bool report = false, wide = false;
    int position = 0;
    juce::String text { "-" }, overall;
    juce::StringArray reportLines;
    StsBut cancel { "CANCEL", cancelId, 0 };
    StsBut retry { "Retry failed", retryId, 0 };
    StsBut close { "Close", closeId, 0 };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ProgBar)
};
