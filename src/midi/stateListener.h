#pragma once

/** Told, on the message thread, that the engine has queued events for the editor. */
class stateListener
{
public:
    virtual ~stateListener() = default;
    virtual void engineStateChanged() = 0;
};
