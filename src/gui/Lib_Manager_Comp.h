#pragma once

#include "gui/LibBut.h"
#include "gui/LibClass.h"
#include "gui/Plugin_Bank.h"
#include "gui/WinMovCan.h"
#include "keyboard/KeyPlayClass.h"

#include <memory>

class MorvexAudioProcessor;

/** The library window's content: a header that moves the window, two tabs choosing the PRESET
    BANK or the LIBRARY view, and the view chosen. The views are built on first use and kept, so
    the window opens where it was left. */
class Lib_Manager_Comp : public juce::Component,
                         public LibButListener,
                         public KeyPlayListener
{
public:
    static constexpr int libraryTabId = 1217, presetBankTabId = 1218, doneId = 1201;
    static constexpr int libraryPanelCode = 110, presetListPanelCode = 111;
    static constexpr int headerHeight = 20;

    Lib_Manager_Comp (MorvexAudioProcessor& processor, juce::Component& window, FileMan::Chooser chooser);
    ~Lib_Manager_Comp() override;

    void showPresetBank();
    void showLibrary();
    /** The window was opened: the preset bank follows the current preset and offers SET CURRENT. */
    void opened();
    /** Up and Down, for the view showing. */
    void moveSelection (int delta);
    /** DONE, Escape or a double-click: the window's close tool. */
    void close();

    bool isLibraryShowing() const noexcept { return libraryShowing; }
    const juce::String& getViewName() const noexcept { return viewName; }
    Plugin_Bank* getPresetBank() const noexcept { return presetBank.get(); }
    LibClass* getLibrary() const noexcept { return library.get(); }
    KeyPlayClass& getKeyPlayer() noexcept { return keyPlayer; }
    WinMovCan& getWindowTools() noexcept { return tools; }
    LibBut& getTab (int id) noexcept { return id == libraryTabId ? libraryTab : presetBankTab; }

    /** Menus the views show are picked here instead of by the user (tests). */
    MenuChoice::Chooser chooseFromMenu;

    void resized() override;
    void paint (juce::Graphics&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;
    void mouseMove (const juce::MouseEvent&) override;

    void libButClicked (LibBut* button, int id) override;
    void libButEntered (LibBut*, int) override {}
    void libButLeft (LibBut*, int) override {}
    bool keyPlayed (int panelCode, int key, bool shift, bool alt, bool ctrl) override;

private:
    void layoutViews();

    MorvexAudioProcessor& processor;
    juce::Component& window;
    const FileMan::Chooser chooser;
    juce::String viewName;
    KeyPlayClass keyPlayer;
    WinMovCan tools;
    std::unique_ptr<Plugin_Bank> presetBank;
    std::unique_ptr<LibClass> library;
    LibBut presetBankTab { "PRESET BANK", presetBankTabId, 12.0f }, libraryTab { "LIBRARY", libraryTabId, 12.0f };
    bool libraryShowing = false, dragging = false;
    juce::Point<int> dragStart, windowStart;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Lib_Manager_Comp)
};
