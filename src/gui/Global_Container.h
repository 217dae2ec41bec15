#pragma once

#include "gui/GlbCont.h"
#include "gui/Global_Listener.h"
#include "gui/OwnListeners.h"

class MidiCntrState;

/** The GLOBALS panel: the instrument's global settings, each with its control and label. An edit
    goes to the instrument at once (the controls send it); the close box asks the owner to close
    the panel. */
class Global_Container : public juce::Component
{
public:
    static constexpr int width = 600, height = 400;

    explicit Global_Container (MidiCntrState& engine);

    void addListener (Global_Listener* listener)    { listeners.add (listener); }
    void removeListener (Global_Listener* listener) { listeners.remove (listener); }

    const juce::OwnedArray<GlbCont>& getControls() const noexcept { return controls; }
    /** The close box, in the panel's coordinates. */
    juce::Rectangle<int> getCloseBox() const noexcept { return { getWidth() - 27, 9, 17, 16 }; }

    void paint (juce::Graphics&) override;
    void resized() override;
    void mouseDown (const juce::MouseEvent&) override;

private:
    void renderBackground();

    MidiCntrState& engine;
    juce::OwnedArray<GlbCont> controls;
    OwnListeners<Global_Listener> listeners;
    juce::Image closeBox, background;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Global_Container)
};
