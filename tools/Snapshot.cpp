// Renders the editor to a PNG, as it looks for a processor in a given state:
//   morvex_snapshot OUTPUT.png [--size WIDTHxHEIGHT] [--program N] [--zoom Z] [--scroll X]
//                              [--envelopes on] [--connect on] [--overlay NAME] [--find TEXT]
//                              [--edits on|compare] [--standalone on]
// N selects program N (0..399) of the instrument mirror first. Without --size and --zoom the editor
// opens as it does the first time on the display's screen. Z is the front panel's zoom (0.5 to
// 1), X the panel unit scrolled to the left edge; --envelopes on shows the envelope graphs;
// --connect on opens the simulated instrument's ports and waits until it answers. NAME opens an
// overlay over the
// editor: "about", "progress" (a group receive part way), "report" (a receive that ended with
// slots unanswered), "write" (the write panel), "presets", "library" or
// "prompt" (the library window on its preset bank, its library, or its library renaming a
// program; the picture is the window's), "midi" (the MIDI setup window),
// "globals" (that window with its GLOBALS panel), "banks" (the group manager listing the current
// group), "banks-category" (the group manager listing a category) or "finder" (the program finder
// with TEXT typed into it, "s" unless told, and its selection three rows down); without it none is
// open, not even the About panel a first editor shows. --edits on turns a few of the panel's
// controls away from the stored program, so they wear their marks; --edits compare then presses
// COMPARE. --standalone on makes the processor the standalone app's, which greys what only a host
// gives a meaning to. The processor runs in a home of its own, with the simulated instrument as its only device.
#include "gui/BankComp.h"
#include "gui/ContainerClass.h"
#include "gui/MainComp.h"
#include "midi/MidiDevices.h"
#include "midi/SimulatedProphet.h"
#include "plugin/MorvexAudioProcessor.h"
#include "plugin/MorvexAudioProcessorEditor.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace juce
{
// The framework's own step of its message loop, available whatever its build options.
bool dispatchNextMessageOnSystemQueue (bool returnIfNoPendingMessages);
}

int main (int argc, char** argv)
{
    if (argc < 2)
    {
        std::fprintf (stderr, "usage: %s OUTPUT.png [--size WIDTHxHEIGHT] [--program N] [--zoom Z] [--scroll X] "
                              "[--envelopes on] [--connect on] "
                              "[--overlay about|progress|report|write|presets|library|prompt|midi|globals|banks|banks-category|finder] [--find TEXT] [--edits on|compare] [--standalone on]\n", argv[0]);
        return 2;
    }

    // As a desktop application, so the framework installs its X error handlers: the library
    // window is a window of its own, and a property naming an atom only a window manager defines
    // (the snapshot's display has none) would otherwise abort the process.
    juce::JUCEApplicationBase::createInstance = [] () -> juce::JUCEApplicationBase* { return nullptr; };
    juce::ScopedJuceInitialiser_GUI framework;

    const auto output = juce::File::getCurrentWorkingDirectory().getChildFile (argv[1]);
    int width = 0, height = 0, program = -1, scroll = 0;
    float zoom = 1.0f;
    bool zoomGiven = false;
    bool envelopes = false, connect = false, standalone = false;
    juce::String overlay, find ("s"), edits;
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
        else if (option == "--zoom")
        {
            zoom = juce::jlimit (0.5f, 1.0f, value.getFloatValue());
            zoomGiven = true;
        }
        else if (option == "--scroll")
        {
            scroll = value.getIntValue();
        }
        else if (option == "--envelopes")
        {
            envelopes = value == "on";
        }
        else if (option == "--connect")
        {
            connect = value == "on";
        }
        else if (option == "--overlay")
        {
            overlay = value;
        }
        else if (option == "--find")
        {
            find = value;
        }
        else if (option == "--edits")
        {
            edits = value;
        }
        else if (option == "--standalone")
        {
            standalone = value == "on";
        }
    }

    const auto home = juce::File::createTempFile ("morvex-snapshot");
    int result = 1;
    {
        auto devices = std::make_shared<MidiDevices> (false);
        auto instrument = std::make_shared<SimulatedProphet>();
        devices->addVirtualDevice (instrument);
        if (standalone)
            juce::AudioProcessor::setTypeOfNextNewPlugin (juce::AudioProcessor::wrapperType_Standalone);
        MorvexAudioProcessor processor (devices, home);
        juce::AudioProcessor::setTypeOfNextNewPlugin (juce::AudioProcessor::wrapperType_Undefined);
        if (program >= 0)
            processor.getEngine().selectProgram (program, false, false);

        // a first opening: the size and zoom the editor picks for the display, unless told
        std::unique_ptr<juce::AudioProcessorEditor> editor (processor.createEditor());
        auto* main = dynamic_cast<MorvexAudioProcessorEditor&> (*editor).getMainComp();
        if (zoomGiven)
            main->setZoom (zoom);
        if (width > 0 && height > 0)
            editor->setSize (width, height);

        if (main->isAboutOpen() != (overlay == "about"))
            main->toggleAbout (0);
        if (envelopes)
            main->getEditBar().toggleEnvelopes();
        // the panel lays itself out a moment after a resize: now, for the picture
        main->getEditorPanel().layoutPanel();
        main->getEditorPanel().scrollTo (scroll);
        // a closed overlay is deleted by the message loop
        for (int i = 0; i < 100 && juce::dispatchNextMessageOnSystemQueue (true); ++i) {}
        if (connect)
        {
            processor.getEngine().selectOutputPort (1);
            processor.getEngine().selectInputPort (1);
            processor.getEngine().requestGlobals();
            const auto end = juce::Time::getMillisecondCounter() + 2000;
            while (! processor.getEngine().isOnline() && juce::Time::getMillisecondCounter() < end)
                juce::Thread::sleep (5);
            processor.getEngine().dispatchPendingNotifications();
            for (int i = 0; i < 100 && juce::dispatchNextMessageOnSystemQueue (true); ++i) {}
        }
        if (edits.isNotEmpty())
        {
            auto& surface = main->getEditorPanel().getSurface();
            for (const auto& [parameter, step] : { std::pair { 17, 24 }, { 18, 40 }, { 19, -30 }, { 45, 25 } })
                if (auto* control = surface.getControl (parameter))
                    control->applyValue (control->getValue() + step);
            for (auto* control : surface.getControls())
                if (control->getKind() == ParTable::pushSwitch && control->getParameter() > 20)
                {
                    control->applyValue (control->getValue() == 0 ? 1 : 0);
                    break;
                }
            if (edits == "compare")
                main->toggleCompare();
            processor.getEngine().dispatchPendingNotifications();
            for (int i = 0; i < 100 && juce::dispatchNextMessageOnSystemQueue (true); ++i) {}
        }
        if (overlay == "midi" || overlay == "globals")
        {
            main->toggleMidiSetup();
            if (overlay == "globals")
                main->getMidiSetup()->toggleGlobals();
            // the window asks the instrument again: its answer puts the status on line
            const auto end = juce::Time::getMillisecondCounter() + 500;
            while (juce::Time::getMillisecondCounter() < end)
                if (! juce::dispatchNextMessageOnSystemQueue (true))
                    juce::Thread::sleep (5);
        }
        const auto pumpFor = [] (int ms)
        {
            const auto end = juce::Time::getMillisecondCounter() + (juce::uint32) ms;
            while (juce::Time::getMillisecondCounter() < end)
                if (! juce::dispatchNextMessageOnSystemQueue (true))
                    juce::Thread::sleep (5);
        };

        if (overlay == "progress" || overlay == "report")
        {
            // a receive from the simulated instrument at a cable's pace, part way; for the report
            // two slots never answer, and the transfer gives up on them quickly
            processor.getEngine().selectOutputPort (1);
            processor.getEngine().selectInputPort (1);
            instrument->setWirePace (1.0);
            if (overlay == "report")
            {
                instrument->setUnanswered (2, 9, true);
                instrument->setUnanswered (2, 30, true);
                processor.getEngine().getGroupTransfer().setAnswerTimeout (120.0);
            }
            main->startTransfer (MidiCntrState::receiveOneGroup, 2);
            const auto end = juce::Time::getMillisecondCounter() + 5000;
            while (juce::Time::getMillisecondCounter() < end
                   && (overlay == "progress" ? processor.getEngine().getTransferStatus().settled < 17 : processor.getEngine().isBusy()))
                juce::Thread::sleep (2);
            processor.getEngine().dispatchPendingNotifications();
            pumpFor (300);
        }

        if (overlay == "write")
        {
            main->toggleWritePanel();
            auto& panel = *main->getWritePanel();
            panel.stsButtonClicked (&panel.getGroupButton (1), 0);
            panel.getGrid().selectRow (3);
            pumpFor (100);
        }

        if (overlay.startsWith ("banks"))
        {
            main->toggleGroupManager();
            if (overlay == "banks-category")
            {
                // the most common category among the user programs, so the list is full
                std::array<int, 32> counts {};
                for (int g = 0; g < 5; ++g)
                    for (int i = 0; i < 40; ++i)
                        ++counts[(size_t) (processor.getEngine().getInstrumentBank (g).programRecord (i)[93] & 31)];
                const auto busiest = (int) std::distance (counts.begin(), std::max_element (counts.begin() + 1, counts.end()));
                auto& banks = main->getGroupManager();
                banks.stsButtonClicked (&banks.getCategoryButton (busiest), 0);
                banks.getGrid().selectRow (2);
            }
            pumpFor (100);
        }

        // as the editor opens it: over everything, on top
        if (overlay == "finder")
        {
            main->openProgramFinder();
            auto* finder = main->getProgramFinder();
            for (auto c : find)
                finder->keyPressed (juce::KeyPress ((int) c, juce::ModifierKeys::altModifier, c));
            for (int i = 0; i < 3; ++i)
                finder->keyPressed (juce::KeyPress (juce::KeyPress::downKey));
            pumpFor (100);
        }

        // the library window is a window of its own: its picture is its content's
        juce::Component* shown = editor.get();
        if (overlay == "presets" || overlay == "library" || overlay == "prompt")
        {
            main->showLibraryWindow();
            auto& content = main->getLibraryWindow()->getContent();
            if (overlay == "presets")
                content.getPresetBank()->getSetCurrentBox()->setVisible (false);
            else
                content.libButClicked (&content.getTab (Lib_Manager_Comp::libraryTabId), Lib_Manager_Comp::libraryTabId);
            if (overlay != "presets")
            {
                // a library to look at: the first user group, with a program chosen
                auto& library = *content.getLibrary();
                library.loadMenuChosen (LibClass::fromGroupBase);
                if (auto* prompt = library.getPrompt(); prompt != nullptr && prompt->isVisible())
                    prompt->libButClicked (&prompt->getOkButton(), TextInputCont::okId);
                library.getList().selectByKey (2);
            }
            if (overlay == "prompt")
                content.getLibrary()->libButClicked (&content.getLibrary()->getButton (LibClass::renameId), LibClass::renameId);
            pumpFor (100);
            shown = &content;
        }

        const auto image = shown->createComponentSnapshot (shown->getLocalBounds());
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
