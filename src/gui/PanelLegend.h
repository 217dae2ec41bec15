#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

class ParTable;

/** What is printed on the front panel, drawn in panel units (the panel is 1764 × 330 at zoom 1):
    the section frames, their titles, the captions of the controls, the knob scales and the
    programmer's lettering. It follows the parameter table's layout, so a control and its
    caption always move together. */
namespace PanelLegend
{
constexpr int panelWidth = 1764, panelHeight = 330;

/** Parameter p's control on the panel, in units (a knob sits 4 units below its table offset). */
juce::Rectangle<int> controlArea (const ParTable& table, int p);

/** The programmer's seven-segment display, in units. */
const juce::Rectangle<int> programDisplayArea { 838, 242, 80, 40 };

/** The programmer's keys, left to right: PRESET, RECORD, FACTORY, GLOBALS, GROUP SELECT,
    BANK SELECT and the program keys 1..8. */
constexpr int numProgrammerKeys = 14;
/** Key k's cap on the panel, in units. */
juce::Rectangle<float> programmerKeyArea (const ParTable& table, int k);

/** Paints everything printed on the panel; `g` is already scaled to the zoom. */
void paint (juce::Graphics& g, const ParTable& table);
}
