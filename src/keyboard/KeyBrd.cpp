#include "keyboard/KeyBrd.h"
#include "gui/Artwork.h"

KeyBrd::KeyBrd (MidiCntrState& e)
    : engine (e), velocity (e), pitch (e, WheelCnt::pitchWheel), modulation (e, WheelCnt::modulationWheel),
      keys (e), octave (e), player (e)
{
    // it paints every pixel of its bounds: the window need not paint under it
    setOpaque (true);
    for (auto* child : std::initializer_list<juce::Component*> { &velocity, &pitch, &modulation, &keys, &octave, &player })
        addAndMakeVisible (child);
    octave.onBaseChosen = [this] { showBaseNote(); };
    setScale (1.0f, 0, 1024, baseHeight);
}

KeyBrd::~KeyBrd() = default;

void KeyBrd::setScale (float newScale, int y, int width, int height)
{
    scale = newScale;
    setBounds (0, y, width, height);

    const auto at = [this] (float x, float yy) { return juce::Point<int> (juce::roundToInt (x * scale), juce::roundToInt (yy * scale)); };
    velocity.setScale (scale);
    velocity.setTopLeftPosition (at (35.0f, 38.0f));
    pitch.setScale (scale);
    pitch.setTopLeftPosition (at (110.0f, 45.0f));
    modulation.setScale (scale);
    modulation.setTopLeftPosition (at (170.0f, 45.0f));
    keys.setScale (scale);
    keys.setTopLeftPosition (at (232.0f, 20.0f));
    // the selector's whole geometry is drawn at 0.7 of the strip's scale
    octave.setScale (scale);
    octave.setTopLeftPosition (at (55.0f * OctaveKeyClass::drawScale, 37.0f * OctaveKeyClass::drawScale));
    player.setScale (scale);
    repaint();
}

void KeyBrd::showBaseNote()
{
    octave.refresh();
    // the C keys' names, and which keys reach past note 127, change with it
    keys.repaint();
}

void KeyBrd::setStatus (const juce::String& text)
{
    if (text == status)
        return;
    status = text;
    repaint (0, 0, juce::roundToInt (320.0f * scale), juce::roundToInt ((float) topLine * scale));
}

bool KeyBrd::inGrip (juce::Point<int> p) const noexcept
{
    return (float) p.y < (float) topLine * scale && p.x < getWidth() - gripFreeRight;
}

void KeyBrd::mouseMove (const juce::MouseEvent& e)
{
    setMouseCursor (inGrip (e.getPosition()) ? juce::MouseCursor::UpDownResizeCursor : juce::MouseCursor::NormalCursor);
}

void KeyBrd::mouseDown (const juce::MouseEvent& e)
{
    moving = inGrip (e.getPosition());
    pressScreenY = e.getScreenY();
    yAtPress = getY();
}

void KeyBrd::mouseDrag (const juce::MouseEvent& e)
{
    if (! moving)
        return;

    const auto y = juce::jlimit (minY, juce::jmax (minY, maxY), yAtPress + e.getScreenY() - pressScreenY);
    setTopLeftPosition (getX(), y);
}

void KeyBrd::mouseUp (const juce::MouseEvent&)
{
    if (std::exchange (moving, false))
        sendSynchronousChangeMessage();
}

void KeyBrd::paint (juce::Graphics& g)
{
    const auto s = scale;
    const auto w = (float) getWidth(), h = (float) getHeight(), line = (float) topLine * s;

    // the instrument's key bed: dark, with a lit top line and a grip on it saying the strip moves
    g.drawImageAt (Artwork::cachedPicture (0x4b42, (uint32_t) juce::roundToInt (s * 1000.0f), getWidth(), getHeight(),
                                           [w, h, line, s] (juce::Graphics& pg)
    {
        pg.setGradientFill (juce::ColourGradient::vertical (juce::Colour (0xff1d1d1d), 0.0f, juce::Colour (0xff0c0c0c), h));
        pg.fillAll();
        pg.setGradientFill (juce::ColourGradient::vertical (juce::Colour (0xff333333), 0.0f, juce::Colour (0xff1a1a1a), line));
        pg.fillRect (0.0f, 0.0f, w, line);
        pg.setColour (juce::Colour (0xff4d4d4d));
        pg.drawHorizontalLine (0, 0.0f, w);
        pg.setColour (juce::Colour (0xff050505));
        pg.drawHorizontalLine (juce::roundToInt (line) - 1, 0.0f, w);

        pg.setColour (juce::Colour (0xff6a6a6a));
        for (int i = 0; i < 3; ++i)
            pg.fillRect (w - (float) gripFreeRight - 30.0f, (6.0f + 3.0f * (float) i) * s, 18.0f, 1.0f);

        pg.setColour (juce::Colour (0xff8a8a8a));
        pg.setFont (Artwork::arial (9.0f * s, true));
        pg.drawText ("PITCH", juce::Rectangle<float> (104.0f * s, 158.0f * s, 44.0f * s, 12.0f * s), juce::Justification::centred, false);
        pg.drawText ("MOD", juce::Rectangle<float> (164.0f * s, 158.0f * s, 44.0f * s, 12.0f * s), juce::Justification::centred, false);
    }, true), 0, 0);

    g.setColour (juce::Colour (0xff9fd0a0));
    g.setFont (Artwork::arial (11.0f * s));
    g.drawText (status, juce::Rectangle<float> (20.0f * s, 0.0f, 300.0f * s, line), juce::Justification::centredLeft, true);
}
