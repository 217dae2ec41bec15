#pragma once

/** Told how the store-the-current-program prompt closed: OK with the target preset, or Cancel. */
class textSetCurListener
{
public:
    virtual ~textSetCurListener() = default;
    virtual void setCurOk (int slotIndex) = 0;
    virtual void setCurCancel() = 0;
};
