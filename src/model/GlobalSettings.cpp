#include "model/GlobalSettings.h"

namespace GlobalSettings
{
namespace
{
const Global globals[numGlobals] = {
    { "COARSE",              Control::knob,      24,  1025, 44,  44,  64,  62 },
    { "FINE",                Control::knob,      100, 1024, 114, 44,  64,  62 },
    { "MIDI CHANNEL:",       Control::valueBox,  16,  1026, 340, 50,  100, 30 },
    { "MIDI CLOCK MODE",     Control::valueBox,  3,   1027, 160, 148, 100, 30 },
    { "MIDI CLOCK PORT",     Control::valueBox,  1,   1028, 160, 182, 100, 30 },
    { "MIDI PARAM SEND",     Control::valueBox,  2,   1029, 160, 216, 100, 30 },
    { "MIDI PARAM RECV",     Control::valueBox,  2,   1030, 160, 250, 100, 30 },
    { "MIDI CONTROLLER ENA", Control::ledSwitch, 1,   1031, 500, 148, 40,  30 },
    { "MIDI SYSEX PORT",     Control::valueBox,  1,   1032, 160, 284, 100, 30 },
    { "MIDI OUT SELECT",     Control::valueBox,  3,   1033, 160, 318, 100, 30 },
    { "LOCAL CONTROL",       Control::ledSwitch, 1,   1035, 378, 78,  100, 30 },
    { "SEQ JACK",            Control::valueBox,  3,   1039, 464, 182, 100, 30 },
    { "POT MODE",            Control::valueBox,  2,   1037, 464, 318, 100, 30 },
    { "SUSTAIN POLARITY",    Control::valueBox,  3,   1040, 464, 216, 100, 30 },
    { "VELOCITY CURVE",      Control::valueBox,  3,   1041, 464, 250, 100, 30 },
    { "PRESSURE CURVE",      Control::valueBox,  3,   1042, 464, 284, 100, 30 },
    { "MONO/STEREO",         Control::valueBox,  1,   1043, 340, 106, 100, 30 },
    { "ALT TUNINGS",         Control::valueBox,  16,  1044, 572, 106, 140, 30 },
};

const Global none { "", Control::valueBox, 0, 0, 0, 0, 0, 0 };

juce::String pick (std::initializer_list<const char*> texts, int v)
{
    if (! juce::isPositiveAndBelow (v, (int) texts.size()))
        return "*/*";
    return *(texts.begin() + v);
}
}

const Global& global (int k) noexcept
{
    return juce::isPositiveAndBelow (k, numGlobals) ? globals[k] : none;
}

const juce::StringArray& tuningNames()
{
    static const juce::StringArray names {
        "Equal Temperam.", "HrmA1-60", "HrmA-12T", "Meantone", "1/4 Tone Equal Temp.", "19 Tone Equal Temp.",
        "31 Tone Equal Temp.", "Pythagorean C", "JI A7/5D", "3-5 Latt A", "3-7 Latt A", "7 Lim Blk C",
        "Pel Slen B", "JI Maj Yam", "JI Min Yam", "Partch 11", "Arabian C" };
    return names;
}

juce::String valueText (int k, int v)
{
    if (! juce::isPositiveAndBelow (k, numGlobals) || v < 0 || v > globals[k].maximum)
        return "*/*";

    switch (k)
    {
        case 0:  return juce::String (v - 12);
        case 1:  return juce::String (v - 50);
        case 2:  return v == 0 ? juce::String ("All Channels") : "Channel " + juce::String (v);
        case 3:  return pick ({ "OFF", "Out Master", "Slave", "Slave Thru" }, v);
        case 4:  return pick ({ "MIDI port", "USB" }, v);
        case 5:
        case 6:  return pick ({ "OFF", "CC", "NRPN" }, v);
        case 8:  return pick ({ "MIDI", "USB" }, v);
        // The instrument accepts a fourth value here that it does not document; show it as such.
        case 9:  return pick ({ "MIDI", "USB", "MIDI/USB", "Value 3" }, v);
        case 11: return pick ({ "Normal", "Trigger", "Gate", "Trigger+Gate" }, v);
        case 12: return pick ({ "Relative", "PassThru", "Jump" }, v);
        case 13: return pick ({ "Norm Open", "Norm Closed", "Sus O/Seq C", "Sus C/Seq O" }, v);
        case 14:
        case 15: return "Curve " + juce::String (v + 1);
        case 16: return pick ({ "Stereo", "Mono" }, v);
        case 17: return tuningNames()[v];
        case 7:
        case 10:
        default: return v == 0 ? "OFF" : "ON";
    }
}

int applyGlobalDump (const uint8_t* message, size_t size, Buffer& buffer) noexcept
{
    constexpr size_t payloadStart = 4;
    if (message == nullptr || size < payloadStart + 1)
        return 0;

    const auto payload = std::min (size - payloadStart - 1, buffer.size());
    std::copy_n (message + payloadStart, payload, buffer.begin());
    return (int) payload;
}

int channelFromGlobals (const Buffer& buffer, int currentChannel) noexcept
{
    const int k = buffer[midiChannelGlobal];
    if (k > 16)
        return currentChannel;
    return k <= 0 ? 1 : k;
}
}
