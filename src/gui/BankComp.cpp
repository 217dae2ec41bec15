#include "gui/BankComp.h"
#include "gui/Artwork.h"
#include "gui/PanelLook.h"
#include "midi/MidiCntrState.h"
#include "model/ValueFormat.h"
#include "plugin/MorvexAudioProcessor.h"

namespace
{
// The sections sit in frames drawn like the front panel's, each frame `pad` outside its content
// and `gap` from the next, with its title on its top line.
constexpr int pad = 7, gap = 8, sectionGap = 2 * pad + gap;
constexpr int left = 14, contentTop = 46, bottomMargin = 4;
constexpr int topRowY = 8, topRowHeight = 20;
constexpr int groupWidth = 96, buttonHeight = 28;
constexpr int categoryWidth = 72;
constexpr int categoryBlockWidth = BankComp::categoryPitchX * (BankComp::categoryColumns - 1) + categoryWidth;
constexpr int previewWidth = 706, previewHeight = 132; // the panel's 1764 × 330 at the preview's zoom
// The list is as wide as makes it and the categories together exactly as wide as the preview, so
// the sections line up on both edges when the preview sits under them; a narrower window takes
// the room for a long category from it, down to its three columns (50, 140, 100) and scrollbar.
constexpr int gridWidth = previewWidth - sectionGap - categoryBlockWidth;
constexpr int narrowestGrid = 50 + 140 + 100 + StsGrid::scrollbarWidth;
static_assert (gridWidth >= narrowestGrid);
static_assert (previewWidth == (int) ((float) EditSurface::unitWidth * BankComp::previewZoom + 0.5f)
               && previewHeight == (int) ((float) EditSurface::unitHeight * BankComp::previewZoom + 0.5f));
// a title on a frame's top line takes this much more room above a section
constexpr int titleRoom = 6;

const juce::Colour buttonFill (0xff2b2d30), litFill (0xff457089), captionInk (0xffdddddd);

constexpr int groupIdBase = 300, categoryIdBase = 400;

juce::String groupCaption (int k)
{
    return (k < 5 ? "GROUP U " : "GROUP F ") + juce::String (k % 5 + 1);
}

void styleListButton (StsBut& b)
{
    b.setFillColour (buttonFill);
    b.setCaptionColours (captionInk, juce::Colours::white);
    b.setFontSize (12.0f);
}
}

//==============================================================================
BankComp::Layout BankComp::computeLayout (int width, int height)
{
    Layout l;

    l.file = { left, topRowY, 72, topRowHeight };
    l.midi = l.file.translated (80, 0);
    l.presets = { l.midi.getRight() + 8, topRowY, 80, topRowHeight };
    l.useLoaded = { l.presets.getRight() + 20, topRowY + 1, 160, 18 };

    for (int k = 0; k < numGroups; ++k)
        l.groups[(size_t) k] = { left, contentTop + groupPitch * k, groupWidth, buttonHeight };

    const auto gridX = left + groupWidth + sectionGap;
    const auto listWidth = juce::jlimit (narrowestGrid, gridWidth, width - left - categoryBlockWidth - sectionGap - gridX);
    const auto categoryX = gridX + listWidth + sectionGap;
    for (int n = 0; n < numShownCategories; ++n)
        l.categories[(size_t) n] = { categoryX + categoryPitchX * (n % categoryColumns),
                                     contentTop + categoryPitchY * (n / categoryColumns), categoryWidth, buttonHeight };
    const auto categoryRight = l.categories.back().getRight();
    // OK closes the manager: under the categories' frame, at its right end
    l.ok = { categoryRight - categoryWidth, l.categories.back().getBottom() + pad + 10, categoryWidth, buttonHeight };

    // The preview goes beside the categories in a wide window, else under the list and the
    // categories, where the list gives up rows for it; a window with room for neither has none.
    const auto previewBelowY = height - bottomMargin - pad - previewHeight;
    auto listBottom = height - bottomMargin - pad;

    if (categoryRight + sectionGap + previewWidth + left <= width && contentTop + previewHeight + pad + bottomMargin <= height)
    {
        l.preview = { categoryRight + sectionGap, contentTop, previewWidth, previewHeight };
    }
    else if (gridX + previewWidth + left <= width && l.ok.getBottom() + sectionGap + titleRoom <= previewBelowY)
    {
        l.preview = { gridX, previewBelowY, previewWidth, previewHeight };
        listBottom = previewBelowY - sectionGap - titleRoom;
    }

    const auto gridRows = juce::jlimit (1, 40, (listBottom - contentTop) / StsGrid::rowHeight);
    l.grid = { gridX, contentTop, listWidth, gridRows * StsGrid::rowHeight };
    return l;
}

//==============================================================================
BankComp::BankComp (MorvexAudioProcessor& p)
    : processor (p), engine (p.getEngine()), grid (p.getEngine())
{
    for (int k = 0; k < numGroups; ++k)
    {
        groupButtons[(size_t) k] = std::make_unique<StsBut> (groupCaption (k), groupIdBase + k, 1);
        styleListButton (*groupButtons[(size_t) k]);
        groupButtons[(size_t) k]->addListener (this);
        addAndMakeVisible (*groupButtons[(size_t) k]);
    }

    for (int n = 0; n < numCategoryButtons; ++n)
    {
        auto& b = categoryButtons[(size_t) n];
        b = std::make_unique<StsBut> (n == 0 ? juce::String ("-----") : ValueFormat::categoryName (n), categoryIdBase + n, 1);
        styleListButton (*b);
        b->addListener (this);
        if (n < numShownCategories)
            addAndMakeVisible (*b);
        else
            addChildComponent (*b);
    }

    fileButton.setTooltip ("Load or save a program group as a file");
    midiButton.setTooltip ("Receive groups from the instrument or transmit them to it");
    presetsButton.setTooltip ("Fill the group from the factory set");
    for (auto* b : { &fileButton, &midiButton, &presetsButton })
    {
        b->addListener (this);
        addAndMakeVisible (*b);
    }
    addAndMakeVisible (okButton);

    useLoaded.setOn (engine.isLoadStoredProgramsOn());
    useLoaded.addChangeListener (this);
    addAndMakeVisible (useLoaded);

    grid.setColumnWidths ({ 50, 140, 100, 0 });
    addAndMakeVisible (grid);

    showMode();
}

BankComp::~BankComp()
{
    useLoaded.removeChangeListener (this);
}

//==============================================================================
void BankComp::layoutFor (int width, int height)
{
    setSize (width, height);
    placed = computeLayout (width, height);

    for (int k = 0; k < numGroups; ++k)
    {
        const auto& r = placed.groups[(size_t) k];
        groupButtons[(size_t) k]->place (r.getX(), r.getY(), r.getWidth(), r.getHeight());
    }
    for (int n = 0; n < numShownCategories; ++n)
    {
        const auto& r = placed.categories[(size_t) n];
        categoryButtons[(size_t) n]->place (r.getX(), r.getY(), r.getWidth(), r.getHeight());
    }

    const auto place = [] (StsBut& b, juce::Rectangle<int> r) { b.place (r.getX(), r.getY(), r.getWidth(), r.getHeight()); };
    place (fileButton, placed.file);
    place (midiButton, placed.midi);
    place (presetsButton, placed.presets);
    place (okButton, placed.ok);
    useLoaded.setBounds (placed.useLoaded);
    grid.setBounds (placed.grid);

    if (preview != nullptr)
    {
        preview->setTopLeftPosition (placed.preview.getPosition());
        preview->setVisible (! placed.preview.isEmpty());
    }
    repaint();
}

void BankComp::opened()
{
    if (preview == nullptr)
    {
        preview = std::make_unique<EditSurface> (processor, previewZoom);
        preview->setZoom (previewZoom);
        // a picture of the sound being edited: the front panel is where it is edited
        preview->setInterceptsMouseClicks (false, false);
        addChildComponent (*preview);
        preview->setTopLeftPosition (placed.preview.getPosition());
        preview->setVisible (! placed.preview.isEmpty());
    }

    showUseLoaded (engine.isLoadStoredProgramsOn());

    grid.loadProgramMode (juce::jmax (0, engine.getCurrentBank()));
    const auto index = engine.getCurrentProgram();
    // the current program in view, a few rows down where the list allows
    grid.setFirstVisibleRow (index - grid.getVisibleRows() / 2);
    grid.selectRow (index);

    showMode();
    preview->refreshAll();
}

void BankComp::refresh()
{
    grid.repaint();
    showMode();
    if (preview != nullptr)
        preview->refreshAll();
}

void BankComp::showUseLoaded (bool on)
{
    useLoaded.setOn (on);
}

void BankComp::showMode()
{
    const auto lightIf = [] (StsBut& b, bool lit)
    {
        if (b.isLatched() == lit)
            return;
        b.setLatched (lit);
        b.setFillColour (lit ? litFill : buttonFill);
    };

    const auto programs = grid.getMode() == StsGrid::programMode;
    for (int k = 0; k < numGroups; ++k)
        lightIf (*groupButtons[(size_t) k], programs && grid.getGroup() == k);
    for (int n = 0; n < numCategoryButtons; ++n)
        lightIf (*categoryButtons[(size_t) n], ! programs && grid.getCategory() == n);
    repaint();
}

//==============================================================================
void BankComp::post (int code)
{
    command = code;
    sendSynchronousChangeMessage();
}

void BankComp::stsButtonClicked (StsBut* button, int id)
{
    if (button == &fileButton || button == &midiButton || button == &presetsButton)
    {
        post (id);
        return;
    }

    for (int k = 0; k < numGroups; ++k)
    {
        if (button == groupButtons[(size_t) k].get())
        {
            grid.loadProgramMode (k);
            showMode();
            post (groupChosen);
            return;
        }
    }

    for (int n = 0; n < numCategoryButtons; ++n)
    {
        if (button == categoryButtons[(size_t) n].get())
        {
            grid.loadCategoryMode (n);
            showMode();
            return;
        }
    }
}

void BankComp::changeListenerCallback (juce::ChangeBroadcaster* source)
{
    if (source == &useLoaded)
        post (useLoadedToggled);
}

//==============================================================================
void BankComp::paint (juce::Graphics& g)
{
    // the title ends where the sections end, so the panel reads as one block in a wide window
    const auto contentRight = juce::jmax (placed.categories.back().getRight(), placed.preview.getRight());
    PanelLook::paintBackground (g, getLocalBounds(), topRowY + topRowHeight + 6, "PROGRAM GROUPS",
                                juce::jmin (getWidth() - left, contentRight + pad));

    const auto& l = placed;
    PanelLook::paintSection (g, l.groups.front().getUnion (l.groups.back()), "GROUPS", pad);
    PanelLook::paintSection (g, l.grid, grid.getMode() == StsGrid::programMode ? "PROGRAMS" : "CATEGORY:  " + ValueFormat::categoryName (grid.getCategory()).toUpperCase(), pad);
    PanelLook::paintSection (g, l.categories.front().getUnion (l.categories.back()), "CATEGORIES", pad);
    if (preview != nullptr && preview->isVisible())
        PanelLook::paintSection (g, l.preview, "CURRENT PROGRAM", pad);
}
