#pragma once

#include "gui/RateSlider.h"
#include "midi/MidiCntrState.h"

/** The latency settings: the host's sample rate and the delay, in milliseconds, that the clock,
    the host's MIDI passed to the port and automated parameters wait for at that rate. Moving the
    slider changes the delay of the current rate and sends a change message; the owner applies
    the mode and delays to the engine. */
class MIDI_Sync : public juce::Component,
                  public juce::ChangeListener,
                  public juce::ChangeBroadcaster
{
public:
    static constexpr int width = 310, height = 80;
    using Delays = std::array<int, MidiCntrState::numDelays>;

    MIDI_Sync();
    ~MIDI_Sync() override;

    /** Shows the engine's latency for the rate with the given index (0..5). */
    void showLatency (int mode, int sampleRateIndex, const Delays& delays);
    int getMode() const noexcept { return mode; }
    const Delays& getDelays() const noexcept { return delays; }
    RateSlider& getSlider() noexcept { return slider; }
    /** When set, tells the sample-rate index the host runs at now: a delay set after the host
        changed its rate goes to the new rate. */
    std::function<int()> currentRateIndex;

    /** "44100 Hz" … "192000 Hz" for the indices 0..5, empty for any other. */
    static juce::String rateText (int sampleRateIndex);

    void paint (juce::Graphics&) override;
    void changeListenerCallback (juce::ChangeBroadcaster*) override;

private:
    RateSlider slider;
    int mode = 0, rateIndex = 0;
    Delays delays {};

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MIDI_Sync)
};
