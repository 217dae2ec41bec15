#pragma once

#include "gui/ButtonLook.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** What the editor's two text buttons (StsBut, StBut) share: a caption, an id, a style, the body
    artwork chosen by the height, and the hover, pressed and latched states. How they paint their
    captions and whom they tell of a click is their own. */
class CaptionButton : public juce::Component,
                      public juce::SettableTooltipClient
{
public:
    /** Places the button; the height picks the artwork. Styles 0 and 2 go back to their default
        caption. */
    void place (int x, int y, int width, int height);

    int getId() const noexcept { return id; }
    const juce::String& getCaption() const noexcept { return caption; }
    void setCaption (const juce::String& text);
    void setFontSize (float size);
    void setFillColour (juce::Colour colour);
    void setLatched (bool on);
    bool isLatched() const noexcept { return latched; }

    void mouseEnter (const juce::MouseEvent&) override;
    void mouseExit (const juce::MouseEvent&) override;

protected:
    CaptionButton (const juce::String& caption, int id, int style);

    /** Styles 0 and 2 placed: their captions go back to the defaults. */
    virtual void resetCaption() { fontSize = 12.0f; }

    ButtonLook::State state() const noexcept { return { hover, pressed, latched }; }
    /** A release that counts as a click: the button was pressed and the pointer is on it (edges
        included). Clears the pressed state. */
    bool releasedInside (const juce::MouseEvent& e);

    juce::String caption;
    const int id, style;
    float fontSize = 12.0f;
    juce::Colour fill { 0xff3a3a3a };
    juce::Image body;
    bool hover = false, pressed = false, latched = false;
};
