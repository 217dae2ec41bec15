#pragma once

#include "gui/ScrollTrack.h"

/** The vertical twin of HorScrollClass, 14 pixels wide: a press on the track beside the thumb
    steps a page; a press on the thumb drags it. */
class VerScrollClass : public ScrollTrack
{
public:
    VerScrollClass() : ScrollTrack (true) {}

    int getPageStep() const noexcept { return pageStep; }
    void setPageStep (int rows) { pageStep = juce::jmax (1, rows); }

private:
    bool trackPressed (int along) override
    {
        const auto thumb = getThumbBounds();
        if (along < thumb.getY())
            setPosition (getPosition() - pageStep, juce::sendNotificationSync);
        else if (along >= thumb.getBottom())
            setPosition (getPosition() + pageStep, juce::sendNotificationSync);
        else
            return true;
        return false;
    }

    int pageStep = 10;
};
