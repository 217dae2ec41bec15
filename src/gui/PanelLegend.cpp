#include "gui/PanelLegend.h"
#include "gui/Artwork.h"
#include "model/ParTable.h"

#include <cmath>

namespace
{
const juce::Colour ink (0xffefefef), lineInk (0xffa9a9a9), scaleInk (0xffa3a3a3);
constexpr float titleSize = 10.5f, labelSize = 8.0f, smallSize = 6.2f, scaleSize = 6.4f;
constexpr float inset = 3.0f, frameTop = 4.0f, frameBottom = 92.0f, lineWidth = 1.1f;

enum class Wave { saw, triangle, pulse, square };

struct Caption
{
    juce::String text;
    float x, y, size;
};

/** The panel's printing, in panel units, from the table's geometry. */
class Printer
{
public:
    Printer (juce::Graphics& gr, const ParTable& t) : g (gr), table (t) {}

    juce::Rectangle<float> section (int s) const
    {
        return { (float) table.getSectionX (s), (float) table.getSectionY (s),
                 (float) table.getSectionWidth (s), (float) table.getSectionHeight (s) };
    }

    juce::Rectangle<float> control (int p) const { return PanelLegend::controlArea (table, p).toFloat(); }

    juce::Point<float> knobCentre (int p) const
    {
        const auto r = control (p);
        return { r.getX() + 33.0f, r.getY() + 23.0f };
    }

    bool isKnob (int p) const { return table.getControlKind (p) == ParTable::knob; }

    static juce::Font fontFor (const juce::String& s, float size, float maxWidth)
    {
        auto font = Artwork::arialBlack (size);
        const auto w = font.getStringWidthFloat (s);
        if (maxWidth > 0.0f && w > maxWidth)
            font.setHorizontalScale (maxWidth / w);
        return font;
    }

    static juce::Rectangle<float> boxOf (const Caption& c)
    {
        const auto w = fontFor (c.text, c.size, 0.0f).getStringWidthFloat (c.text);
        return juce::Rectangle<float> (w, c.size).withCentre ({ c.x, c.y });
    }

    /** Text centred on (x, y), squeezed sideways when wider than maxWidth. */
    void text (const juce::String& s, float x, float y, float size, juce::Colour colour = ink, float maxWidth = 0.0f)
    {
        const auto font = fontFor (s, size, maxWidth);
        const auto w = font.getStringWidthFloat (s) * font.getHorizontalScale() + 4.0f;
        g.setFont (font);
        g.setColour (colour);
        g.drawText (s, juce::Rectangle<float> (w, size * 1.4f).withCentre ({ x, y }), juce::Justification::centred, false);
    }

    /** A control's caption: under a knob's value, or just under a switch. */
    void under (int p, const juce::String& s, float size = labelSize, float maxWidth = 80.0f)
    {
        const auto r = control (p);
        text (s, r.getCentreX(), isKnob (p) ? r.getY() + 66.5f : r.getBottom() + 7.0f, size, ink, maxWidth);
    }

    void under (std::initializer_list<std::pair<int, const char*>> captions)
    {
        for (const auto& [k, caption] : captions)
            under (k, caption);
    }

    /** A caption just above a point of a switch (its LEDs' names). */
    void above (int p, float dx, const juce::String& s)
    {
        const auto r = control (p);
        text (s, r.getX() + dx, r.getY() - 5.5f, smallSize, ink);
    }

    /** Marks around a knob, spread over its travel, each with a tick. */
    void scale (int p, const juce::StringArray& marks, int ticks = 0)
    {
        const auto c = knobCentre (p);
        const auto n = juce::jmax (ticks, marks.size());
        g.setColour (lineInk);
        for (int i = 0; i < n; ++i)
        {
            const auto d = direction ((float) i / (float) (n - 1));
            g.drawLine ({ c + d * 21.0f, c + d * 23.5f }, 0.8f);
        }
        for (int i = 0; i < marks.size(); ++i)
        {
            const auto at = c + direction ((float) i / (float) (marks.size() - 1)) * 28.5f;
            text (marks[i], at.x, at.y, scaleSize, scaleInk);
        }
    }

    void numberScale (int p)
    {
        juce::StringArray marks;
        for (int i = 0; i <= 10; ++i)
            marks.add (juce::String (i));
        scale (p, marks);
    }

    /** A frame drawn around `outline`, broken where its captions sit on it. */
    void frame (const juce::Path& outline, const std::vector<Caption>& captions)
    {
        g.saveState();
        for (const auto& c : captions)
            g.excludeClipRegion (boxOf (c).expanded (4.0f, 1.0f).getSmallestIntegerContainer());
        g.setColour (lineInk);
        g.strokePath (outline, juce::PathStrokeType (lineWidth));
        g.restoreState();

        for (const auto& c : captions)
            text (c.text, c.x, c.y, c.size);
    }

    juce::Path boxAround (juce::Rectangle<float> area) const
    {
        juce::Path p;
        p.addRoundedRectangle (area.getX() + inset, area.getY() + frameTop, area.getWidth() - 2.0f * inset,
                               frameBottom - frameTop, 4.0f);
        return p;
    }

    /** The caption riding on the top line of section s. */
    Caption title (int s, const juce::String& s2) const
    {
        const auto r = section (s);
        return { s2, r.getCentreX(), r.getY() + frameTop, titleSize };
    }

    /** A caption on the bottom line of section s, under the controls first..last, with a tick
        up from the line at each end of the group. */
    Caption group (int s, int first, int last, const juce::String& s2)
    {
        const auto left = control (first).getX(), right = control (last).getRight();
        const auto y = section (s).getY() + frameBottom;
        g.setColour (lineInk);
        for (const auto x : { left, right })
            g.drawLine (x, y - 4.0f, x, y, lineWidth);
        return { s2, (left + right) * 0.5f, y, labelSize };
    }

    /** A small picture of a waveform above switch p. */
    void wave (int p, Wave w)
    {
        const auto r = control (p);
        const auto box = juce::Rectangle<float> (15.0f, 7.0f).withCentre ({ r.getCentreX(), r.getY() - 6.0f });
        const auto l = box.getX(), t = box.getY(), rr = box.getRight(), b = box.getBottom(), m = box.getCentreX();
        juce::Path path;
        switch (w)
        {
            case Wave::saw:      path.startNewSubPath (l, b); path.lineTo (m, t); path.lineTo (m, b); path.lineTo (rr, t); path.lineTo (rr, b); break;
            case Wave::triangle: path.startNewSubPath (l, b); path.lineTo (l + box.getWidth() * 0.25f, t); path.lineTo (l + box.getWidth() * 0.75f, b); path.lineTo (rr, t); break;
            case Wave::pulse:    path.startNewSubPath (l, b); path.lineTo (l, t); path.lineTo (l + 4.0f, t); path.lineTo (l + 4.0f, b); path.lineTo (rr - 4.0f, b); path.lineTo (rr - 4.0f, t); path.lineTo (rr, t); break;
            case Wave::square:   path.startNewSubPath (l, b); path.lineTo (l, t); path.lineTo (m, t); path.lineTo (m, b); path.lineTo (rr, b); path.lineTo (rr, t); break;
        }
        g.setColour (ink);
        g.strokePath (path, juce::PathStrokeType (1.0f, juce::PathStrokeType::mitered, juce::PathStrokeType::square));
    }

    /** A button of the instrument that the editor only pictures (it has no control here). */
    void printedButton (float x, float y)
    {
        const juce::Rectangle<float> cap (x, y, 24.0f, 18.0f);
        g.setGradientFill (juce::ColourGradient::vertical (juce::Colour (0xff4a4a4a), y, juce::Colour (0xff2c2c2c), cap.getBottom()));
        g.fillRoundedRectangle (cap, 2.5f);
        g.setColour (juce::Colour (0xff6c6c6c));
        g.drawRoundedRectangle (cap, 2.5f, 0.8f);
    }

    juce::Graphics& g;
    const ParTable& table;

private:
    static juce::Point<float> direction (float proportion)
    {
        const auto angle = juce::degreesToRadians (-150.0f + 300.0f * proportion);
        return { std::sin (angle), -std::cos (angle) };
    }
};

void printOscillators (Printer& p)
{
    // oscillator A: 0 frequency, 3/4 shape, 8 pulse width, 10 sync
    p.numberScale (0);
    p.numberScale (8);
    p.wave (3, Wave::saw);
    p.wave (4, Wave::pulse);
    p.under ({ { 0, "FREQUENCY" }, { 8, "PULSE WIDTH" }, { 10, "SYNC" } });
    p.frame (p.boxAround (p.section (1)), { p.title (1, "OSCILLATOR A"), p.group (1, 3, 4, "SHAPE") });

    // oscillator B: 1 frequency, 2 fine, 5/6/7 shape, 9 pulse width, 11 low frequency, 12 keyboard
    for (const auto k : { 1, 2, 9 })
        p.numberScale (k);
    p.wave (5, Wave::saw);
    p.wave (6, Wave::triangle);
    p.wave (7, Wave::pulse);
    p.under ({ { 1, "FREQUENCY" }, { 2, "FINE" }, { 9, "PULSE WIDTH" }, { 11, "LO FREQ" }, { 12, "KEYBOARD" } });
    p.frame (p.boxAround (p.section (2)), { p.title (2, "OSCILLATOR B"), p.group (2, 5, 7, "SHAPE") });
}

void printModulation (Printer& p)
{
    // poly mode: 32/33 the sources, 34..36 the destinations
    p.numberScale (32);
    p.numberScale (33);
    // "OSC B", not the original printing's "OSC A": the knob sets how much oscillator B modulates
    // (parameter 33), as the instrument's own panel says
    p.under ({ { 32, "FILT ENV" }, { 33, "OSC B" }, { 34, "FREQ A" }, { 35, "PW A" }, { 36, "FILTER" } });
    p.frame (p.boxAround (p.section (5)), { p.title (5, "POLY MODE"), p.group (5, 32, 33, "SOURCE AMOUNT") });

    // LFO: 22 initial amount, 21 frequency, 23..25 shape
    p.numberScale (22);
    p.numberScale (21);
    p.wave (23, Wave::saw);
    p.wave (24, Wave::triangle);
    p.wave (25, Wave::square);
    p.under ({ { 22, "INITIAL AMOUNT" }, { 21, "FREQUENCY" } });
    p.frame (p.boxAround (p.section (7)), { p.title (7, "L F O"), p.group (7, 23, 25, "SHAPE") });

    // wheel mod: 26 the mix of the two sources, 27..31 the destinations
    p.scale (26, { "LFO", "", "", "", "", "", "", "", "", "", "NOISE" });
    p.under ({ { 26, "SOURCE MIX" }, { 27, "FREQ A" }, { 28, "FREQ B" }, { 29, "PW A" }, { 30, "PW B" }, { 31, "FILTER" } });
    p.frame (p.boxAround (p.section (6)), { p.title (6, "WHEEL MOD"), p.group (6, 27, 31, "DESTINATION") });
}

void printMixerAndFilter (Printer& p)
{
    for (const auto k : { 14, 15, 16 })
        p.numberScale (k);
    p.under ({ { 14, "OSC A" }, { 15, "OSC B" }, { 16, "NOISE" } });
    p.frame (p.boxAround (p.section (4)), { p.title (4, "MIXER") });

    // filter: 20 revision, 17 cutoff, 18 resonance, 40 envelope amount, 19 keyboard tracking; its
    // envelope (section 12) hangs below it in the same frame
    for (const auto k : { 17, 18, 40, 43, 45, 47, 49 })
        p.numberScale (k);
    // the LEDs' names sit a little outward of their lamps, which are too close for the words
    p.above (20, 3.0f, "1/2");
    p.above (20, 22.5f, "3");
    p.under (20, "REV");
    p.under ({ { 17, "CUTOFF" }, { 18, "RESONANCE" } });
    p.under (40, "ENVELOPE AMOUNT", labelSize, 82.0f);
    p.above (19, -1.5f, "HALF");
    p.above (19, 27.5f, "FULL");
    p.under (19, "KEYBOARD");
    const auto envelopeCaptions = [&p] (int first)
    {
        // "ATTACK": the original printing's "ATTACH" was a misprint of the instrument's word
        const char* names[] = { "ATTACK", "DECAY", "SUSTAIN", "RELEASE" };
        for (int i = 0; i < 4; ++i)
            p.under (first + 2 * i, names[i]);
    };
    envelopeCaptions (43);

    const auto top = p.section (11), bottom = p.section (12), amplifier = p.section (3);
    const auto left = top.getX() + inset, right = top.getRight() - inset;
    const auto lowerRight = juce::jmin (bottom.getRight(), amplifier.getX()) - inset;
    juce::Path l;
    l.startNewSubPath (left, top.getY() + frameTop);
    l.lineTo (right, top.getY() + frameTop);
    l.lineTo (right, top.getY() + frameBottom);
    l.lineTo (lowerRight, top.getY() + frameBottom);
    l.lineTo (lowerRight, bottom.getY() + frameBottom);
    l.lineTo (left, bottom.getY() + frameBottom);
    l.closeSubPath();
    p.frame (l.createPathWithRoundedCorners (4.0f), { p.title (11, "FILTER") });

    // the amplifier's envelope
    for (const auto k : { 44, 46, 48, 50 })
        p.numberScale (k);
    envelopeCaptions (44);
    p.frame (p.boxAround (amplifier), { p.title (3, "AMPLIFIER") });
}

void printSmallSections (Printer& p)
{
    // velocity and aftertouch: the halves of two split switches
    p.under (41, "FLT", 6.5f);
    // "AMP", not the original printing's second "LFO": this half sends velocity to the amplifier
    // (parameter 42), as the instrument's panel says
    p.under (42, "AMP", 6.5f);
    p.under (38, "FLT", 6.5f);
    p.under (39, "LFO", 6.5f);
    p.frame (p.boxAround (p.section (14)), { p.group (14, 41, 42, "VELOCITY"), p.group (14, 38, 39, "AFTERTOUCH") });

    p.scale (37, { "1", "2", "3", "4" }, 4);
    p.under (37, "VINTAGE");
    p.frame (p.boxAround (p.section (10)), {});

    p.numberScale (13);
    p.under (13, "GLIDE RATE");
    p.frame (p.boxAround (p.section (8)), {});

    p.under (52, "UNISON", labelSize, 52.0f);
    p.frame (p.boxAround (p.section (9)), {});

    p.numberScale (89);
    p.under ({ { 51, "RELEASE" }, { 89, "VOLUME" } });
    p.frame (p.boxAround (p.section (13)), {});
}

void printProgrammer (Printer& p)
{
    const auto area = p.section (15);
    const auto x0 = area.getX(), y0 = area.getY();
    const auto display = PanelLegend::programDisplayArea.toFloat();

    // the programmer's own keys: left of the display the memory and bank keys, right of it the
    // eight program keys with the global settings they choose in GLOBALS mode
    constexpr float capY = 32.0f, captionY = 59.0f;
    const char* captions[] = { "PRESET", "RECORD", "FACTORY", "GLOBALS", "GROUP", "BANK" };
    for (int k = 0; k < PanelLegend::numProgrammerKeys; ++k)
    {
        const auto cap = PanelLegend::programmerKeyArea (p.table, k);
        p.printedButton (cap.getX(), cap.getY());
        if (k < 6)
            p.text (captions[k], cap.getCentreX(), y0 + captionY, smallSize + 0.6f, ink, 44.0f);
    }
    p.text ("SELECT", x0 + 218.0f + 12.0f, y0 + captionY + 9.0f, smallSize);
    p.text ("SELECT", x0 + 264.0f + 12.0f, y0 + captionY + 9.0f, smallSize);
    p.text ("Prg Dump", x0 + 74.0f + 12.0f, y0 + capY - 7.0f, smallSize);
    p.text ("GROUP|BANK|PRGM", display.getCentreX(), display.getBottom() + 7.0f, smallSize + 0.6f);

    const char* upper[] = { "Transpose", "MIDI Channel", "Param Xmit", "Param Rec",
                            "MIDI Control", "MIDI SysEx", "MIDI Out", "Local Cntr" };
    // "Response" spelt right; the original printing had "Responce" twice
    const char* lower[] = { "Dec/ -", "Inc/ +", "Pot Mode", "Sustain/Release",
                            "Pedal Mode", "Alt Tuning", "Vel Response", "AT Response" };
    constexpr float firstKey = 432.0f, keyPitch = 52.0f;
    for (int i = 0; i < 8; ++i)
    {
        const auto x = x0 + firstKey + keyPitch * (float) i;
        p.text (upper[i], x + 12.0f, y0 + 14.0f, smallSize, ink, keyPitch - 4.0f);
        p.text (lower[i], x + 12.0f, y0 + 23.0f, smallSize, ink, keyPitch - 4.0f);
        p.text (juce::String (i + 1), x + 12.0f, y0 + captionY, labelSize);
    }

    // the display's bezel
    p.g.setColour (juce::Colour (0xff5a5a5a));
    p.g.drawRoundedRectangle (display.expanded (2.0f), 2.5f, 1.0f);

    auto programSelect = p.title (15, "PROGRAM SELECT");
    programSelect.x = x0 + firstKey + keyPitch * 3.5f + 12.0f;
    programSelect.y = y0 + frameBottom;
    programSelect.size = labelSize;
    p.frame (p.boxAround (area), { p.title (15, "PROGRAMMER"), programSelect });
}
}

namespace PanelLegend
{
juce::Rectangle<float> programmerKeyArea (const ParTable& table, int k)
{
    constexpr float capY = 32.0f, firstNumber = 432.0f, numberPitch = 52.0f;
    constexpr float leftKeys[] = { 28.0f, 74.0f, 120.0f, 166.0f, 218.0f, 264.0f };
    const auto x = k < 6 ? leftKeys[juce::jlimit (0, 5, k)] : firstNumber + numberPitch * (float) (k - 6);
    return { (float) table.getSectionX (15) + x, (float) table.getSectionY (15) + capY, 24.0f, 18.0f };
}

juce::Rectangle<int> controlArea (const ParTable& table, int p)
{
    const auto s = table.getSection (p);
    // offsets of controls kept off the panel are stored as 16-bit two's complement
    const auto y = (int) (int16_t) (uint16_t) table.getY (p);
    const auto knobDrop = table.getControlKind (p) == ParTable::knob ? 4 : 0;
    return { table.getSectionX (s) + table.getX (p), table.getSectionY (s) + y + knobDrop,
             table.getWidth (p), table.getHeight (p) };
}

void paint (juce::Graphics& g, const ParTable& table)
{
    Printer p (g, table);
    printModulation (p);
    printOscillators (p);
    printMixerAndFilter (p);
    printSmallSections (p);
    printProgrammer (p);
}
}
