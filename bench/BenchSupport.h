#pragma once

#include "midi/MidiDevices.h"
#include "midi/SimulatedProphet.h"
#include "plugin/MorvexAudioProcessor.h"

#include <benchmark/benchmark.h>

/** A processor wired to the simulated instrument, in a settings folder of its own. */
struct BenchRig
{
    BenchRig()
    {
        devices->addVirtualDevice (instrument);
        instrument->setLogging (false);
        processor = std::make_unique<MorvexAudioProcessor> (devices, folder);
        processor->getEngine().selectOutputPort (1);
        processor->getEngine().selectInputPort (1);
    }

    ~BenchRig()
    {
        processor.reset();
        folder.deleteRecursively();
    }

    MidiCntrState& engine() { return processor->getEngine(); }

    juce::File folder = juce::File::createTempFile ("morvex-bench");
    std::shared_ptr<SimulatedProphet> instrument = std::make_shared<SimulatedProphet>();
    std::shared_ptr<MidiDevices> devices = std::make_shared<MidiDevices> (false);
    std::unique_ptr<MorvexAudioProcessor> processor;
};
