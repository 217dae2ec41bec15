#pragma once

#include <juce_core/juce_core.h>

#include <array>
#include <cstdint>

/** The instrument's global settings: the 100-byte buffer filled from its global parameter dump,
    and the 18 globals the GLOBALS panel shows and edits (each sent back as an NRPN). */
namespace GlobalSettings
{
constexpr int bufferSize = 100;
constexpr int numGlobals = 18;
constexpr int midiChannelGlobal = 2;

using Buffer = std::array<uint8_t, bufferSize>;

enum class Control
{
    knob,
    valueBox,
    ledSwitch
};

struct Global
{
    const char* label;
    Control control;
    int maximum;
    int nrpn;
    int x, y, width, height;
};

/** Global k (0..17); any other k gives an entry with an empty label and maximum 0. */
const Global& global (int k) noexcept;

// The text of value v of global k, as the panel and its menus show it; "*/*" beyond the range.
juce::String valueText (int k, int v);

/** The 17 names of the alternative tunings (global 17). */
const juce::StringArray& tuningNames();

/** Copies the payload of a global parameter dump (F0 01 32 0F payload F7: the bytes between the
    command and the last byte) to the start of the buffer, never past its end. Returns how many
    bytes were copied. Header bytes are the caller's to check. */
int applyGlobalDump (const uint8_t* message, size_t size, Buffer& buffer) noexcept;

/** The MIDI channel (1..16) the system takes from the instrument's MIDI CHANNEL global: 0 (all
    channels) counts as 1; a value above 16 keeps the current channel. */
int channelFromGlobals (const Buffer& buffer, int currentChannel) noexcept;
}
