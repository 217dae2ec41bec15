#include "gui/Plugin_File.h"
#include "groups/Bank_Program.h"
#include "midi/MidiCntrState.h"
#include "model/DSI_Program.h"

Plugin_File::Plugin_File (MidiCntrState& e) : engine (e)
{
    juce::Array<int> rows;
    for (int i = 0; i < numPresets; ++i)
        rows.add (i);
    setRowMap (rows);
}

LibListView::RowText Plugin_File::rowText (int record) const
{
    const auto program = engine.getPluginBank().programRecord (record);
    return { Bank_Program::nameFrom (program).trimStart(), (int) program[(size_t) DSI_Program::categoryOffset] };
}

void Plugin_File::selectByKey (int r)
{
    if (selectRow (r))
        tell (selectEvent);
}

void Plugin_File::rowPressed (bool rightButton, int column)
{
    tell (selectEvent);
    if (rightButton)
        tell (column == 2 ? categoryMenuEvent : contextMenuEvent);
}

void Plugin_File::tell (int event)
{
    listeners.callLastFirst ([event] (PlugFileListener& l) { l.plugFileEvent (event, 0); });
}

void Plugin_File::doubleClicked()
{
    listeners.callLastFirst ([] (PlugFileListener& l) { l.plugFileDoubleClicked(); });
}
