#include "plugin/MorvexAudioProcessorEditor.h"
#include "plugin/MorvexAudioProcessor.h"
#include "gui/MainComp.h"

MorvexAudioProcessorEditor::MorvexAudioProcessorEditor (MorvexAudioProcessor& p)
    : juce::AudioProcessorEditor (p)
{
    setOpaque (true);

    // Resizable through our own corner, not the framework's.
    setResizable (true, false);
    setResizeLimits (minWidth, minHeight, maxWidth, maxHeight);

    corner = std::make_unique<juce::ResizableCornerComponent> (this, getConstrainer());

    auto screen = juce::Rectangle<int> (1920, 1080);
    if (auto* display = juce::Desktop::getInstance().getDisplays().getPrimaryDisplay())
        screen = display->userArea;

    const auto& settings = p.getEngine().getSettings();
    const auto size = initialSize (settings.getInt (SettingsBlock::windowWidthOffset),
                                   settings.getInt (SettingsBlock::windowHeightOffset),
                                   screen.getWidth(), screen.getHeight());
    mainComp = std::make_unique<MainComp> (p, size.x, size.y);
    mainComp->addChangeListener (this);
    addAndMakeVisible (*mainComp);
    addAndMakeVisible (*corner);
    corner->setAlwaysOnTop (true);
    setSize (size.x, size.y);
}

juce::Point<int> MorvexAudioProcessorEditor::initialSize (int storedWidth, int storedHeight, int screenWidth, int screenHeight) noexcept
{
    auto width = storedWidth, height = storedHeight;

    if (width < 100 || height < 100)
    {
        width = storedWidth > minWidth && storedWidth < screenWidth ? storedWidth
              : screenWidth < maxWidth + 1 ? 1000 : maxWidth;
        height = storedHeight > minHeight && storedHeight < screenHeight ? storedHeight
               : screenHeight < maxHeight + 1 ? 700 : maxHeight;
    }

    // A default taller than the limits or the screen would open the window partly out of reach.
    width = juce::jlimit (minWidth, maxWidth, juce::jmin (width, juce::jmax (minWidth, screenWidth)));
    height = juce::jlimit (minHeight, maxHeight, juce::jmin (height, juce::jmax (minHeight, screenHeight)));
    return { width, height };
}

MorvexAudioProcessorEditor::~MorvexAudioProcessorEditor()
{
    if (mainComp != nullptr)
        mainComp->removeChangeListener (this);
}

void MorvexAudioProcessorEditor::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colours::black);
}

void MorvexAudioProcessorEditor::resized()
{
    // Setting the resize limits in the constructor already lays out, before the corner exists.
    if (mainComp != nullptr)
        mainComp->setBounds (getLocalBounds());
    if (corner != nullptr)
        corner->setBounds (getWidth() - cornerSize, getHeight() - cornerSize, cornerSize, cornerSize);
}

void MorvexAudioProcessorEditor::changeListenerCallback (juce::ChangeBroadcaster*)
{
    // the window's width follows the main editor's
    if (mainComp != nullptr && mainComp->getWidth() != getWidth())
        setSize (mainComp->getWidth(), getHeight());
}
