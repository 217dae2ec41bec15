#pragma once

/** Told when the GLOBALS panel asks for something of its owner: 2222, close me. */
class Global_Listener
{
public:
    static constexpr int closeCode = 2222;

    virtual ~Global_Listener() = default;
    virtual void globalPanelAction (int code) = 0;
};
