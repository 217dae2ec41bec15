#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** Mouse events made up for a widget, so a test can call its handlers directly without a window
    or a real pointer. Positions are in the widget's own coordinates. */
namespace MouseEvents
{
inline const juce::ModifierKeys left { juce::ModifierKeys::leftButtonModifier };
inline const juce::ModifierKeys right { juce::ModifierKeys::rightButtonModifier };

/** The pointer at (x, y) with the given buttons and keys held (the left button unless told). */
inline juce::MouseEvent at (juce::Component& component, float x, float y, juce::ModifierKeys mods = left)
{
    const auto now = juce::Time::getCurrentTime();
    return { juce::Desktop::getInstance().getMainMouseSource(), { x, y }, mods,
             juce::MouseInputSource::defaultPressure, juce::MouseInputSource::defaultOrientation,
             juce::MouseInputSource::defaultRotation, juce::MouseInputSource::defaultTiltX,
             juce::MouseInputSource::defaultTiltY, &component, &component, now, { x, y }, now, 1, false };
}

/** A drag that was pressed at (fromX, fromY) and is now at (x, y). */
inline juce::MouseEvent drag (juce::Component& component, float fromX, float fromY, float x, float y,
                              juce::ModifierKeys mods = left)
{
    const auto now = juce::Time::getCurrentTime();
    return { juce::Desktop::getInstance().getMainMouseSource(), { x, y }, mods,
             juce::MouseInputSource::defaultPressure, juce::MouseInputSource::defaultOrientation,
             juce::MouseInputSource::defaultRotation, juce::MouseInputSource::defaultTiltX,
             juce::MouseInputSource::defaultTiltY, &component, &component, now, { fromX, fromY }, now, 1, true };
}

/** One notch of the wheel: up (away from the user) for a positive count, down for a negative. */
inline juce::MouseWheelDetails wheel (int notches)
{
    juce::MouseWheelDetails details;
    details.deltaX = 0.0f;
    details.deltaY = 0.25f * (float) notches;
    details.isReversed = false;
    details.isSmooth = false;
    details.isInertial = false;
    return details;
}
}
