#pragma once

#include "gui/GridListener.h"
#include "gui/OwnListeners.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <vector>

class MidiCntrState;

/** The scrolling program list of the group manager and the write panel. It lists either the 40
    programs of one group, or every program of the user groups that has a given category. A click
    selects a row and reports it (91); a right click then asks for the program's context menu (90)
    or, on the category column, for the category menu (88). */
class StsGrid : public juce::Component
{
public:
    enum Mode
    {
        programMode = 0,
        categoryMode = 1
    };

    static constexpr int rowHeight = 46;
    static constexpr int scrollbarWidth = 18;
    static constexpr int minimumThumb = 31;
    static constexpr int categoryColumn = 2;

    explicit StsGrid (MidiCntrState& engine);

    /** Lists group g's programs 0..39. The selection is cleared and the list goes to the top. */
    void loadProgramMode (int group);
    /** Lists every program of the user groups whose category byte is `category`. The selection is
        cleared and the list goes to the top. */
    void loadCategoryMode (int category);
    /** Lists again in the current mode, after the groups changed. */
    void reload();

    int getMode() const noexcept     { return mode; }
    int getGroup() const noexcept    { return group; }
    int getCategory() const noexcept { return category; }

    int getNumRows() const noexcept { return (int) rowPrograms.size(); }
    int rowProgram (int row) const noexcept;
    int rowGroup (int row) const noexcept;

    /** Column widths from the left; a click belongs to the column whose span holds its x. */
    void setColumnWidths (const juce::Array<int>& widths);
    /** The column at x, or -1 right of the last one. */
    int columnAt (int x) const noexcept;

    /** Selects row r and reports it (91); any r outside the list is ignored. The list does not
        scroll to it. */
    void selectRow (int r);
    int getSelectedRow() const noexcept     { return selectedRow; }
    int getSelectedGroup() const noexcept   { return reportedGroup; }
    int getSelectedProgram() const noexcept { return reportedProgram; }
    int getLastEvent() const noexcept       { return lastEvent; }

    int getFirstVisibleRow() const noexcept { return firstVisibleRow; }
    void setFirstVisibleRow (int row);
    int getVisibleRows() const noexcept;
    /** The scrollbar thumb, in this component's coordinates; empty when everything fits. */
    juce::Rectangle<int> getThumbBounds() const noexcept;

    void addListener (GridListener* listener)    { listeners.add (listener); }
    void removeListener (GridListener* listener) { listeners.remove (listener); }

    void paint (juce::Graphics&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;
    void mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails&) override;

private:
    void report (int event);
    int maxFirstRow() const noexcept;
    void scrollToPointer (int y);
    void paintRow (juce::Graphics& g, int row, juce::Rectangle<int> area);
    void paintScrollbar (juce::Graphics& g);

    MidiCntrState& engine;
    int mode = programMode, group = 0, category = 0;
    std::vector<int> rowPrograms, rowGroups;
    juce::Array<int> columnWidths { 50, 140, 100, 0 };

    int selectedRow = -1, reportedGroup = -1, reportedProgram = -1, lastEvent = 0;
    int firstVisibleRow = 0;
    bool draggingThumb = false, selecting = false;
    OwnListeners<GridListener> listeners;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (StsGrid)
};
