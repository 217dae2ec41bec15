// Renders the editor to a PNG, as it looks for a processor in a given state:
//   morvex_snapshot OUTPUT.png [--size WIDTHxHEIGHT] [--program N]
// N selects program N (0..399) of the instrument mirror first. The processor runs in a home of its
// own, with the simulated instrument as its only device.
#include "midi/MidiDevices.h"
#include "midi/SimulatedProphet.h"
#include "plugin/MorvexAudioProcessor.h"

#include <cstdio>

int main (int argc, char** argv)
{
    if (argc < 2)
    {
        std::fprintf (stderr, "usage: %s OUTPUT.png [--size WIDTHxHEIGHT] [--program N]\n", argv[0]);
        return 2;
    }

    juce::ScopedJuceInitialiser_GUI framework;

    const auto output = juce::File::getCurrentWorkingDirectory().getChildFile (argv[1]);
    int width = 0, height = 0, program = -1;
    for (int i = 2; i + 1 < argc; i += 2)
    {
        const juce::String option (argv[i]), value (argv[i + 1]);
        if (option == "--size")
        {
            width = value.upToFirstOccurrenceOf ("x", false, false).getIntValue();
            height = value.fromFirstOccurrenceOf ("x", false, false).getIntValue();
        }
        else if (option == "--program")
        {
            program = value.getIntValue();
        }
    }

    const auto home = juce::File::createTempFile ("morvex-snapshot");
    int result = 1;
    {
        auto devices = std::make_shared<MidiDevices> (false);
        devices->addVirtualDevice (std::make_shared<SimulatedProphet>());
        MorvexAudioProcessor processor (devices, home);
        if (program >= 0)
            processor.getEngine().selectProgram (program, false, false);

        std::unique_ptr<juce::AudioProcessorEditor> editor (processor.createEditor());
        if (width > 0 && height > 0)
            editor->setSize (width, height);

        const auto image = editor->createComponentSnapshot (editor->getLocalBounds());
        output.deleteFile();
        juce::FileOutputStream stream (output);
        juce::PNGImageFormat png;
        if (stream.openedOk() && png.writeImageToStream (image, stream))
        {
            std::printf ("%s: %dx%d\n", output.getFullPathName().toRawUTF8(), image.getWidth(), image.getHeight());
            result = 0;
        }
    }

    home.deleteRecursively();
    return result;
}
