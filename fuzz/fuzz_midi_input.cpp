// Whatever arrives from the instrument's port or from the host: bytes cut into messages, some
// delivered whole, some as partial SysEx pieces, some through the host's buffer.
#include "FuzzInput.h"
#include "midi/MidiCntrState.h"

namespace
{
MidiCntrState& engine()
{
    static const auto folder = juce::File::createTempFile ("morvex-fuzz");
    static MidiCntrState instance (std::make_shared<MidiDevices> (false), folder);
    return instance;
}
}

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    auto& e = engine();
    FuzzInput in (data, size);

    const auto options = in.byte();
    e.setInThru ((options & 1) != 0);
    e.setProgramChangeAutomation ((options & 2) != 0);

    juce::MidiBuffer host;
    std::vector<int32_t> events;
    std::vector<MidiCntrState::HostParam> params;

    while (! in.empty())
    {
        const auto header = in.byte();
        size_t length = 0;
        const auto* bytes = in.run ((size_t) (header & 0x3F) + 1, length);
        if (length == 0)
            break;

        switch (header >> 6)
        {
            case 0:
            case 1:
                e.handleIncomingMidiMessage (nullptr, juce::MidiMessage (bytes, (int) length));
                break;
            case 2:
                e.handlePartialSysexMessage (nullptr, bytes, (int) length, 0.0);
                break;
            default:
                host.addEvent (bytes, (int) length, (int) (bytes[0] % 64));
                e.handleHostMidi (host, 64, 48000);
                host.clear();
                break;
        }
    }

    e.drainEvents (events);
    e.drainHostParams (params);
    return 0;
}
