#pragma once

#include "gui/LibBut.h"
#include "gui/MenuChoice.h"
#include "gui/Plugin_File.h"
#include "gui/SimpleLabel.h"
#include "gui/TextInputCont.h"
#include "gui/TextSetCurCont.h"
#include "librarian/FileMan.h"
#include "plugin/SafeFile.h"

#include <functional>
#include <memory>

class MorvexAudioProcessor;

/** The plug-in preset bank's panel in the library window: the 40 presets the host knows as the
    plug-in's programs, with loading, saving, renaming and storing the sound being edited into a
    preset. It owns no data: it reads and changes the processor's bank, current preset and edit
    buffer. */
class Plugin_Bank : public juce::Component,
                    public LibButListener,
                    public textmsgListener,
                    public PlugFileListener,
                    public textSetCurListener,
                    public juce::ChangeBroadcaster
{
public:
    enum ButtonId { doneId = 1201, renameId = 1203, applyId = 1206, saveId = 1209, loadId = 1211, setCurrentId = 1316 };

    Plugin_Bank (MorvexAudioProcessor& processor, FileMan::Chooser chooser);
    ~Plugin_Bank() override;

    /** Shows the processor's current preset as selected, first in view, without making it current
        again. */
    void selectCurrentPreset();
    /** SET CURRENT: the sound being edited, with the name typed, into the preset chosen. */
    void openSetCurrent();
    /** Up and Down: the previous or next preset becomes current; the list does not scroll. */
    void moveSelection (int delta);

    // menus, as the LOAD and SAVE buttons show them, and their choices
    juce::PopupMenu makeLoadMenu() const;
    juce::PopupMenu makeSaveMenu() const;
    void loadMenuChosen (int id);
    void saveMenuChosen (int id);

    Plugin_File& getList() noexcept             { return list; }
    LibBut& getButton (int id) noexcept;
    const juce::String& getStatus() const noexcept { return status.getText(); }
    TextInputCont* getRenameBox() const noexcept { return renameBox.get(); }
    TextSetCurCont* getSetCurrentBox() const noexcept { return setCurrentBox.get(); }

    /** Picks menu items instead of the user (tests). */
    MenuChoice::Chooser chooseFromMenu;
    /** How a file the user saves is written: whole or not at all (tests make it fail). */
    std::function<bool (const juce::File&, const void*, size_t)> writeFile = SafeFile::replaceWith;
    /** A double-click in the list asks for what DONE does. */
    std::function<void()> onDone;

    void resized() override;
    void paint (juce::Graphics&) override;

    void libButClicked (LibBut* button, int id) override;
    void libButEntered (LibBut* button, int id) override;
    void libButLeft (LibBut* button, int id) override;
    void textOk (int requestCode, int requestValue) override;
    void textNo (int, int) override {}
    void textCancel (int requestCode, int requestValue) override;
    void plugFileEvent (int eventCode, int value) override;
    void plugFileDoubleClicked() override;
    void setCurOk (int slotIndex) override;
    void setCurCancel() override;

private:
    void updateButtons();
    void presetsReplaced();
    void writeUserFile (const juce::MemoryBlock& bytes);
    juce::String presetName (int index) const;
    int currentPreset() const;

    MorvexAudioProcessor& processor;
    MidiCntrState& engine;
    FileMan fileMan;
    Plugin_File list;
    LibBut loadButton { "LOAD", loadId, 12.0f }, saveButton { "SAVE", saveId, 12.0f },
           renameButton { "RENAME", renameId, 12.0f }, setCurrentButton { "SET CURRENT", setCurrentId, 12.0f },
           doneButton { "DONE", doneId, 12.0f };
    SimpleLabel status { 15.0f, juce::Font::plain, juce::Justification::centredLeft };
    std::unique_ptr<TextInputCont> renameBox;
    std::unique_ptr<TextSetCurCont> setCurrentBox;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Plugin_Bank)
};
