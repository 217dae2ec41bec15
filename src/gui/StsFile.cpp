#include "gui/StsFile.h"

void StsFile::setRecordText (RecordText source)
{
    recordText = std::move (source);
    repaint();
}

LibListView::RowText StsFile::rowText (int record) const
{
    return recordText ? recordText (record) : RowText {};
}

void StsFile::rebuild (const juce::Array<int>& rows)
{
    setRowMap (rows);
    listeners.callLastFirst ([] (StsFileListener& l) { l.stsFileEvent (rebuiltEvent, rebuiltValue); });
}

void StsFile::selectByKey (int r)
{
    if (! selectRow (r))
        return;

    // one row at a time downwards: the keys step by one, so the row is then the last visible
    if (r < getFirstVisibleRow())
        setFirstVisibleRow (r);
    else if (r > getFirstVisibleRow() + getVisibleRows() - 1)
        setFirstVisibleRow (getFirstVisibleRow() + 1);

    tellSelection();
}

void StsFile::rowPressed (bool, int)
{
    tellSelection();
}

void StsFile::tellSelection()
{
    const auto record = getSelectedRecord();
    listeners.callLastFirst ([record] (StsFileListener& l) { l.stsFileEvent (selectEvent, record); });
}

void StsFile::doubleClicked()
{
    listeners.callLastFirst ([] (StsFileListener& l) { l.stsFileDoubleClicked(); });
}
