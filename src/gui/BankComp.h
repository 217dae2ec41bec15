#pragma once

#include "gui/EditSurface.h"
#include "gui/StsBut.h"
#include "gui/StsGrid.h"
#include "gui/SwitchLED.h"
#include "gui/stsbutListener.h"

#include <array>
#include <memory>

class MorvexAudioProcessor;
class MidiCntrState;

/** The group manager: the mirror of the instrument's ten program groups, listed by group or by
    category, with the buttons that fill the groups from files, the instrument and the factory
    set. What a click asks of the editor goes out as a command code in a change message (the
    editor reads getCommand()); the OK button and the grid's events go to the editor directly. */
class BankComp : public juce::Component,
                 public juce::ChangeListener,
                 public stsbutListener,
                 public juce::ChangeBroadcaster
{
public:
    enum Command
    {
        noCommand = 0,
        groupChosen = 200,
        presetsMenu = 201,
        useLoadedToggled = 206,
        fileMenu = 890,
        midiMenu = 891
    };

    static constexpr int numGroups = 10;
    static constexpr int numCategoryButtons = 28;
    /** Categories past the instrument's twenty have no name, so their buttons stay hidden. */
    static constexpr int numShownCategories = 20;
    static constexpr int categoryColumns = 4;
    static constexpr int groupPitch = 36;
    static constexpr int categoryPitchX = 78, categoryPitchY = 36;
    static constexpr float previewZoom = 0.4f;

    /** Where everything goes for a given size; a pure function so the arithmetic can be checked
        without painting. An empty preview means the window is too small to show it. */
    struct Layout
    {
        std::array<juce::Rectangle<int>, numGroups> groups;
        std::array<juce::Rectangle<int>, numShownCategories> categories;
        juce::Rectangle<int> file, midi, presets, useLoaded, ok, grid, preview;
    };
    static Layout computeLayout (int width, int height);

    explicit BankComp (MorvexAudioProcessor& processor);
    ~BankComp() override;

    /** The manager is being shown: it lists the current group with the current program selected
        (which the grid reports like any selection), and the front-panel preview is built the
        first time. Call after layoutFor, so the selection can be scrolled into view. */
    void opened();
    /** Places the children for the area the editor gives the manager. */
    void layoutFor (int width, int height);
    /** The groups, the current program or the grid's mode changed from outside: the list, the
        lit group or category and the preview follow. */
    void refresh();
    /** Lights the "Use Loaded Data" switch as the engine's flag stands. */
    void showUseLoaded (bool on);

    /** The last command posted. */
    int getCommand() const noexcept { return command; }

    StsGrid& getGrid() noexcept                 { return grid; }
    StsBut& getGroupButton (int k) noexcept     { return *groupButtons[(size_t) k]; }
    StsBut& getCategoryButton (int n) noexcept  { return *categoryButtons[(size_t) n]; }
    StsBut& getFileButton() noexcept            { return fileButton; }
    StsBut& getMidiButton() noexcept            { return midiButton; }
    StsBut& getPresetsButton() noexcept         { return presetsButton; }
    StsBut& getOkButton() noexcept              { return okButton; }
    SwitchLED& getUseLoadedSwitch() noexcept    { return useLoaded; }
    /** The front-panel preview; null until the manager is first opened. */
    EditSurface* getPreview() const noexcept    { return preview.get(); }

    void paint (juce::Graphics&) override;
    void stsButtonClicked (StsBut* button, int id) override;
    void changeListenerCallback (juce::ChangeBroadcaster* source) override;

private:
    void post (int code);
    void showMode();

    MorvexAudioProcessor& processor;
    MidiCntrState& engine;

    std::array<std::unique_ptr<StsBut>, numGroups> groupButtons;
    std::array<std::unique_ptr<StsBut>, numCategoryButtons> categoryButtons;
    StsBut fileButton { "FILE", fileMenu }, midiButton { "MIDI", midiMenu }, presetsButton { "PRESETS", presetsMenu };
    StsBut okButton { "OK", 1111 };
    SwitchLED useLoaded { "Use Loaded Data" };
    StsGrid grid;
    std::unique_ptr<EditSurface> preview;
    Layout placed;
    int command = noCommand;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (BankComp)
};
