#include "gui/EditorPanel.h"
#include "plugin/MorvexAudioProcessor.h"

EditorPanel::EditorPanel (MorvexAudioProcessor& p, float zoom) : processor (p)
{
    auto& table = processor.getEngine().getParTable();
    table.buildLayout();
    table.buildSections();

    scroller.setMaximum (EditSurface::unitWidth);
    addAndMakeVisible (scroller);
    scroller.addChangeListener (this);

    zoomHandle.setSize (CorButton::width, CorButton::height);
    addAndMakeVisible (zoomHandle);

    surface = std::make_unique<EditSurface> (processor, zoom);
    addAndMakeVisible (*surface);
    surface->toBack();
}

EditorPanel::~EditorPanel()
{
    stopTimer();
    scroller.removeChangeListener (this);
}

void EditorPanel::setZoom (float z)
{
    if (! juce::approximatelyEqual (z, surface->getZoom()))
        surface->setZoom (z);
}

void EditorPanel::resized()
{
    if (getWidth() >= 100)
    {
        auto& settings = processor.getEngine().getSettings();
        settings.setInt (SettingsBlock::panelWidthOffset, getWidth());
        settings.setInt (SettingsBlock::panelHeightOffset, getHeight());
    }
    startTimer (layoutDelayMs);
}

void EditorPanel::timerCallback()
{
    stopTimer();
    layoutPanel();
}

void EditorPanel::layoutPanel()
{
    stopTimer();
    const auto w = getWidth(), h = getHeight();
    const auto z = surface->getZoom();
    const auto surfaceWidth = juce::roundToInt ((float) EditSurface::unitWidth * z);
    const auto fullHeight = (float) EditSurface::unitHeight * z;

    zoomHandle.setBounds (w - 50, h - 14, 50, 14);
    zoomHandle.setPanelHeight (h);
    zoomHandle.setAlwaysOnTop (true);
    zoomHandle.setVisible (true);

    surface->setBounds (0, 0, surfaceWidth, (float) (h - 14) < fullHeight ? h - 15 : juce::roundToInt (fullHeight));

    if (w >= surfaceWidth)
    {
        scroller.setVisible (false);
        scroller.setPosition (0);
    }
    else
    {
        // the scroller's positions are panel units: at the end of its travel the panel's right
        // edge meets the window's
        const auto visible = (int) ((float) w / z);
        scroller.setMaximum (juce::jmax (0, (int) std::ceil ((float) EditSurface::unitWidth - (float) w / z)));
        scroller.setVisibleAmount (visible);
        scroller.setStep (visible / arrowStepsPerView);
        scroller.setBounds (0, h - scrollerHeight, w - 52, scrollerHeight);
        scroller.setAlwaysOnTop (true);
        scroller.setVisible (true);
    }
    placeSurface();
}

void EditorPanel::scrollTo (int x)
{
    // with the whole panel in view there is nothing to scroll, now or after a later resize
    if (! scroller.isVisible())
        x = 0;
    scroller.setPosition (x, juce::sendNotificationSync);
    placeSurface();
}

void EditorPanel::placeSurface()
{
    const auto x = scroller.isVisible() ? scroller.getPosition() : 0;
    surface->setTopLeftPosition (-juce::roundToInt (surface->getZoom() * (float) x), 0);
}

void EditorPanel::mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails& wheel)
{
    // the panel is wide and short: either direction of the wheel moves it sideways
    if (! scroller.isVisible())
        return;
    const auto delta = std::abs (wheel.deltaX) > std::abs (wheel.deltaY) ? wheel.deltaX : wheel.deltaY;
    const auto units = juce::roundToInt (delta * (wheel.isReversed ? -1.0f : 1.0f) * (float) getWidth() / surface->getZoom() * wheelShare);
    if (units == 0)
        return;
    scroller.setPosition (scroller.getPosition() - units, juce::sendNotificationSync);
    placeSurface();
}

void EditorPanel::changeListenerCallback (juce::ChangeBroadcaster* source)
{
    if (source == &scroller)
        placeSurface();
}
