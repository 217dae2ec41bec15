#include "gui/ProgBar.h"
#include "gui/Artwork.h"
#include "groups/ProgramLocation.h"

namespace
{
constexpr int boxWidth = 400, progressHeight = 72, lineHeight = 20;
}

ProgBar::ProgBar (int editorWidth, int editorHeight)
{
    addAndMakeVisible (cancel);
    addChildComponent (retry);
    addChildComponent (close);
    setSize (editorWidth, editorHeight);
}

juce::Rectangle<int> ProgBar::box() const
{
    const auto height = report ? 84 + lineHeight * reportLines.size() : progressHeight;
    return getLocalBounds().withSizeKeepingCentre (wide ? 560 : boxWidth, height);
}

void ProgBar::resized()
{
    const auto b = box();
    cancel.place (b.getX() + 319, b.getY() + 24, 60, 24);
    close.place (b.getRight() - 8 - 70, b.getBottom() - 32, 70, 24);
    retry.place (close.getX() - 8 - 100, b.getBottom() - 32, 100, 24);
}

void ProgBar::showProgress (int group, int program)
{
    position = juce::jlimit (0, maximum, program);
    text = ProgramLocation::locationText (group, program);
    repaint();
}

juce::String ProgBar::countText (const GroupTransfer::Status& status)
{
    const auto verb = GroupTransfer::isTransmission (status.kind) ? " sent" : " received";
    return juce::String (status.running ? status.settled : status.arrived) + " of " + juce::String (status.total)
         + " programs" + verb;
}

juce::String ProgBar::timeLeftText (double ms)
{
    const auto seconds = juce::jmax (0, juce::roundToInt (ms / 1000.0));
    return juce::String (seconds / 60) + ":" + juce::String (seconds % 60).paddedLeft ('0', 2) + " left";
}

void ProgBar::showOverall (const GroupTransfer::Status& status)
{
    overall = countText (status) + "  -  " + timeLeftText (status.remainingMs);
    repaint();
}

void ProgBar::showReport (const GroupTransfer::Status& status)
{
    report = true;
    overall = countText (status);
    reportLines.clear();
    if (status.failed.empty())
    {
        reportLines.add ("Every program arrived.");
    }
    else
    {
        reportLines.add (status.stopped ? "The instrument stopped answering. Not received:" : "The instrument did not answer for:");
        const auto listed = juce::jmin ((int) status.failed.size(), maxListed);
        for (int k = 0; k < listed; ++k)
            reportLines.add ("  " + ProgramLocation::locationText (status.failed[(size_t) k].group, status.failed[(size_t) k].program));
        if ((int) status.failed.size() > listed)
            reportLines.add ("  and " + juce::String ((int) status.failed.size() - listed) + " more");
    }

    cancel.setVisible (false);
    retry.setVisible (! status.failed.empty());
    close.setVisible (true);
    resized();
    repaint();
}

void ProgBar::showAlert (const juce::String& title, const juce::StringArray& lines, const juce::String& action)
{
    report = true;
    wide = true;
    overall = title;
    reportLines = lines;
    retry.setCaption (action);
    cancel.setVisible (false);
    retry.setVisible (true);
    close.setVisible (true);
    resized();
    repaint();
}

void ProgBar::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colour (0xb0000000));

    const auto b = box();
    g.setColour (juce::Colour (0xf0161616));
    g.fillRoundedRectangle (b.expanded (12, 12).toFloat(), 6.0f);
    g.setColour (juce::Colour (0xff4a4a4a));
    g.drawRoundedRectangle (b.expanded (12, 12).toFloat(), 6.0f, 1.0f);

    g.setColour (juce::Colour (0xffeeeeee));
    if (report)
    {
        g.setFont (Artwork::arial (18.0f, true));
        g.drawText (overall, b.getX() + 8, b.getY(), b.getWidth() - 16, 28, juce::Justification::centredLeft, true);
        g.setFont (Artwork::arial (14.0f, false));
        for (int k = 0; k < reportLines.size(); ++k)
            g.drawText (reportLines[k], b.getX() + 8, b.getY() + 32 + k * lineHeight, b.getWidth() - 16, lineHeight,
                        juce::Justification::centredLeft, true);
        return;
    }

    const auto track = juce::Rectangle<int> (b.getX() + 8, b.getY(), 384, 24);
    g.setColour (juce::Colour (0xff1a1a1a));
    g.fillRect (track);
    g.setColour (juce::Colour (0xff5a5a5a));
    g.drawRect (track, 1);

    const auto fill = track.withWidth (juce::jmin (getFillWidth(), track.getWidth()));
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xffd23c2c), (float) fill.getX(), (float) fill.getY(),
                                             juce::Colour (0xff8a1a12), (float) fill.getX(), (float) fill.getBottom(), false));
    g.fillRect (fill.reduced (1));

    g.setColour (juce::Colour (0xffeeeeee));
    g.setFont (Artwork::arial (18.0f, true));
    g.drawText (text, b.getX() + 8, b.getY() + 24, 220, 24, juce::Justification::centredLeft, true);
    g.setColour (juce::Colour (0xffb4b4b4));
    g.setFont (Artwork::arial (14.0f, false));
    g.drawText (overall, b.getX() + 8, b.getY() + 50, 300, lineHeight, juce::Justification::centredLeft, true);
}
