#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

/** How the editor's pop-up menus are shown: at their anchor, without a modal loop (hosts build
    plug-ins without one). Tests set a chooser that picks the item at once instead of the user. */
namespace MenuChoice
{
using Chooser = std::function<int (const juce::PopupMenu&)>;

/** Calls `chosen` with the item picked (never for a dismissed menu), then `closed` however the
    menu ended, unless `owner` is gone by then. */
inline void show (const juce::PopupMenu& menu, juce::Component* anchor, juce::Component& owner,
                  const Chooser& chooser, std::function<void (int)> chosen, std::function<void()> closed = {})
{
    if (chooser)
    {
        if (const auto id = chooser (menu); id != 0)
            chosen (id);
        if (closed)
            closed();
        return;
    }

    auto options = juce::PopupMenu::Options();
    if (anchor != nullptr)
        options = options.withTargetComponent (anchor);

    auto shown = menu;
    shown.showMenuAsync (options, [safe = juce::Component::SafePointer<juce::Component> (&owner), chosen = std::move (chosen),
                                   closed = std::move (closed)] (int id)
    {
        if (safe != nullptr && id != 0)
            chosen (id);
        if (safe != nullptr && closed)
            closed();
    });
}
}
