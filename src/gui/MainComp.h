#pragma once

#include "gui/AboutPanel.h"
#include "gui/AppBar.h"
#include "gui/BankComp.h"
#include "gui/EditBar.h"
#include "gui/EditorLayout.h"
#include "gui/EditorPanel.h"
#include "gui/GridListener.h"
#include "gui/MIDI_Setup.h"
#include "gui/MIDI_SetupListener.h"
#include "gui/MenuChoice.h"
#include "gui/NativeFileChooser.h"
#include "gui/ProgBar.h"
#include "gui/stsbutListener.h"
#include "gui/ContainerClass.h"
#include "gui/Lib_Manager_Win.h"
#include "gui/WriteSnd.h"
#include "gui/winToolListener.h"
#include "keyboard/KeyBrd.h"
#include "keyboard/KeyPlayListener.h"
#include "groups/ProgrammerKeys.h"
#include "librarian/FileMan.h"
#include "midi/stateListener.h"
#include "model/ProgramSysex.h"
#include "plugin/SafeFile.h"

#include <functional>
#include <optional>

class MorvexAudioProcessor;
class MidiCntrState;

/** The root of the editor: the application bar, the front panel's areas and the overlays opened
    over them. It is the one place where the engine's events become screen updates, keys become
    shortcuts and clicks become commands. Everything here runs on the message thread. */
class MainComp : public juce::Component,
                 public juce::ChangeListener,
                 public juce::ChangeBroadcaster,
                 public stateListener,
                 public KeyPlayListener,
                 public winToolListener,
                 private juce::Timer,
                 public MIDI_SetupListener,
                 public stsbutListener,
                 public GridListener,
                 private juce::AsyncUpdater
{
public:
    /** Who has the keys: 0 the front panel, or the overlay on top. */
    enum PanelCode
    {
        frontPanel = 0, groupManagerPanel = 103, writePanelCode = 105, aboutPanelCode = 108,
        libraryListPanel = 110, presetListPanel = 111
    };

    /** Translated key codes. */
    enum Key
    {
        keyReturn = 13, keyEscape = 27, keyLeft = 28, keyRight = 29, keyUp = 30, keyDown = 31,
        keyF1 = 200, keyF5 = 204, keyF6 = 205, keyF7 = 206, keyF8 = 207, keyF12 = 211
    };

    static constexpr int barHeight = EditorLayout::barHeight;
    static constexpr int panelBaseHeight = EditorLayout::panelBaseHeight;
    static constexpr int editBarHeight = EditorLayout::editBarHeight;
    static constexpr int keyboardBaseHeight = EditorLayout::keyboardBaseHeight;
    static constexpr int aboutAutoCloseMs = 2000;
    /** How often a running transfer's count and time left are refreshed. */
    static constexpr int paceIntervalMs = 250;
    static constexpr const char* versionText = "1.4.0";

    /** Builds the editor at the given size (the window's), on the message thread. */
    MainComp (MorvexAudioProcessor& processor, int width, int height);
    ~MainComp() override;

    // --- layout
    void resized() override;
    void paint (juce::Graphics&) override;
    /** The front panel's zoom (0.5 .. 1.0) and the keyboard's own scale. */
    float getZoom() const noexcept { return zoom; }
    float getKeyboardScale() const noexcept { return keyboardScale; }
    juce::Rectangle<int> getEditorPanelBounds() const noexcept { return editorPanelBounds; }
    juce::Rectangle<int> getEditBarBounds() const noexcept { return editBarBounds; }
    juce::Rectangle<int> getKeyboardBounds() const noexcept { return keyboardBounds; }
    /** The zoom handle dragged to a panel height of v pixels. */
    void zoomHandleMoved (int v);
    /** A new front-panel zoom (kept within 0.5 .. 1), stored and laid out. */
    void setZoom (float z);

    // --- overlays and commands
    int getActivePanel() const noexcept { return activePanel; }
    bool isAboutOpen() const noexcept { return aboutPanel != nullptr; }
    /** The MIDI setup window while it is open, else null. */
    MIDI_Setup* getMidiSetup() const noexcept { return midiSetup.get(); }
    AboutPanel* getAboutPanel() const noexcept { return aboutPanel.get(); }
    void toggleAbout (int autoCloseMs);
    void toggleGroupManager();
    bool isGroupManagerOpen() const noexcept { return groupManagerOpen; }
    BankComp& getGroupManager() noexcept { return *groupManager; }
    juce::Rectangle<int> getGroupManagerBounds() const noexcept { return groupManagerBounds; }
    void toggleWritePanel();
    WriteSnd* getWritePanel() const noexcept { return writePanel.get(); }
    void toggleMidiSetup();
    void showLibraryWindow();
    void hideLibraryWindow();
    Lib_Manager_Win* getLibraryWindow() const noexcept { return libraryWindow.get(); }
    void openProgramFinder();
    ContainerClass* getProgramFinder() const noexcept { return finder.get(); }
    /** The EDIT menu's "Select Program by Name". */
    static constexpr int findProgramId = 1315;
    /** The EDIT menu's undo and redo. */
    static constexpr int undoId = 1316, redoId = 1317;
    void undo();
    void redo();
    void toggleCompare();
    /** The current program to the instrument's edit buffer; the status line says whether it went. */
    void sendCurrentProgram();
    void receiveCurrentProgram();
    /** Scrolls the front panel to stored section position n (F1..F4, the PARAM menu). */
    void scrollToSection (int n);
    /** The programmer's key k pressed (PanelLegend's order): the program keys select as the
        instrument's do; PRESET, RECORD, FACTORY and GLOBALS open the group manager, the write
        panel, the group manager on a factory group and the GLOBALS panel. */
    void programmerKeyPressed (int k);
    const ProgrammerKeys& getProgrammerKeys() const noexcept { return programmerKeys; }

    // --- group transfers: they run in the engine; the editor shows them and can cancel them
    /** `sourceGroup`: the group a one-group transmission writes (the current one when -1). */
    void startTransfer (int kind, int group, int sourceGroup = -1);
    /** CANCEL: the engine stops the transfer, keeping what arrived. */
    void endTransfer();
    /** The transfer's end as the engine reports it: a report of slots that never answered, or a
        notice of how many programs arrived. */
    void transferEnded();
    ProgBar* getProgressBar() const noexcept { return progress.get(); }

    // --- menus: built when needed; `chooseFromMenu`, when set, picks the item instead of the user
    // (tests), otherwise the menu is shown at its anchor.
    MenuChoice::Chooser chooseFromMenu;
    void showFileMenu();
    void showEditMenu();
    void showParamMenu();
    void showSendMenu();
    void showModelMenu();
    void showChannelMenu();
    /** The zoom percentage's menu: 50, 75 and 100 % and the zoom that fits the window. */
    void showZoomMenu();
    void zoomMenuChosen (int id);
    juce::PopupMenu makeZoomMenu() const;
    static constexpr int fitZoomId = 1;
    void fileMenuChosen (int id);
    void editMenuChosen (int id);
    void paramMenuChosen (int id);
    void sendMenuChosen (int id);
    void modelMenuChosen (int id);
    void channelMenuChosen (int id);
    juce::PopupMenu makeEditMenu() const;
    juce::PopupMenu makeSendMenu();
    juce::PopupMenu makeFileMenu() const;
    static juce::PopupMenu makeParamMenu();
    /** The model and channel menus tick the current choice. */
    juce::PopupMenu makeModelMenu() const;
    juce::PopupMenu makeChannelMenu() const;
    bool isClipboardFilled() const noexcept { return clipboard.has_value(); }

    // --- files: `chooseFile`, when set, answers the file dialogs instead of the user (tests)
    FileMan::Chooser chooseFile;
    /** How the editor writes a file the user saves: whole or not at all (tests make it fail). */
    std::function<bool (const juce::File&, const void*, size_t)> writeFile = SafeFile::replaceWith;
    void loadProgramFile();
    void saveProgramFile();
    /** The group manager's command, as its change message carries it. */
    void groupManagerCommand (int command);
    void groupFileMenuChosen (int id);
    void presetMenuChosen (int id, int group);

    /** A short message on the status line, which then goes back to what it said. */
    void showNotice (const juce::String& text);

    AppBar& getAppBar() noexcept { return *appBar; }
    EditBar& getEditBar() noexcept { return *editBar; }
    EditorPanel& getEditorPanel() noexcept { return *editorPanel; }
    KeyBrd& getKeyboard() noexcept { return *keyboard; }
    /** The instrument's state as the keyboard's status line shows it. */
    const juce::String& getStatusText() const noexcept { return statusText; }

    // --- engine events
    /** What an event code asks of the editor. */
    struct EventAction
    {
        enum Kind
        {
            none, pitchWheel, modWheel, parameter, programChanged, online, offline, transferEnded,
            transferProgress, groupsChanged, presetChanged, velocityShown, octaveShown, openFinder, hostThruDropped,
            writeChecked, channelChanged, programReceived, notSent
        };
        Kind kind = none;
        int a = 0, b = 0;

        bool operator== (const EventAction& o) const noexcept { return kind == o.kind && a == o.a && b == o.b; }
    };
    static EventAction decode (int32_t code) noexcept;
    /** Handles the codes in order, as the asynchronous update does with what the engine queued. */
    void handleEvents (const std::vector<int32_t>& codes);

    // --- keys: the keyboard strip's key player has them; what reaches the editor itself goes there
    bool keyPressed (const juce::KeyPress& key) override;
    bool keyStateChanged (bool isKeyDown) override;
    void parentHierarchyChanged() override;

    // --- listener callbacks
    void engineStateChanged() override;
    bool keyPlayed (int panelCode, int key, bool shift, bool alt, bool ctrl) override;
    void windowTool (juce::Component* window, int tool) override;
    void midiSetupAction (int code, int value) override;
    void stsButtonClicked (StsBut* button, int id) override;
    void gridEvent (StsGrid* grid, int group, int program, int event) override;
    void changeListenerCallback (juce::ChangeBroadcaster* source) override;

private:
    void timerCallback() override;
    void showTransfer();
    void showTransferPace();
    void refreshStatusLine();
    /** COMPARE and the panel's marks follow the edits. */
    void showEdits();
    void closeProgress();
    void handleAsyncUpdate() override;
    /** Lays the window out, the zoom handle let go. */
    void layout();
    /** Places every area for the window's size and the zoom. */
    void arrange();
    void placeKeyboard (juce::Rectangle<int> area);
    void apply (const EventAction& action);
    void closeAbout();
    void closeMidiSetup();
    void closeGroupManager();
    void closeWritePanel();
    void closeProgramFinder();
    void placeWritePanel();
    /** WRITE: the program goes to the slot chosen on the write panel, which closes. */
    void writeProgram();
    /** A written program was asked back: says whether the instrument holds it. */
    void writeChecked();
    void reloadGroupManager();
    void sendProgram (const ProgramSysex::Record& record, StoredSource source = {});
    /** Selects program `index` of `group` as a click in the group manager's list does. */
    void selectProgramAt (int group, int index);
    /** The display and the keys' LEDs for the program in use or the entry under way. */
    void showProgrammer();
    bool overlaysBlocked() const noexcept;
    /** The group manager's copy of the front panel, while the manager shows it. */
    EditSurface* groupManagerPreview() const noexcept;
    void showProgramMenu (int group, int program);
    /** Saves one program to a file the user chooses, addressed to (group, index) when valid. */
    void saveProgram (const ProgramSysex::Record& record, int group, int index);
    /** Writes a file the user chose, and says whether it worked. */
    void writeUserFile (const std::vector<uint8_t>& bytes);
    void setActivePanel (int code);
    /** After a menu or an overlay closed: the keys go back to the key player, where the shortcuts
        and computer-key play are. */
    void keysToPlayer();
    void keyboardMoved();
    /** Keyboard x, y, width and height into the settings block (offsets 44..56). */
    void storeKeyboardPlace();
    void showMenu (const juce::PopupMenu& menu, juce::Component* anchor, std::function<void (int)> chosen);
    /** The record becomes the edit buffer; unless the caller sends it itself, the instrument
        follows when "Send Program Changes" is on. */
    void install (const ProgramSysex::Record& record, InstrumentSync::Origin origin = InstrumentSync::Origin::user,
                  StoredSource source = {});
    /** Deletes an overlay after the call that closed it has returned (it may be its own). */
    static void retire (std::unique_ptr<juce::Component> overlay);

    MorvexAudioProcessor& processor;
    MidiCntrState& engine;

    std::unique_ptr<BankComp> groupManager;
    bool groupManagerOpen = false, showingSelection = false;
    juce::Rectangle<int> groupManagerBounds;
    std::unique_ptr<EditorPanel> editorPanel;
    std::unique_ptr<AppBar> appBar;
    std::unique_ptr<EditBar> editBar;
    std::unique_ptr<KeyBrd> keyboard;
    std::unique_ptr<AboutPanel> aboutPanel;
    std::unique_ptr<MIDI_Setup> midiSetup;
    std::unique_ptr<ProgBar> progress;
    std::unique_ptr<WriteSnd> writePanel;
    std::unique_ptr<ContainerClass> finder;
    std::unique_ptr<Lib_Manager_Win> libraryWindow;
    /** What the report's action button does. */
    enum class ReportAction { retryFailed, writeAgain };
    ReportAction reportAction = ReportAction::retryFailed;
    std::optional<ProgramSysex::Record> clipboard;
    NativeFileChooser nativeFileChooser;
    /** Every file dialog of the editor and its windows: the test's answer, or the platform's. */
    void choose (const FileMan::Request& request, std::function<void (const juce::File&)> done)
    {
        if (chooseFile)
            chooseFile (request, std::move (done));
        else
            nativeFileChooser.choose (request, std::move (done));
    }
    FileMan fileMan { [this] (const FileMan::Request& r, std::function<void (const juce::File&)> done) { choose (r, std::move (done)); } };

    ProgrammerKeys programmerKeys;
    int activePanel = frontPanel;
    bool built = false;
    float zoom = 1.0f, keyboardScale = 1.0f;
    juce::Rectangle<int> editorPanelBounds, editBarBounds, keyboardBounds;
    juce::String statusText, notice;
    int noticeSerial = 0;
    std::vector<int32_t> events;
    juce::Image panelTexture, woodCheek;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MainComp)
};
