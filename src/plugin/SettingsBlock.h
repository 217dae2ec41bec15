#pragma once

#include <juce_core/juce_core.h>

#include <array>
#include <atomic>
#include <cstdint>

/** The machine-wide settings record: 400 bytes, single-byte fields and big-endian 32-bit fields,
    kept in the settings file "p5plugst.dat" and shared by every instance on the machine.

    Any thread may read or write single fields (the MIDI thread takes the instrument's channel, the
    audio thread reads the thru flags): each byte is an atomic of its own. */
class SettingsBlock
{
public:
    static constexpr int size = 400;

    // Byte positions of the fields other parts of the system use.
    enum Offset : int
    {
        hostThruOffset = 4,          // "THRU: Host -> MIDI Out Port": 1 on, hostThruSwitchedOff off
        midiChannelOffset = 6,       // 1..16
        sendClockOffset = 7,
        inThruOffset = 10,           // "THRU: MIDI In Port -> Host"
        programChangeAutomationOffset = 11,
        windowWidthOffset = 20,
        windowHeightOffset = 24,
        editorScaleOffset = 28,      // scale × 1000
        modelOffset = 32,
        panelWidthOffset = 36,
        panelHeightOffset = 40,
        keyboardXOffset = 44,
        keyboardScaleOffset = 60,
        latencyMarkerOffset = 68,    // 333 when the latency values below are valid
        delaysOffset = 172,          // six delays in ms, one per sample-rate index
        latencyModeOffset = 196,
        seventhDelayOffset = 200,
        keyPlayOffset = 220,
        keyBaseNoteOffset = 221,
        keyVelocityOffset = 222,
        // The two "keep the instrument in step" options of the MIDI setup. Stored as 1 = off, so
        // the zeros of a fresh block, and of files from versions without them, read as on.
        sendOnLoadOffOffset = 223,   // "Send Program on Project Load"
        sendChangesOffOffset = 224   // "Send Program Changes"
    };

    static constexpr int latencyMarker = 333;
    /** The on-screen keyboard's lowest key on a fresh machine: C2, so middle C is in sight. */
    static constexpr uint8_t firstBaseNote = 24;
    /** Byte 4 once the player has switched host thru off. A fresh machine's 0, which files written
        before this value existed also hold, and 1 both start it on: only the player's own "off"
        lasts into the next start. */
    static constexpr uint8_t hostThruSwitchedOff = 2;
    static constexpr int defaultLatencyMode = 402;

    /** The defaults of a fresh machine. */
    SettingsBlock();
    SettingsBlock (const SettingsBlock& other) noexcept { *this = other; }
    SettingsBlock& operator= (const SettingsBlock& other) noexcept;

    /** The block a settings file's bytes give: fewer than 400 bytes give the defaults; then the
        read rules (channel outside 1..16 → 1, key velocity below 20 → 100, latency values without
        their marker → the default latency values). */
    static SettingsBlock fromFileBytes (const void* data, size_t numBytes);

    uint8_t getByte (int offset) const noexcept;
    void setByte (int offset, uint8_t value) noexcept;

    int32_t getInt (int offset) const noexcept;
    void setInt (int offset, int32_t value) noexcept;

    /** The 400 bytes as they are now. */
    std::array<uint8_t, size> bytes() const noexcept;

private:
    void applyReadRules() noexcept;
    uint8_t at (int offset) const noexcept { return data[(size_t) offset].load (std::memory_order_relaxed); }
    void put (int offset, uint8_t value) noexcept { data[(size_t) offset].store (value, std::memory_order_relaxed); }

    std::array<std::atomic<uint8_t>, size> data {};
};
