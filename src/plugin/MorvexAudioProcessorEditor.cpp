#include "plugin/MorvexAudioProcessorEditor.h"
#include "plugin/MorvexAudioProcessor.h"

MorvexAudioProcessorEditor::MorvexAudioProcessorEditor (MorvexAudioProcessor& p)
    : juce::AudioProcessorEditor (p)
{
    setOpaque (true);

    // Resizable through our own corner, not the framework's.
    setResizable (true, false);
    setResizeLimits (minWidth, minHeight, maxWidth, maxHeight);

    corner = std::make_unique<juce::ResizableCornerComponent> (this, getConstrainer());
    addAndMakeVisible (*corner);

    setSize (1000, maxHeight);
}

MorvexAudioProcessorEditor::~MorvexAudioProcessorEditor() = default;

void MorvexAudioProcessorEditor::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colours::black);
}

void MorvexAudioProcessorEditor::resized()
{
    // Setting the resize limits in the constructor already lays out, before the corner exists.
    if (corner != nullptr)
        corner->setBounds (getWidth() - cornerSize, getHeight() - cornerSize, cornerSize, cornerSize);
}
