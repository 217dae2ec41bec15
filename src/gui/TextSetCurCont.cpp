#include "gui/TextSetCurCont.h"
#include "gui/Artwork.h"
#include "gui/PanelLook.h"
#include "groups/Bank_Program.h"
#include "midi/MidiCntrState.h"

namespace
{
constexpr int fieldWidth = 280, fieldHeight = 24, fieldTop = 64;
constexpr int boxWidth = 280, boxHeight = 30, boxTop = 140;
constexpr int buttonWidth = 100, buttonHeight = 34, buttonTop = 256, buttonPitch = 120;

juce::String presetName (MidiCntrState& engine, int index)
{
    return Bank_Program::nameFrom (engine.getPluginBank().programRecord (index)).trim();
}
}

TextSetCurCont::TextSetCurCont (MidiCntrState& e) : engine (e)
{
    PanelLook::styleField (field, 16.0f);
    addAndMakeVisible (field);

    for (auto* b : { &ok, &cancel })
    {
        b->addListener (this);
        addAndMakeVisible (b);
    }
}

TextSetCurCont::~TextSetCurCont()
{
    for (auto* b : { &ok, &cancel })
        b->removeListener (this);
}

void TextSetCurCont::open (const juce::String& name, int index)
{
    field.setText (name, false);
    field.selectAll();
    setTarget (index);
    resized();
}

void TextSetCurCont::setTarget (int index)
{
    target = juce::jlimit (0, 39, index);
    repaint (box);
}

juce::String TextSetCurCont::getTargetText() const
{
    return juce::String (target + 1) + "    " + presetName (engine, target);
}

void TextSetCurCont::resized()
{
    const auto w = getWidth();
    field.setBounds ((w - fieldWidth) / 2, fieldTop, fieldWidth, fieldHeight);
    box = { (w - boxWidth) / 2, boxTop, boxWidth, boxHeight };
    const auto left = (w - (buttonPitch + buttonWidth)) / 2;
    ok.setBounds (left, buttonTop, buttonWidth, buttonHeight);
    cancel.setBounds (left + buttonPitch, buttonTop, buttonWidth, buttonHeight);
}

void TextSetCurCont::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colour (0xff191919));

    g.setColour (juce::Colour (0xffe6e6e6));
    g.setFont (Artwork::arial (24.0f));
    g.drawText ("Preset name:", 0, fieldTop - 38, getWidth(), 32, juce::Justification::centred, false);
    g.drawText ("Replace:", 0, boxTop - 38, getWidth(), 32, juce::Justification::centred, false);

    g.setColour (juce::Colours::black);
    g.fillRect (box);
    g.setColour (juce::Colours::white);
    g.drawRect (box, 1);
    g.setFont (Artwork::arial (20.0f));
    g.drawText (getTargetText(), box.reduced (8, 0), juce::Justification::centred, true);
}

void TextSetCurCont::mouseDown (const juce::MouseEvent& e)
{
    if (! box.contains (e.getPosition()))
        return;

    juce::PopupMenu menu;
    for (int n = 1; n <= 40; ++n)
        menu.addItem (n, juce::String (n) + "    " + presetName (engine, n - 1), true, n == target + 1);
    MenuChoice::show (menu, nullptr, *this, chooseFromMenu, [this] (int id)
    {
        if (id >= 1 && id <= 40)
            setTarget (id - 1);
    });
}

void TextSetCurCont::libButClicked (LibBut*, int id)
{
    const auto slot = target;
    if (id == okId)
        listeners.callLastFirst ([slot] (textSetCurListener& l) { l.setCurOk (slot); });
    else if (id == cancelId)
        listeners.callLastFirst ([] (textSetCurListener& l) { l.setCurCancel(); });
}
