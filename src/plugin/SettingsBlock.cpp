#include "plugin/SettingsBlock.h"

SettingsBlock::SettingsBlock()
{
    data[0] = data[1] = data[2] = 255;
    data[3] = 100;
    setInt (editorScaleOffset, 1000);
    setInt (keyboardScaleOffset, 1);
    data[keyVelocityOffset] = 100;
}

SettingsBlock SettingsBlock::fromFileBytes (const void* fileData, size_t numBytes)
{
    SettingsBlock block;

    if (fileData != nullptr && numBytes >= (size_t) size)
    {
        std::copy_n (static_cast<const uint8_t*> (fileData), (size_t) size, block.data.begin());
        if (block.data[keyVelocityOffset] < 20)
            block.data[keyVelocityOffset] = 100;
    }

    block.applyReadRules();
    return block;
}

void SettingsBlock::applyReadRules() noexcept
{
    const auto channel = data[midiChannelOffset];
    if (channel < 1 || channel > 16)
        data[midiChannelOffset] = 1;

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
    return juce::isPositiveAndBelow (offset, size) ? data[(size_t) offset] : 0;
}

void SettingsBlock::setByte (int offset, uint8_t value) noexcept
{
    if (juce::isPositiveAndBelow (offset, size))
        data[(size_t) offset] = value;
}

int32_t SettingsBlock::getInt (int offset) const noexcept
{
    if (offset < 0 || offset + 4 > size)
        return 0;

    const auto* p = data.data() + offset;
    return (int32_t) (((uint32_t) p[0] << 24) | ((uint32_t) p[1] << 16) | ((uint32_t) p[2] << 8) | (uint32_t) p[3]);
}

void SettingsBlock::setInt (int offset, int32_t value) noexcept
{
    if (offset < 0 || offset + 4 > size)
        return;

    const auto v = (uint32_t) value;
    auto* p = data.data() + offset;
    p[0] = (uint8_t) (v >> 24);
    p[1] = (uint8_t) (v >> 16);
    p[2] = (uint8_t) (v >> 8);
    p[3] = (uint8_t) v;
}
