#pragma once

#include "gui/Check_But.h"
#include "gui/Global_Container.h"
#include "gui/MIDI_SetupListener.h"
#include "gui/MIDI_Sync.h"
#include "gui/MenuChoice.h"
#include "gui/StsBut.h"
#include "gui/StsLabel.h"
#include "gui/stsbutListener.h"

class MidiCntrState;

/** Where the user connects the instrument: the MIDI ports, the engine's MIDI options, the SysEx
    buffer size, the latency, and a panel for the instrument's own global settings. Every choice
    goes to the listeners as an action code; the window shows what the editor fills in. */
class MIDI_Setup : public juce::Component,
                   public Global_Listener,
                   private juce::Timer,
                   public stsbutListener,
                   public juce::ChangeListener
{
public:
    static constexpr int okId = 1111, globalsId = 999;
    static constexpr int closeGlobalsDelayMs = 100;

    /** The options in the order of `getToggle`. */
    enum Toggle
    {
        clockToggle, automationToggle, hostThruToggle, inThruToggle, sendOnLoadToggle, sendChangesToggle,
        computerKeysToggle, numToggles
    };

    explicit MIDI_Setup (MidiCntrState& engine);
    ~MIDI_Setup() override;

    void addListener (MIDI_SetupListener* listener)    { listeners.add (listener); }
    void removeListener (MIDI_SetupListener* listener) { listeners.remove (listener); }

    // --- filled by the editor
    /** "NONE" followed by the device names, for each direction. */
    void setPortNames (const juce::StringArray& inputDevices, const juce::StringArray& outputDevices);
    void showInput (int entry, bool open);
    void showOutput (int entry, bool open);
    void setThirdEntry (int entry) noexcept { thirdEntry = entry; }
    void setToggles (bool clock, bool automation, bool hostThru, bool inThru, bool sendOnLoad, bool sendChanges,
                     bool computerKeys);
    void setStatus (const juce::String& text) { status.setText (text); }
    /** Outside a host (the standalone application) the options only a host gives a meaning to (the
        clock, program changes under automation, the host's MIDI passed on, the latency) are
        greyed and marked "in a host only". */
    void showHostOptions (bool inHost);
    bool areHostOptionsShown() const noexcept { return hostOptions; }
    /** Options with no meaning outside a host: the standalone app has no transport, no automation,
        and no MIDI of its own to pass on to the instrument or take from it. */
    static bool isHostOnly (Toggle t) noexcept
    {
        return t == clockToggle || t == automationToggle || t == hostThruToggle || t == inThruToggle;
    }
    /** The instrument's globals changed: the GLOBALS panel shows them anew. */
    void globalsChanged();

    const juce::StringArray& getInputNames() const noexcept  { return inputNames; }
    const juce::StringArray& getOutputNames() const noexcept { return outputNames; }
    int getInputEntry() const noexcept  { return inputEntry; }
    int getOutputEntry() const noexcept { return outputEntry; }
    bool isInputOpen() const noexcept  { return inputOpen; }
    bool isOutputOpen() const noexcept { return outputOpen; }
    Check_But& getToggle (Toggle t) noexcept { return *toggles[(size_t) t]; }
    StsLabel& getSysexLabel() noexcept  { return sysexLabel; }
    StsLabel& getStatusLabel() noexcept { return status; }
    juce::Label& getManualLabel() noexcept { return manualLabel; }
    StsBut& getOkButton() noexcept      { return okButton; }
    StsBut& getGlobalsButton() noexcept { return globalsButton; }
    MIDI_Sync& getSync() noexcept       { return sync; }
    /** The GLOBALS panel while it is open, else null. */
    Global_Container* getGlobals() const noexcept { return globals.get(); }

    static juce::Rectangle<int> frame() noexcept { return { 20, 30, 740, 240 }; }
    juce::Rectangle<int> inputBox() const noexcept  { return { 40, 70, 290, 24 }; }
    juce::Rectangle<int> outputBox() const noexcept { return { 40, 120, 290, 24 }; }
    static juce::String manualText();
    static juce::String sysexText (int choice) { return choice == 0 ? "256" : "SySex Size"; }

    /** One key of the computer-key drawing: the letter that plays it with Shift, and its note. */
    struct KeyLabel
    {
        juce::String letter, note;
        bool black = false;
    };
    /** The twelve keys of the drawing, C to B, as the engine plays them. */
    static std::array<KeyLabel, 12> keyAssignment();

    /** When set, picks the pop-up menus' items instead of the user (0: dismissed). */
    MenuChoice::Chooser chooseFromMenu;
    /** Called when one of the window's menus has closed, however it ended. */
    std::function<void()> onMenuClosed;

    void toggleGlobals();

    void paint (juce::Graphics&) override;
    void resized() override;
    void mouseDown (const juce::MouseEvent&) override;

    void globalPanelAction (int code) override;
    void stsButtonClicked (StsBut* button, int id) override;
    void changeListenerCallback (juce::ChangeBroadcaster* source) override;

private:
    void timerCallback() override;
    void tell (int code, int value);
    void showPortMenu (bool input);
    void showSysexMenu();
    void paintPortBox (juce::Graphics& g, const juce::String& caption, juce::Rectangle<int> box,
                       const juce::String& name, bool open) const;
    void paintKeyAssignment (juce::Graphics& g, juce::Rectangle<int> area) const;

    MidiCntrState& engine;
    juce::StringArray inputNames { "NONE" }, outputNames { "NONE" };
    int inputEntry = 0, outputEntry = 0, thirdEntry = 0;
    bool inputOpen = false, outputOpen = false;

    std::array<std::unique_ptr<Check_But>, numToggles> toggles;
    StsLabel sysexLabel { "256", 2 }, status;
    StsBut okButton { "OK", okId }, globalsButton { "GLOBALS", globalsId };
    juce::Label manualLabel { "glbLabel" };
    MIDI_Sync sync;
    bool hostOptions = true;
    std::unique_ptr<Global_Container> globals;
    OwnListeners<MIDI_SetupListener> listeners;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MIDI_Setup)
};
