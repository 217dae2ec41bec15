#pragma once

#include "groups/ProgramFinder.h"

#include <juce_gui_basics/juce_gui_basics.h>

class MorvexAudioProcessor;
class MidiCntrState;

/** The program finder: a panel over the whole editor in which the user picks a stored program
    by typing the beginning of its name with Alt held, walks the matches with Up and Down and
    selects with Right (stays open) or Return (closes). Escape or a click anywhere closes it
    without selecting. Closing is a change message; the owner deletes the panel on it.

    The panel has the keys itself; its two text fields only show what the finder holds. */
class ContainerClass : public juce::Component,
                       public juce::ChangeBroadcaster
{
public:
    static constexpr int fieldHeight = 32, numberWidth = 50, searchWidth = 320, searchOffset = 60;
    /** Rows keep this far from the panel's top and bottom. */
    static constexpr int rowMargin = 36;
    /** A row's category and number, from the start of its name. */
    static constexpr int categoryOffset = 310, numberOffset = -59;
    static constexpr juce::uint32 backgroundColour = 0xcc000000;

    explicit ContainerClass (MorvexAudioProcessor& processor);
    ~ContainerClass() override;

    const ProgramFinder& getFinder() const noexcept { return finder; }
    juce::TextEditor& getNumberField() noexcept { return numberField; }
    juce::TextEditor& getSearchField() noexcept { return searchField; }

    /** Selects the program the number field names on the instrument; nothing when it names none. */
    void selectProgram();

    /** The fields' places for the panel's size. */
    juce::Rectangle<int> numberBounds() const noexcept;
    juce::Rectangle<int> searchBounds() const noexcept;

    bool keyPressed (const juce::KeyPress& key) override;
    bool keyStateChanged (bool isKeyDown) override;
    void mouseDown (const juce::MouseEvent&) override;
    void paint (juce::Graphics&) override;
    void resized() override;
    void visibilityChanged() override;
    void parentHierarchyChanged() override;

private:
    /** The fields and the rows follow the finder. */
    void refresh();
    void takeFocus();
    void paintHelp (juce::Graphics&) const;
    void paintRows (juce::Graphics&) const;
    void paintName (juce::Graphics&, const ProgramFinder::Entry&, juce::Rectangle<int> area, float alpha) const;

    MidiCntrState& engine;
    ProgramFinder finder;
    juce::TextEditor numberField { "keynum" }, searchField { "search" };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ContainerClass)
};
