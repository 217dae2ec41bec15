#include "gui/StsCont.h"
#include "gui/Artwork.h"
#include "gui/StsResor.h"
#include "midi/MidiCntrState.h"
#include "midi/SoundHistory.h"
#include "model/ValueFormat.h"

#include <cmath>

namespace
{
StsCont::KnobLook lookOf (int parameter)
{
    // the oscillators' pitch and the filter's cutoff wear the larger cap, as on the instrument
    return parameter == 0 || parameter == 1 || parameter == 17 ? StsCont::skirted : StsCont::fluted;
}

constexpr int knobStripPitch = 60, knobStripCell = 55;
constexpr int ledCell = 15;

}

StsCont::StsCont (MidiCntrState& e, const StsResor& im, int p, int k, int format, juce::Rectangle<int> bounds)
    : engine (e), images (im), parameter (p), kind (k), displayFormat (format), unitBounds (bounds),
      look (lookOf (p)),
      switchCap (isSwitch() ? Artwork::get ("switch_cap_png") : juce::Image()),
      leds (isSwitch() ? Artwork::get ("led_switch_png") : juce::Image())
{
    if (kind == ParTable::noControl)
        setInterceptsMouseClicks (false, false);

    setZoom (1.0f);
    display (engine.getParTable().limitValue (parameter, getValue()));
}

bool StsCont::isKnob() const noexcept   { return kind == ParTable::knob; }

bool StsCont::isSwitch() const noexcept
{
    return kind == ParTable::splitSwitchLeft || kind == ParTable::pushSwitch || kind == ParTable::splitSwitchRight
        || kind == ParTable::revisionSwitch || kind == ParTable::threeStateSwitch;
}

void StsCont::setZoom (float z)
{
    zoom = z;
    const auto r = unitBounds.toFloat() * z;
    setBounds (r.getSmallestIntegerContainer().withPosition (juce::roundToInt (r.getX()), juce::roundToInt (r.getY())));
}

int StsCont::getValue() const noexcept
{
    return engine.getPluginBank().singleByte (parameter);
}

int StsCont::litLeds() const noexcept
{
    const auto v = engine.getParTable().limitValue (parameter, getValue());
    switch (kind)
    {
        case ParTable::revisionSwitch:   return v == 0 ? 1 : 2;
        case ParTable::threeStateSwitch: return v == 1 ? 1 : v == 2 ? 2 : 0;
        default:                         return v != 0 ? 1 : 0;
    }
}

void StsCont::display (int v)
{
    auto& table = engine.getParTable();
    const auto minimum = (float) table.getMinimum (parameter);
    const auto span = table.getMaximum (parameter) - minimum;
    frame = span > 0.0f ? juce::jlimit (0, frames, juce::roundToInt ((float) frames * ((float) v - minimum) / span)) : 0;
    displayText = ValueFormat::formatValue (displayFormat, v);

    if (isShowing())
        repaint();
    else
        repaintPending = true;
}

void StsCont::showValue (int v)
{
    // Only shown: whoever made the edit stored it already, and an event handled after a program
    // load must not write a value of the old program into the new one. A byte beyond the panel's
    // range (the instrument's own programs hold 127 where the knobs reach 120) shows at the end of
    // the travel and stays as it is.
    display (engine.getParTable().limitValue (parameter, v));
}

void StsCont::applyValue (int v)
{
    store (engine.getParTable().limitValue (parameter, v));
}

void StsCont::store (int limited)
{
    const auto before = getValue();
    if (limited != before)
    {
        engine.getPluginBank().setSingleByte (parameter, (uint8_t) limited);
        display (limited);
        setEdited (limited != engine.getStoredProgram()[(size_t) parameter]);
    }

    if (auto* history = engine.getSoundHistory())
        history->panelEdited (parameter, before, limited, juce::Time::getMillisecondCounterHiRes());
    engine.paramEdited (parameter, limited);
    if (parameter < ParTable::numNrpns)
        engine.sendParameter (parameter, limited, 0.0, 0.0);

    if (parameter >= 43 && parameter <= 50)
        sendSynchronousChangeMessage();
}

//==============================================================================
void StsCont::leaveCompare()
{
    if (auto* history = engine.getSoundHistory())
        history->leaveCompare();
}

void StsCont::setEdited (bool isEdited)
{
    if (edited == isEdited)
        return;
    edited = isEdited;
    if (isShowing())
        repaint();
    else
        repaintPending = true;
}

juce::String StsCont::getTooltip()
{
    if (kind == ParTable::noControl)
        return {};
    return engine.getParTable().getName (parameter) + ": " + ValueFormat::formatValue (displayFormat, getValue());
}

void StsCont::mouseDown (const juce::MouseEvent& e)
{
    if (! e.mods.isLeftButtonDown())
        return;

    // the press is one step of the history, whatever it moves until the button goes up
    if (auto* history = engine.getSoundHistory())
        history->beginGesture (engine.getParTable().getName (parameter));

    pressed = true;
    pressPosition = e.getPosition();
    valueAtPress = getValue();
    fineAtPress = e.mods.isShiftDown();

    if (isSwitch())
    {
        const auto v = getValue();
        if (kind == ParTable::threeStateSwitch)
            applyValue (v == 0 ? 1 : v == 1 ? 2 : 0);
        else
            applyValue (v == 0 ? 1 : 0);
    }
    repaint();
}

void StsCont::mouseDrag (const juce::MouseEvent& e)
{
    if (! pressed || ! isKnob())
        return;

    // Shift pressed or let go in the middle of a drag goes on from where the knob is, instead of
    // jumping to where the other pace would have put it.
    if (e.mods.isShiftDown() != fineAtPress)
    {
        fineAtPress = e.mods.isShiftDown();
        pressPosition = e.getPosition();
        valueAtPress = getValue();
    }

    // Up and right raise the value: a step per 15 pixels for the few-valued knobs, per 1.5 for
    // the others; with Shift, finer.
    const auto b = (engine.getParTable().getMaximum (parameter) < 15.0f ? coarsePixels : finePixels) * (fineAtPress ? fineFactor : 1.0);
    const auto moved = (double) (e.x - pressPosition.x) / b - (double) (e.y - pressPosition.y) / b;
    const auto v = engine.getParTable().limitValue (parameter, (int) std::trunc ((double) valueAtPress + moved));
    if (v != getValue())
        applyValue (v);
}

void StsCont::mouseUp (const juce::MouseEvent&)
{
    if (auto* history = engine.getSoundHistory())
        history->endGesture();
    if (std::exchange (pressed, false))
        repaint();
}

void StsCont::mouseDoubleClick (const juce::MouseEvent& e)
{
    // A knob goes back to the stored program's value; a switch's double click is two presses.
    if (! isKnob() || ! e.mods.isLeftButtonDown())
        return;

    auto* history = engine.getSoundHistory();
    if (history != nullptr)
        history->beginGesture (engine.getParTable().getName (parameter));
    // as stored, even past the knob's travel (the instrument's own programs hold 127 where the
    // knobs reach 120): the sound is the stored one again, not a near copy
    store (engine.getStoredProgram()[(size_t) parameter]);
    if (history != nullptr)
        history->endGesture();
}

void StsCont::mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails& wheel)
{
    leaveCompare();
    if (wheel.deltaY > 0.0f)
        applyValue (getValue() + 1);
    else if (wheel.deltaY < 0.0f)
        applyValue (getValue() - 1);
}

void StsCont::visibilityChanged()
{
    if (repaintPending && isShowing())
        repaint();
}

//==============================================================================
void StsCont::paint (juce::Graphics& g)
{
    repaintPending = false;
    if (isKnob())
        paintKnob (g);
    else if (isSwitch())
        paintSwitch (g);
    if (edited)
        paintMark (g);
}

void StsCont::paintMark (juce::Graphics& g) const
{
    if (! images.editMark.isValid())
        return;

    // in the knob's upper right corner, clear of its scale; on a switch, in the cap's lower
    // right corner, away from its LEDs
    const auto side = 7.0f * zoom;
    const auto x = (float) getWidth() - side - (isKnob() ? 0.5f : 2.0f) * zoom;
    const auto y = isKnob() ? 0.5f * zoom : (float) getHeight() - side - 2.0f * zoom;
    g.drawImage (images.editMark, { x, y, side, side });
}

void StsCont::paintKnob (juce::Graphics& g) const
{
    const auto z = zoom;
    const auto state = (uint64_t) (look == skirted ? 1 : 0) << 8 | (uint64_t) frame;
    g.drawImageAt (Artwork::cachedPicture (0x5374, (uint32_t) state, getWidth(), juce::roundToInt (46.0f * z), [this, z] (juce::Graphics& pg)
    {
        const juce::Point<float> centre (33.0f * z, 23.0f * z);
        if (look == skirted && images.capLarge.isValid())
        {
            // the cap's knob fills 55 of its 80 pixels; the pointer is drawn over it
            constexpr float diameter = 47.0f;
            const auto side = 80.0f * diameter / 55.0f * z;
            pg.drawImage (images.capLarge, juce::Rectangle<float> (side, side).withCentre (centre));

            const auto angle = juce::degreesToRadians (-150.0f + 300.0f * (float) frame / (float) frames);
            const auto radius = 0.5f * diameter * z;
            const juce::Point<float> direction (std::sin (angle), -std::cos (angle));
            pg.setColour (juce::Colour (0xfff2f2f2));
            pg.drawLine ({ centre + direction * (radius * 0.18f), centre + direction * (radius * 0.72f) }, juce::jmax (1.2f, 2.4f * z));
        }
        else if (images.knobStrip.isValid())
        {
            const auto side = 44.0f * z;
            Artwork::drawCell (pg, images.knobStrip, frame, knobStripPitch, knobStripCell, knobStripCell,
                               juce::Rectangle<float> (side, side).withCentre (centre));
        }
    }), 0, 0);

    g.setColour (juce::Colour (0xffc8c8c8));
    g.setFont (Artwork::arial (11.0f * z));
    g.drawText (displayText, juce::Rectangle<float> (0.0f, 46.0f * z, (float) getWidth(), 18.0f * z),
                juce::Justification::centredTop, false);
}

void StsCont::paintSwitch (juce::Graphics& g) const
{
    const auto z = zoom;
    const auto lit = litLeds();
    const auto state = (uint64_t) 2 << 8 | (uint64_t) (kind & 0xFF) << 3 | (uint64_t) lit << 1 | (pressed ? 1u : 0u);
    g.drawImageAt (Artwork::cachedPicture (0x5374, (uint32_t) state, getWidth(), getHeight(), [this, z, lit] (juce::Graphics& pg)
    {
        const auto area = getLocalBounds().toFloat();
        if (switchCap.isValid())
            pg.drawImage (switchCap, area);

        const auto drawLed = [&] (float x, bool on)
        {
            if (leds.isValid())
                Artwork::drawCell (pg, leds, on ? 1 : 0, ledCell, ledCell, ledCell, { x, 3.5f * z, 7.5f * z, 7.5f * z });
        };

        if (kind == ParTable::revisionSwitch || kind == ParTable::threeStateSwitch)
        {
            drawLed (3.0f * z, (lit & 1) != 0);
            drawLed (15.5f * z, (lit & 2) != 0);
        }
        else
        {
            drawLed ((area.getWidth() - 7.5f * z) * 0.5f, lit != 0);
        }

        if (pressed)
        {
            pg.setColour (juce::Colours::black.withAlpha (0.25f));
            pg.fillRoundedRectangle (area.reduced (0.5f * z), 2.0f * z);
        }
    }), 0, 0);
}
