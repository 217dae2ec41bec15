#pragma once

/** Told of the keys a key player takes: the code of the panel that has the keys (0 the front
    panel), the translated key code (Escape 27, arrows 28..31, F1..F12 200..211, others their
    character) and the modifiers. Returns whether the key was used. */
class KeyPlayListener
{
public:
    virtual ~KeyPlayListener() = default;
    virtual bool keyPlayed (int panelCode, int key, bool shift, bool alt, bool ctrl) = 0;
};
