#include "plugin/SettingsBlock.h"

SettingsBlock::SettingsBlock()
{
    for (auto& byte : data)
        byte.store (0, std::memory_order_relaxed);

    put (0, 255);
    put (1, 255);
    put (2, 255);
    put (3, 100);
    setInt (editorScaleOffset, 1000);
    setInt (keyboardScaleOffset, 1);
    put (keyBaseNoteOffset, firstBaseNote);
    put (keyVelocityOffset, 100);
}

SettingsBlock& SettingsBlock::operator= (const SettingsBlock& other) noexcept
{
    for (int i = 0; i < size; ++i)
        put (i, other.at (i));
    return *this;
}

std::array<uint8_t, SettingsBlock::size> SettingsBlock::bytes() const noexcept
{
    std::array<uint8_t, size> copy {};
    for (int i = 0; i < size; ++i)
        copy[(size_t) i] = at (i);
    return copy;
}

SettingsBlock SettingsBlock::fromFileBytes (const void* fileData, size_t numBytes)
{
    SettingsBlock block;

    if (fileData != nullptr && numBytes >= (size_t) size)
    {
        const auto* bytes = static_cast<const uint8_t*> (fileData);
        for (int i = 0; i < size; ++i)
            block.put (i, bytes[i]);

        if (block.at (keyVelocityOffset) < 20)
            block.put (keyVelocityOffset, 100);
    }

    block.applyReadRules();
    return block;
}

void SettingsBlock::applyReadRules() noexcept
{
    const auto channel = at (midiChannelOffset);
    if (channel < 1 || channel > 16)
        put (midiChannelOffset, 1);

    if (getInt (latencyMarkerOffset) != latencyMarker)
    {
        setInt (latencyMarkerOffset, latencyMarker);
        for (int i = 0; i < 6; ++i)
            setInt (delaysOffset + 4 * i, 0);
        setInt (latencyModeOffset, defaultLatencyMode);
        setInt (seventhDelayOffset, 0);
    }
}

uint8_t SettingsBlock::getByte (int offset) const noexcept
{
    return juce::isPositiveAndBelow (offset, size) ? at (offset) : 0;
}

void SettingsBlock::setByte (int offset, uint8_t value) noexcept
{
    if (juce::isPositiveAndBelow (offset, size))
        put (offset, value);
}

int32_t SettingsBlock::getInt (int offset) const noexcept
{
    if (offset < 0 || offset + 4 > size)
        return 0;

    return (int32_t) (((uint32_t) at (offset) << 24) | ((uint32_t) at (offset + 1) << 16)
                      | ((uint32_t) at (offset + 2) << 8) | (uint32_t) at (offset + 3));
}

void SettingsBlock::setInt (int offset, int32_t value) noexcept
{
    if (offset < 0 || offset + 4 > size)
        return;

    const auto v = (uint32_t) value;
    put (offset, (uint8_t) (v >> 24));
    put (offset + 1, (uint8_t) (v >> 16));
    put (offset + 2, (uint8_t) (v >> 8));
    put (offset + 3, (uint8_t) v);
}
