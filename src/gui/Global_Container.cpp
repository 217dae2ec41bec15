#include "gui/Global_Container.h"
#include "gui/Artwork.h"
#include "midi/MidiCntrState.h"

Global_Container::Global_Container (MidiCntrState& e)
    : engine (e), closeBox (Artwork::get ("window_close_png"))
{
    for (int k = 0; k < GlobalSettings::numGlobals; ++k)
        addAndMakeVisible (controls.add (new GlbCont (engine, k)));
    setSize (width, height);
}

void Global_Container::mouseDown (const juce::MouseEvent& e)
{
    if (e.x > getWidth() - 27 && e.x < getWidth() - 10 && e.y >= 9 && e.y <= 24)
        listeners.callLastFirst ([] (Global_Listener& l) { l.globalPanelAction (Global_Listener::closeCode); });
}

void Global_Container::resized()
{
    background = {};
}

void Global_Container::renderBackground()
{
    background = juce::Image (juce::Image::ARGB, juce::jmax (1, getWidth()), juce::jmax (1, getHeight()), true);
    juce::Graphics g (background);
    const auto area = getLocalBounds().toFloat().reduced (1.5f);
    g.setColour (juce::Colour (0xdd000000));
    g.fillRoundedRectangle (area, 10.0f);
    g.setColour (juce::Colour (0xdd457089));
    g.drawRoundedRectangle (area, 10.0f, 3.0f);

    g.setColour (juce::Colour (0xffdddddd));
    g.setFont (Artwork::arial (13.0f, true));
    g.drawText ("INSTRUMENT GLOBAL SETTINGS", 20, 10, 300, 18, juce::Justification::centredLeft, false);

    // each label beside its control: above a knob, right of an LED, left of a value box
    g.setFont (Artwork::arial (12.0f));
    for (auto* control : controls)
    {
        const auto& row = GlobalSettings::global (control->getIndex());
        const auto r = control->getBounds();
        switch (row.control)
        {
            case GlobalSettings::Control::knob:
                g.drawText (row.label, r.getX() - 10, r.getY() - 18, r.getWidth() + 20, 16, juce::Justification::centred, false);
                break;
            case GlobalSettings::Control::ledSwitch:
                g.drawText (row.label, r.getX() + 28, r.getY(), 160, 20, juce::Justification::centredLeft, false);
                break;
            case GlobalSettings::Control::valueBox:
            default:
                g.drawText (row.label, r.getX() - 168, r.getY(), 160, 18, juce::Justification::centredRight, false);
                break;
        }
    }

    if (closeBox.isValid())
        g.drawImage (closeBox, { (float) getWidth() - 25.0f, 10.0f, 15.0f, 15.0f });
}

void Global_Container::paint (juce::Graphics& g)
{
    if (! background.isValid())
        renderBackground();
    g.drawImageAt (background, 0, 0);
}
