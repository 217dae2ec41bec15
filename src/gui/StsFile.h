#pragma once

#include "gui/LibListView.h"
#include "gui/OwnListeners.h"
#include "gui/StsFileListener.h"

#include <functional>

/** The library's program list. It shows the rows its panel gives it (the library's record index
    of each row) and asks the panel for a record's name and category, so it knows nothing of how
    the library is kept. A selection is told as (201, record), a rebuild as (202, 100). */
class StsFile : public LibListView
{
public:
    static constexpr int selectEvent = 201, rebuiltEvent = 202, rebuiltValue = 100;

    using RecordText = std::function<RowText (int record)>;

    StsFile() = default;

    /** Where the rows' names and categories come from; rows show empty without it. */
    void setRecordText (RecordText source);

    /** Shows these records, from the top with nothing selected, and tells the listeners. */
    void rebuild (const juce::Array<int>& rowMap);

    /** Selects row r, scrolls it into view and tells the listeners; r outside the list does
        nothing. */
    void selectByKey (int r);

    void addListener (StsFileListener* listener)    { listeners.add (listener); }
    void removeListener (StsFileListener* listener) { listeners.remove (listener); }

protected:
    RowText rowText (int record) const override;
    void rowPressed (bool rightButton, int column) override;
    void doubleClicked() override;

private:
    void tellSelection();

    OwnListeners<StsFileListener> listeners;
    RecordText recordText;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (StsFile)
};
