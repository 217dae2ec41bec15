#pragma once

/** Told of every choice made in the MIDI setup window, as an action code with a value; the
    window itself never changes the engine. */
class MIDI_SetupListener
{
public:
    enum Code
    {
        inputChosen = 300,
        outputChosen = 302,
        clockToggled = 206,
        automationToggled = 212,
        hostThruToggled = 202,
        inThruToggled = 210,
        sendOnLoadToggled = 214,   // "Send Program on Project Load"
        sendChangesToggled = 216,  // "Send Program Changes"
        okPressed = 203,
        globalsRequested = 201
    };

    virtual ~MIDI_SetupListener() = default;
    virtual void midiSetupAction (int code, int value) = 0;
};
