#include "gui/Plugin_Bank.h"
#include "gui/Artwork.h"
#include "gui/GroupMenus.h"
#include "groups/Bank_Program.h"
#include "model/DSI_Program.h"
#include "model/ValueFormat.h"
#include "plugin/MorvexAudioProcessor.h"

namespace
{
constexpr int listX = 20, listY = 10, rowHeight = 34, visibleRows = 15, listWidth = 334;
constexpr int buttonWidth = 100, buttonHeight = 34, buttonsFromRight = 120;
constexpr int numPresets = Plugin_File::numPresets;
enum LoadItem { loadPresetFile = 1, loadBankFile = 2, loadGroupFile = 4, loadGroupBase = 10 };
enum SaveItem { savePreset = 1, saveBank = 2 };
}

Plugin_Bank::Plugin_Bank (MorvexAudioProcessor& p, FileMan::Chooser chooser)
    : processor (p), engine (p.getEngine()), fileMan (std::move (chooser)), list (p.getEngine())
{
    list.setRowHeight (rowHeight);
    list.setRowAreaWidth (listWidth - 32);
    list.setColumnWidths (50, 180);
    list.setBackgroundColour (juce::Colour (0xff373535));
    list.addListener (this);
    addAndMakeVisible (list);

    const std::pair<LibBut*, const char*> buttons[] = {
        { &loadButton, "Load Preset or preset bank from files." },
        { &saveButton, "Save the current preset or preset bank." },
        { &renameButton, "Rename the current preset." },
        { &setCurrentButton, "Import current preset to the preset bank." },
        { &doneButton, "" },
    };
    for (const auto& [button, help] : buttons)
    {
        button->setHelpText (help);
        button->addListener (this);
        addAndMakeVisible (button);
    }

    status.setBackgroundColour (juce::Colours::transparentBlack);
    status.setTextColour (juce::Colour (0xffcebdbd));
    addAndMakeVisible (status);

    setSize (500, 600);
    updateButtons();
}

Plugin_Bank::~Plugin_Bank()
{
    list.removeListener (this);
    for (auto* b : { &loadButton, &saveButton, &renameButton, &setCurrentButton, &doneButton })
        b->removeListener (this);
}

LibBut& Plugin_Bank::getButton (int id) noexcept
{
    switch (id)
    {
        case loadId:       return loadButton;
        case saveId:       return saveButton;
        case renameId:     return renameButton;
        case setCurrentId: return setCurrentButton;
        default:           return doneButton;
    }
}

int Plugin_Bank::currentPreset() const
{
    return juce::jmax (0, engine.getCurrentPluginProgram());
}

juce::String Plugin_Bank::presetName (int index) const
{
    return Bank_Program::nameFrom (engine.getPluginBank().programRecord (index)).trim();
}

//==============================================================================
void Plugin_Bank::resized()
{
    const auto w = getWidth(), h = getHeight();
    list.setBounds (listX, listY, listWidth, rowHeight * visibleRows);
    const auto x = w - buttonsFromRight;
    loadButton.setBounds (x, 10, buttonWidth, buttonHeight);
    saveButton.setBounds (x, 50, buttonWidth, buttonHeight);
    setCurrentButton.setBounds (x, h - 170, buttonWidth, buttonHeight);
    renameButton.setBounds (x, h - 130, buttonWidth, buttonHeight);
    doneButton.setBounds (x, h - 40 - buttonHeight, buttonWidth, buttonHeight);
    status.setBounds (400, h - 30 - 24, 400, 24);

    for (juce::Component* overlay : { (juce::Component*) renameBox.get(), (juce::Component*) setCurrentBox.get() })
        if (overlay != nullptr)
            overlay->setBounds (getLocalBounds());
}

void Plugin_Bank::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colour (0xff262424));

    // Between the list and the buttons: the preset the host and the panel play now, on a display
    // like the edit bar's, and what the buttons do with it.
    const auto left = listX + listWidth + 40, right = getWidth() - buttonsFromRight - 30;
    if (right - left < 200)
        return;

    const auto display = juce::Rectangle<float> ((float) left, 20.0f, (float) juce::jmin (320, right - left), 64.0f);
    if (const auto lcd = Artwork::get ("lcd_png"); lcd.isValid())
        g.drawImage (lcd, display);
    else
        g.fillAll (juce::Colour (0xff0e2a26));

    const auto index = currentPreset();
    const auto record = engine.getPluginBank().programRecord (index);
    const auto text = display.reduced (14.0f, 8.0f);
    g.setColour (juce::Colour (0xffe8f4ee));
    g.setFont (Artwork::arial (13.0f));
    g.drawText ("PRESET " + juce::String (index + 1) + " OF " + juce::String (numPresets), text.withHeight (18.0f),
                juce::Justification::centredLeft, false);
    g.setColour (juce::Colour (0xffb8d8cc));
    g.setFont (Artwork::arial (12.0f));
    g.drawText (ValueFormat::categoryName (record[(size_t) DSI_Program::categoryOffset]), text.withHeight (18.0f),
                juce::Justification::centredRight, true);
    g.setColour (juce::Colour (0xffe8f4ee));
    g.setFont (Artwork::arial (20.0f));
    g.drawText (engine.getPluginBank().programName (index), text.withTrimmedTop (22.0f), juce::Justification::centredLeft, true);

    g.setColour (juce::Colour (0xff9a9690));
    g.setFont (Artwork::arial (13.0f));
    const char* const lines[] = {
        "The 40 presets travel with your project.",
        "Click one to play it and edit it on the panel.",
        "SET CURRENT keeps the sound you made in a preset.",
        "LOAD and SAVE read and write preset and bank files.",
    };
    auto y = display.getBottom() + 24.0f;
    for (const auto* line : lines)
    {
        g.drawText (line, juce::Rectangle<float> (display.getX(), y, (float) (right - left), 18.0f), juce::Justification::centredLeft, true);
        y += 22.0f;
    }
}

void Plugin_Bank::updateButtons()
{
    renameButton.setVisible (list.getSelectedRow() >= 0);
    // the display of the current preset follows every change that passes here
    repaint();
}

//==============================================================================
void Plugin_Bank::selectCurrentPreset()
{
    const auto index = currentPreset();
    if (list.getSelectedRow() == index)
        return;
    list.selectQuietly (index);
    list.setFirstVisibleRow (index);
    updateButtons();
}

void Plugin_Bank::moveSelection (int delta)
{
    const auto row = list.getSelectedRow() + delta;
    if (juce::isPositiveAndBelow (row, numPresets))
        list.selectByKey (row);
}

void Plugin_Bank::plugFileEvent (int, int)
{
    // a click, and the right-click after it, both make the preset current
    updateButtons();
    if (list.getSelectedRow() >= 0 && list.getSelectedRow() != engine.getCurrentPluginProgram())
        processor.setCurrentProgram (list.getSelectedRow());
}

void Plugin_Bank::plugFileDoubleClicked()
{
    if (onDone)
        onDone();
}

//==============================================================================
void Plugin_Bank::libButClicked (LibBut*, int id)
{
    switch (id)
    {
        case loadId:
            MenuChoice::show (makeLoadMenu(), &loadButton, *this, chooseFromMenu, [this] (int item) { loadMenuChosen (item); });
            break;
        case saveId:
            MenuChoice::show (makeSaveMenu(), &saveButton, *this, chooseFromMenu, [this] (int item) { saveMenuChosen (item); });
            break;
        case renameId:
        {
            const auto index = list.getSelectedRow();
            if (index < 0)
                break;
            if (renameBox == nullptr)
            {
                renameBox = std::make_unique<TextInputCont>();
                renameBox->addListener (this);
                renameBox->chooseFromMenu = chooseFromMenu;
                addChildComponent (*renameBox);
            }
            renameBox->setBounds (getLocalBounds());
            renameBox->setVisible (true);
            const auto category = (int) engine.getPluginBank().programRecord (index)[DSI_Program::categoryOffset];
            renameBox->open ("Rename " + presetName (index) + ":", presetName (index), "CANCEL", "OK", {}, category, renameId, index);
            renameBox->getField().grabKeyboardFocus();
            break;
        }
        case setCurrentId:
            openSetCurrent();
            break;
        default:
            break; // DONE is the window's
    }
}

void Plugin_Bank::libButEntered (LibBut* button, int)
{
    status.setText (button->getHelpText());
}

void Plugin_Bank::libButLeft (LibBut*, int)
{
    status.setText ({});
}

//==============================================================================
juce::PopupMenu Plugin_Bank::makeLoadMenu() const
{
    juce::PopupMenu menu;
    menu.addItem (loadPresetFile, "Load Single Preset File");
    menu.addItem (loadBankFile, "Load Preset Bank File");
    menu.addSeparator();
    menu.addItem (loadGroupFile, "Load Program Group from File");
    GroupMenus::addLoadFromGroupItems (menu, loadGroupBase);
    return menu;
}

juce::PopupMenu Plugin_Bank::makeSaveMenu() const
{
    juce::PopupMenu menu;
    menu.addItem (savePreset, "Save " + presetName (currentPreset()) + " Preset as");
    menu.addItem (saveBank, "Save Preset Bank as");
    return menu;
}

void Plugin_Bank::presetsReplaced()
{
    list.repaint();
    updateButtons();
    processor.updateHostDisplay (juce::AudioProcessor::ChangeDetails().withProgramChanged (true));
}

void Plugin_Bank::loadMenuChosen (int id)
{
    if (id == loadPresetFile || id == loadBankFile)
    {
        const auto bank = id == loadBankFile;
        fileMan.chooseFile (FileMan::Mode::open, bank ? 10 : 11, {}, [this, bank] (bool chosen)
        {
            juce::MemoryBlock bytes;
            const juce::File file (fileMan.chosenPath);
            if (! chosen || ! file.existsAsFile() || ! file.loadFileAsData (bytes))
                return;
            const auto result = bank ? processor.loadPresetBank (bytes.getData(), bytes.getSize())
                                     : processor.loadPresetFile (bytes.getData(), bytes.getSize());
            // a file too short to be one is refused whole, and said so
            status.setText (result.wasOk() ? "Loaded " + file.getFileName() : "NOT LOADED: " + result.getErrorMessage());
            presetsReplaced();
        });
        return;
    }

    if (id == loadGroupFile)
    {
        fileMan.loadGroupFile ([this] (bool loaded)
        {
            if (! loaded)
                return;
            auto& bank = engine.getPluginBank();
            const auto count = juce::jmin ((int) fileMan.groupRecords.size(), numPresets);
            for (int k = 0; k < count; ++k)
                bank.storeProgram (k, fileMan.groupRecords[(size_t) k]);
            presetsReplaced();
        });
        return;
    }

    if (id >= loadGroupBase && id < loadGroupBase + 10)
    {
        auto& group = engine.getInstrumentBank (id - loadGroupBase);
        for (int k = 0; k < numPresets; ++k)
            engine.getPluginBank().storeProgram (k, group.programRecord (k));
        presetsReplaced();
    }
}

void Plugin_Bank::saveMenuChosen (int id)
{
    if (id == savePreset)
    {
        fileMan.chooseFile (FileMan::Mode::save, 111, presetName (currentPreset()), [this] (bool chosen)
        {
            if (! chosen)
                return;
            // with no preset current the sound goes into preset 1, which becomes current
            if (engine.getCurrentPluginProgram() < 0)
                engine.setCurrentPluginProgram (0);
            writeUserFile (processor.presetFile());
            list.repaint();
        });
    }
    else if (id == saveBank)
    {
        fileMan.chooseFile (FileMan::Mode::save, 110, "Prophet 5 Preset Bank", [this] (bool chosen)
        {
            if (chosen)
                writeUserFile (processor.presetBankFile());
        });
    }
}

void Plugin_Bank::writeUserFile (const juce::MemoryBlock& bytes)
{
    const juce::File file (fileMan.chosenPath);
    status.setText (writeFile (file, bytes.getData(), bytes.getSize()) ? "Saved " + file.getFileName()
                                                                        : "NOT SAVED: " + file.getFileName() + " could not be written");
}

//==============================================================================
void Plugin_Bank::textOk (int requestCode, int requestValue)
{
    if (renameBox != nullptr)
        renameBox->setVisible (false);
    if (requestCode != renameId || ! juce::isPositiveAndBelow (requestValue, numPresets) || renameBox == nullptr)
        return;

    auto& bank = engine.getPluginBank();
    const auto typed = renameBox->getText();
    if (typed.isNotEmpty())
        bank.setProgramName (requestValue, typed);
    auto record = bank.programRecord (requestValue);
    record[DSI_Program::categoryOffset] = (uint8_t) juce::jmax (0, renameBox->getCategory());
    bank.storeProgram (requestValue, record);
    list.repaint();
    updateButtons();
    processor.updateHostDisplay (juce::AudioProcessor::ChangeDetails().withProgramChanged (true));
}

void Plugin_Bank::textCancel (int, int)
{
    if (renameBox != nullptr)
        renameBox->setVisible (false);
}

void Plugin_Bank::openSetCurrent()
{
    if (setCurrentBox == nullptr)
    {
        setCurrentBox = std::make_unique<TextSetCurCont> (engine);
        setCurrentBox->addListener (this);
        setCurrentBox->chooseFromMenu = chooseFromMenu;
        addChildComponent (*setCurrentBox);
    }

    auto name = engine.getPluginBank().singleName();
    if (name.startsWith ("---") || name.trim().isEmpty())
        name = "Untitled";
    setCurrentBox->setBounds (getLocalBounds());
    setCurrentBox->open (name.trimEnd(), currentPreset());
    setCurrentBox->setVisible (true);
    setCurrentBox->toFront (false);
    setCurrentBox->getField().grabKeyboardFocus();
}

void Plugin_Bank::setCurOk (int slotIndex)
{
    setCurrentBox->setVisible (false);
    DSI_Program program;
    const auto editBuffer = engine.getEditBuffer();
    program.setRaw (editBuffer.data());
    program.setName (setCurrentBox->getText());
    engine.getPluginBank().storeProgram (slotIndex, program.getData());
    processor.setCurrentProgram (slotIndex);
    list.selectQuietly (slotIndex);
    updateButtons();
}

void Plugin_Bank::setCurCancel()
{
    setCurrentBox->setVisible (false);
}
