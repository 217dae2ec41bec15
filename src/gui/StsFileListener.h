#pragma once

/** Told of the library list's events: a selection (201 with the selected record), a rebuild
    (202, 100), and a double-click. */
class StsFileListener
{
public:
    virtual ~StsFileListener() = default;
    virtual void stsFileEvent (int eventCode, int value) = 0;
    virtual void stsFileDoubleClicked() = 0;
};
