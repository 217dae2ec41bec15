#pragma once

class LibBut;

/** Told of the pointer on a librarian button: pressed, entered and left, with the button's id. */
class LibButListener
{
public:
    virtual ~LibButListener() = default;
    virtual void libButClicked (LibBut* button, int id) = 0;
    virtual void libButEntered (LibBut* button, int id) = 0;
    virtual void libButLeft (LibBut* button, int id) = 0;
};
