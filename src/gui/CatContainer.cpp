#include "gui/CatContainer.h"
#include "librarian/LibraryModel.h"

CatContainer::CatContainer()
{
    for (int i = 0; i < numCells; ++i)
    {
        const auto caption = LibraryModel::cellCaption (i);
        auto& cell = cells[(size_t) i];
        cell = std::make_unique<StBut> (caption, i, 2);
        cell->addChangeListener (this);
        auto& count = counts[(size_t) i];
        count = std::make_unique<SimpleLabel> (12.0f);
        count->setBackgroundColour (juce::Colours::transparentBlack);
        count->setTextColour (juce::Colour (0xffcebdbd));

        // the cells between the last category and "ALL" are kept for categories to come
        const auto shown = caption.isNotEmpty();
        addChildComponent (*cell);
        addChildComponent (*count);
        cell->setVisible (shown);
        count->setVisible (shown);
    }
    setSize (columns * columnPitch, rows * rowPitch);
}

CatContainer::~CatContainer()
{
    for (auto& cell : cells)
        cell->removeChangeListener (this);
}

void CatContainer::refresh (const LibraryModel& model)
{
    const auto latchedCell = model.filterMode() == LibraryModel::Filter::all ? (int) LibraryModel::allCell
                                                                                  : (int) model.filterCategory();
    for (int i = 0; i < numCells; ++i)
    {
        counts[(size_t) i]->setText (model.countText (i));
        cells[(size_t) i]->setLatched (i == latchedCell);
    }
}

void CatContainer::resized()
{
    for (int i = 0; i < numCells; ++i)
    {
        const auto x = (i % columns) * columnPitch, y = (i / columns) * rowPitch;
        cells[(size_t) i]->place (x, y, cellWidth, cellHeight);
        counts[(size_t) i]->setBounds (x, y + cellHeight, cellWidth, cellHeight);
    }
}

void CatContainer::changeListenerCallback (juce::ChangeBroadcaster* source)
{
    for (int i = 0; i < numCells; ++i)
        if (cells[(size_t) i].get() == source)
            listeners.callLastFirst ([i] (CatListener& l) { l.categoryChosen (i); });
}
