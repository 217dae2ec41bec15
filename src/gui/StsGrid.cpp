#include "gui/StsGrid.h"
#include "gui/Artwork.h"
#include "groups/ProgramLocation.h"
#include "midi/MidiCntrState.h"
#include "model/ValueFormat.h"

namespace
{
constexpr int categoryByte = 93;
}

StsGrid::StsGrid (MidiCntrState& e) : engine (e)
{
    loadProgramMode (0);
}

void StsGrid::loadProgramMode (int g)
{
    mode = programMode;
    group = juce::jlimit (0, ProgramLocation::numGroups - 1, g);
    reload();
}

void StsGrid::loadCategoryMode (int c)
{
    mode = categoryMode;
    category = c;
    reload();
}

void StsGrid::reload()
{
    rowPrograms.clear();
    rowGroups.clear();

    if (mode == programMode)
    {
        for (int i = 0; i < ProgramLocation::programsPerGroup; ++i)
        {
            rowPrograms.push_back (i);
            rowGroups.push_back (group);
        }
    }
    else
    {
        for (int g = 0; g < ProgramLocation::numUserGroups; ++g)
        {
            const auto& bank = engine.getInstrumentBank (g);
            for (int i = 0; i < ProgramLocation::programsPerGroup; ++i)
            {
                if (bank.programRecord (i)[categoryByte] == category)
                {
                    rowPrograms.push_back (i);
                    rowGroups.push_back (g);
                }
            }
        }
    }

    selectedRow = -1;
    firstVisibleRow = 0;
    repaint();
}

int StsGrid::rowProgram (int row) const noexcept
{
    return juce::isPositiveAndBelow (row, getNumRows()) ? rowPrograms[(size_t) row] : -1;
}

int StsGrid::rowGroup (int row) const noexcept
{
    return juce::isPositiveAndBelow (row, getNumRows()) ? rowGroups[(size_t) row] : -1;
}

void StsGrid::setColumnWidths (const juce::Array<int>& widths)
{
    columnWidths = widths;
    repaint();
}

int StsGrid::columnAt (int x) const noexcept
{
    int start = 0;
    for (int c = 0; c < columnWidths.size(); ++c)
    {
        const auto width = columnWidths.getUnchecked (c);
        if (x >= start && x < start + width)
            return c;
        start += width;
    }
    return -1;
}

void StsGrid::selectRow (int r)
{
    if (! juce::isPositiveAndBelow (r, getNumRows()))
        return;

    selectedRow = r;
    reportedProgram = rowPrograms[(size_t) r];
    reportedGroup = rowGroups[(size_t) r];
    report (GridListener::selectEvent);
    repaint();
}

void StsGrid::report (int event)
{
    lastEvent = event;
    listeners.callLastFirst ([this, event] (GridListener& l) { l.gridEvent (this, reportedGroup, reportedProgram, event); });
}

int StsGrid::getVisibleRows() const noexcept
{
    return juce::jmax (1, getHeight() / rowHeight);
}

int StsGrid::maxFirstRow() const noexcept
{
    return juce::jmax (0, getNumRows() - getVisibleRows());
}

void StsGrid::setFirstVisibleRow (int row)
{
    const auto clamped = juce::jlimit (0, maxFirstRow(), row);
    if (clamped != firstVisibleRow)
    {
        firstVisibleRow = clamped;
        repaint();
    }
}

juce::Rectangle<int> StsGrid::getThumbBounds() const noexcept
{
    const auto count = getNumRows(), visible = getVisibleRows();
    const auto track = getHeight();
    if (count <= visible || track <= 0)
        return {};

    const auto thumb = juce::jmin (track, juce::jmax (minimumThumb, track * visible / count));
    const auto y = (track - thumb) * firstVisibleRow / maxFirstRow();
    return { getWidth() - scrollbarWidth + 3, y, scrollbarWidth - 6, thumb };
}

void StsGrid::scrollToPointer (int y)
{
    const auto thumb = getThumbBounds();
    const auto travel = getHeight() - thumb.getHeight();
    if (thumb.isEmpty() || travel <= 0)
        return;

    // The pointer holds the thumb by its middle.
    const auto fraction = (double) (y - thumb.getHeight() / 2) / (double) travel;
    setFirstVisibleRow (juce::roundToInt (fraction * maxFirstRow()));
}

void StsGrid::mouseDown (const juce::MouseEvent& e)
{
    draggingThumb = selecting = false;

    if (e.x >= getWidth() - scrollbarWidth)
    {
        draggingThumb = true;
        scrollToPointer (e.y);
        return;
    }
    if (e.x <= 0 || getNumRows() == 0)
        return;

    selecting = true;
    selectRow (juce::jlimit (0, getNumRows() - 1, firstVisibleRow + e.y / rowHeight));

    if (e.mods.isRightButtonDown())
        report (columnAt (e.x) == categoryColumn ? GridListener::categoryMenuEvent : GridListener::contextMenuEvent);
}

void StsGrid::mouseDrag (const juce::MouseEvent& e)
{
    if (draggingThumb)
        scrollToPointer (e.y);
    else if (selecting && e.y > getHeight())
        setFirstVisibleRow (firstVisibleRow + 1);
    else if (selecting && e.y < 0)
        setFirstVisibleRow (firstVisibleRow - 1);
}

void StsGrid::mouseUp (const juce::MouseEvent&)
{
    draggingThumb = selecting = false;
}

void StsGrid::mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails& wheel)
{
    if (wheel.deltaY > 0.0f)
        setFirstVisibleRow (firstVisibleRow - 1);
    else if (wheel.deltaY < 0.0f)
        setFirstVisibleRow (firstVisibleRow + 1);
}

void StsGrid::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colour (0xff0d0d0d));

    const auto listWidth = getWidth() - scrollbarWidth;
    for (int row = firstVisibleRow, y = 0; row < getNumRows() && y < getHeight(); ++row, y += rowHeight)
        paintRow (g, row, { 0, y, listWidth, rowHeight });

    paintScrollbar (g);
}

void StsGrid::paintRow (juce::Graphics& g, int row, juce::Rectangle<int> area)
{
    const auto program = rowPrograms[(size_t) row];
    const auto programGroup = rowGroups[(size_t) row];
    const auto& bank = engine.getInstrumentBank (programGroup);
    const auto selected = row == selectedRow;

    if (selected)
    {
        g.setColour (juce::Colour (0x664a78d8));
        g.fillRect (area);
    }
    else if (row % 2 == 1)
    {
        g.setColour (juce::Colour (0xff151515));
        g.fillRect (area);
    }

    g.setColour (juce::Colour (0xff2a2a2a));
    g.drawHorizontalLine (area.getBottom() - 1, (float) area.getX(), (float) area.getRight());

    const auto x = area.getX(), y = area.getY();
    g.setFont (Artwork::arial (12.0f));
    g.setColour (selected ? juce::Colour (0xffd6e2ff) : juce::Colour (0xff8c8c8c));
    g.drawText (ProgramLocation::gridLocationText (programGroup, program), x + 7, y + 4, area.getWidth() - 14, 16,
                juce::Justification::centredLeft, true);

    g.setFont (Artwork::arial (14.0f));
    g.setColour (selected ? juce::Colours::white : juce::Colour (0xffd0d0d0));
    g.drawText (bank.programName (program), x + 7, y + 23, 160, 18, juce::Justification::centredLeft, true);
    g.setColour (selected ? juce::Colour (0xffd6e2ff) : juce::Colour (0xff9a9a9a));
    g.drawText (ValueFormat::categoryName (bank.programRecord (program)[categoryByte]), x + 170, y + 23,
                juce::jmax (0, area.getWidth() - 177), 18, juce::Justification::centredLeft, true);
}

void StsGrid::paintScrollbar (juce::Graphics& g)
{
    const auto column = juce::Rectangle<int> (getWidth() - scrollbarWidth, 0, scrollbarWidth, getHeight()).toFloat();
    g.setGradientFill (juce::ColourGradient::horizontal (juce::Colour (0xff050505), column.getX(),
                                                         juce::Colour (0xff1c1c1c), column.getRight()));
    g.fillRect (column);

    const auto thumb = getThumbBounds().toFloat();
    if (thumb.isEmpty())
        return;

    g.setGradientFill (juce::ColourGradient::horizontal (juce::Colour (0xff8a8a8a), thumb.getX(),
                                                         juce::Colour (0xff5a5a5a), thumb.getRight()));
    g.fillRoundedRectangle (thumb, 4.0f);
    g.setColour (juce::Colour (0xff2e2e2e));
    g.drawRoundedRectangle (thumb.reduced (0.5f), 4.0f, 1.0f);
}
