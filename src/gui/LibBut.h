#pragma once

#include "gui/LibButListener.h"
#include "gui/OwnListeners.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** The librarian panels' button: a dark body with its right end cap and a light caption. It acts
    on the press, not the release, and reports the pointer entering and leaving so a panel can
    show the help text in its status line. */
class LibBut : public juce::Component
{
public:
    static constexpr int bodyWidth = 100, bodyHeight = 24, capWidth = 5;

    LibBut (const juce::String& caption, int id, float captionHeight);

    int getId() const noexcept { return id; }
    const juce::String& getCaption() const noexcept { return caption; }
    void setCaption (const juce::String& text);
    const juce::String& getHelpText() const noexcept { return helpText; }
    void setHelpText (const juce::String& text) { helpText = text; }

    void addListener (LibButListener* listener)    { listeners.add (listener); }
    void removeListener (LibButListener* listener) { listeners.remove (listener); }

    void paint (juce::Graphics&) override;
    void mouseEnter (const juce::MouseEvent&) override;
    void mouseExit (const juce::MouseEvent&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;

private:
    OwnListeners<LibButListener> listeners;
    juce::String helpText, caption;
    const int id;
    const float captionHeight;
    juce::Image body, endCap;
    bool hover = false, pressed = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (LibBut)
};
