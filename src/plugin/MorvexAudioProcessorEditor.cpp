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

    // The window opens where the user is working: the screen under the pointer that asked for it.
    auto screen = juce::Rectangle<int> (1920, 1080);
    const auto& displays = juce::Desktop::getInstance().getDisplays();
    const auto pointer = juce::Desktop::getInstance().getMainMouseSource().getScreenPosition().roundToInt();
    if (auto* display = displays.getDisplayForPoint (pointer))
        screen = display->userArea;
    else if (auto* primary = displays.getPrimaryDisplay())
        screen = primary->userArea;

    auto& settings = p.getEngine().getSettings();
    const auto opening = initialSize (settings.getInt (SettingsBlock::windowWidthOffset),
                                      settings.getInt (SettingsBlock::windowHeightOffset),
                                      (float) settings.getInt (SettingsBlock::editorScaleOffset) / 1000.0f,
                                      screen.getWidth(), screen.getHeight());
    settings.setInt (SettingsBlock::editorScaleOffset, (int) (opening.zoom * 1000.0f));
    const juce::Point<int> size (opening.width, opening.height);
    mainComp = std::make_unique<MainComp> (p, size.x, size.y);
    mainComp->addChangeListener (this);
    addAndMakeVisible (*mainComp);
    addAndMakeVisible (*corner);
    corner->setAlwaysOnTop (true);
    setSize (size.x, size.y);
    addMouseListener (this, true);
}

void MorvexAudioProcessorEditor::mouseEnter (const juce::MouseEvent&)
{
    if (tooltips == nullptr)
        tooltips = std::make_unique<juce::TooltipWindow> (this);
}

void MorvexAudioProcessorEditor::mouseMove (const juce::MouseEvent& e)
{
    mouseEnter (e);
}

EditorLayout::Opening MorvexAudioProcessorEditor::initialSize (int storedWidth, int storedHeight, float storedZoom,
                                                              int screenWidth, int screenHeight) noexcept
{
    if (storedWidth < 100 || storedHeight < 100)
        return EditorLayout::firstOpening (screenWidth, screenHeight);

    // A size stored on a larger screen would open the window partly out of reach.
    EditorLayout::Opening o;
    o.width = juce::jlimit (minWidth, maxWidth, juce::jmin (storedWidth, juce::jmax (minWidth, screenWidth)));
    o.height = juce::jlimit (minHeight, maxHeight, juce::jmin (storedHeight, juce::jmax (minHeight, screenHeight)));
    o.zoom = juce::jlimit (EditorLayout::minZoom, EditorLayout::maxZoom, storedZoom);
    return o;
}

MorvexAudioProcessorEditor::~MorvexAudioProcessorEditor()
{
    removeMouseListener (this);
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
