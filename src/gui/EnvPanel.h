#pragma once

#include "gui/Envel.h"
#include "model/ProgramSysex.h"

/** The two envelopes of the current program side by side: the filter's on the left and the
    amplifier's on the right, each an editable graph under its title. */
class EnvPanel : public juce::Component
{
public:
    static constexpr int filterSection = 12, amplifierSection = 3;
    static constexpr int firstFilterParameter = 43; // 43, 45, 47, 49; the amplifier's are one above

    explicit EnvPanel (const juce::Image& background);

    Envel& getFilterGraph() noexcept    { return filter; }
    Envel& getAmplifierGraph() noexcept { return amplifier; }

    /** Both graphs take their stages from the record's bytes 43..50. */
    void refresh (const ProgramSysex::Record& record);

    void paint (juce::Graphics&) override;

private:
    Envel filter, amplifier;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (EnvPanel)
};
