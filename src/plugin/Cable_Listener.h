#pragma once

/** Edits that the host must hear of: an on-panel control changed an instrument parameter. */
class Cable_Listener
{
public:
    virtual ~Cable_Listener() = default;

    /** Reports (instrument parameter, value) to the host inside a change gesture. */
    virtual void paramEdited (int instrumentParameter, int value) = 0;

    /** Reports every edit still waiting in the engine's queue for the host. */
    virtual void flushEdits() = 0;
};
