#include "gui/NativeFileChooser.h"

NativeFileChooser::~NativeFileChooser() = default;

void NativeFileChooser::choose (const FileMan::Request& request, std::function<void (const juce::File&)> done)
{
    const auto saving = request.mode == FileMan::Mode::save;
    active = std::make_unique<juce::FileChooser> (request.title, request.initialFile, request.filter);

    auto flags = juce::FileBrowserComponent::canSelectFiles
               | (saving ? juce::FileBrowserComponent::saveMode | juce::FileBrowserComponent::warnAboutOverwriting
                         : juce::FileBrowserComponent::openMode);

    active->launchAsync (flags, [done = std::move (done)] (const juce::FileChooser& chooser)
    {
        // The chooser itself stays until the next dialog or this object's end: the framework is
        // still inside it here.
        done (chooser.getResult());
    });
}
