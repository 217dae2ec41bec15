#include "gui/EditBar.h"
#include "gui/Artwork.h"
#include "midi/MidiCntrState.h"
#include "model/DSI_Program.h"

EditBar::EditBar (MidiCntrState& e, const juce::Image& envelopeBackground)
    : engine (e), lcd (e, LCD_Comp::finderMode), envPanel (envelopeBackground),
      background (Artwork::get ("bar_png"))
{
    // it paints every pixel of its bounds: the window need not paint under it
    setOpaque (true);
    setModel (e.getSettings().getInt (SettingsBlock::modelOffset));

    lcd.setTopLeftPosition (16, 24);
    addAndMakeVisible (lcd);

    envelopesButton.place (100, 80, 86, 16);
    envelopesButton.setFontSize (11.0f);
    envelopesButton.setTooltip ("Show or hide the envelope graphs");
    addAndMakeVisible (envelopesButton);

    compareButton.place (16, 80, 78, 16);
    compareButton.setFontSize (11.0f);
    // lit amber while the stored program plays, like the edit marks
    compareButton.setCaptionColours (juce::Colours::black, juce::Colour (0xffffb030));
    compareButton.setTooltip ("Hear the stored program, then the edits again  (Ctrl+E)");
    addAndMakeVisible (compareButton);
    showCompare (false, false);

    envPanel.setTopLeftPosition (220, 4);
    addChildComponent (envPanel);
    setSize (1024, 100);
}

void EditBar::showCurrentProgram()
{
    const auto record = engine.getEditBuffer();
    lcd.setDisplay (juce::jmax (0, engine.getCurrentBank()), juce::jmax (0, engine.getCurrentProgram()),
                    record[(size_t) DSI_Program::categoryOffset], Bank_Program::nameFrom (record).trimEnd());
}

void EditBar::showCompare (bool available, bool comparing)
{
    compareButton.setEnabled (available || comparing);
    compareButton.setAlpha (available || comparing ? 1.0f : 0.4f);
    compareButton.setLatched (comparing);
}

void EditBar::setModel (int newModel)
{
    model = newModel;
    logo = Artwork::get (model != 0 ? "logo_prophet10_png" : "logo_prophet5_png");
    repaint();
}

void EditBar::toggleEnvelopes()
{
    envPanel.setVisible (! envPanel.isVisible());
    resized();
    repaint();
}

void EditBar::resized()
{
    // the logo keeps to the right, but never under the graphs or the LCD
    const auto leftLimit = envPanel.isVisible() ? envPanel.getRight() : lcd.getRight() + 10;
    logoBounds = { juce::jmax (getWidth() - 320, leftLimit), 20, 300, 60 };
}

void EditBar::paint (juce::Graphics& g)
{
    if (background.isValid())
    {
        // a texture stretched over the bar, once per size
        g.drawImageAt (Artwork::cachedPicture (0x4261, 0, getWidth(), getHeight(), [this] (juce::Graphics& pg)
        {
            // the nearest pixel looks the same as a filtered one, at a fraction of the cost
            pg.setImageResamplingQuality (juce::Graphics::lowResamplingQuality);
            pg.drawImage (background, getLocalBounds().toFloat());
        }, true), 0, 0);
    }
    else
        g.fillAll (juce::Colour (0xff222222));

    g.setColour (juce::Colour (0xff050505));
    g.drawHorizontalLine (0, 0.0f, (float) getWidth());
    g.drawHorizontalLine (1, 0.0f, (float) getWidth());

    if (logo.isValid())
        g.drawImage (logo, logoBounds.toFloat(), juce::RectanglePlacement::xRight | juce::RectanglePlacement::yMid
                                                      | juce::RectanglePlacement::onlyReduceInSize);
}
