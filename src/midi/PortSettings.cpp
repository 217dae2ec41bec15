#include "midi/PortSettings.h"
#include "model/TextBytes.h"

namespace
{
constexpr uint8_t inputEnd = 0x0F, outputEnd = 0x10, thirdEnd = 0x11, sysexEnd = 0x12;

juce::String textBetween (const uint8_t* bytes, size_t from, size_t to)
{
    return to > from ? TextBytes::decode (bytes + from, to - from) : juce::String();
}
}

bool PortSettings::parse (const void* data, size_t size, PortSettings& settings, int& sysexChoice)
{
    settings = {};
    if (data == nullptr || size <= 2)
        return false;

    const auto* bytes = static_cast<const uint8_t*> (data);
    size_t at[4] = {}; // last position of each marker; 0 when absent

    for (size_t i = 0; i < size; ++i)
        if (bytes[i] >= inputEnd && bytes[i] <= sysexEnd)
            at[bytes[i] - inputEnd] = i;

    const auto [in, out, third, sysex] = at;

    if (in != 0)
        settings.input = textBetween (bytes, 0, in);

    if (third != 0)
    {
        settings.output = textBetween (bytes, in + 1, out);
        settings.third = textBetween (bytes, out + 1, third);
    }

    if (sysex != 0)
    {
        const auto n = textBetween (bytes, third + 1, sysex).getIntValue();
        settings.sysexSize = juce::String (n);
        if (n != 0)
            sysexChoice = n;
    }

    return true;
}

juce::MemoryBlock PortSettings::serialise() const
{
    juce::MemoryOutputStream out;
    const std::pair<const juce::String*, uint8_t> fields[] = {
        { &input, inputEnd }, { &output, outputEnd }, { &third, thirdEnd }, { &sysexSize, sysexEnd } };

    for (const auto& [text, marker] : fields)
    {
        out.write (text->toRawUTF8(), text->getNumBytesAsUTF8());
        out.writeByte ((char) marker);
    }
    return out.getMemoryBlock();
}
