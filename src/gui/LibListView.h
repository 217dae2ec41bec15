#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** What the library list and the preset list share: rows of number, name and category in rounded
    boxes, a click that selects (below the last row: the last), a scroll bar right of the rows with
    a draggable thumb and a 200 ms auto-repeat beside it, the wheel, scrolling by dragging past the
    edges, and the double-click. The subclasses say what a row shows and whom they tell. */
class LibListView : public juce::Component,
                    public juce::Timer
{
public:
    static constexpr int repeatMs = 200;
    static constexpr int thumbHeight = 43;
    /** A press this far left of the row area's right edge, or further right, is on the scroll bar. */
    static constexpr int scrollZone = 30;

    /** What a row shows of a record: its name and its category byte. */
    struct RowText
    {
        juce::String name;
        int category = 0;
    };

    void setRowHeight (int height);
    int getRowHeight() const noexcept { return rowHeight; }
    /** The rows' width; they are drawn 4 pixels narrower and the scroll bar stands right of it. */
    void setRowAreaWidth (int width);
    int getRowAreaWidth() const noexcept { return rowAreaWidth; }
    /** Widths of the number and name columns; the category column is the rest. */
    void setColumnWidths (int numberWidth, int nameWidth);
    /** 0 number, 1 name, 2 category, by the column widths. */
    int columnAt (int x) const noexcept;
    void setBackgroundColour (juce::Colour colour);

    int getNumRows() const noexcept { return rowMap.size(); }
    const juce::Array<int>& getRowMap() const noexcept { return rowMap; }
    int getSelectedRow() const noexcept { return selectedRow; }
    int getSelectedRecord() const noexcept { return selectedRecord; }

    int getVisibleRows() const noexcept { return rowHeight > 0 ? getHeight() / rowHeight : 0; }
    int getFirstVisibleRow() const noexcept { return firstVisibleRow; }
    /** Scrolls, kept within 0 .. rows - visible rows. */
    void setFirstVisibleRow (int row);
    bool isScrollable() const noexcept { return getNumRows() > getVisibleRows(); }
    juce::Rectangle<int> getScrollBarBounds() const noexcept;
    /** Empty when every row shows. */
    juce::Rectangle<int> getThumbBounds() const noexcept;
    /** The auto-repeat in progress: -1 up, 1 down, 0 none. */
    int getRepeatDirection() const noexcept { return repeatDirection; }

    void paint (juce::Graphics&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;
    void mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails&) override;
    void mouseDoubleClick (const juce::MouseEvent&) override;
    void timerCallback() override;

protected:
    LibListView();

    /** New rows; the selection is cleared and the list goes to the top. */
    void setRowMap (const juce::Array<int>& rows);
    /** Selects row r (ignored outside the list) and repaints, telling nobody. */
    bool selectRow (int r);

    virtual RowText rowText (int record) const = 0;
    /** A click selected a row. */
    virtual void rowPressed (bool rightButton, int column) = 0;
    virtual void doubleClicked() = 0;

private:
    int maxFirstRow() const noexcept { return juce::jmax (0, getNumRows() - getVisibleRows()); }
    void paintRow (juce::Graphics& g, int row, int y) const;
    void paintScrollBar (juce::Graphics& g) const;
    void stopScrolling();

    juce::Array<int> rowMap;
    int selectedRow = -1, selectedRecord = -1, firstVisibleRow = 0;
    int rowHeight = 34, rowAreaWidth = 302, numberWidth = 50, nameWidth = 180;
    juce::Colour background { 0xff373535 };
    int repeatDirection = 0, thumbGrab = 0;
    bool thumbDrag = false, rowDrag = false;
    juce::Image thumbImage, trackImage;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (LibListView)
};
