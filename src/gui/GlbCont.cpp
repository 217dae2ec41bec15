#include "gui/GlbCont.h"
#include "gui/Artwork.h"
#include "midi/MidiCntrState.h"

namespace
{
const juce::String noText ("*/*");

// The shared knob film strip: 61 frames 60 pixels apart.
constexpr int knobFrames = 60, knobPitch = 60, knobCell = 55;
}

GlbCont::GlbCont (MidiCntrState& e, int globalIndex)
    : engine (e),
      index (globalIndex),
      kind (kindFor (GlobalSettings::global (globalIndex).control)),
      maximum (GlobalSettings::global (globalIndex).maximum),
      box (Artwork::get ("value_box_png")),
      leds (Artwork::get ("led_global_png")),
      knobStrip (Artwork::get ("knob_strip_png"))
{
    const auto& row = GlobalSettings::global (globalIndex);
    setBounds (row.x, row.y, row.width, row.height);
}

GlbCont::Kind GlbCont::kindFor (GlobalSettings::Control control) noexcept
{
    switch (control)
    {
        case GlobalSettings::Control::knob:      return knob;
        case GlobalSettings::Control::ledSwitch: return ledToggle;
        case GlobalSettings::Control::valueBox:
        default:                                 return valueBox;
    }
}

void GlbCont::setKind (Kind newKind)       { kind = newKind; repaint(); }
void GlbCont::setMaximum (int newMaximum)  { maximum = juce::jmax (0, newMaximum); repaint(); }

void GlbCont::setValueTexts (const juce::StringArray& texts)
{
    ownTexts = texts;
    hasOwnTexts = true;
    repaint();
}

juce::String GlbCont::valueText (int v) const
{
    if (! hasOwnTexts)
        return GlobalSettings::valueText (index, v);
    return juce::isPositiveAndBelow (v, ownTexts.size()) ? ownTexts[v] : noText;
}

int GlbCont::getValue() const
{
    if (! juce::isPositiveAndBelow (index, GlobalSettings::bufferSize))
        return 0;
    return engine.getGlobals()[(size_t) index];
}

void GlbCont::setValue (int v)
{
    engine.setGlobal (index, juce::jlimit (0, maximum, v));
    repaint();
}

std::vector<GlbCont::MenuItem> GlbCont::menuItems() const
{
    std::vector<MenuItem> items;
    for (int v = 0; v <= maximum; ++v)
        if (const auto text = valueText (v); text != noText)
            items.push_back ({ v + 1, text });
    return items;
}

void GlbCont::menuChosen (int id)
{
    if (id > 0)
        setValue (id - 1);
}

int GlbCont::knobFrame() const noexcept
{
    if (maximum <= 0)
        return 0;
    return juce::jlimit (0, knobFrames, knobFrames * getValue() / maximum);
}

juce::Rectangle<int> GlbCont::toggleBoxArea() const noexcept
{
    const auto side = juce::jmin (toggleBoxWidth, getHeight());
    return { (getWidth() - toggleBoxWidth) / 2, (getHeight() - side) / 2, toggleBoxWidth, side };
}

void GlbCont::showMenu()
{
    juce::PopupMenu menu;
    const auto current = getValue();
    for (const auto& item : menuItems())
        menu.addItem (item.id, item.text, true, item.id == current + 1);

    MenuChoice::show (menu, this, *this, chooseFromMenu, [this] (int id) { menuChosen (id); }, onMenuClosed);
}

void GlbCont::mouseDown (const juce::MouseEvent& e)
{
    pressedInStrip = knobDragging = false;
    if (e.mods.isRightButtonDown())
        return;

    switch (kind)
    {
        case valueBox:
            pressedInStrip = e.y >= 0 && e.y < stripHeight;
            break;
        case ledToggle:
            if (e.x < ledZoneWidth)
                setValue (getValue() > 0 ? 0 : 1);
            break;
        case knob:
            knobDragging = true;
            pressPosition = e.getPosition();
            valueAtPress = getValue();
            break;
        case toggleBox:
            if (toggleBoxArea().contains (e.getPosition()))
                setValue (getValue() > 0 ? 0 : 1);
            break;
    }
}

void GlbCont::mouseDrag (const juce::MouseEvent& e)
{
    if (! knobDragging)
        return;

    // A few values over a long travel would jump at 1.5 pixels a step.
    const auto pixelsPerStep = maximum <= 24 ? 6.0 : 1.5;
    const auto moved = (double) (e.x - pressPosition.x) - (double) (e.y - pressPosition.y);
    const auto v = juce::jlimit (0, maximum, valueAtPress + (int) (moved / pixelsPerStep));
    if (v != getValue())
        setValue (v);
}

void GlbCont::mouseUp (const juce::MouseEvent& e)
{
    knobDragging = false;
    if (! std::exchange (pressedInStrip, false))
        return;

    if (e.x >= 0 && e.x <= getWidth() && e.y >= 0 && e.y < stripHeight)
        showMenu();
}

void GlbCont::mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails& wheel)
{
    if (wheel.deltaY > 0.0f)
        setValue (getValue() + 1);
    else if (wheel.deltaY < 0.0f)
        setValue (getValue() - 1);
}

void GlbCont::paint (juce::Graphics& g)
{
    switch (kind)
    {
        case valueBox:  paintValueBox (g); break;
        case ledToggle: paintLed (g); break;
        case knob:      paintKnob (g); break;
        case toggleBox: paintToggleBox (g); break;
    }
}

void GlbCont::paintValueBox (juce::Graphics& g)
{
    const auto w = getWidth();
    if (box.isValid())
    {
        // The artwork is wider than any box: its left part, then its 4-pixel end cap at the box's width.
        constexpr int cap = 4;
        const auto bw = box.getWidth(), bh = box.getHeight();
        g.drawImage (box, 0, 0, w - cap, stripHeight, 0, 0, juce::jmin (w - cap, bw - cap), bh);
        g.drawImage (box, w - cap, 0, cap, stripHeight, bw - cap, 0, cap, bh);
    }
    else
    {
        const auto area = juce::Rectangle<float> (0.0f, 0.0f, (float) w, (float) stripHeight).reduced (0.5f);
        g.setGradientFill (juce::ColourGradient::vertical (juce::Colour (0xff2c2c2c), 0.0f, juce::Colour (0xff111111), (float) stripHeight));
        g.fillRoundedRectangle (area, 3.0f);
        g.setColour (juce::Colour (0xff6a6a6a));
        g.drawRoundedRectangle (area, 3.0f, 1.0f);

        juce::Path arrow;
        const auto ax = (float) w - 10.0f;
        arrow.addTriangle (ax - 3.5f, 7.0f, ax + 3.5f, 7.0f, ax, 11.5f);
        g.setColour (juce::Colour (0xff9f9f9f));
        g.fillPath (arrow);
    }

    g.setColour (juce::Colour (0xffdddddd));
    g.setFont (Artwork::arial (12.0f));
    g.drawText (valueText (getValue()), 0, 0, w, stripHeight, juce::Justification::centred, true);
}

void GlbCont::paintLed (juce::Graphics& g)
{
    const auto on = getValue() > 0;
    const juce::Rectangle<float> led (4.0f, 4.0f, 20.0f, 12.0f);
    if (leds.isValid())
    {
        Artwork::drawCell (g, leds, on ? 1 : 0, 20, 20, 12, led);
        return;
    }

    const auto lamp = led.withSizeKeepingCentre (10.0f, 10.0f);
    g.setColour (on ? juce::Colour (0xffff3b2f) : juce::Colour (0xff4a1612));
    g.fillEllipse (lamp);
    g.setColour (juce::Colour (0xff000000));
    g.drawEllipse (lamp, 1.0f);
}

void GlbCont::paintKnob (juce::Graphics& g)
{
    const auto side = (float) juce::jmin (getWidth(), getHeight() - 16);
    const auto knobArea = juce::Rectangle<float> (((float) getWidth() - side) / 2.0f, 0.0f, side, side);

    if (knobStrip.isValid())
    {
        Artwork::drawCell (g, knobStrip, knobFrame(), knobPitch, knobCell, knobCell, knobArea);
    }
    else
    {
        const auto cap = knobArea.reduced (side * 0.1f);
        g.setGradientFill (juce::ColourGradient (juce::Colour (0xff3c3c3c), cap.getCentreX(), cap.getY(),
                                                juce::Colour (0xff080808), cap.getCentreX(), cap.getBottom(), false));
        g.fillEllipse (cap);
        g.setColour (juce::Colour (0xff555555));
        g.drawEllipse (cap, 1.0f);

        // 300 degrees of travel, starting at seven o'clock
        const auto angle = juce::degreesToRadians (-150.0f + 300.0f * (float) knobFrame() / (float) knobFrames);
        const auto centre = cap.getCentre();
        const auto radius = cap.getWidth() * 0.5f;
        const juce::Line<float> pointer (centre + juce::Point<float> (std::sin (angle), -std::cos (angle)) * (radius * 0.25f),
                                         centre + juce::Point<float> (std::sin (angle), -std::cos (angle)) * (radius * 0.9f));
        g.setColour (juce::Colours::white);
        g.drawLine (pointer, 2.0f);
    }

    g.setColour (juce::Colour (0xffdddddd));
    g.setFont (Artwork::arial (11.0f));
    g.drawText (valueText (getValue()), 0, (int) side, getWidth(), getHeight() - (int) side, juce::Justification::centred, true);
}

void GlbCont::paintToggleBox (juce::Graphics& g)
{
    const auto area = toggleBoxArea().toFloat().reduced (0.5f);
    g.setGradientFill (juce::ColourGradient::vertical (juce::Colour (0xff262626), area.getY(), juce::Colour (0xff0c0c0c), area.getBottom()));
    g.fillRoundedRectangle (area, 3.0f);
    g.setColour (juce::Colour (0xff8a8a8a));
    g.drawRoundedRectangle (area, 3.0f, 1.0f);

    if (getValue() > 0)
    {
        g.setColour (juce::Colour (0xffdddddd));
        g.fillRoundedRectangle (area.reduced (4.0f), 2.0f);
    }
}
