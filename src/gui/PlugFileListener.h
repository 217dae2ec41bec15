#pragma once

/** Told of the preset list's events: a selection (65, 0), a right-click after it (88 on the
    category column, 90 elsewhere), and a double-click. */
class PlugFileListener
{
public:
    virtual ~PlugFileListener() = default;
    virtual void plugFileEvent (int eventCode, int value) = 0;
    virtual void plugFileDoubleClicked() = 0;
};
