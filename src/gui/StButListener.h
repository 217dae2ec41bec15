#pragma once

class StBut;

/** Told of a press-and-release button's press (code 1215) and click (code 1216). */
class StButListener
{
public:
    static constexpr int pressed = 1215, clicked = 1216;

    virtual ~StButListener() = default;
    virtual void stButtonEvent (StBut* button, int code, int id) = 0;
};
