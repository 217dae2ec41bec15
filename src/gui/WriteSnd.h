#pragma once

#include "gui/GridListener.h"
#include "gui/LCD_Comp.h"
#include "gui/RenameCnt.h"
#include "gui/StsBut.h"
#include "gui/StsGrid.h"
#include "gui/stsbutListener.h"

#include <array>
#include <memory>

class MorvexAudioProcessor;

/** The write panel: picks the slot of the instrument's memory the program being edited is written
    to, with the name and category it is written under. The editor handles WRITE and CANCEL and
    routes the display's clicks here; a name or category chosen on the panel reaches the program
    only through WRITE. */
class WriteSnd : public juce::Component,
                 public juce::ChangeListener,
                 public stsbutListener,
                 public GridListener,
                 public juce::ChangeBroadcaster
{
public:
    static constexpr int numGroups = 10;
    static constexpr int writeId = 970, cancelId = 971, byCategoryId = 972;
    /** The state the panel broadcasts when its list went to category mode and waits for the
        category to list. */
    static constexpr int gridChanged = 200;

    WriteSnd (MorvexAudioProcessor& processor, int group, int program, const juce::String& name, int category);
    ~WriteSnd() override;

    /** Places the children for the area the editor gives the panel. */
    void layoutFor (int width, int height);

    int getChosenGroup() const noexcept   { return display.getGroup(); }
    int getChosenProgram() const noexcept { return display.getProgram(); }
    const juce::String& getName() const noexcept { return name; }
    int getCategory() const noexcept      { return category; }
    int getState() const noexcept         { return state; }

    /** The name as written: cut to 16 characters, blank-padded to 16. */
    void setName (const juce::String& text);
    void setCategory (int newCategory);
    /** Opens the rename box with the current name; its OK takes the name, its Cancel nothing. */
    void openRename();
    RenameCnt* getRenameBox() const noexcept { return renameBox.get(); }

    StsGrid& getGrid() noexcept               { return grid; }
    LCD_Comp& getDisplay() noexcept           { return display; }
    StsBut& getWriteButton() noexcept         { return writeButton; }
    StsBut& getCancelButton() noexcept        { return cancelButton; }
    StsBut& getByCategoryButton() noexcept    { return byCategoryButton; }
    StsBut& getGroupButton (int k) noexcept   { return *groupButtons[(size_t) k]; }

    void paint (juce::Graphics&) override;
    void stsButtonClicked (StsBut* button, int id) override;
    void gridEvent (StsGrid* grid, int group, int program, int event) override;
    void changeListenerCallback (juce::ChangeBroadcaster* source) override;

private:
    void showChoice (int group, int program);
    void closeRename();
    void showMode();

    MidiCntrState& engine;
    std::array<std::unique_ptr<StsBut>, numGroups> groupButtons;
    StsBut writeButton { "WRITE", writeId, 1 }, cancelButton { "CANCEL", cancelId, 1 };
    StsBut byCategoryButton { "BY CATEGORY", byCategoryId, 1 };
    StsGrid grid;
    LCD_Comp display;
    std::unique_ptr<RenameCnt> renameBox, closedRenameBox;
    juce::String name;
    int category = 0, state = 0;
    juce::Rectangle<int> groupsArea, listArea, displayArea;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (WriteSnd)
};
