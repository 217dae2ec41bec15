#include "keyboard/PianoKey.h"
#include "gui/Artwork.h"
#include "midi/MidiCntrState.h"

namespace
{
// within an octave: which keys are black, and where the black ones stand
constexpr bool blackInOctave[12] = { false, true, false, true, false, false, true, false, true, false, true, false };
constexpr int blackLeft[12] = { 0, 15, 0, 44, 0, 0, 90, 0, 116, 0, 142, 0 };
constexpr int whiteIndex[12] = { 0, 0, 1, 1, 2, 3, 3, 4, 4, 5, 5, 6 };
constexpr int octaveWidth = 7 * PianoKey::whiteWidth;
}

PianoKey::Type PianoKey::typeOf (int offset) noexcept
{
    return blackInOctave[((offset % 12) + 12) % 12] ? black : white;
}

int PianoKey::leftEdgeOf (int offset) noexcept
{
    const auto octave = offset / 12, inOctave = offset % 12;
    return octave * octaveWidth + (blackInOctave[inOctave] ? blackLeft[inOctave] : whiteIndex[inOctave] * whiteWidth);
}

PianoKey::PianoKey (MidiCntrState& e, int o)
    : engine (e), offset (o), type (typeOf (o)),
      unitBounds (leftEdgeOf (o), 0, type == black ? blackWidth : whiteWidth, type == black ? blackHeight : whiteHeight)
{
    setInterceptsMouseClicks (false, false);
    setScale (1.0f);
}

void PianoKey::setScale (float scale)
{
    setBounds ((unitBounds.toFloat() * scale).getSmallestIntegerContainer());
}

int PianoKey::getNote() const noexcept
{
    return engine.getSettings().getByte (SettingsBlock::keyBaseNoteOffset) + offset;
}

juce::String PianoKey::getCaption() const
{
    // named as the computer keys' status line names the notes
    const auto note = getNote();
    return type == white && note < 128 && note % 12 == 0 ? MidiCntrState::noteName (note) : juce::String();
}

void PianoKey::press (float y)
{
    if (pressed)
        return;

    auto& settings = engine.getSettings();
    auto v = (int) settings.getByte (SettingsBlock::keyVelocityOffset);
    if (v <= 5)
    {
        // a velocity this low means: play as hard as the key is struck low down
        if (y > (float) whiteHeight)
            return;
        const auto e = type == black ? (y > (float) blackHeight ? 127.0f : y) : juce::jmax (0.0f, y - 52.0f);
        v = juce::jlimit (5, 127, (int) (e * 1.27f));
    }

    const auto note = getNote();
    if (note >= 128)
        return;

    sentNote = note;
    sentChannel = engine.getMidiChannel();
    engine.sendNoteOn (sentChannel, note, v);
    lastVelocity = v;
    pressed = true;
    repaint();
}

void PianoKey::release()
{
    if (! pressed)
        return;

    // the note that went out, even if the octave or the channel changed since
    if (juce::isPositiveAndBelow (sentNote, 128))
        engine.sendNoteOff (sentChannel, sentNote);
    sentNote = -1;
    pressed = false;
    repaint();
}

void PianoKey::paint (juce::Graphics& g)
{
    if (! isInRange())
        return;

    // four pictures serve every key: white or black, up or down
    const auto state = (uint32_t) type << 1 | (pressed ? 1u : 0u);
    g.drawImageAt (Artwork::cachedPicture (0x4b79, state, getWidth(), getHeight(), [this] (juce::Graphics& pg)
    {
        const auto r = getLocalBounds().toFloat();
        const auto h = r.getHeight();
        if (type == white)
        {
            pg.setGradientFill (juce::ColourGradient::vertical (pressed ? juce::Colour (0xffc9c6bd) : juce::Colour (0xfff6f4ee), 0.0f,
                                                                pressed ? juce::Colour (0xffb3afa4) : juce::Colour (0xffe2ded3), h));
            pg.fillRect (r.reduced (0.5f, 0.0f));
            pg.setColour (juce::Colour (0xff5a5852));
            pg.drawRect (r, 0.8f);
            // the front edge of the key
            pg.setColour (juce::Colours::black.withAlpha (pressed ? 0.10f : 0.18f));
            pg.fillRect (r.withTop (h - juce::jmax (2.0f, h * 0.04f)));
        }
        else
        {
            pg.setGradientFill (juce::ColourGradient::vertical (juce::Colour (0xff2a2a2a), 0.0f,
                                                                pressed ? juce::Colour (0xff3c3c3c) : juce::Colour (0xff0c0c0c), h));
            pg.fillRoundedRectangle (r, 1.5f);
            pg.setColour (juce::Colours::white.withAlpha (pressed ? 0.08f : 0.16f));
            pg.fillRect (r.reduced (r.getWidth() * 0.22f, 0.0f).withTrimmedBottom (h * 0.12f).withTrimmedTop (h * 0.02f));
        }
    }, type == white), 0, 0); // a white key covers its whole rectangle: copied, not blended

    // the C keys carry their octave's name, so a player finds middle C at a glance
    if (const auto caption = getCaption(); caption.isNotEmpty())
    {
        const auto s = (float) getWidth() / (float) whiteWidth;
        g.setColour (juce::Colour (0xff5a5852));
        g.setFont (Artwork::arial (9.0f * s, true));
        g.drawText (caption, getLocalBounds().toFloat().withTrimmedTop ((float) getHeight() - 22.0f * s).withHeight (14.0f * s),
                    juce::Justification::centred, false);
    }
}
