#pragma once

#include "gui/MenuChoice.h"
#include "model/GlobalSettings.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <vector>

class MidiCntrState;

/** The control for one global setting of the instrument on the GLOBALS panel. The value is not
    kept here: it is byte [index] of the engine's globals block, so a global dump from the
    instrument shows on the next repaint. An edit writes that byte and sends the global to the
    instrument through the engine. */
class GlbCont : public juce::Component
{
public:
    enum Kind
    {
        valueBox = 0,
        ledToggle = 1,
        knob = 3,
        toggleBox = 101
    };

    static constexpr int stripHeight = 18;
    static constexpr int ledZoneWidth = 25;
    static constexpr int toggleBoxWidth = 20;

    /** Takes its kind, maximum and rectangle from global `index`'s row of the globals table. */
    GlbCont (MidiCntrState& engine, int index);

    static Kind kindFor (GlobalSettings::Control control) noexcept;

    int getIndex() const noexcept   { return index; }
    Kind getKind() const noexcept   { return kind; }
    void setKind (Kind newKind);
    int getMaximum() const noexcept { return maximum; }
    void setMaximum (int newMaximum);

    /** Texts for the values 0, 1, … in place of the table's; values past the list have none. */
    void setValueTexts (const juce::StringArray& texts);
    juce::String valueText (int v) const;

    int getValue() const;
    /** A user's edit: clamped to [0, maximum], stored when it differs, and sent either way. */
    void setValue (int v);

    /** The value menu: (value + 1, text) for every value that has a text of its own. */
    struct MenuItem
    {
        int id;
        juce::String text;
        bool operator== (const MenuItem& o) const { return id == o.id && text == o.text; }
    };
    std::vector<MenuItem> menuItems() const;
    void menuChosen (int id);

    /** When set, picks the value menu's item instead of the user (0: dismissed). */
    MenuChoice::Chooser chooseFromMenu;
    /** Told however the value menu ended, so the keys can go back where they belong. */
    std::function<void()> onMenuClosed;

    /** The knob's film-strip frame, 0..60. */
    int knobFrame() const noexcept;

    void paint (juce::Graphics&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;
    void mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails&) override;

private:
    juce::Rectangle<int> toggleBoxArea() const noexcept;
    void showMenu();
    void paintValueBox (juce::Graphics& g);
    void paintLed (juce::Graphics& g);
    void paintKnob (juce::Graphics& g);
    void paintToggleBox (juce::Graphics& g);

    MidiCntrState& engine;
    const int index;
    Kind kind;
    int maximum;
    juce::StringArray ownTexts;
    bool hasOwnTexts = false;

    bool pressedInStrip = false, knobDragging = false;
    juce::Point<int> pressPosition;
    int valueAtPress = 0;

    juce::Image box, leds, knobStrip;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (GlbCont)
};
