#include "gui/AboutPanel.h"
#include "gui/Artwork.h"

AboutPanel::AboutPanel (const juce::String& versionText, int modelIndex, int autoCloseMs)
    : version (versionText)
{
    setModel (modelIndex);
    if (autoCloseMs > 0)
        startTimer (autoCloseMs);
}

void AboutPanel::setModel (int newModel)
{
    model = newModel;
    picture = Artwork::get (model == 0 ? "about_prophet5_png" : "about_prophet10_png");
    repaint();
}

juce::String AboutPanel::getVersionLine() const
{
    return "Version " + version + " - April 20, 2023";
}

void AboutPanel::centrePicture()
{
    const auto x = (getWidth() - areaWidth) / 2;
    const auto y = juce::jmax (0, getHeight() - areaHeight) / 3;
    area = { x, y, areaWidth, areaHeight };
    repaint();
}

void AboutPanel::resized()
{
    centrePicture();
}

void AboutPanel::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colour (0xd8000000));

    const auto frame = area.toFloat();
    g.setColour (juce::Colour (0xff0b0b0b));
    g.fillRoundedRectangle (frame, 6.0f);
    g.setColour (juce::Colour (0xff3a3a3a));
    g.drawRoundedRectangle (frame.reduced (0.5f), 6.0f, 1.0f);

    const auto pictureArea = juce::Rectangle<float> (frame.getX() + 44.0f, frame.getY() + 40.0f, 512.0f, 400.0f);
    if (picture.isValid())
        g.drawImage (picture, pictureArea);

    g.setColour (juce::Colour (0xffe6e6e6));
    g.setFont (Artwork::arial (15.0f));
    g.drawText (getVersionLine(), juce::Rectangle<float> (frame.getX() + 244.0f, frame.getY() + 84.0f, 340.0f, 20.0f),
                juce::Justification::centredLeft, false);

    g.setColour (juce::Colour (0xffffffff));
    g.setFont (Artwork::arial (26.0f, true));
    g.drawText ("Prophet 5 Morvex", juce::Rectangle<float> (frame.getX() + 244.0f, frame.getY() + 50.0f, 340.0f, 32.0f),
                juce::Justification::centredLeft, false);
}

void AboutPanel::mouseDown (const juce::MouseEvent&)
{
    sendSynchronousChangeMessage();
}

void AboutPanel::timerCallback()
{
    stopTimer();
    sendSynchronousChangeMessage();
}
