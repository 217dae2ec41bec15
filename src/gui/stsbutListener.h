#pragma once

class StsBut;

/** Told when a text button of the editor is clicked: the button and its id. */
class stsbutListener
{
public:
    virtual ~stsbutListener() = default;
    virtual void stsButtonClicked (StsBut* button, int id) = 0;
};
