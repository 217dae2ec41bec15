#include "gui/MIDI_Setup.h"
#include "gui/Artwork.h"
#include "keyboard/PianoKey.h"
#include "midi/MidiCntrState.h"

namespace
{
const char* const toggleCaptions[] = { "Clock ON/OFF", "Control Program Change with Automation",
                                       "THRU: Host -> MIDI Out Port", "THRU: MIDI In Port -> Host",
                                       "Send Program on Project Load", "Send Program Changes",
                                       "Play Notes Using Computer Keys" };

const char* const toggleTips[] = { nullptr, nullptr, nullptr, nullptr,
                                   "When the host opens a project, its sound goes to the instrument",
                                   "When a preset, a pasted or a loaded program replaces the sound, it goes to the instrument",
                                   nullptr };

// what each reported toggle tells the listeners; the computer-key toggle is the window's own
constexpr int toggleCodes[] = { MIDI_SetupListener::clockToggled, MIDI_SetupListener::automationToggled,
                                MIDI_SetupListener::hostThruToggled, MIDI_SetupListener::inThruToggled,
                                MIDI_SetupListener::sendOnLoadToggled, MIDI_SetupListener::sendChangesToggled, 0 };

// the options' column, and the latency below it
constexpr int toggleTop = 56, togglePitch = 19, separatorY = 190;

const juce::Colour text (0xffdddddd), dimText (0xff8c8c8c), accent (0xff457089);
}

MIDI_Setup::MIDI_Setup (MidiCntrState& e) : engine (e)
{
    setOpaque (false);
    for (size_t t = 0; t < toggles.size(); ++t)
    {
        toggles[t] = std::make_unique<Check_But> (toggleCaptions[t]);
        toggles[t]->setBounds (370, toggleTop + togglePitch * (int) t, 330, 15);
        if (toggleTips[t] != nullptr)
            toggles[t]->setTooltip (toggleTips[t]);
        toggles[t]->addChangeListener (this);
        addAndMakeVisible (*toggles[t]);
    }

    sysexLabel.setBounds (190, 158, 100, 20);
    sysexLabel.setFontSize (13.0f);
    sysexLabel.setJustification (juce::Justification::centred);
    sysexLabel.setTooltip ("The SysEx buffer size");
    sysexLabel.setText (sysexText (engine.getPorts().getSysexSizeChoice()));
    sysexLabel.addChangeListener (this);
    addAndMakeVisible (sysexLabel);

    status.setBounds (40, 212, 300, 18);
    status.setFontSize (12.0f);
    status.setTextColour (juce::Colour (0xff9fd0a0));
    addAndMakeVisible (status);

    globalsButton.place (40, 240, 90, 20);
    globalsButton.setTooltip ("The instrument's own global settings");
    globalsButton.addListener (this);
    addAndMakeVisible (globalsButton);
    okButton.place (680, 240, 60, 20);
    okButton.addListener (this);
    addAndMakeVisible (okButton);

    manualLabel.setText (manualText(), juce::dontSendNotification);
    manualLabel.setFont (Artwork::arial (14.0f));
    manualLabel.setColour (juce::Label::textColourId, text);
    manualLabel.setJustificationType (juce::Justification::topLeft);
    manualLabel.setBounds (30, 286, 380, 150);
    addAndMakeVisible (manualLabel);

    sync.setTopLeftPosition (370, separatorY + 1);
    addAndMakeVisible (sync);

    setSize (800, 600);
}

void MIDI_Setup::showHostOptions (bool inHost)
{
    hostOptions = inHost;
    const auto dim = [inHost] (juce::Component& c)
    {
        c.setEnabled (inHost);
        c.setAlpha (inHost ? 1.0f : 0.35f);
    };
    for (size_t t = 0; t < toggles.size(); ++t)
        if (isHostOnly ((Toggle) t))
        {
            dim (*toggles[t]);
            toggles[t]->setTooltip (inHost ? juce::String() : juce::String ("Only a host has this to give"));
        }
    dim (sync);
    repaint();
}

MIDI_Setup::~MIDI_Setup()
{
    stopTimer();
    if (globals != nullptr)
        globals->removeListener (this);
}

juce::String MIDI_Setup::manualText()
{
    return "Prophet~5/10 Global Settings should be set manually as follows:\n\n"
           "MIDI Channel = ALL\n"
           "Param Xmit = NRPN\n"
           "Param Rcv = NRPN\n"
           "MIDI Control = ON\n"
           "MIDI SysEx = USB or MIDI depending on connection\n"
           "MIDI Out = USB or MIDI depending on connection";
}

//==============================================================================
void MIDI_Setup::setPortNames (const juce::StringArray& inputDevices, const juce::StringArray& outputDevices)
{
    inputNames = juce::StringArray ("NONE");
    inputNames.addArray (inputDevices);
    outputNames = juce::StringArray ("NONE");
    outputNames.addArray (outputDevices);
    repaint();
}

void MIDI_Setup::showInput (int entry, bool open)
{
    inputEntry = entry;
    inputOpen = open;
    repaint (inputBox().expanded (2));
}

void MIDI_Setup::showOutput (int entry, bool open)
{
    outputEntry = entry;
    outputOpen = open;
    repaint (outputBox().expanded (2));
}

void MIDI_Setup::setToggles (bool clock, bool automation, bool hostThru, bool inThru, bool sendOnLoad,
                             bool sendChanges, bool computerKeys)
{
    const bool states[] = { clock, automation, hostThru, inThru, sendOnLoad, sendChanges, computerKeys };
    for (size_t t = 0; t < toggles.size(); ++t)
        toggles[t]->setChecked (states[t]);
}

void MIDI_Setup::globalsChanged()
{
    if (globals != nullptr)
        for (auto* control : globals->getControls())
            control->repaint();
}

void MIDI_Setup::tell (int code, int value)
{
    listeners.callLastFirst ([code, value] (MIDI_SetupListener& l) { l.midiSetupAction (code, value); });
}

//==============================================================================
void MIDI_Setup::mouseDown (const juce::MouseEvent& e)
{
    if (inputBox().contains (e.getPosition()))
        showPortMenu (true);
    else if (outputBox().contains (e.getPosition()))
        showPortMenu (false);
}

void MIDI_Setup::showPortMenu (bool input)
{
    const auto& names = input ? inputNames : outputNames;
    // "NONE" alone is no choice: without a device there is nothing to offer
    if (names.size() < 2)
        return;

    const auto current = input ? inputEntry : outputEntry;
    juce::PopupMenu menu;
    for (int i = 0; i < names.size(); ++i)
        menu.addItem (i + 1, names[i], true, i == current);

    MenuChoice::show (menu, nullptr, *this, chooseFromMenu, [this, input] (int id)
    {
        if (input)
            inputEntry = id - 1;
        else
            outputEntry = id - 1;
        repaint();
        tell (input ? MIDI_SetupListener::inputChosen : MIDI_SetupListener::outputChosen, id - 1);
    }, onMenuClosed);
}

void MIDI_Setup::showSysexMenu()
{
    juce::PopupMenu menu;
    const auto choice = engine.getPorts().getSysexSizeChoice();
    menu.addItem (1, sysexText (0), true, choice == 0);
    menu.addItem (2, sysexText (1), true, choice != 0);
    MenuChoice::show (menu, &sysexLabel, *this, chooseFromMenu, [this] (int id)
    {
        engine.getPorts().setSysexSizeChoice (id - 1);
        sysexLabel.setText (sysexText (id - 1));
    }, onMenuClosed);
}

void MIDI_Setup::toggleGlobals()
{
    if (globals != nullptr)
    {
        stopTimer();
        globals->removeListener (this);
        globals.reset();
        manualLabel.setVisible (true);
        return;
    }

    manualLabel.setVisible (false);
    globals = std::make_unique<Global_Container> (engine);
    globals->addListener (this);
    // the globals' value menus give the keys back as the setup's own menus do
    for (auto* control : globals->getControls())
        control->onMenuClosed = [this] { if (onMenuClosed != nullptr) onMenuClosed(); };
    resized();
    addAndMakeVisible (*globals);
}

void MIDI_Setup::globalPanelAction (int code)
{
    // closed a moment later: the panel is still inside its own mouse handler now
    if (code == Global_Listener::closeCode)
        startTimer (closeGlobalsDelayMs);
}

void MIDI_Setup::timerCallback()
{
    stopTimer();
    if (globals != nullptr)
        toggleGlobals();
}

void MIDI_Setup::stsButtonClicked (StsBut* button, int)
{
    if (button == &okButton)
        tell (MIDI_SetupListener::okPressed, 0);
    else if (button == &globalsButton)
        toggleGlobals();
}

void MIDI_Setup::changeListenerCallback (juce::ChangeBroadcaster* source)
{
    if (source == &sysexLabel)
    {
        showSysexMenu();
        return;
    }

    for (size_t t = 0; t < toggles.size(); ++t)
    {
        if (source != toggles[t].get())
            continue;

        const auto on = toggles[t]->isChecked();
        if (t == computerKeysToggle)
            engine.getSettings().setByte (SettingsBlock::keyPlayOffset, on ? 1 : 0);
        else
            tell (toggleCodes[t], on ? 1 : 0);
    }
}

//==============================================================================
void MIDI_Setup::resized()
{
    // 400 high where the window has the room; a short window keeps at least every control in view
    if (globals != nullptr)
        globals->setBounds (frame().getX(), frame().getBottom(), frame().getWidth(),
                            juce::jlimit (360, 400, getHeight() - frame().getBottom() - 4));
}

void MIDI_Setup::paint (juce::Graphics& g)
{
    // the editor dimmed behind the window
    g.fillAll (juce::Colour (0xe0000000));

    const auto f = frame().toFloat();
    g.setColour (juce::Colour (0xff17191b));
    g.fillRoundedRectangle (f, 8.0f);
    g.setColour (accent);
    g.drawRoundedRectangle (f.reduced (1.0f), 8.0f, 2.0f);

    g.setColour (text);
    g.setFont (Artwork::arial (15.0f, true));
    g.drawText ("MIDI SETUP", frame().getX() + 4, 6, 300, 20, juce::Justification::centredLeft, false);

    paintPortBox (g, "MIDI In Port", inputBox(), inputNames[inputEntry], inputOpen);
    paintPortBox (g, "MIDI Out Port", outputBox(), outputNames[outputEntry], outputOpen);

    g.setColour (text);
    g.setFont (Artwork::arial (13.0f));
    g.drawText ("SysEx Buffer Size:", 40, 158, 150, 20, juce::Justification::centredLeft, false);
    g.setColour (dimText);
    g.setFont (Artwork::arial (11.0f));
    g.drawText ("Change only if receiving causes an error (Receiving SysEx).", 40, 180, 320, 16,
                juce::Justification::centredLeft, false);

    // the options' and the latency's corner of the frame
    g.setColour (accent.withAlpha (0.6f));
    g.drawVerticalLine (352, 48.0f, 262.0f);
    g.drawHorizontalLine (separatorY - 2, 362.0f, 748.0f);

    if (! hostOptions)
    {
        g.setColour (dimText);
        g.setFont (Artwork::arial (11.0f, false));
        for (size_t t = 0; t < toggles.size(); ++t)
            if (isHostOnly ((Toggle) t))
                g.drawText ("in a host only", toggles[t]->getBounds().withLeft (640).withRight (748), juce::Justification::centredRight, false);
        g.drawText ("in a host only", 640, separatorY + 2, 108, 16, juce::Justification::centredRight, false);
    }

    if (globals == nullptr)
        paintKeyAssignment (g, { 420, 286, 340, 130 });
}

void MIDI_Setup::paintPortBox (juce::Graphics& g, const juce::String& caption, juce::Rectangle<int> box,
                               const juce::String& name, bool open) const
{
    g.setColour (text);
    g.setFont (Artwork::arial (13.0f, true));
    g.drawText (caption, box.getX(), box.getY() - 18, box.getWidth(), 16, juce::Justification::centredLeft, false);

    g.setColour (juce::Colour (0xff050505));
    g.fillRoundedRectangle (box.toFloat(), 3.0f);
    g.setColour (juce::Colour (0xff6f6f6f));
    g.drawRoundedRectangle (box.toFloat().reduced (0.5f), 3.0f, 1.0f);
    g.setColour (text);
    g.setFont (Artwork::arial (13.0f));
    g.drawText (name, box.reduced (8, 0).withTrimmedRight (24), juce::Justification::centredLeft, true);

    // the port's state: lit while it is open
    const auto square = juce::Rectangle<float> (10.0f, 10.0f).withCentre ({ (float) box.getRight() - 14.0f, (float) box.getCentreY() });
    g.setColour (open ? juce::Colour (0xff49d65a) : juce::Colour (0xff2a2a2a));
    g.fillRect (square);
    g.setColour (juce::Colour (0xff8a8a8a));
    g.drawRect (square, 1.0f);
}

std::array<MIDI_Setup::KeyLabel, 12> MIDI_Setup::keyAssignment()
{
    std::array<KeyLabel, 12> keys;
    for (int offset = 0; offset < 12; ++offset)
    {
        const auto letter = (juce::juce_wchar) MidiCntrState::noteLetters[offset];
        keys[(size_t) offset] = { juce::String::charToString (juce::CharacterFunctions::toUpperCase (letter)),
                                  MidiCntrState::noteName (offset).trimCharactersAtEnd ("0123456789"),
                                  PianoKey::typeOf (offset) == PianoKey::black };
    }
    return keys;
}

void MIDI_Setup::paintKeyAssignment (juce::Graphics& g, juce::Rectangle<int> area) const
{
    g.setColour (text);
    g.setFont (Artwork::arial (13.0f, true));
    g.drawText ("Computer Key Assignment (Shift+):", area.removeFromTop (20), juce::Justification::centredLeft, false);

    // one octave: every key, white or black, with its letter and the note it plays
    const auto x0 = (float) area.getX(), y0 = (float) area.getY() + 4.0f;
    constexpr float keyWidth = 26.0f, keyHeight = 84.0f, blackWidth = 18.0f, blackHeight = 44.0f;
    const auto keys = keyAssignment();
    int whitesBefore = 0;
    for (const auto& key : keys)
    {
        if (key.black)
            continue;
        const juce::Rectangle<float> cap (x0 + keyWidth * (float) whitesBefore++, y0, keyWidth - 1.0f, keyHeight);
        g.setColour (juce::Colour (0xffe8e6df));
        g.fillRoundedRectangle (cap, 2.0f);
        g.setColour (juce::Colour (0xff222222));
        g.setFont (Artwork::arial (12.0f, true));
        g.drawText (key.letter, cap.withTrimmedTop (keyHeight - 38.0f).withHeight (16.0f), juce::Justification::centred, false);
        g.setFont (Artwork::arial (10.0f));
        g.drawText (key.note, cap.withTrimmedTop (keyHeight - 18.0f), juce::Justification::centred, false);
    }

    // the black keys over the gaps, the note above the letter
    whitesBefore = 0;
    for (const auto& key : keys)
    {
        if (! key.black)
        {
            ++whitesBefore;
            continue;
        }
        const juce::Rectangle<float> cap (x0 + keyWidth * (float) whitesBefore - blackWidth * 0.5f - 0.5f, y0, blackWidth, blackHeight);
        g.setColour (juce::Colour (0xff141414));
        g.fillRoundedRectangle (cap, 2.0f);
        g.setColour (juce::Colour (0xffb8b8b8));
        g.setFont (Artwork::arial (9.0f));
        g.drawText (key.note, cap.withTrimmedTop (blackHeight - 32.0f).withHeight (12.0f), juce::Justification::centred, false);
        g.setColour (juce::Colours::white);
        g.setFont (Artwork::arial (11.0f, true));
        g.drawText (key.letter, cap.withTrimmedTop (blackHeight - 18.0f), juce::Justification::centred, false);
    }

    // the four keys that set how the notes play
    const std::pair<const char*, const char*> settings[] = { { "U", "Vel-" }, { "I", "Vel+" }, { "O", "Oct-" }, { "P", "Oct+" } };
    auto x = x0 + keyWidth * 7.0f + 18.0f;
    for (const auto& [letter, meaning] : settings)
    {
        const juce::Rectangle<float> cap (x, y0 + 8.0f, 28.0f, 24.0f);
        g.setColour (juce::Colour (0xff3a3d40));
        g.fillRoundedRectangle (cap, 3.0f);
        g.setColour (text);
        g.setFont (Artwork::arial (12.0f, true));
        g.drawText (letter, cap, juce::Justification::centred, false);
        g.setColour (dimText);
        g.setFont (Artwork::arial (11.0f));
        g.drawText (meaning, cap.translated (0.0f, 28.0f).expanded (4.0f, 0.0f), juce::Justification::centred, false);
        x += 34.0f;
    }
}
