#pragma once

#include "gui/CatContainer.h"
#include "gui/LibBut.h"
#include "gui/MenuChoice.h"
#include "gui/SimpleLabel.h"
#include "gui/StsFile.h"
#include "gui/TextInputCont.h"
#include "librarian/FileMan.h"
#include "librarian/LibraryModel.h"
#include "plugin/SafeFile.h"

#include <functional>
#include <memory>

class MidiCntrState;
class MorvexAudioProcessor;

/** The program library's panel in the library window: the list of the library's programs, the
    category chooser, the buttons and the prompts. The library and every rule of its commands are
    the model's; this panel asks the user, hands the answers to the model and shows the result.
    Selecting a program makes it the current program at once. */
class LibClass : public juce::Component,
                 public LibButListener,
                 public textmsgListener,
                 public StsFileListener,
                 public CatListener
{
public:
    enum ButtonId
    {
        doneId = 1201, renameId = 1203, deleteId = 1204, clearAllId = 1205, applyId = 1206,
        addCurrentId = 1207, saveId = 1209, loadId = 1319
    };

    /** The prompts' request codes and types, handed back by the overlay's buttons. */
    enum Request { alreadyExists = 0, mergeRequest = 256, clearRequest = 768, deleteRequest = 1024,
                   renameRequest = 1280, addRequest = 1536 };
    enum RequestType { plainType = 0, appendType = 5, saveFirstType = 6 };

    /** The LOAD menu's items. */
    enum LoadItem { fromLibraryFile = 1, fromGroupFile = 2, fromGroupBase = 10, fromPresetBank = 20 };

    LibClass (MorvexAudioProcessor& processor, FileMan::Chooser chooser);
    ~LibClass() override;

    /** Reads the default library file; the library is written back to it when the panel goes. */
    void loadDefaultLibrary();
    /** Up (-1) and Down (+1): the neighbouring row becomes selected and current. */
    void moveSelection (int delta);

    juce::PopupMenu makeLoadMenu() const;
    void loadMenuChosen (int item);

    LibraryModel& getModel() noexcept           { return model; }
    StsFile& getList() noexcept                 { return list; }
    CatContainer& getChooser() noexcept         { return chooser; }
    LibBut& getButton (int id) noexcept;
    TextInputCont* getPrompt() const noexcept   { return prompt.get(); }
    const juce::String& getStatus() const noexcept      { return status.getText(); }
    const juce::String& getFilterLabel() const noexcept { return filterLabel.getText(); }

    /** Picks menu items instead of the user (tests). */
    MenuChoice::Chooser chooseFromMenu;
    /** How a library file the user saves is written: whole or not at all. */
    std::function<bool (const juce::File&, const void*, size_t)> writeFile = SafeFile::replaceWith;
    /** A double-click in the list asks for what DONE does. */
    std::function<void()> onDone;

    void resized() override;
    void paint (juce::Graphics&) override;

    void libButClicked (LibBut* button, int id) override;
    void libButEntered (LibBut* button, int id) override;
    void libButLeft (LibBut* button, int id) override;
    void textOk (int requestCode, int requestType) override;
    void textNo (int requestCode, int requestType) override;
    void textCancel (int requestCode, int requestType) override;
    void stsFileEvent (int eventCode, int value) override;
    void stsFileDoubleClicked() override;
    void categoryChosen (int cell) override;

private:
    void showView();
    void updateButtons();
    void install (const LibraryModel::Record& record);
    void merged (LibraryModel::Merge result);
    /** The save dialog, the file written when confirmed, then `then` whatever the answer. */
    void saveLibrary (std::function<void()> then);
    void ask (const juce::String& text, const juce::String& fieldText, int category,
              const juce::String& okCaption, const juce::String& noCaption, const juce::String& cancelCaption,
              int requestCode, int requestType);

    MorvexAudioProcessor& processor;
    MidiCntrState& engine;
    FileMan fileMan;
    StsFile list;
    CatContainer chooser;
    SimpleLabel filterLabel { 15.0f, juce::Font::plain, juce::Justification::centredLeft };
    SimpleLabel status { 15.0f, juce::Font::plain, juce::Justification::centredLeft };
    LibBut loadButton { "LOAD", loadId, 12.0f }, saveButton { "SAVE", saveId, 12.0f },
           clearAllButton { "CLEAR ALL", clearAllId, 12.0f }, applyButton { "APPLY", applyId, 12.0f },
           renameButton { "RENAME", renameId, 12.0f }, deleteButton { "DELETE", deleteId, 12.0f },
           addCurrentButton { "ADD CURRENT", addCurrentId, 12.0f }, doneButton { "DONE", doneId, 12.0f };
    std::unique_ptr<TextInputCont> prompt;

    // Last, so it goes first: its destructor writes the default library file while the panel's
    // children are still there.
    LibraryModel model;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (LibClass)
};
