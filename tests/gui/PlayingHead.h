#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

/** A host's transport for the processor's clock: 120 beats a minute, playing unless told, at the
    position the test moves it to. */
class PlayingHead final : public juce::AudioPlayHead
{
public:
    juce::Optional<PositionInfo> getPosition() const override
    {
        PositionInfo info;
        info.setBpm (120.0);
        info.setIsPlaying (playing);
        info.setPpqPosition (ppq);
        return info;
    }

    bool playing = true;
    double ppq = 0.0;
};
