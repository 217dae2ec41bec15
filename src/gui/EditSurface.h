#pragma once

#include "gui/ProgrammerKey.h"
#include "gui/SevenSeg.h"
#include "gui/StsCont.h"

class MorvexAudioProcessor;
class MidiCntrState;
class Envel;

/** The drawing of the instrument's front panel with a control for every panel parameter of the
    current program and the programmer's three-digit display. Everything scales with one zoom
    factor; the printing is rendered once per size, so painting is a single image copy. */
class EditSurface : public juce::Component,
                    public juce::ChangeListener
{
public:
    static constexpr int unitWidth = 1764, unitHeight = 330;

    EditSurface (MorvexAudioProcessor& processor, float zoom);
    ~EditSurface() override;

    /** Changes the zoom: the surface takes 1764 × 330 units × z. */
    void setZoom (float z);
    float getZoom() const noexcept { return zoom; }

    /** An edit that arrived from elsewhere: every control of parameter p shows v (clamped), and
        the envelope graph follows for 43..50. Only sections 1..14 are shown; nothing is stored
        or sent. */
    void showParameter (int p, int v);
    /** The whole current program anew: parameters 0..99 and the program display. */
    void refreshAll();
    /** While `graph` is being dragged, its four stages become the four knobs of its section:
        stored, reported to the host and sent. */
    void takeEnvelope (Envel& graph);
    /** Marks every control whose value differs from the stored program's. */
    void updateMarks();

    const juce::OwnedArray<StsCont>& getControls() const noexcept { return controls; }
    /** The first control of parameter p, or null. */
    StsCont* getControl (int p) const noexcept;
    SevenSeg& getProgramDisplay() noexcept { return programDisplay; }
    /** The programmer's key k (PanelLegend's order: PRESET .. GLOBALS, GROUP and BANK SELECT, 1..8). */
    ProgrammerKey& getProgrammerKey (int k) noexcept { return *programmerKeys[juce::jlimit (0, programmerKeys.size() - 1, k)]; }

    void paint (juce::Graphics&) override;
    void resized() override;
    void changeListenerCallback (juce::ChangeBroadcaster*) override;

private:
    void updateEnvelope (int p, int v);
    void renderBackground();

    MorvexAudioProcessor& processor;
    MidiCntrState& engine;
    float zoom;
    juce::Image texture, background;
    juce::OwnedArray<StsCont> controls;
    SevenSeg programDisplay;
    juce::OwnedArray<ProgrammerKey> programmerKeys;
    Envel* takingFrom = nullptr;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (EditSurface)
};
