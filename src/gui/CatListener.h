#pragma once

/** Told which cell of the category chooser was pressed. */
class CatListener
{
public:
    virtual ~CatListener() = default;
    virtual void categoryChosen (int cell) = 0;
};
