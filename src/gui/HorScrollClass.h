#pragma once

#include "gui/ScrollTrack.h"

/** The editor panel's horizontal scrollbar, 14 pixels high: a press on the track puts the thumb's
    centre under the pointer and drags it from there. */
class HorScrollClass : public ScrollTrack
{
public:
    HorScrollClass() : ScrollTrack (false) {}

private:
    bool trackPressed (int along) override
    {
        setPosition (positionAt (along), juce::sendNotificationSync);
        return true;
    }
};
