#include "gui/LibClass.h"
#include "gui/GroupMenus.h"
#include "plugin/MorvexAudioProcessor.h"
#include "plugin/PluginChunks.h"
#include "plugin/SettingsFolder.h"

namespace
{
constexpr int listX = 20, listY = 10, rowHeight = 34, visibleRows = 15, listWidth = 334;
constexpr int buttonWidth = 100, buttonHeight = 34, buttonsFromRight = 120;
constexpr int chooserTop = 50, filterLabelHeight = 24;
constexpr int numGroups = 10;
}

LibClass::LibClass (MorvexAudioProcessor& p, FileMan::Chooser fileChooser)
    : processor (p), engine (p.getEngine()), fileMan (std::move (fileChooser)),
      model (p.getEngine().getSettingsFolder().getChildFile (SettingsFolder::libraryFileName))
{
    list.setRowHeight (rowHeight);
    list.setRowAreaWidth (listWidth - 32);
    list.setColumnWidths (50, 180);
    list.setBackgroundColour (juce::Colour (0xff373535));
    list.setRecordText ([this] (int record) -> LibListView::RowText
    {
        if (! juce::isPositiveAndBelow (record, model.size()))
            return {};
        const auto& r = model.records()[(size_t) record];
        return { LibraryModel::displayName (r), r[(size_t) LibraryModel::categoryOffset] };
    });
    list.addListener (this);
    addAndMakeVisible (list);

    chooser.addListener (this);
    addAndMakeVisible (chooser);

    const std::pair<LibBut*, const char*> buttons[] = {
        { &loadButton, "Load Library or Bank Files" },
        { &saveButton, "Save Library File" },
        { &clearAllButton, "Remove all items from Library" },
        { &applyButton, "Apply selected program and set as the current program" },
        { &renameButton, "Rename selected program in the Library" },
        { &deleteButton, "Delete selected program from the Library" },
        { &addCurrentButton, "Add the current program to the Library" },
        { &doneButton, "" },
    };
    for (const auto& [button, help] : buttons)
    {
        button->setHelpText (help);
        button->addListener (this);
        addChildComponent (button);
    }
    for (auto* b : { &loadButton, &addCurrentButton, &doneButton })
        b->setVisible (true);

    for (auto* label : { &filterLabel, &status })
    {
        label->setBackgroundColour (juce::Colours::transparentBlack);
        label->setTextColour (juce::Colour (0xffcebdbd));
        addAndMakeVisible (label);
    }

    setSize (500, 600);
    showView();
}

LibClass::~LibClass()
{
    list.removeListener (this);
    chooser.removeListener (this);
    for (auto* b : { &loadButton, &saveButton, &clearAllButton, &applyButton, &renameButton, &deleteButton,
                     &addCurrentButton, &doneButton })
        b->removeListener (this);
    if (prompt != nullptr)
        prompt->removeListener (this);
}

LibBut& LibClass::getButton (int id) noexcept
{
    switch (id)
    {
        case loadId:       return loadButton;
        case saveId:       return saveButton;
        case clearAllId:   return clearAllButton;
        case applyId:      return applyButton;
        case renameId:     return renameButton;
        case deleteId:     return deleteButton;
        case addCurrentId: return addCurrentButton;
        default:           return doneButton;
    }
}

//==============================================================================
void LibClass::resized()
{
    const auto w = getWidth(), h = getHeight();
    list.setBounds (listX, listY, listWidth, rowHeight * visibleRows);

    const auto x = w - buttonsFromRight;
    loadButton.setBounds (x, 10, buttonWidth, buttonHeight);
    saveButton.setBounds (x, 50, buttonWidth, buttonHeight);
    clearAllButton.setBounds (x, 90, buttonWidth, buttonHeight);
    addCurrentButton.setBounds (x, h - 210, buttonWidth, buttonHeight);
    deleteButton.setBounds (x, h - 170, buttonWidth, buttonHeight);
    renameButton.setBounds (x, h - 130, buttonWidth, buttonHeight);
    doneButton.setBounds (x, h - 40 - buttonHeight, buttonWidth, buttonHeight);
    status.setBounds (400, h - 30 - 24, 400, 24);

    // the chooser sits centred between the list and the buttons, as far as there is room
    const auto gap = x - (listX + listWidth) - chooser.getWidth();
    const auto chooserX = listX + listWidth + juce::jmax (10, gap / 2);
    chooser.setTopLeftPosition (chooserX, chooserTop);
    filterLabel.setBounds (chooserX, chooserTop - filterLabelHeight - 6, chooser.getWidth(), filterLabelHeight);

    if (prompt != nullptr)
        prompt->setBounds (getLocalBounds());
}

void LibClass::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colour (0xff262424));
}

//==============================================================================
void LibClass::loadDefaultLibrary()
{
    model.loadDefaultLibrary();
    showView();
}

void LibClass::showView()
{
    // the list's rebuilt event brings the counts, the filter label and the buttons up to date
    list.rebuild (juce::Array<int> (model.view().data(), model.numRows()));
}

void LibClass::updateButtons()
{
    saveButton.setVisible (model.canSave());
    clearAllButton.setVisible (model.canClearAll());
    renameButton.setVisible (model.canRename());
    deleteButton.setVisible (model.canDelete());
}

void LibClass::stsFileEvent (int eventCode, int)
{
    // the list owns the selection the user sees; the model follows it
    const auto record = model.select (list.getSelectedRow());
    if (eventCode == StsFile::rebuiltEvent)
    {
        chooser.refresh (model);
        filterLabel.setText (model.filterLabel());
    }
    updateButtons();
    if (record.has_value())
    {
        install (*record);
        updateButtons();
    }
}

void LibClass::stsFileDoubleClicked()
{
    if (onDone)
        onDone();
}

void LibClass::install (const LibraryModel::Record& record)
{
    // as the host's program state would be: the current preset and the edit buffer both take it
    const auto chunk = PluginChunks::programChunk (record);
    processor.setCurrentProgramStateInformation (chunk.getData(), (int) chunk.getSize());
}

void LibClass::moveSelection (int delta)
{
    if (model.moveSelection (delta).has_value())
        list.selectByKey (model.selectedRow());
}

void LibClass::categoryChosen (int cell)
{
    model.chooseCell (cell);
    showView();
}

//==============================================================================
void LibClass::libButClicked (LibBut*, int id)
{
    switch (id)
    {
        case loadId:
            MenuChoice::show (makeLoadMenu(), &loadButton, *this, chooseFromMenu, [this] (int item) { loadMenuChosen (item); });
            break;

        case saveId:
            saveLibrary ([] {});
            break;

        case clearAllId:
            if (model.clearAllAsks())
                ask ("Save Current Library?", {}, -1, "YES", "NO", "CANCEL", clearRequest, saveFirstType);
            else
            {
                model.clearAll();
                showView();
            }
            break;

        case renameId:
            if (const auto index = model.selectedRecord(); index >= 0)
            {
                const auto& record = model.records()[(size_t) index];
                ask (model.renamePrompt(), LibraryModel::displayName (record), record[(size_t) LibraryModel::categoryOffset],
                     "OK", {}, "CANCEL", renameRequest, plainType);
            }
            break;

        case deleteId:
            if (model.canDelete())
                ask (model.deletePrompt(), {}, -1, "OK", {}, "CANCEL", deleteRequest, plainType);
            break;

        case addCurrentId:
        {
            const auto current = engine.getEditBuffer();
            if (model.contains (current))
                ask (model.alreadyExistsText (current), {}, -1, {}, "OK", {}, alreadyExists, plainType);
            else
                ask ("Program name:", LibraryModel::quotedName (current), current[(size_t) LibraryModel::categoryOffset],
                     "OK", {}, "CANCEL", addRequest, plainType);
            break;
        }

        default:
            break; // DONE is the window's
    }
}

void LibClass::libButEntered (LibBut* button, int)
{
    status.setText (button->getHelpText());
}

void LibClass::libButLeft (LibBut*, int)
{
    status.setText ({});
}

//==============================================================================
juce::PopupMenu LibClass::makeLoadMenu() const
{
    juce::PopupMenu menu;
    menu.addItem (fromLibraryFile, "From Library File");
    menu.addItem (fromGroupFile, "From Program Group File");
    GroupMenus::addLoadFromGroupItems (menu, fromGroupBase);
    menu.addSeparator();
    menu.addItem (fromPresetBank, "Import from FX Preset Bank");
    return menu;
}

void LibClass::loadMenuChosen (int item)
{
    if (item == fromLibraryFile)
    {
        fileMan.chooseFile (FileMan::Mode::open, 4, {}, [this] (bool chosen)
        {
            if (! chosen)
                return;
            const juce::File file (fileMan.chosenPath);
            juce::MemoryBlock bytes;
            file.loadFileAsData (bytes);
            merged (model.loadLibraryFile (bytes.getData(), bytes.getSize(), FileMan::formOf (file)));
        });
    }
    else if (item == fromGroupFile)
    {
        fileMan.loadGroupFile ([this] (bool loaded)
        {
            if (loaded)
                merged (model.loadGroupFile (fileMan.groupRecords));
        });
    }
    else if (item >= fromGroupBase && item < fromGroupBase + numGroups)
    {
        merged (model.loadGroup (engine.getInstrumentBank (item - fromGroupBase)));
    }
    else if (item == fromPresetBank)
    {
        merged (model.loadGroup (engine.getPluginBank()));
    }
}

void LibClass::merged (LibraryModel::Merge result)
{
    if (result == LibraryModel::Merge::replaced)
        showView();
    else if (result == LibraryModel::Merge::askAppend)
        ask ("Append Programs?", {}, -1, "YES", "NO", "CANCEL", mergeRequest, appendType);
}

void LibClass::saveLibrary (std::function<void()> then)
{
    fileMan.chooseFile (FileMan::Mode::save, 104, "Untitled", [this, then = std::move (then)] (bool chosen)
    {
        if (chosen)
            if (const auto bytes = model.fileBytes(); bytes.getSize() > 0)
                writeFile (juce::File (fileMan.chosenPath), bytes.getData(), bytes.getSize());
        then();
    });
}

//==============================================================================
void LibClass::ask (const juce::String& text, const juce::String& fieldText, int category,
                    const juce::String& okCaption, const juce::String& noCaption, const juce::String& cancelCaption,
                    int requestCode, int requestType)
{
    if (prompt == nullptr)
    {
        prompt = std::make_unique<TextInputCont>();
        prompt->addListener (this);
        addChildComponent (*prompt);
    }
    prompt->chooseFromMenu = chooseFromMenu;
    prompt->setBounds (getLocalBounds());
    // the questions that only want an answer have no name to type
    const auto withField = category >= 0;
    prompt->getField().setVisible (withField);
    prompt->open (text, fieldText, cancelCaption, okCaption, noCaption, category, requestCode, requestType);
    prompt->setVisible (true);
    prompt->toFront (false);
    if (withField && prompt->isShowing())
        prompt->getField().grabKeyboardFocus();
}

void LibClass::textOk (int requestCode, int requestType)
{
    prompt->setVisible (false);
    switch (requestCode)
    {
        case mergeRequest:
            if (requestType == appendType)
            {
                model.mergePending (LibraryModel::MergeMode::append);
                showView();
            }
            else
                saveLibrary ([this] { model.mergePending (LibraryModel::MergeMode::replace); showView(); });
            break;

        case clearRequest:
            saveLibrary ([this] { model.clearAll(); showView(); });
            break;

        case deleteRequest:
            if (model.deleteSelected())
                showView();
            break;

        case renameRequest:
            if (model.renameSelected (prompt->getText(), prompt->getCategory()))
                showView();
            break;

        case addRequest:
        {
            const auto added = model.addCurrent (engine.getEditBuffer(), prompt->getText(), prompt->getCategory());
            const auto row = model.selectedRow();
            showView();
            if (added.has_value())
            {
                list.setFirstVisibleRow (row);
                list.selectByKey (row);
            }
            break;
        }

        default:
            break;
    }
    updateButtons();
}

void LibClass::textNo (int requestCode, int requestType)
{
    prompt->setVisible (false);
    if (requestCode == mergeRequest && requestType == appendType)
        ask ("Save the Current Library?", {}, -1, "YES", "NO", "CANCEL", mergeRequest, saveFirstType);
    else if (requestCode == mergeRequest)
    {
        model.mergePending (LibraryModel::MergeMode::replace);
        showView();
    }
    else if (requestCode == clearRequest)
    {
        model.clearAll();
        showView();
    }
    updateButtons();
}

void LibClass::textCancel (int, int)
{
    prompt->setVisible (false);
    updateButtons();
}
