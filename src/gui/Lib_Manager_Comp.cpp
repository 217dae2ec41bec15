#include "gui/Lib_Manager_Comp.h"
#include "gui/Artwork.h"
#include "plugin/MorvexAudioProcessor.h"

Lib_Manager_Comp::Lib_Manager_Comp (MorvexAudioProcessor& p, juce::Component& w, FileMan::Chooser c)
    : processor (p), window (w), chooser (std::move (c)), keyPlayer (p.getEngine()), tools (w, true)
{
    keyPlayer.addListener (this);
    addAndMakeVisible (keyPlayer);
    addAndMakeVisible (tools);
    for (auto* tab : { &presetBankTab, &libraryTab })
    {
        tab->addListener (this);
        addAndMakeVisible (tab);
    }

    setSize (500, 620);
    showPresetBank();
}

Lib_Manager_Comp::~Lib_Manager_Comp()
{
    keyPlayer.removeListener (this);
    for (auto* tab : { &presetBankTab, &libraryTab })
        tab->removeListener (this);
    // the library writes its file as it goes
    library.reset();
    presetBank.reset();
}

//==============================================================================
void Lib_Manager_Comp::showPresetBank()
{
    if (library != nullptr)
        library->setVisible (false);
    viewName = "PRESET BANK";
    libraryShowing = false;

    if (presetBank == nullptr)
    {
        presetBank = std::make_unique<Plugin_Bank> (processor, chooser);
        presetBank->chooseFromMenu = chooseFromMenu;
        presetBank->getButton (doneId).addListener (this);
        presetBank->onDone = [this] { close(); };
        addChildComponent (*presetBank);
    }

    presetBank->selectCurrentPreset();
    presetBank->setVisible (true);
    keyPlayer.setPanelCode (presetListPanelCode);
    layoutViews();
    repaint();
}

void Lib_Manager_Comp::showLibrary()
{
    if (presetBank != nullptr)
        presetBank->setVisible (false);
    viewName = "LIBRARY";
    libraryShowing = true;

    if (library == nullptr)
    {
        library = std::make_unique<LibClass> (processor, chooser);
        library->chooseFromMenu = chooseFromMenu;
        library->getButton (doneId).addListener (this);
        library->onDone = [this] { close(); };
        addChildComponent (*library);
        library->loadDefaultLibrary();
    }

    library->setVisible (true);
    keyPlayer.setPanelCode (libraryPanelCode);
    layoutViews();
    repaint();
}

void Lib_Manager_Comp::opened()
{
    if (libraryShowing)
        return;
    showPresetBank();
    presetBank->openSetCurrent();
}

void Lib_Manager_Comp::moveSelection (int delta)
{
    if (libraryShowing && library != nullptr)
        library->moveSelection (delta);
    else if (! libraryShowing && presetBank != nullptr)
        presetBank->moveSelection (delta);
}

void Lib_Manager_Comp::close()
{
    tools.use (winToolListener::close);
}

//==============================================================================
void Lib_Manager_Comp::resized()
{
    keyPlayer.setBounds (100, 4, 200, 20);
    tools.setBounds (getWidth() - 20 - 18, 6, 18, 22);
    presetBankTab.setBounds (20, 22, 100, 34);
    libraryTab.setBounds (130, 22, 100, 34);
    layoutViews();
}

void Lib_Manager_Comp::layoutViews()
{
    const auto area = juce::Rectangle<int> (0, 50, getWidth(), juce::jmax (0, getHeight() - 50 - 42));
    for (juce::Component* view : { (juce::Component*) presetBank.get(), (juce::Component*) library.get() })
    {
        if (view == nullptr)
            continue;
        // the hidden view goes out of the way, so nothing of it takes a click
        view->setBounds (view->isVisible() ? area : area.withPosition (-20000, -20000));
    }
}

void Lib_Manager_Comp::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colour (0xff373535));
    g.setColour (juce::Colour (0xff0a0a0a));
    g.fillRect (0, 4, getWidth(), headerHeight);
    g.setColour (juce::Colour (0xffede9e9));
    g.setFont (Artwork::arial (15.0f));
    g.drawText ("PROPHET~5/10 : " + viewName, 0, 4, getWidth(), headerHeight, juce::Justification::centred, false);
}

//==============================================================================
void Lib_Manager_Comp::mouseDown (const juce::MouseEvent& e)
{
    dragging = e.y < headerHeight;
    dragStart = e.getScreenPosition();
    windowStart = window.getPosition();
}

void Lib_Manager_Comp::mouseDrag (const juce::MouseEvent& e)
{
    if (dragging)
        window.setTopLeftPosition (windowStart + (e.getScreenPosition() - dragStart));
}

void Lib_Manager_Comp::mouseMove (const juce::MouseEvent& e)
{
    setMouseCursor (e.y <= headerHeight ? juce::MouseCursor::DraggingHandCursor : juce::MouseCursor::NormalCursor);
}

void Lib_Manager_Comp::libButClicked (LibBut*, int id)
{
    if (id == presetBankTabId)
        showPresetBank();
    else if (id == libraryTabId)
        showLibrary();
    else if (id == doneId)
        close();
}

bool Lib_Manager_Comp::keyPlayed (int, int key, bool, bool, bool)
{
    if (key != 27)
        return false;
    close();
    return true;
}
