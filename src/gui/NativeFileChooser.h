#pragma once

#include "librarian/FileMan.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

/** The platform's file dialogs for FileMan, shown without a modal loop. One dialog at a time: a
    new request closes the one still open, and so does the end of this object (its answer then
    never comes). */
class NativeFileChooser
{
public:
    NativeFileChooser() = default;
    ~NativeFileChooser();

    void choose (const FileMan::Request& request, std::function<void (const juce::File&)> done);

private:
    std::unique_ptr<juce::FileChooser> active;
};
