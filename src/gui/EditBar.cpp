#include "gui/EditBar.h"
#include "gui/Artwork.h"
#include "midi/MidiCntrState.h"
#include "model/DSI_Program.h"

EditBar::EditBar (MidiCntrState& e)
    : engine (e), lcd (e, LCD_Comp::finderMode),
      // the model is read once: a change shows in the next editor
      model (e.getSettings().getInt (SettingsBlock::modelOffset)),
      background (Artwork::get ("bar_png")),
      logo (Artwork::get (model != 0 ? "logo_prophet10_png" : "logo_prophet5_png"))
{
    lcd.setTopLeftPosition (16, 24);
    addAndMakeVisible (lcd);
    setSize (1024, 100);
}

void EditBar::showCurrentProgram()
{
    const auto record = engine.getEditBuffer();
    lcd.setDisplay (juce::jmax (0, engine.getCurrentBank()), juce::jmax (0, engine.getCurrentProgram()),
                    record[(size_t) DSI_Program::categoryOffset], Bank_Program::nameFrom (record).trimEnd());
}

void EditBar::resized()
{
    logoBounds = { juce::jmax (getWidth() - 320, lcd.getRight() + 10), 20, 300, 60 };
}

void EditBar::paint (juce::Graphics& g)
{
    if (background.isValid())
    {
        // a texture: the nearest pixel looks the same as a filtered one, at a fraction of the cost
        g.setImageResamplingQuality (juce::Graphics::lowResamplingQuality);
        g.drawImage (background, getLocalBounds().toFloat());
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
