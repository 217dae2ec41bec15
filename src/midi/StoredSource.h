#pragma once

/** Where the sound being edited is stored: what COMPARE switches to and what the panel's marks
    measure edits against. A sound that came from nowhere stored (a file, a paste, the
    instrument's edit buffer) is measured against itself as it arrived. */
struct StoredSource
{
    enum Kind { none, slot, preset, keep };
    Kind kind = none;
    int group = -1, index = -1;

    static StoredSource inSlot (int group, int index) noexcept { return { slot, group, index }; }
    static StoredSource ofPreset (int index) noexcept          { return { preset, -1, index }; }
    /** The replacement is the same sound: the source stays what it was. */
    static StoredSource unchanged() noexcept                   { return { keep, -1, -1 }; }
    bool operator== (const StoredSource& o) const noexcept { return kind == o.kind && group == o.group && index == o.index; }
};
