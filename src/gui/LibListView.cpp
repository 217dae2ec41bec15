#include "gui/LibListView.h"
#include "gui/Artwork.h"
#include "model/ValueFormat.h"

namespace
{
constexpr int boxInset = 4, trackWidth = 24, thumbWidth = 20, trackEnd = 10;
}

LibListView::LibListView()
    : thumbImage (Artwork::get ("list_thumb_png")), trackImage (Artwork::get ("list_track_png"))
{
    setOpaque (true);
}

void LibListView::setRowHeight (int height)        { rowHeight = juce::jmax (1, height); setFirstVisibleRow (firstVisibleRow); repaint(); }
void LibListView::setRowAreaWidth (int width)      { rowAreaWidth = width; repaint(); }
void LibListView::setBackgroundColour (juce::Colour c) { background = c; repaint(); }

void LibListView::setColumnWidths (int number, int name)
{
    numberWidth = number;
    nameWidth = name;
    repaint();
}

int LibListView::columnAt (int x) const noexcept
{
    return x < numberWidth ? 0 : x < numberWidth + nameWidth ? 1 : 2;
}

void LibListView::setRowMap (const juce::Array<int>& rows)
{
    stopScrolling();
    rowMap = rows;
    selectedRow = selectedRecord = -1;
    firstVisibleRow = 0;
    repaint();
}

bool LibListView::selectRow (int r)
{
    if (! juce::isPositiveAndBelow (r, getNumRows()))
        return false;

    selectedRow = r;
    selectedRecord = rowMap.getUnchecked (r);
    repaint();
    return true;
}

void LibListView::setFirstVisibleRow (int row)
{
    const auto clamped = juce::jlimit (0, maxFirstRow(), row);
    if (clamped != firstVisibleRow)
    {
        firstVisibleRow = clamped;
        repaint();
    }
}

juce::Rectangle<int> LibListView::getScrollBarBounds() const noexcept
{
    const auto free = getWidth() - rowAreaWidth;
    const auto width = juce::jmin (trackWidth, free);
    return { rowAreaWidth + (free - width) / 2, 0, juce::jmax (0, width), getHeight() };
}

juce::Rectangle<int> LibListView::getThumbBounds() const noexcept
{
    if (! isScrollable())
        return {};

    const auto bar = getScrollBarBounds();
    const auto travel = juce::jmax (0, getHeight() - thumbHeight);
    const auto y = maxFirstRow() > 0 ? travel * firstVisibleRow / maxFirstRow() : 0;
    const auto width = juce::jmin (thumbWidth, bar.getWidth());
    return { bar.getCentreX() - width / 2, y, width, thumbHeight };
}

void LibListView::stopScrolling()
{
    stopTimer();
    repeatDirection = 0;
    thumbDrag = rowDrag = false;
}

void LibListView::mouseDown (const juce::MouseEvent& e)
{
    stopScrolling();

    if (e.x > rowAreaWidth - scrollZone)
    {
        if (! isScrollable())
            return;

        const auto thumb = getThumbBounds();
        if (e.y < thumb.getY())
            repeatDirection = -1;
        else if (e.y >= thumb.getBottom())
            repeatDirection = 1;
        else
        {
            thumbDrag = true;
            thumbGrab = e.y - thumb.getY();
            return;
        }

        setFirstVisibleRow (firstVisibleRow + repeatDirection);
        startTimer (repeatMs);
        return;
    }

    if (e.x <= 0 || getNumRows() == 0)
        return;

    selectRow (juce::jlimit (0, getNumRows() - 1, e.y / rowHeight + firstVisibleRow));
    rowDrag = true;
    rowPressed (e.mods.isRightButtonDown(), columnAt (e.x));
}

void LibListView::mouseDrag (const juce::MouseEvent& e)
{
    if (thumbDrag)
    {
        const auto travel = getHeight() - thumbHeight;
        if (travel > 0)
            setFirstVisibleRow (juce::roundToInt ((double) (e.y - thumbGrab) * maxFirstRow() / travel));
    }
    else if (rowDrag && e.y < 0)
        setFirstVisibleRow (firstVisibleRow - 1);
    else if (rowDrag && e.y > getHeight())
        setFirstVisibleRow (firstVisibleRow + 1);
}

void LibListView::mouseUp (const juce::MouseEvent&)
{
    stopScrolling();
}

void LibListView::timerCallback()
{
    if (repeatDirection == 0)
        stopTimer();
    else
        setFirstVisibleRow (firstVisibleRow + repeatDirection);
}

void LibListView::mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails& wheel)
{
    if (wheel.deltaY < 0.0f)
        setFirstVisibleRow (firstVisibleRow + 1);
    else if (wheel.deltaY > 0.0f)
        setFirstVisibleRow (firstVisibleRow - 1);
}

void LibListView::mouseDoubleClick (const juce::MouseEvent&)
{
    doubleClicked();
}

void LibListView::paint (juce::Graphics& g)
{
    g.fillAll (background);

    const auto last = juce::jmin (getNumRows(), firstVisibleRow + getVisibleRows());
    for (int row = firstVisibleRow; row < last; ++row)
        paintRow (g, row, (row - firstVisibleRow) * rowHeight);

    if (isScrollable())
        paintScrollBar (g);
}

void LibListView::paintRow (juce::Graphics& g, int row, int y) const
{
    const auto selected = row == selectedRow;
    const auto text = rowText (rowMap.getUnchecked (row));
    const auto box = juce::Rectangle<int> (0, y, rowAreaWidth - 4, rowHeight).reduced (0, boxInset).toFloat().reduced (1.0f, 0.0f);

    const auto fill = selected ? juce::Colour (0xff7b7f95) : juce::Colour (0xff3b3b43);
    g.setGradientFill (juce::ColourGradient::vertical (fill.brighter (0.12f), box.getY(), fill.darker (0.12f), box.getBottom()));
    g.fillRoundedRectangle (box, 4.0f);
    g.setColour (selected ? juce::Colour (0xffa9adc4) : juce::Colour (0xff26262c));
    g.drawRoundedRectangle (box.reduced (1.0f), 4.0f, 2.0f);

    const auto area = box.toNearestInt();
    g.setColour (selected ? juce::Colour (0xffeeeeee) : juce::Colour (0xffaaaaaa));
    g.setFont (Artwork::arial (14.0f, selected));
    g.drawText (juce::String (row + 1), area.getX() + 8, area.getY(), 34, area.getHeight(), juce::Justification::centredLeft, false);

    const auto categoryLeft = numberWidth + nameWidth;
    g.setColour (selected ? juce::Colours::white : juce::Colour (0xffcccccc));
    g.setFont (Artwork::arial (15.0f, selected));
    g.drawText (text.name, 44, area.getY(), categoryLeft - 44, area.getHeight(), juce::Justification::centredLeft, true);

    g.setColour (selected ? juce::Colours::white : juce::Colour (0xffbbbbbb));
    g.setFont (Artwork::arial (12.0f, selected));
    g.drawText (ValueFormat::categoryName (text.category), categoryLeft, area.getY(), area.getRight() - 8 - categoryLeft,
                area.getHeight(), juce::Justification::centredRight, true);
}

void LibListView::paintScrollBar (juce::Graphics& g) const
{
    const auto bar = getScrollBarBounds();
    if (bar.isEmpty())
        return;

    g.setImageResamplingQuality (juce::Graphics::highResamplingQuality);
    if (trackImage.isValid())
    {
        // ends kept, middle stretched, so the rounded ends stay round at any height
        const auto tw = trackImage.getWidth(), th = trackImage.getHeight();
        const auto end = juce::jmin (trackEnd, bar.getHeight() / 2);
        g.drawImage (trackImage, bar.getX(), 0, bar.getWidth(), end, 0, 0, tw, trackEnd * 2);
        g.drawImage (trackImage, bar.getX(), end, bar.getWidth(), bar.getHeight() - 2 * end, 0, trackEnd * 2, tw, th - trackEnd * 4);
        g.drawImage (trackImage, bar.getX(), bar.getBottom() - end, bar.getWidth(), end, 0, th - trackEnd * 2, tw, trackEnd * 2);
    }
    else
    {
        g.setColour (juce::Colour (0xff1c1c1e));
        g.fillRoundedRectangle (bar.toFloat(), 5.0f);
    }

    const auto thumb = getThumbBounds().toFloat();
    if (thumbImage.isValid())
        g.drawImage (thumbImage, thumb, juce::RectanglePlacement::stretchToFit);
    else
    {
        g.setColour (juce::Colour (0xff8a8a90));
        g.fillRoundedRectangle (thumb, 4.0f);
    }
}
