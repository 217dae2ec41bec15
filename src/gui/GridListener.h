#pragma once

class StsGrid;

/** Told when a program grid reports a row: its group, its program index and the event
    (91 select, 90 context menu, 88 category menu). */
class GridListener
{
public:
    static constexpr int selectEvent = 91, contextMenuEvent = 90, categoryMenuEvent = 88;

    virtual ~GridListener() = default;
    virtual void gridEvent (StsGrid* grid, int group, int program, int event) = 0;
};
