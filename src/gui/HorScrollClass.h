#pragma once

#include "gui/ScrollTrack.h"

/** The editor panel's horizontal scrollbar, 14 pixels high: a press on the track beside the thumb
    puts the thumb's centre under the pointer and drags it from there; a press on the thumb drags
    it from where it was taken. */
class HorScrollClass : public ScrollTrack
{
public:
    HorScrollClass() : ScrollTrack (false) {}

private:
    bool trackPressed (int along) override
    {
        const auto thumb = getThumbBounds();
        if (along < thumb.getX() || along >= thumb.getRight())
            setPosition (positionAt (along), juce::sendNotificationSync);
        return true;
    }
};
