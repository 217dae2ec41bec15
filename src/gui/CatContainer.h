#pragma once

#include "gui/CatListener.h"
#include "gui/OwnListeners.h"
#include "gui/SimpleLabel.h"
#include "gui/StBut.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <array>
#include <memory>

class LibraryModel;

/** The library's category chooser: a grid of category buttons, each with the number of records of
    its category beneath, and "ALL" with the library's size. It only reports which cell was
    pressed; the library decides what a cell means. */
class CatContainer : public juce::Component,
                     private juce::ChangeListener
{
public:
    static constexpr int columns = 4, rows = 7, numCells = columns * rows;
    static constexpr int columnPitch = 110, rowPitch = 46, cellWidth = 100, cellHeight = 18;

    CatContainer();
    ~CatContainer() override;

    /** The counts under the cells, and the cell of the model's filter shown latched. */
    void refresh (const LibraryModel& model);

    StBut& getCell (int cell) noexcept             { return *cells[(size_t) cell]; }
    const SimpleLabel& getCount (int cell) const noexcept { return *counts[(size_t) cell]; }

    void addListener (CatListener* listener)    { listeners.add (listener); }
    void removeListener (CatListener* listener) { listeners.remove (listener); }

    void resized() override;

private:
    void changeListenerCallback (juce::ChangeBroadcaster* source) override;

    OwnListeners<CatListener> listeners;
    std::array<std::unique_ptr<StBut>, numCells> cells;
    std::array<std::unique_ptr<SimpleLabel>, numCells> counts;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (CatContainer)
};
