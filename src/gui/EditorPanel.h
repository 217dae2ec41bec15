#pragma once

#include "gui/CorButton.h"
#include "gui/EditSurface.h"
#include "gui/HorScrollClass.h"

class MorvexAudioProcessor;

/** The front panel's frame under the application bar: the edit surface, a scroller for when the
    surface is wider than the window, and the zoom handle at the bottom-right corner. Its layout
    follows each resize after a short delay, so a host resizing the window continuously lays it
    out once it settles. */
class EditorPanel : public juce::Component,
                    public juce::ChangeListener,
                    private juce::Timer
{
public:
    static constexpr int layoutDelayMs = 10;
    static constexpr int scrollerHeight = ScrollTrack::thickness;
    /** An arrow of the scroller moves an eighth of what is in view. */
    static constexpr int arrowStepsPerView = 8;
    /** One notch of a mouse wheel (a delta of about 0.2) moves about a tenth of what is in view. */
    static constexpr float wheelShare = 0.5f;

    EditorPanel (MorvexAudioProcessor& processor, float zoom);
    ~EditorPanel() override;

    EditSurface& getSurface() noexcept   { return *surface; }
    HorScrollClass& getScroller() noexcept { return scroller; }
    CorButton& getZoomHandle() noexcept  { return zoomHandle; }

    void setZoom (float z);
    float getZoom() const noexcept { return surface->getZoom(); }

    /** Lays out the handle, the surface and the scroller for the panel's size now. */
    void layoutPanel();
    /** Scrolls so that panel unit x sits at the left edge (as far as the scroller reaches). */
    void scrollTo (int x);

    void resized() override;
    void mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails&) override;
    void changeListenerCallback (juce::ChangeBroadcaster*) override;

private:
    void timerCallback() override;
    void placeSurface();

    MorvexAudioProcessor& processor;
    HorScrollClass scroller;
    CorButton zoomHandle;
    std::unique_ptr<EditSurface> surface;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (EditorPanel)
};
