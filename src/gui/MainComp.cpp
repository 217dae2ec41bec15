#include "gui/MainComp.h"
#include "gui/Artwork.h"
#include "gui/EditorLayout.h"
#include "gui/GroupMenus.h"
#include "gui/PanelLegend.h"
#include "gui/WriteSnd.h"
#include "groups/FactoryData.h"
#include "model/DSI_Program.h"
#include "groups/ProgramLocation.h"
#include "plugin/MorvexAudioProcessor.h"
#include "plugin/MorvexAudioProcessorEditor.h"

namespace
{
// The functions the bar offers so far; each arrives in the bar with the panel it opens.
const juce::Array<int> barFunctions { AppBar::banksId, AppBar::fileId, AppBar::editId, AppBar::midiId, AppBar::paramId,
                                      AppBar::sendId, AppBar::recvId, AppBar::writeId, AppBar::modelId };

const juce::String onlineText = "SEQUENTIAL:  PROPHET~5/10 ON-LINE";
const juce::String offlineText = "SEQUENTIAL:  PROPHET~5/10 OFF-LINE";
const juce::String hostThruDroppedText = "HOST SYSEX TOO LONG: NOT SENT ON";
const juce::String notSentText = "Not connected: edit not sent";
constexpr int noticeMs = 4000;
}

//==============================================================================
MainComp::MainComp (MorvexAudioProcessor& p, int width, int height)
    : processor (p), engine (p.getEngine()),
      panelTexture (Artwork::get ("panel_png")), woodCheek (Artwork::get ("wood_cheek_png"))
{
    setOpaque (true);
    setWantsKeyboardFocus (true);

    // the application bar, listened to by its buttons, its menu button and its channel label
    appBar = std::make_unique<AppBar> (processor, barFunctions);
    appBar->setBounds (0, 0, width, barHeight);
    addAndMakeVisible (*appBar);
    appBar->getChannelLabel().addChangeListener (this);
    appBar->getMenuButton().addChangeListener (this);
    appBar->showChannel (engine.getMidiChannel());
    for (auto* b : appBar->getButtons())
        b->addListener (this);

    engine.addStateListener (this);
    processor.getPanelImages().load();

    // the group manager, hidden until opened
    groupManager = std::make_unique<BankComp> (processor);
    addChildComponent (*groupManager);
    groupManager->getGrid().addListener (this);
    groupManager->getOkButton().addListener (this);
    groupManager->addChangeListener (this);

    // the size: the stored one when plausible, else the window's own rule already gave it
    auto& settings = engine.getSettings();
    setSize (width, height);

    // the front panel, hidden until it is placed
    const auto storedZoom = juce::jlimit (0.5f, 1.0f, (float) settings.getInt (SettingsBlock::editorScaleOffset) / 1000.0f);
    editorPanel = std::make_unique<EditorPanel> (processor, storedZoom);
    addChildComponent (*editorPanel);
    editorPanel->getZoomHandle().addChangeListener (this);
    editorPanel->getSurface().getProgramDisplay().addChangeListener (this);
    {
        const char* tips[] = { "PRESET: the group manager (F6)", "RECORD: write the program into a memory slot (Ctrl+W)",
                               "FACTORY: the factory groups", "GLOBALS: the instrument's global settings",
                               "GROUP SELECT: then a group 1-5, a bank 1-5 and a program 1-8",
                               "BANK SELECT: then a bank 1-5 and a program 1-8" };
        auto& surface = editorPanel->getSurface();
        for (int k = 0; k < PanelLegend::numProgrammerKeys; ++k)
        {
            auto& key = surface.getProgrammerKey (k);
            key.addChangeListener (this);
            key.setTooltip (k < 6 ? juce::String (tips[k]) : "Program " + juce::String (k - 5) + " of the bank");
        }
    }

    // the edit bar, whose envelope graphs the front panel moves through the processor
    editBar = std::make_unique<EditBar> (engine, processor.getPanelImages().envelopeBackground);
    editBar->setBounds (0, 0, width, barHeight);
    addAndMakeVisible (*editBar);
    editBar->getEnvelopesButton().addListener (this);
    editBar->getCompareButton().addListener (this);
    processor.getSoundHistory().addChangeListener (this);
    auto& envelopes = editBar->getEnvPanel();
    envelopes.getFilterGraph().addChangeListener (this);
    envelopes.getAmplifierGraph().addChangeListener (this);
    processor.setEnvelopeGraphs (&envelopes.getFilterGraph(), &envelopes.getAmplifierGraph());

    // the keyboard strip, whose key player hands the editor its shortcuts
    keyboard = std::make_unique<KeyBrd> (engine);
    addChildComponent (*keyboard);
    keyboard->addChangeListener (this);
    keyboard->getKeyPlayer().addListener (this);
    keyboard->setAlwaysOnTop (true);
    keyboard->setVisible (true);

    editorPanelBounds = { 0, barHeight, width, panelBaseHeight };
    editorPanel->setBounds (editorPanelBounds);
    editorPanel->setVisible (true);

    if (engine.firstEditorOpened())
        toggleAbout (aboutAutoCloseMs);

    apply ({ EventAction::programChanged });

    built = true;
    layout();
    editorPanel->layoutPanel();
    engine.requestGlobals();

    // A transfer runs in the engine: one still running, or one that ended while no editor was
    // open, is shown now.
    if (engine.isBusy())
        showTransfer();
    else if (engine.getTransferStatus().unseen)
        transferEnded();
}

MainComp::~MainComp()
{
    // the library window first: the library writes its file as it goes
    if (libraryWindow != nullptr)
    {
        libraryWindow->getContent().getWindowTools().removeListener (this);
        libraryWindow->getContent().getKeyPlayer().removeListener (this);
        libraryWindow.reset();
    }
    stopTimer();
    cancelPendingUpdate();
    engine.removeStateListener (this);
    processor.getSoundHistory().removeChangeListener (this);
    processor.setEnvelopeGraphs (nullptr, nullptr);
    groupManager.reset();
    editorPanel.reset();
    // The host closing the window with the setup open closes the setup too: the ports chosen in
    // it are kept as when the setup is closed by hand.
    if (midiSetup != nullptr)
        engine.savePortSettings();
    midiSetup.reset();
    aboutPanel.reset();
    writePanel.reset();
    finder.reset();
    progress.reset();
    editBar.reset();
    keyboard.reset();
    appBar.reset();
}

//==============================================================================
// Layout

void MainComp::resized()
{
    if (! built)
        return;

    layout();
    sendSynchronousChangeMessage();
}

void MainComp::layout()
{
    editorPanel->getZoomHandle().setReleased();
    arrange();
}

void MainComp::arrange()
{
    auto& settings = engine.getSettings();
    const auto w = getWidth(), h = getHeight();
    if (! groupManagerOpen)
        zoom = juce::jlimit (EditorLayout::minZoom, EditorLayout::maxZoom,
                             (float) settings.getInt (SettingsBlock::editorScaleOffset) / 1000.0f);
    const auto areas = EditorLayout::compute (w, h, zoom, groupManagerOpen);

    appBar->setBounds (areas.appBar);
    keyboardScale = areas.keyboardScale;

    if (groupManagerOpen)
    {
        // the manager takes the editor area; the panel is parked out of sight until it closes
        editorPanel->setBounds (areas.editorPanel);
        groupManagerBounds = areas.groupManager;
        groupManager->setBounds (groupManagerBounds);
        groupManager->layoutFor (groupManagerBounds.getWidth(), groupManagerBounds.getHeight());
    }
    else
    {
        editorPanelBounds = areas.editorPanel;
        editorPanel->setZoom (zoom);
        editorPanel->setBounds (editorPanelBounds);
        editorPanel->getZoomHandle().setPercent ((int) (zoom * 100.0f + 0.5f));
        editBarBounds = areas.editBar;
        editBar->setBounds (editBarBounds);
    }
    placeKeyboard (areas.keyboard);

    if (aboutPanel != nullptr)
    {
        aboutPanel->setBounds (0, 0, w, h);
        aboutPanel->centrePicture();
    }
    if (progress != nullptr)
        progress->setBounds (0, 0, w, h);
    if (writePanel != nullptr)
        placeWritePanel();
    if (midiSetup != nullptr)
        midiSetup->setBounds (0, 0, w, h);
    if (finder != nullptr)
        finder->setBounds (0, 0, w, h);

    settings.setInt (SettingsBlock::windowWidthOffset, w);
    settings.setInt (SettingsBlock::windowHeightOffset, h);
    settings.setInt (SettingsBlock::panelWidthOffset, editorPanelBounds.getWidth());
    settings.setInt (SettingsBlock::panelHeightOffset, editorPanelBounds.getHeight());
    storeKeyboardPlace();
    settings.setInt (SettingsBlock::keyboardScaleOffset, (int) (keyboardScale * 1000.0f));
    repaint();
}

void MainComp::placeKeyboard (juce::Rectangle<int> area)
{
    keyboardBounds = area;
    keyboard->setScale (keyboardScale, area.getY(), area.getWidth(), area.getHeight());
    keyboard->setMoveLimits (barHeight, (int) ((float) (MorvexAudioProcessorEditor::maxHeight + 18) * keyboardScale));
}

void MainComp::keyboardMoved()
{
    // dropped low down, the strip goes back under the panel (or the group manager); higher up it
    // stays over it
    const auto bottom = groupManagerOpen ? groupManagerBounds.getBottom() : editorPanelBounds.getBottom() + editBarHeight;
    if ((float) keyboard->getY() > (float) bottom - 140.0f * keyboardScale)
        keyboard->setTopLeftPosition (0, bottom);
    keyboard->toFront (false);
    keyboard->setAlwaysOnTop (true);
    keyboardBounds = keyboard->getBounds();
    storeKeyboardPlace();
}

void MainComp::storeKeyboardPlace()
{
    auto& settings = engine.getSettings();
    settings.setInt (SettingsBlock::keyboardXOffset, keyboardBounds.getX());
    settings.setInt (SettingsBlock::keyboardXOffset + 4, keyboardBounds.getY());
    settings.setInt (SettingsBlock::keyboardXOffset + 8, keyboardBounds.getWidth());
    settings.setInt (SettingsBlock::keyboardXOffset + 12, keyboardBounds.getHeight());
}

void MainComp::zoomHandleMoved (int v)
{
    editorPanel->scrollTo (0);
    setZoom (juce::jmin (1.0f, (float) juce::jlimit (165, 330, v - 14) / (float) panelBaseHeight));
}

void MainComp::setZoom (float z)
{
    zoom = juce::jlimit (EditorLayout::minZoom, EditorLayout::maxZoom, z);
    engine.getSettings().setInt (SettingsBlock::editorScaleOffset, (int) (zoom * 1000.0f));
    // not the full layout: that would let go of the handle while it is being dragged
    arrange();
}

void MainComp::paint (juce::Graphics& g)
{
    // The instrument's black panel under everything: whatever the window's size and the zoom,
    // what the areas leave free is more of the panel, never an empty window.
    if (panelTexture.isValid())
    {
        // tiled at its own size: seamless, and a plain copy rather than a resampled stretch
        g.setTiledImageFill (panelTexture, 0, barHeight, 1.0f);
        g.fillAll();
    }
    else
    {
        g.fillAll (juce::Colour (0xff111111));
    }

    // the instrument's wood end cheek closes the panel where the window reaches past its end
    const auto surfaceRight = editorPanel->getSurface().getRight();
    if (woodCheek.isValid() && ! groupManagerOpen && surfaceRight < editorPanelBounds.getRight())
    {
        const auto cheek = juce::roundToInt (30.0f * zoom);
        g.drawImage (woodCheek, editorPanelBounds.withX (surfaceRight).withWidth (juce::jmin (cheek, editorPanelBounds.getRight() - surfaceRight)).toFloat());
    }
}

//==============================================================================
// Engine events

MainComp::EventAction MainComp::decode (int32_t code) noexcept
{
    const auto u = (uint32_t) code;
    const auto hi = u >> 20;
    using A = EventAction;

    if (hi < 0xFF)
    {
        // Channel codes add the channel as 1..16 to the status nibble, so channel 16 carries into
        // the next kind (its pitch bend would read 0xF0); the kind is taken from channel 1's code.
        const auto kind = (hi - 1) & ~0xFu;
        if (kind == 0xE0)
            return { A::pitchWheel, (int) ((u >> 7) & 0x7F) };
        if (kind == 0xB0 && ((u >> 7) & 0x7F) == 1)
            return { A::modWheel, (int) (u & 0x7F) };
        return {};
    }

    if (hi == 0x100)
    {
        const auto parameter = (int) ((u >> 10) & 0x7FF);
        if (parameter >= ParTable::programSelector)
            return {};
        return { A::parameter, parameter, (int) (u & 0xFF) };
    }

    if (hi < 0x400)
        return {};

    switch (u >> 20)
    {
        case 0x400: return { A::programChanged };
        case 0x410: return { A::online };
        case 0x420: return { A::offline };
        case 0x430: return { A::transferEnded };
        case 0x440: return { A::transferProgress, (int) ((u >> 8) & 0xFF), (int) (u & 0xFF) };
        case 0x460: return { A::groupsChanged };
        case 0x470: return { A::hostThruDropped };
        case 0x480: return { A::channelChanged };
        case 0x490: return { A::writeChecked };
        case 0x4A0: return { A::programReceived };
        case 0x4B0: return { A::notSent };
        case 0x500: return { A::presetChanged };
        case 0x521: return { A::velocityShown };
        case 0x522: return { A::octaveShown };
        case 0x523: return { A::openFinder };
        default:    return {};
    }
}

void MainComp::engineStateChanged()
{
    triggerAsyncUpdate();
}

void MainComp::handleAsyncUpdate()
{
    events.clear();
    engine.drainEvents (events);
    handleEvents (events);
}

void MainComp::handleEvents (const std::vector<int32_t>& codes)
{
    for (const auto code : codes)
        apply (decode (code));
}

void MainComp::apply (const EventAction& action)
{
    switch (action.kind)
    {
        case EventAction::online:
        case EventAction::offline:
            statusText = action.kind == EventAction::online ? onlineText : offlineText;
            refreshStatusLine();
            if (midiSetup != nullptr)
            {
                midiSetup->setStatus (statusText);
                // the instrument's answer carries its globals
                midiSetup->globalsChanged();
            }
            break;

        case EventAction::hostThruDropped:
        {
            showNotice (hostThruDroppedText);
            engine.hostThruNoticeShown();
            break;
        }

        case EventAction::transferEnded:
            transferEnded();
            break;

        case EventAction::programReceived:
            showNotice ("Program received: " + Bank_Program::nameFrom (engine.getEditBuffer()).trim());
            break;

        case EventAction::notSent:
            showNotice (notSentText);
            engine.notSentNoticeShown();
            break;

        case EventAction::transferProgress:
            if (progress != nullptr && ! progress->isReport())
                progress->showProgress (action.a, action.b);
            break;

        case EventAction::openFinder:
            openProgramFinder();
            break;

        case EventAction::writeChecked:
            writeChecked();
            break;

        case EventAction::programChanged:
            editorPanel->getSurface().refreshAll();
            // a program chosen anywhere ends an entry on the keys; they go on from it
            programmerKeys.cancel();
            programmerKeys.setCurrent (engine.getCurrentBank(), engine.getCurrentProgram());
            showProgrammer();
            if (auto* preview = groupManagerPreview())
                preview->refreshAll();
            editBar->getEnvPanel().refresh (engine.getEditBuffer());
            editBar->showCurrentProgram();
            showEdits();
            break;

        case EventAction::parameter:
            editorPanel->getSurface().showParameter (action.a, action.b);
            if (auto* preview = groupManagerPreview())
                preview->showParameter (action.a, action.b);
            showEdits();
            break;

        case EventAction::groupsChanged:
            // the stored program the edits are measured against may be the one that changed
            showEdits();
            if (groupManagerOpen)
                reloadGroupManager();
            // a late answer may have filled a slot the report lists
            if (progress != nullptr && progress->isReport())
                progress->showReport (engine.getTransferStatus());
            break;

        case EventAction::pitchWheel:
            keyboard->getPitchWheel().setValueFromInstrument (action.a);
            break;

        case EventAction::modWheel:
            keyboard->getModWheel().setValueFromInstrument (action.a);
            break;

        case EventAction::velocityShown:
            keyboard->getVelocityIndicator().repaint();
            break;

        case EventAction::octaveShown:
            keyboard->showBaseNote();
            break;

        case EventAction::channelChanged:
            // the channel menu, or the instrument's globals when it answers on another channel
            appBar->showChannel (engine.getMidiChannel());
            break;

        case EventAction::presetChanged:
            if (libraryWindow != nullptr)
                if (auto* bank = libraryWindow->getContent().getPresetBank(); bank != nullptr && ! libraryWindow->getContent().isLibraryShowing())
                    bank->selectCurrentPreset();
            break;

        case EventAction::none:
            break;
    }
}

//==============================================================================
// Keys

bool MainComp::keyPressed (const juce::KeyPress& key)
{
    // A key the focused player did not take comes up here too: it has been heard already.
    auto& player = keyboard->getKeyPlayer();
    return ! player.hasKeyboardFocus (false) && player.keyPressed (key);
}

bool MainComp::keyStateChanged (bool isKeyDown)
{
    auto& player = keyboard->getKeyPlayer();
    return ! player.hasKeyboardFocus (false) && player.keyStateChanged (isKeyDown);
}

void MainComp::parentHierarchyChanged()
{
    // the shortcuts work from the moment the window shows, without a click into it first
    if (isShowing() && ! hasKeyboardFocus (true))
        keyboard->getKeyPlayer().grabKeyboardFocus();
}

bool MainComp::keyPlayed (int panelCode, int key, bool shift, bool, bool ctrl)
{
    if (ctrl)
    {
        if (panelCode != frontPanel)
            return false;

        switch (juce::CharacterFunctions::toUpperCase ((juce::juce_wchar) key))
        {
            case 'Z':
                if (shift)
                    redo();
                else
                    undo();
                return true;
            case 'Y': redo(); return true;
            case 'E': toggleCompare(); return true;
            case 'T': sendCurrentProgram(); return true;
            case 'R': receiveCurrentProgram(); return true;
            case 'W': toggleWritePanel(); return true;
            case 'H': showModelMenu(); return true;
            case 'F':
            case 'N': openProgramFinder(); return true;
            default:  return false;
        }
    }

    if (key >= keyF1 && key < keyF5)
    {
        // F1..F4: the poly-mode, oscillator, mixer and filter sections
        static constexpr int sections[] = { 0, 1, 4, 11 };
        if (panelCode == frontPanel)
            scrollToSection (sections[key - keyF1]);
        return true;
    }

    switch (key)
    {
        case keyF5: showLibraryWindow(); return true;
        case keyF6: toggleGroupManager(); return true;
        case keyF7: toggleMidiSetup(); return true;
        case keyF8: return true;

        case keyEscape:
            if (panelCode == aboutPanelCode && aboutPanel != nullptr)
                closeAbout();
            // the MIDI setup takes no panel code of its own: it leaves the front panel's shortcuts
            else if (panelCode == frontPanel && midiSetup != nullptr)
                closeMidiSetup();
            else if (panelCode == groupManagerPanel && groupManagerOpen && ! overlaysBlocked())
                closeGroupManager();
            else if (panelCode == writePanelCode)
                closeWritePanel();
            else if (panelCode == libraryListPanel || panelCode == presetListPanel)
                hideLibraryWindow();
            return true;

        case keyUp:
        case keyDown:
            // moves the selection of the list that has the keys
            if (panelCode == groupManagerPanel && groupManagerOpen && ! overlaysBlocked())
            {
                auto& grid = groupManager->getGrid();
                grid.selectRow (grid.getSelectedRow() + (key == keyUp ? -1 : 1));
            }
            else if (panelCode == writePanelCode && writePanel != nullptr)
            {
                auto& grid = writePanel->getGrid();
                grid.selectRow (grid.getSelectedRow() + (key == keyUp ? -1 : 1));
            }
            else if ((panelCode == libraryListPanel || panelCode == presetListPanel) && libraryWindow != nullptr)
                libraryWindow->getContent().moveSelection (key == keyUp ? -1 : 1);
            return true;

        case keyLeft:
        case keyRight:
        case keyReturn:
            return true;

        default:
            return false;
    }
}

//==============================================================================
// Overlays

void MainComp::retire (std::unique_ptr<juce::Component> overlay)
{
    if (overlay == nullptr)
        return;
    overlay->setVisible (false);
    if (auto* parent = overlay->getParentComponent())
        parent->removeChildComponent (overlay.get());
    juce::MessageManager::callAsync ([doomed = std::shared_ptr<juce::Component> (std::move (overlay))] {});
}

void MainComp::toggleAbout (int autoCloseMs)
{
    if (overlaysBlocked())
        return;

    if (aboutPanel != nullptr)
    {
        closeAbout();
        return;
    }

    closeGroupManager();
    closeWritePanel();
    aboutPanel = std::make_unique<AboutPanel> (versionText, engine.getSettings().getInt (SettingsBlock::modelOffset), autoCloseMs);
    aboutPanel->setBounds (getLocalBounds());
    aboutPanel->centrePicture();
    setActivePanel (aboutPanelCode);
    aboutPanel->addChangeListener (this);
    addAndMakeVisible (*aboutPanel);
    aboutPanel->setAlwaysOnTop (false);
    aboutPanel->setAlwaysOnTop (true);
}

void MainComp::closeAbout()
{
    if (aboutPanel == nullptr)
        return;

    setActivePanel (frontPanel);
    aboutPanel->stopAutoClose();
    aboutPanel->removeChangeListener (this);
    retire (std::move (aboutPanel));
    keysToPlayer();
}

void MainComp::toggleGroupManager()
{
    if (overlaysBlocked())
        return;

    if (groupManagerOpen)
    {
        closeGroupManager();
        return;
    }

    closeAbout();
    closeMidiSetup();
    closeWritePanel();

    groupManagerOpen = true;
    setActivePanel (groupManagerPanel);
    layout();
    groupManager->setVisible (true);
    groupManager->setAlwaysOnTop (false);
    groupManager->setAlwaysOnTop (true);
    keyboard->toFront (false);

    // Showing where the current program is selects its row; that is no request to load it again,
    // which would throw away the edits of the program being worked on.
    const juce::ScopedValueSetter<bool> opening (showingSelection, true);
    groupManager->opened();
}

void MainComp::closeGroupManager()
{
    if (! groupManagerOpen)
        return;

    groupManagerOpen = false;
    setActivePanel (frontPanel);
    groupManager->setVisible (false);
    groupManager->setBounds (-20, barHeight, 10, 10);
    editorPanelBounds = { 0, barHeight, getWidth(), editorPanelBounds.getHeight() };
    editorPanel->setBounds (editorPanelBounds);
    layout();
    keysToPlayer();
}

EditSurface* MainComp::groupManagerPreview() const noexcept
{
    return groupManagerOpen ? groupManager->getPreview() : nullptr;
}

void MainComp::toggleWritePanel()
{
    if (overlaysBlocked())
        return;

    if (writePanel != nullptr)
    {
        closeWritePanel();
        return;
    }

    closeAbout();
    closeMidiSetup();
    closeGroupManager();

    const auto record = engine.getEditBuffer();
    writePanel = std::make_unique<WriteSnd> (processor, juce::jmax (0, engine.getCurrentBank()), juce::jmax (0, engine.getCurrentProgram()),
                                             engine.getPluginBank().singleName(), (int) record[DSI_Program::categoryOffset]);
    writePanel->addChangeListener (this);
    writePanel->getWriteButton().addListener (this);
    writePanel->getCancelButton().addListener (this);
    writePanel->getDisplay().addChangeListener (this);
    setActivePanel (writePanelCode);
    placeWritePanel();
    addAndMakeVisible (*writePanel);
    writePanel->setAlwaysOnTop (false);
    writePanel->setAlwaysOnTop (true);
    keyboard->toFront (false);
}

void MainComp::placeWritePanel()
{
    // over the editor area, its content above the keyboard, which stays in front of it
    writePanel->setBounds (0, barHeight, getWidth(), getHeight() - barHeight);
    writePanel->layoutFor (getWidth(), juce::jmax (200, keyboardBounds.getY() - barHeight));
}

void MainComp::closeWritePanel()
{
    if (writePanel == nullptr)
        return;

    setActivePanel (frontPanel);
    writePanel->removeChangeListener (this);
    writePanel->getWriteButton().removeListener (this);
    writePanel->getCancelButton().removeListener (this);
    writePanel->getDisplay().removeChangeListener (this);
    retire (std::move (writePanel));
    keysToPlayer();
}

void MainComp::writeProgram()
{
    auto record = engine.getEditBuffer();
    DSI_Program program;
    program.setRaw (record.data());
    program.setName (writePanel->getName());
    record = program.getData();
    record[DSI_Program::categoryOffset] = (uint8_t) writePanel->getCategory();

    const auto group = writePanel->getChosenGroup(), index = writePanel->getChosenProgram();
    closeWritePanel();
    engine.writeProgram (group, index, record);
    showNotice ("WRITING TO " + ProgramLocation::gridLocationText (group, index).toUpperCase());
}

void MainComp::writeChecked()
{
    const auto check = engine.getWriteCheck();
    const auto where = ProgramLocation::gridLocationText (check.slot.group, check.slot.program);
    switch (check.state)
    {
        case GroupTransfer::WriteCheck::verified:
            showNotice ("Written and verified");
            break;

        case GroupTransfer::WriteCheck::noInput:
            showNotice ("Written (not verified: no MIDI input)");
            break;

        case GroupTransfer::WriteCheck::mismatch:
        case GroupTransfer::WriteCheck::noAnswer:
            if (progress != nullptr)
                break; // a transfer or its report is on screen: it says more
            notice.clear(); // "WRITING TO …" is over
            refreshStatusLine();
            showTransfer();
            stopTimer();
            progress->showAlert ("Write not confirmed",
                                 { "Write to " + where + " not confirmed " + juce::String::charToString (0x2014) + " the instrument may still hold the old program",
                                   check.state == GroupTransfer::WriteCheck::mismatch ? "It answered with a different program."
                                                                                     : "It did not answer when asked for the slot." },
                                 "Write again");
            reportAction = ReportAction::writeAgain;
            break;

        case GroupTransfer::WriteCheck::none:
        case GroupTransfer::WriteCheck::pending:
            break;

        default:
            break;
    }
}

void MainComp::toggleMidiSetup()
{
    if (overlaysBlocked())
        return;

    if (midiSetup != nullptr)
    {
        closeMidiSetup();
        return;
    }

    closeAbout();
    closeGroupManager();
    closeWritePanel();

    midiSetup = std::make_unique<MIDI_Setup> (engine);
    auto& ports = engine.getPorts();
    auto& devices = ports.getDevices();
    midiSetup->setPortNames (devices.getInputNames(), devices.getOutputNames());
    midiSetup->showInput (ports.getInputIndex() + 1, ports.isInputOpen());
    midiSetup->showOutput (ports.getOutputIndex() + 1, ports.isOutputOpen());
    midiSetup->setThirdEntry (ports.getThirdIndex() + 1);
    midiSetup->setToggles (engine.isSendClockOn(), engine.isProgramChangeAutomationOn(), engine.isHostThruOn(),
                           engine.isInThruOn(), engine.isSendProgramOnLoadOn(), engine.isSendProgramChangesOn(),
                           engine.getSettings().getByte (SettingsBlock::keyPlayOffset) == 1);
    MIDI_Sync::Delays delays {};
    for (int i = 0; i < MidiCntrState::numDelays; ++i)
        delays[(size_t) i] = engine.getDelay (i);
    midiSetup->getSync().showLatency (engine.getLatencyMode(), engine.getSampleRateIndex(), delays);
    midiSetup->getSync().currentRateIndex = [this] { return engine.getSampleRateIndex(); };
    midiSetup->setStatus (statusText);
    midiSetup->showHostOptions (processor.wrapperType != juce::AudioProcessor::wrapperType_Standalone);
    midiSetup->chooseFromMenu = chooseFromMenu;
    midiSetup->onMenuClosed = [this] { keysToPlayer(); };

    midiSetup->addListener (this);
    midiSetup->getSync().addChangeListener (this);
    midiSetup->setBounds (getLocalBounds());
    addAndMakeVisible (*midiSetup);
    midiSetup->setAlwaysOnTop (false);
    midiSetup->setAlwaysOnTop (true);
    engine.requestGlobals();
}

void MainComp::setActivePanel (int code)
{
    activePanel = code;
    keyboard->getKeyPlayer().setPanelCode (code);
}

void MainComp::keysToPlayer()
{
    // A menu window or a closed overlay's control had the keys; without this they would reach no
    // shortcut and play no note until the player clicked into the editor. A text field being
    // typed into (a rename box under a category menu) keeps them.
    auto& player = keyboard->getKeyPlayer();
    if (! player.isShowing() || player.hasKeyboardFocus (false))
        return;
    if (auto* focused = juce::Component::getCurrentlyFocusedComponent();
        focused != nullptr && focused->isShowing() && dynamic_cast<juce::TextEditor*> (focused) != nullptr)
        return;
    player.grabKeyboardFocus();
}

void MainComp::closeMidiSetup()
{
    if (midiSetup == nullptr)
        return;

    setActivePanel (frontPanel);
    // the ports chosen are kept for the next start
    engine.savePortSettings();
    midiSetup->removeListener (this);
    midiSetup->getSync().removeChangeListener (this);
    retire (std::move (midiSetup));
    keysToPlayer();
}

void MainComp::midiSetupAction (int code, int value)
{
    switch (code)
    {
        case inputChosen:
        case outputChosen:
        {
            auto& ports = engine.getPorts();
            if (code == inputChosen)
            {
                engine.selectInputPort (value);
                midiSetup->showInput (ports.getInputIndex() + 1, ports.isInputOpen());
            }
            else
            {
                engine.selectOutputPort (value);
                midiSetup->showOutput (ports.getOutputIndex() + 1, ports.isOutputOpen());
            }
            break;
        }

        case clockToggled:      engine.setSendClock (value == 1); break;
        case automationToggled: engine.setProgramChangeAutomation (value == 1); break;
        case hostThruToggled:   engine.setHostThru (value == 1); break;
        case inThruToggled:     engine.setInThru (value == 1); break;

        // how the editor keeps the instrument in step; nothing to ask the instrument
        case sendOnLoadToggled:  engine.setSendProgramOnLoad (value == 1);  engine.saveSettings(); return;
        case sendChangesToggled: engine.setSendProgramChanges (value == 1); engine.saveSettings(); return;

        case okPressed:
            closeMidiSetup();
            return;

        case globalsRequested:
            engine.requestGlobals();
            return;

        default:
            return;
    }

    engine.requestGlobals();
    engine.saveSettings();
}

void MainComp::showLibraryWindow()
{
    if (overlaysBlocked())
        return;

    if (libraryWindow == nullptr)
    {
        libraryWindow = std::make_unique<Lib_Manager_Win> (processor, [this] (const FileMan::Request& r, std::function<void (const juce::File&)> done)
        {
            choose (r, std::move (done));
        });
        auto& content = libraryWindow->getContent();
        content.chooseFromMenu = chooseFromMenu;
        if (auto* bank = content.getPresetBank())
            bank->chooseFromMenu = chooseFromMenu;
        content.getWindowTools().addListener (this);
        content.getKeyPlayer().addListener (this);
        content.setSize (1000, 620);
        libraryWindow->centreWithSize (1000, 620);
    }

    libraryWindow->setAlwaysOnTop (false);
    libraryWindow->setAlwaysOnTop (true);
    libraryWindow->setVisible (true);
    libraryWindow->toFront (true);
    libraryWindow->getContent().opened();
}

void MainComp::hideLibraryWindow()
{
    if (libraryWindow != nullptr && libraryWindow->isVisible())
    {
        libraryWindow->setVisible (false);
        keysToPlayer();
    }
}

void MainComp::openProgramFinder()
{
    if (overlaysBlocked() || finder != nullptr)
        return;

    closeAbout();
    closeMidiSetup();
    closeWritePanel();
    closeGroupManager();

    finder = std::make_unique<ContainerClass> (processor);
    finder->setBounds (getLocalBounds());
    finder->addChangeListener (this);
    addAndMakeVisible (*finder);
    finder->setAlwaysOnTop (false);
    finder->setAlwaysOnTop (true);
}

void MainComp::closeProgramFinder()
{
    if (finder == nullptr)
        return;
    finder->removeChangeListener (this);
    retire (std::move (finder));
    keysToPlayer();
}

void MainComp::scrollToSection (int n)
{
    editorPanel->scrollTo (engine.getParTable().getSectionX (n));
}

void MainComp::selectProgramAt (int group, int index)
{
    if (engine.isLoadStoredProgramsOn())
        engine.selectStoredProgram (group, index);
    else
        engine.selectProgram (ProgramLocation::programNumber (group, index), true, true);
}

void MainComp::programmerKeyPressed (int k)
{
    enum { preset, record, factory, globals, groupSelect, bankSelect, firstNumber };
    switch (k)
    {
        case preset: toggleGroupManager(); return;
        case record: toggleWritePanel(); return;

        case factory:
        {
            if (! groupManagerOpen)
                toggleGroupManager();
            if (! groupManagerOpen)
                return;
            // the factory group of the same number as the user group in use
            const auto current = juce::jmax (0, engine.getCurrentBank());
            auto& grid = groupManager->getGrid();
            grid.loadProgramMode (current >= ProgramLocation::numUserGroups ? current : current + ProgramLocation::numUserGroups);
            grid.setFirstVisibleRow (0);
            groupManager->refresh();
            return;
        }

        case globals:
            if (midiSetup == nullptr)
                toggleMidiSetup();
            if (midiSetup != nullptr && midiSetup->getGlobals() == nullptr)
                midiSetup->toggleGlobals();
            return;

        default:
            break;
    }

    // a running transfer owns the instrument's program selection until it ends
    if (k < groupSelect || k >= firstNumber + ProgramLocation::programsPerBank || engine.isBusy())
        return;

    const auto key = k == groupSelect ? ProgrammerKeys::groupSelect : k == bankSelect ? ProgrammerKeys::bankSelect : k - firstNumber + 1;
    if (const auto selected = programmerKeys.press (key))
        selectProgramAt (*selected / ProgramLocation::programsPerGroup, *selected % ProgramLocation::programsPerGroup);
    else
        showProgrammer();
}

void MainComp::showProgrammer()
{
    auto& surface = editorPanel->getSurface();
    auto& display = surface.getProgramDisplay();
    using Entry = ProgrammerKeys::Entry;
    const auto entry = programmerKeys.getEntry();
    const auto inUse = engine.getCurrentBank() >= 0 && engine.getCurrentProgram() >= 0;
    // with no program in use and no entry the display stays dark where the panel left it
    if (entry != Entry::none || inUse)
        display.setDigits (programmerKeys.shownGroup(), programmerKeys.shownBank(), programmerKeys.shownProgram());
    display.setBlinking (programmerKeys.waitingDigit());

    surface.getProgrammerKey (2).setLit (inUse && programmerKeys.isFactory());
    surface.getProgrammerKey (4).setLit (entry == Entry::group);
    surface.getProgrammerKey (5).setLit (entry == Entry::bank || entry == Entry::program);
    for (int n = 0; n < ProgramLocation::programsPerBank; ++n)
        surface.getProgrammerKey (6 + n).setLit (inUse && entry == Entry::none && programmerKeys.getIndex() % ProgramLocation::programsPerBank == n);
}

//==============================================================================
// Commands

void MainComp::install (const ProgramSysex::Record& record, InstrumentSync::Origin origin, StoredSource source)
{
    engine.storeProgram (false, 0, 0, record, origin, source);
}

void MainComp::sendCurrentProgram()
{
    sendProgram (engine.getEditBuffer(), StoredSource::unchanged());
}

void MainComp::sendProgram (const ProgramSysex::Record& record, StoredSource source)
{
    install (record, InstrumentSync::Origin::sentByCaller, source);
    engine.sendEditBufferDump (record);
    showNotice (engine.getPorts().isOutputOpen() ? "Program sent" : "Not connected: program not sent");
}

void MainComp::receiveCurrentProgram()
{
    engine.sendRequest (MidiCntrState::editBufferRequest, 0, 0);
}

void MainComp::startTransfer (int kind, int group, int sourceGroup)
{
    if (engine.startTransfer (kind, group, sourceGroup))
        showTransfer();
    else if (! engine.isBusy())
        showNotice ("NO MIDI OUTPUT: CHOOSE THE INSTRUMENT IN MIDI SETUP");
}

bool MainComp::overlaysBlocked() const noexcept
{
    // a transfer running, or its report waiting to be read, keeps the other panels shut
    return engine.isBusy() || progress != nullptr;
}

void MainComp::showTransfer()
{
    // a report still on screen gives way to the transfer that has just started
    if (progress != nullptr && progress->isReport())
        closeProgress();

    if (progress == nullptr)
    {
        progress = std::make_unique<ProgBar> (getWidth(), getHeight());
        addAndMakeVisible (*progress);
        progress->getCancelButton().addListener (this);
        progress->getRetryButton().addListener (this);
        progress->getCloseButton().addListener (this);
    }
    progress->setAlwaysOnTop (false);
    progress->setAlwaysOnTop (true);

    const auto status = engine.getTransferStatus();
    if (status.last.group >= 0)
        progress->showProgress (status.last.group, status.last.program);
    showTransferPace();
    startTimer (paceIntervalMs);
}

void MainComp::showTransferPace()
{
    const auto status = engine.getTransferStatus();
    if (! status.running)
        return;
    if (progress != nullptr)
        progress->showOverall (status);
    refreshStatusLine();
}

void MainComp::transferEnded()
{
    // A new transfer may have begun since this one's end was queued.
    if (engine.isBusy())
        return;

    const auto status = engine.getTransferStatus();
    if (! status.unseen)
    {
        // cancelled here, or already reported: only the running display goes
        if (progress != nullptr && ! progress->isReport())
            closeProgress();
        return;
    }

    engine.transferReportSeen();
    refreshStatusLine();
    if (status.failed.empty())
    {
        closeProgress();
        showNotice (ProgBar::countText (status).toUpperCase());
        return;
    }

    showTransfer();
    stopTimer();
    progress->showReport (status);
    reportAction = ReportAction::retryFailed;
}

void MainComp::endTransfer()
{
    engine.cancelTransfer();
    closeProgress();
    showNotice ("CANCELLED: " + ProgBar::countText (engine.getTransferStatus()).toUpperCase());
}

void MainComp::reloadGroupManager()
{
    // the list reads the groups again where it was, and the row that was selected stays so
    // without being chosen again
    auto& grid = groupManager->getGrid();
    const auto row = grid.getSelectedRow(), first = grid.getFirstVisibleRow();
    grid.reload();
    grid.setFirstVisibleRow (first);
    {
        const juce::ScopedValueSetter<bool> showing (showingSelection, true);
        grid.selectRow (row);
    }
    groupManager->refresh();
}

void MainComp::closeProgress()
{
    stopTimer();
    refreshStatusLine();
    if (progress != nullptr)
    {
        progress->getCancelButton().removeListener (this);
        progress->getRetryButton().removeListener (this);
        progress->getCloseButton().removeListener (this);
        retire (std::move (progress));
        keysToPlayer();
    }
}

void MainComp::timerCallback()
{
    showTransferPace();
}

//==============================================================================
// Menus

void MainComp::showMenu (const juce::PopupMenu& menu, juce::Component* anchor, std::function<void (int)> chosen)
{
    MenuChoice::show (menu, anchor, *this, chooseFromMenu, std::move (chosen), [this] { keysToPlayer(); });
}

juce::PopupMenu MainComp::makeFileMenu() const
{
    juce::PopupMenu menu;
    menu.addItem (1, "Load Single Program");
    menu.addItem (2, "Save " + Bank_Program::nameFrom (engine.getEditBuffer()).trimEnd());
    menu.addSeparator();
    menu.addItem (3, "About");
    return menu;
}

juce::PopupMenu MainComp::makeEditMenu() const
{
    const auto current = Bank_Program::nameFrom (engine.getEditBuffer()).trimEnd();
    const auto& history = processor.getSoundHistory();
    juce::PopupMenu menu;
    const auto addStep = [&menu] (int id, const juce::String& verb, const juce::String& what, bool enabled, const char* keys)
    {
        juce::PopupMenu::Item item (enabled ? verb + " " + what : verb);
        item.itemID = id;
        item.isEnabled = enabled;
        item.shortcutKeyDescription = keys;
        menu.addItem (std::move (item));
    };
    addStep (undoId, "Undo", history.getUndoDescription(), history.canUndo(), "Ctrl+Z");
    addStep (redoId, "Redo", history.getRedoDescription(), history.canRedo(), "Ctrl+Shift+Z");
    menu.addSeparator();
    menu.addItem (1, "Copy Program: " + current);
    menu.addItem (2, "Paste " + (clipboard.has_value() ? Bank_Program::nameFrom (*clipboard).trimEnd() : juce::String()));
    menu.addSeparator();
    menu.addItem (findProgramId, juce::String ("Select Program by Name  (") + "Ctrl+" + " F)");
    return menu;
}

juce::PopupMenu MainComp::makeParamMenu()
{
    juce::PopupMenu menu;
    menu.addItem (1, "Poly Mode      F1");
    menu.addItem (2, "Oscillators     F2");
    menu.addItem (3, "Mixer            F3");
    menu.addItem (4, "Filter            F4");
    return menu;
}

juce::PopupMenu MainComp::makeSendMenu()
{
    if (engine.getCurrentPluginProgram() < 0)
        engine.setCurrentPluginProgram (0);

    juce::PopupMenu menu;
    menu.addItem (1, "Current Preset: " + Bank_Program::nameFrom (engine.getEditBuffer()).trimEnd());
    menu.addItem (2, "FX Bank Preset: " + engine.getPluginBank().programName (engine.getCurrentPluginProgram()));
    return menu;
}

juce::PopupMenu MainComp::makeModelMenu() const
{
    const auto model = engine.getSettings().getInt (SettingsBlock::modelOffset);
    juce::PopupMenu menu;
    menu.addItem (1, "Model Prophet~5", true, model == 0);
    menu.addItem (2, "Model Prophet~10", true, model != 0);
    return menu;
}

juce::PopupMenu MainComp::makeZoomMenu() const
{
    juce::PopupMenu menu;
    const auto percent = juce::roundToInt (zoom * 100.0f);
    for (const auto p : { 50, 75, 100 })
        menu.addItem (p, juce::String (p) + " %", true, p == percent);
    menu.addItem (fitZoomId, "Fit");
    return menu;
}

void MainComp::zoomMenuChosen (int id)
{
    if (id == 50 || id == 75 || id == 100)
        setZoom ((float) id / 100.0f);
    else if (id == fitZoomId)
        setZoom (EditorLayout::fitZoom (getWidth(), getHeight()));
    else
        return;
    editorPanel->scrollTo (0);
    editorPanel->layoutPanel();
}

juce::PopupMenu MainComp::makeChannelMenu() const
{
    const auto channel = engine.getMidiChannel();
    juce::PopupMenu menu;
    for (int n = 1; n <= 16; ++n)
        menu.addItem (n, "Channel " + juce::String (n), true, n == channel);
    return menu;
}

void MainComp::showFileMenu()    { showMenu (makeFileMenu(), appBar->getButton (AppBar::fileId), [this] (int id) { fileMenuChosen (id); }); }
void MainComp::showEditMenu()    { showMenu (makeEditMenu(), appBar->getButton (AppBar::editId), [this] (int id) { editMenuChosen (id); }); }
void MainComp::showParamMenu()   { showMenu (makeParamMenu(), appBar->getButton (AppBar::paramId), [this] (int id) { paramMenuChosen (id); }); }
void MainComp::showSendMenu()    { showMenu (makeSendMenu(), appBar->getButton (AppBar::sendId), [this] (int id) { sendMenuChosen (id); }); }
void MainComp::showModelMenu()   { showMenu (makeModelMenu(), appBar->getButton (AppBar::modelId), [this] (int id) { modelMenuChosen (id); }); }
void MainComp::showZoomMenu()    { showMenu (makeZoomMenu(), &editorPanel->getZoomHandle(), [this] (int id) { zoomMenuChosen (id); }); }
void MainComp::showChannelMenu() { showMenu (makeChannelMenu(), &appBar->getChannelLabel(), [this] (int id) { channelMenuChosen (id); }); }

void MainComp::fileMenuChosen (int id)
{
    if (id == 1)
        loadProgramFile();
    else if (id == 2)
        saveProgramFile();
    else if (id == 3)
        toggleAbout (0);
}

//==============================================================================
// Files

void MainComp::loadProgramFile()
{
    fileMan.loadProgramFile ([this] (bool loaded)
    {
        if (loaded)
        {
            install (fileMan.parsedProgram.getData());
            showNotice ("LOADED " + juce::File (fileMan.chosenPath).getFileName());
        }
        else if (fileMan.confirmed)
            showNotice ("NO PROGRAM FOUND IN " + juce::File (fileMan.chosenPath).getFileName());
    });
}

void MainComp::saveProgramFile()
{
    const auto record = engine.getEditBuffer();
    // A program as it is stored in the instrument's current slot is saved addressed to that slot;
    // anything else (edited, or from a file or the library) as the edit buffer, so that sending
    // the file never overwrites a slot it did not come from.
    const auto group = engine.getCurrentBank(), index = engine.getCurrentProgram();
    const auto stored = ProgramLocation::isValid (group, index) && engine.getInstrumentBank (group).programRecord (index) == record;
    saveProgram (record, stored ? group : -1, stored ? index : -1);
}

void MainComp::saveProgram (const ProgramSysex::Record& record, int group, int index)
{
    const auto name = Bank_Program::nameFrom (record).trim();
    fileMan.chooseFile (FileMan::Mode::save, 101, name.isEmpty() ? "Untitled" : name, [this, record, group, index] (bool chosen)
    {
        if (chosen)
            writeUserFile (ProgramFile::writeSingle (record, group, index));
    });
}

void MainComp::writeUserFile (const std::vector<uint8_t>& bytes)
{
    const juce::File file (fileMan.chosenPath);
    if (writeFile (file, bytes.data(), bytes.size()))
        showNotice ("SAVED " + file.getFileName());
    else
        showNotice ("NOT SAVED: " + file.getFileName() + " COULD NOT BE WRITTEN");
}

void MainComp::showNotice (const juce::String& text)
{
    // The line goes back to what it said (or says by then); a later notice is not cut short by an
    // earlier one's end.
    notice = text;
    refreshStatusLine();
    juce::Timer::callAfterDelay (noticeMs, [self = juce::Component::SafePointer<MainComp> (this), serial = ++noticeSerial]
    {
        if (self != nullptr && self->noticeSerial == serial)
        {
            self->notice.clear();
            self->refreshStatusLine();
        }
    });
}

void MainComp::refreshStatusLine()
{
    // a notice first, then a running transfer's pace, else the instrument's state
    if (notice.isNotEmpty())
    {
        keyboard->setStatus (notice);
        return;
    }

    if (engine.isBusy())
    {
        const auto status = engine.getTransferStatus();
        keyboard->setStatus (ProgBar::countText (status).toUpperCase() + " - " + ProgBar::timeLeftText (status.remainingMs).toUpperCase());
        return;
    }

    keyboard->setStatus (statusText);
}

void MainComp::editMenuChosen (int id)
{
    if (id == 1)
    {
        // The copy is the edit buffer as it stands: the panel shows it again, but nothing goes to
        // the instrument, whose sound a copy has no reason to change.
        clipboard = engine.getEditBuffer();
        engine.postEvent (StateEvent::editBufferChanged);
    }
    else if (id == 2 && clipboard.has_value())
    {
        install (*clipboard);
    }
    else if (id == findProgramId)
    {
        openProgramFinder();
    }
    else if (id == undoId)
    {
        undo();
    }
    else if (id == redoId)
    {
        redo();
    }
}

void MainComp::undo()
{
    auto& history = processor.getSoundHistory();
    const auto what = history.getUndoDescription();
    if (history.undo())
        showNotice ("Undone: " + what);
}

void MainComp::redo()
{
    auto& history = processor.getSoundHistory();
    const auto what = history.getRedoDescription();
    if (history.redo())
        showNotice ("Redone: " + what);
}

void MainComp::toggleCompare()
{
    processor.getSoundHistory().toggleCompare();
    showEdits();
}

void MainComp::showEdits()
{
    const auto& history = processor.getSoundHistory();
    editBar->showCompare (history.hasEdits(), history.isComparing());
    editorPanel->getSurface().updateMarks();
}

void MainComp::paramMenuChosen (int id)
{
    static constexpr int sections[] = { 0, 1, 4, 11 };
    if (id >= 1 && id <= 4)
        scrollToSection (sections[id - 1]);
}

void MainComp::sendMenuChosen (int id)
{
    if (id == 1)
    {
        sendCurrentProgram();
    }
    else if (id == 2)
    {
        const auto index = juce::jmax (0, engine.getCurrentPluginProgram());
        sendProgram (engine.getPluginBank().programRecord (index), StoredSource::ofPreset (index));
    }
}

void MainComp::modelMenuChosen (int id)
{
    if (id != 1 && id != 2)
        return;

    // the logo and the About picture show the choice at once, not from the next editor on
    const auto model = id - 1;
    engine.getSettings().setInt (SettingsBlock::modelOffset, model);
    editBar->setModel (model);
    if (aboutPanel != nullptr)
        aboutPanel->setModel (model);
}

void MainComp::channelMenuChosen (int id)
{
    if (id >= 1 && id <= 16)
        engine.changeChannel (id);
    appBar->showChannel (engine.getMidiChannel());
}

//==============================================================================
// Children

void MainComp::stsButtonClicked (StsBut* button, int id)
{
    if (progress != nullptr)
    {
        if (button == &progress->getCancelButton())
        {
            endTransfer();
            return;
        }
        if (button == &progress->getCloseButton())
        {
            closeProgress();
            return;
        }
        if (button == &progress->getRetryButton())
        {
            const auto action = reportAction;
            closeProgress();
            if (action == ReportAction::writeAgain)
            {
                const auto check = engine.getWriteCheck();
                engine.writeProgram (check.slot.group, check.slot.program, check.record);
                showNotice ("WRITING TO " + ProgramLocation::gridLocationText (check.slot.group, check.slot.program).toUpperCase());
            }
            else if (engine.retryFailedTransfer())
            {
                showTransfer();
            }
            return;
        }
    }

    if (writePanel != nullptr)
    {
        if (button == &writePanel->getWriteButton())
        {
            writeProgram();
            return;
        }
        if (button == &writePanel->getCancelButton())
        {
            closeWritePanel();
            return;
        }
    }

    if (button == &groupManager->getOkButton())
    {
        closeGroupManager();
        return;
    }

    if (button == &editBar->getEnvelopesButton())
    {
        editBar->toggleEnvelopes();
        return;
    }

    if (button == &editBar->getCompareButton())
    {
        toggleCompare();
        return;
    }

    switch (id)
    {
        case AppBar::recvId:  receiveCurrentProgram(); break;
        case AppBar::editId:  showEditMenu(); break;
        case AppBar::fileId:  showFileMenu(); break;
        case AppBar::midiId:  toggleMidiSetup(); break;
        case AppBar::banksId: toggleGroupManager(); break;
        case AppBar::sendId:  showSendMenu(); break;
        case AppBar::paramId: showParamMenu(); break;
        case AppBar::modelId: showModelMenu(); break;
        case AppBar::writeId: toggleWritePanel(); break;
        default: break;
    }
}

void MainComp::changeListenerCallback (juce::ChangeBroadcaster* source)
{
    if (source == &processor.getSoundHistory())
        showEdits();
    else if (source == &appBar->getMenuButton())
        showLibraryWindow();
    else if (source == &appBar->getChannelLabel())
        showChannelMenu();
    else if (aboutPanel != nullptr && source == aboutPanel.get())
        closeAbout();
    else if (midiSetup != nullptr && source == &midiSetup->getSync())
    {
        const auto& sync = midiSetup->getSync();
        engine.setLatency (sync.getMode(), sync.getDelays());
    }
    else if (source == &editorPanel->getZoomHandle())
    {
        // the press itself and a release where it started ask for no new size
        const auto& handle = editorPanel->getZoomHandle();
        if (handle.getState() == CorButton::percentClicked)
            showZoomMenu();
        else if (handle.getState() != CorButton::pressed && handle.getNewHeight() != editorPanelBounds.getHeight())
            zoomHandleMoved (handle.getNewHeight());
    }
    else if (source == &editorPanel->getSurface().getProgramDisplay())
        toggleGroupManager();
    else if (source == keyboard.get())
        keyboardMoved();
    else if (source == groupManager.get())
        groupManagerCommand (groupManager->getCommand());
    else if (finder != nullptr && source == finder.get())
        closeProgramFinder();
    else if (writePanel != nullptr && source == writePanel.get())
    {
        if (writePanel->getState() == WriteSnd::gridChanged && writePanel->getGrid().getMode() == StsGrid::categoryMode)
            showMenu (GroupMenus::makeCategoryMenu(), &writePanel->getByCategoryButton(), [this] (int id)
            {
                if (const auto category = GroupMenus::categoryFor (id); category && writePanel != nullptr)
                {
                    writePanel->getGrid().loadCategoryMode (*category);
                    writePanel->repaint();
                }
            });
    }
    else if (writePanel != nullptr && source == &writePanel->getDisplay())
    {
        const auto area = writePanel->getDisplay().getClickedArea();
        if (area == LCD_Comp::nameArea)
            writePanel->openRename();
        else if (area == LCD_Comp::categoryArea)
            showMenu (GroupMenus::makeCategoryMenu(), nullptr, [this] (int id)
            {
                if (const auto category = GroupMenus::categoryFor (id); category && writePanel != nullptr)
                    writePanel->setCategory (*category);
            });
    }
    else if (auto* key = dynamic_cast<ProgrammerKey*> (source))
        programmerKeyPressed (key->getIndex());
    else if (auto* graph = dynamic_cast<Envel*> (source))
    {
        editorPanel->getSurface().takeEnvelope (*graph);
        if (auto* preview = groupManagerPreview())
            preview->refreshAll();
    }
}

void MainComp::gridEvent (StsGrid*, int group, int program, int event)
{
    if (showingSelection || ! ProgramLocation::isValid (group, program))
        return;

    switch (event)
    {
        case GridListener::selectEvent:
            selectProgramAt (group, program);
            break;

        case GridListener::contextMenuEvent:
            showProgramMenu (group, program);
            break;

        case GridListener::categoryMenuEvent:
            showMenu (GroupMenus::makeCategoryMenu(), nullptr, [this, group, program] (int id)
            {
                if (const auto category = GroupMenus::categoryFor (id))
                {
                    auto& bank = engine.getInstrumentBank (group);
                    auto record = bank.programRecord (program);
                    record[DSI_Program::categoryOffset] = (uint8_t) *category;
                    bank.storeProgram (program, record);
                    if (groupManagerOpen)
                        groupManager->getGrid().repaint();
                }
            });
            break;

        default:
            break;
    }
}

//==============================================================================
// The group manager's commands and menus

void MainComp::groupManagerCommand (int command)
{
    auto& grid = groupManager->getGrid();
    switch (command)
    {
        case BankComp::groupChosen:
            if (grid.getMode() == StsGrid::programMode)
            {
                const auto program = juce::jmax (0, engine.getCurrentProgram());
                engine.selectProgram (ProgramLocation::programNumber (grid.getGroup(), program), true, true);
                grid.reload();
                const juce::ScopedValueSetter<bool> showing (showingSelection, true);
                grid.selectRow (program);
                groupManager->refresh();
            }
            else
            {
                showMenu (GroupMenus::makeCategoryMenu(), &groupManager->getPresetsButton(), [this] (int id)
                {
                    if (const auto category = GroupMenus::categoryFor (id))
                    {
                        groupManager->getGrid().loadCategoryMode (*category);
                        groupManager->refresh();
                    }
                });
            }
            break;

        case BankComp::presetsMenu:
            if (grid.getMode() == StsGrid::programMode)
            {
                // the group the menu names is the one it acts on, whatever is current by the choice
                const auto group = engine.getCurrentBank();
                showMenu (GroupMenus::makePresetMenu (group), &groupManager->getPresetsButton(),
                          [this, group] (int id) { presetMenuChosen (id, group); });
            }
            break;

        case BankComp::useLoadedToggled:
            engine.setLoadStoredPrograms (! engine.isLoadStoredProgramsOn());
            groupManager->showUseLoaded (engine.isLoadStoredProgramsOn());
            break;

        case BankComp::fileMenu:
            showMenu (GroupMenus::makeFileMenu(), &groupManager->getFileButton(), [this] (int id) { groupFileMenuChosen (id); });
            break;

        case BankComp::midiMenu:
        {
            const auto source = engine.getCurrentBank();
            showMenu (GroupMenus::makeTransferMenu (source), &groupManager->getMidiButton(), [this, source] (int id)
            {
                if (const auto choice = GroupMenus::transferFor (id))
                    startTransfer (choice->kind, choice->group, source);
            });
        }
            break;

        default:
            break;
    }
}

void MainComp::presetMenuChosen (int id, int group)
{
    if (! ProgramLocation::isValid (group, 0))
        return;

    auto& bank = engine.getInstrumentBank (group);
    if (id == GroupMenus::initialiseGroupId && group < ProgramLocation::numUserGroups)
        bank.initialise (false);
    else if (id >= GroupMenus::firstFactoryBlockId && id < GroupMenus::firstFactoryBlockId + FactoryData::numGroups)
        bank.loadFactoryGroup (id - GroupMenus::firstFactoryBlockId);
    else
        return;

    // initialise also resets the bank's single program, which the mirror's groups do not use
    reloadGroupManager();
}

void MainComp::groupFileMenuChosen (int id)
{
    const auto choice = GroupMenus::fileFor (id);
    if (! choice)
        return;
    const auto group = choice->group;

    if (! choice->save)
    {
        fileMan.loadGroupFile ([this, group] (bool loaded)
        {
            if (! loaded)
            {
                if (fileMan.confirmed)
                    showNotice ("NO PROGRAM FOUND IN " + juce::File (fileMan.chosenPath).getFileName());
                return;
            }
            // a file of more than 40 dumps fills the group and leaves the rest: a group has 40 slots
            auto& bank = engine.getInstrumentBank (group);
            const auto count = juce::jmin ((int) fileMan.groupRecords.size(), ProgramLocation::programsPerGroup);
            for (int k = 0; k < count; ++k)
                bank.storeProgram (k, fileMan.groupRecords[(size_t) k]);
            if (groupManagerOpen)
                reloadGroupManager();
            showNotice ("LOADED " + juce::File (fileMan.chosenPath).getFileName());
        });
        return;
    }

    fileMan.chooseFile (FileMan::Mode::save, 103, GroupMenus::groupName (group), [this, group] (bool chosen)
    {
        if (! chosen)
            return;
        std::vector<ProgramSysex::Record> records;
        for (int i = 0; i < ProgramLocation::programsPerGroup; ++i)
            records.push_back (engine.getInstrumentBank (group).programRecord (i));
        writeUserFile (ProgramFile::writeGroup (group, records));
    });
}

void MainComp::showProgramMenu (int group, int program)
{
    const auto name = engine.getInstrumentBank (group).programName (program);
    const auto clipboardName = clipboard.has_value() ? Bank_Program::nameFrom (*clipboard).trimEnd() : juce::String();
    showMenu (GroupMenus::makeContextMenu (name, clipboardName), nullptr, [this, group, program] (int id)
    {
        switch (id)
        {
            case GroupMenus::copyProgram:
                clipboard = engine.getInstrumentBank (group).programRecord (program);
                break;

            case GroupMenus::pasteProgram:
                if (clipboard.has_value())
                    engine.storeProgram (true, group, program, *clipboard);
                break;

            case GroupMenus::saveProgram:
                saveProgram (engine.getInstrumentBank (group).programRecord (program), group, program);
                break;

            case GroupMenus::loadProgram:
                fileMan.loadProgramFile ([this, group, program] (bool loaded)
                {
                    if (loaded)
                        engine.storeProgram (true, group, program, fileMan.parsedProgram.getData());
                    else if (fileMan.confirmed)
                        showNotice ("NO PROGRAM FOUND IN " + juce::File (fileMan.chosenPath).getFileName());
                });
                break;

            default:
                break;
        }
    });
}

void MainComp::windowTool (juce::Component* window, int tool)
{
    if (libraryWindow == nullptr || window != libraryWindow.get())
        return;

    switch (tool)
    {
        case winToolListener::minimise:   libraryWindow->setMinimised (true); break;
        case winToolListener::fullScreen: libraryWindow->setFullScreen (! libraryWindow->isFullScreen()); break;
        case winToolListener::close:      hideLibraryWindow(); break;
        default: break;
    }
}
