#include "gui/WriteSnd.h"
#include "gui/Artwork.h"
#include "gui/PanelLook.h"
#include "midi/MidiCntrState.h"
#include "model/DSI_Program.h"
#include "model/ValueFormat.h"
#include "plugin/MorvexAudioProcessor.h"

namespace
{
constexpr int left = 14, top = 46, pad = 7, gap = 8;
constexpr int groupWidth = 96, buttonHeight = 28, groupPitch = 36;
constexpr int listWidth = 50 + 140 + 100 + StsGrid::scrollbarWidth;
constexpr float displayScale = 1.6f;

const juce::Colour dimInk (0xff9a9a9a);
const juce::Colour buttonFill (0xff2b2d30), litFill (0xff457089), captionInk (0xffdddddd);
const juce::Colour writeFill (0xff8a2a22);

void styleButton (StsBut& b, juce::Colour fill)
{
    b.setFillColour (fill);
    b.setCaptionColours (captionInk, juce::Colours::white);
    b.setFontSize (12.0f);
}
}

WriteSnd::WriteSnd (MorvexAudioProcessor& processor, int group, int program, const juce::String& initialName, int initialCategory)
    : engine (processor.getEngine()), grid (processor.getEngine()), display (processor.getEngine(), LCD_Comp::areaMode),
      category (initialCategory)
{
    for (int k = 0; k < numGroups; ++k)
    {
        auto& b = groupButtons[(size_t) k];
        b = std::make_unique<StsBut> ((k < 5 ? "GROUP U " : "GROUP F ") + juce::String (k % 5 + 1), 300 + k, 1);
        styleButton (*b, buttonFill);
        b->addListener (this);
        addAndMakeVisible (*b);
    }

    styleButton (writeButton, writeFill);
    styleButton (cancelButton, buttonFill);
    styleButton (byCategoryButton, buttonFill);
    writeButton.setTooltip ("Store the program in this slot of the instrument");
    byCategoryButton.setTooltip ("List the user programs of one category");
    byCategoryButton.addListener (this);
    for (auto* b : { &writeButton, &cancelButton, &byCategoryButton })
        addAndMakeVisible (*b);

    grid.setColumnWidths ({ 50, 140, 100, 0 });
    grid.addListener (this);
    addAndMakeVisible (grid);

    display.setScale (displayScale);
    addAndMakeVisible (display);

    setName (initialName);
    const auto g = juce::jlimit (0, numGroups - 1, group), p = juce::jlimit (0, 39, program);
    showChoice (g, p);
    grid.loadProgramMode (g);
    grid.selectRow (p);
    showMode();
}

WriteSnd::~WriteSnd()
{
    grid.removeListener (this);
}

void WriteSnd::layoutFor (int width, int height)
{
    setSize (width, height);

    for (int k = 0; k < numGroups; ++k)
        groupButtons[(size_t) k]->place (left, top + groupPitch * k, groupWidth, buttonHeight);
    groupsArea = { left, top, groupWidth, groupPitch * (numGroups - 1) + buttonHeight };

    const auto listX = left + groupWidth + 2 * pad + gap;
    const auto rows = juce::jlimit (1, 40, (height - top - pad - 4) / StsGrid::rowHeight);
    listArea = { listX, top, listWidth, rows * StsGrid::rowHeight };
    grid.setBounds (listArea);
    byCategoryButton.place (listX, 8, 110, 20);

    // the slot, name and category being written, with the two decisions under them
    const auto displayX = listArea.getRight() + 2 * pad + gap + 10;
    display.setTopLeftPosition (displayX, top + 18);
    const auto buttonsY = display.getBottom() + 24;
    writeButton.place (display.getRight() - 2 * 70 - 10, buttonsY, 70, 18);
    cancelButton.place (display.getRight() - 70, buttonsY, 70, 18);
    displayArea = display.getBounds().getUnion (writeButton.getBounds()).withTrimmedTop (-6);

    if (renameBox != nullptr)
        renameBox->setTopLeftPosition (display.getX() + 8, display.getBottom() + 50);
    repaint();
}

void WriteSnd::setName (const juce::String& text)
{
    name = text.substring (0, 16).paddedRight (' ', 16);
    display.setDisplay (display.getGroup(), display.getProgram(), category, name);
}

void WriteSnd::setCategory (int newCategory)
{
    category = newCategory;
    display.setDisplay (display.getGroup(), display.getProgram(), category, name);
}

void WriteSnd::showChoice (int group, int program)
{
    display.setDisplay (group, program, category, name);
}

void WriteSnd::showMode()
{
    const auto programs = grid.getMode() == StsGrid::programMode;
    for (int k = 0; k < numGroups; ++k)
    {
        auto& b = *groupButtons[(size_t) k];
        const auto lit = programs && grid.getGroup() == k;
        b.setLatched (lit);
        b.setFillColour (lit ? litFill : buttonFill);
    }
    byCategoryButton.setLatched (! programs);
    byCategoryButton.setFillColour (programs ? buttonFill : litFill);
    repaint();
}

void WriteSnd::openRename()
{
    renameBox = std::make_unique<RenameCnt> (name.trimEnd());
    renameBox->getOkButton().addListener (this);
    renameBox->getCancelButton().addListener (this);
    addAndMakeVisible (*renameBox);
    renameBox->setTopLeftPosition (display.getX() + 8, display.getBottom() + 50);
    renameBox->getField().grabKeyboardFocus();
    renameBox->getField().onReturnKey = [this] { setName (renameBox->getText()); closeRename(); };
    renameBox->getField().onEscapeKey = [this] { closeRename(); };
}

void WriteSnd::closeRename()
{
    if (renameBox == nullptr)
        return;
    // the box may be the caller: it is kept, out of sight, until the next one closes or the panel goes
    removeChildComponent (renameBox.get());
    closedRenameBox = std::move (renameBox);
}

void WriteSnd::stsButtonClicked (StsBut* button, int)
{
    if (renameBox != nullptr)
    {
        if (button == &renameBox->getOkButton())
        {
            setName (renameBox->getText());
            closeRename();
            return;
        }
        if (button == &renameBox->getCancelButton())
        {
            closeRename();
            return;
        }
    }

    if (button == &byCategoryButton)
    {
        // the list waits for the editor's category menu to say which category
        grid.loadCategoryMode (category);
        showMode();
        state = gridChanged;
        sendSynchronousChangeMessage();
        return;
    }

    for (int k = 0; k < numGroups; ++k)
    {
        if (button == groupButtons[(size_t) k].get())
        {
            grid.loadProgramMode (k);
            showMode();
            return;
        }
    }
}

void WriteSnd::gridEvent (StsGrid*, int group, int program, int event)
{
    if (event == GridListener::selectEvent)
        showChoice (group, program);
}

void WriteSnd::changeListenerCallback (juce::ChangeBroadcaster*)
{
}

void WriteSnd::paint (juce::Graphics& g)
{
    PanelLook::paintBackground (g, getLocalBounds(), 34, "WRITE PROGRAM", displayArea.getRight() + pad);
    PanelLook::paintSection (g, groupsArea, "GROUPS", pad);
    PanelLook::paintSection (g, listArea, grid.getMode() == StsGrid::programMode ? "PROGRAMS" : "CATEGORY:  " + ValueFormat::categoryName (grid.getCategory()).toUpperCase(), pad);
    PanelLook::paintSection (g, displayArea, "WRITE TO", pad);

    // how to change what is written, under the display
    g.setColour (dimInk);
    g.setFont (Artwork::arial (12.0f));
    g.drawText ("Click the name to rename, the category to change it.", display.getX(), display.getBottom() + 2,
                display.getWidth(), 16, juce::Justification::centredLeft, true);
}
