#include "gui/RenameCnt.h"
#include "gui/Artwork.h"

RenameCnt::RenameCnt (const juce::String& name)
{
    setSize (180, 50);

    field.setFont (Artwork::arial (14.0f));
    field.setText (name, false);
    field.setBounds (0, 0, 180, 24);
    field.setColour (juce::TextEditor::backgroundColourId, juce::Colour (0xff0c0c0c));
    field.setColour (juce::TextEditor::textColourId, juce::Colour (0xffeeeeee));
    field.setColour (juce::TextEditor::outlineColourId, juce::Colour (0xff6a5a5a));
    field.selectAll();
    addAndMakeVisible (field);

    cancel.place (0, 26, 50, 18);
    ok.place (130, 26, 50, 18);
    addAndMakeVisible (cancel);
    addAndMakeVisible (ok);
}

void RenameCnt::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colour (0xff221414));
}
