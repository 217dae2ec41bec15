#include "artwork/Artwork.h"

#include <cmath>

namespace art
{
namespace
{
constexpr float pi = juce::MathConstants<float>::pi;

juce::Point<float> direction (float angle) { return { std::sin (angle), -std::cos (angle) }; }

juce::Path circle (juce::Point<float> centre, float radius)
{
    juce::Path p;
    p.addEllipse (centre.x - radius, centre.y - radius, radius * 2.0f, radius * 2.0f);
    return p;
}

/** A light ring on an edge, strongest where it faces the light above. */
void rim (juce::Graphics& g, juce::Point<float> centre, float radius, float width, float top, float bottom)
{
    g.setGradientFill (juce::ColourGradient::vertical (juce::Colours::white.withAlpha (top), centre.y - radius,
                                                       juce::Colours::white.withAlpha (bottom), centre.y + radius));
    g.strokePath (circle (centre, radius), juce::PathStrokeType (width));
}

/** The flutes around a knob's side, turning with it. Each catches the light by how much it faces up. */
void flutes (juce::Graphics& g, juce::Point<float> centre, float inner, float outer, int count, float angle)
{
    for (int i = 0; i < count; ++i)
    {
        const auto a = angle + 2.0f * pi * (float) i / (float) count;
        const auto facing = std::cos (a); // 1 at the top
        const auto d = direction (a);
        const auto halfStep = pi / (float) count;
        const auto e = direction (a + halfStep * 0.9f);

        g.setColour (juce::Colours::white.withAlpha (0.015f + 0.09f * juce::jmax (0.0f, facing)));
        g.drawLine ({ centre + d * inner, centre + d * outer }, outer * 0.022f);
        g.setColour (juce::Colours::black.withAlpha (0.35f));
        g.drawLine ({ centre + e * inner, centre + e * outer }, outer * 0.022f);
    }
}

void pointerLine (juce::Graphics& g, juce::Point<float> centre, float angle, float from, float to, float width)
{
    const auto d = direction (angle);
    const juce::Line<float> line (centre + d * from, centre + d * to);
    juce::Path p;
    p.addLineSegment (line, width);
    juce::PathStrokeType (width, juce::PathStrokeType::curved, juce::PathStrokeType::rounded).createStrokedPath (p, p);

    g.setColour (juce::Colours::black.withAlpha (0.45f));
    g.fillPath (p, juce::AffineTransform::translation (0.0f, width * 0.35f));
    g.setColour (juce::Colour (0xfff6f6f2));
    g.fillPath (p);
}

void topFace (juce::Graphics& g, juce::Point<float> centre, float radius)
{
    const auto face = circle (centre, radius);
    g.setGradientFill (juce::ColourGradient::vertical (juce::Colour (0xff2b2b2b), centre.y - radius, juce::Colour (0xff111111), centre.y + radius));
    g.fillPath (face);

    // a broad, faint sheen from the light above: the face is slightly domed
    juce::ColourGradient sheen (juce::Colours::white.withAlpha (0.07f), centre.x, centre.y - radius * 0.45f,
                                juce::Colours::white.withAlpha (0.0f), centre.x, centre.y + radius * 0.5f, true);
    g.setGradientFill (sheen);
    g.fillPath (face);

    // the face's edge: lit above, in shade below
    g.setGradientFill (juce::ColourGradient::vertical (juce::Colours::white.withAlpha (0.30f), centre.y - radius,
                                                       juce::Colours::black.withAlpha (0.5f), centre.y + radius));
    g.strokePath (circle (centre, radius - radius * 0.02f), juce::PathStrokeType (radius * 0.04f));
}

void body (juce::Graphics& g, juce::Point<float> centre, float radius, juce::Colour top, juce::Colour bottom)
{
    g.setGradientFill (juce::ColourGradient::vertical (top, centre.y - radius, bottom, centre.y + radius));
    g.fillPath (circle (centre, radius));
}
}

void paintKnob (juce::Graphics& g, juce::Point<float> c, float r, KnobStyle style, float angle, bool pointer)
{
    softShadow (g, circle (c, r * 0.98f), r * 0.07f, 0.75f, { 0.0f, r * 0.05f });

    if (style == KnobStyle::skirted)
    {
        body (g, c, r, juce::Colour (0xff3a3a3a), juce::Colour (0xff070707));
        // the skirt slopes away from the light at the bottom
        juce::ColourGradient slope (juce::Colours::black.withAlpha (0.0f), c.x, c.y - r * 0.2f,
                                    juce::Colours::black.withAlpha (0.35f), c.x, c.y + r, false);
        g.setGradientFill (slope);
        g.fillPath (circle (c, r));
        rim (g, c, r - 0.4f, 0.8f, 0.45f, 0.05f);

        // the cap's shadow on the skirt
        juce::ColourGradient shade (juce::Colours::black.withAlpha (0.7f), c.x, c.y + r * 0.03f,
                                    juce::Colours::black.withAlpha (0.0f), c.x + r * 0.86f, c.y + r * 0.03f, true);
        shade.addColour (0.82, juce::Colours::black.withAlpha (0.7f));
        g.setGradientFill (shade);
        g.fillPath (circle (c, r));

        if (pointer)
            pointerLine (g, c, angle, r * 0.8f, r * 0.96f, r * 0.075f);

        body (g, c, r * 0.72f, juce::Colour (0xff2c2c2c), juce::Colour (0xff050505));
        flutes (g, c, r * 0.6f, r * 0.72f, 36, angle);
        rim (g, c, r * 0.72f - 0.4f, 0.7f, 0.35f, 0.03f);
        topFace (g, c, r * 0.6f);

        if (pointer)
            pointerLine (g, c, angle, r * 0.12f, r * 0.55f, r * 0.075f);
        return;
    }

    body (g, c, r, juce::Colour (0xff363636), juce::Colour (0xff040404));
    flutes (g, c, r * 0.84f, r, 48, angle);
    rim (g, c, r - 0.4f, 0.8f, 0.5f, 0.04f);
    topFace (g, c, r * 0.84f);
    if (pointer)
        pointerLine (g, c, angle, r * 0.16f, r * 0.79f, r * 0.075f);
}

juce::Image knobStrip()
{
    constexpr int frames = 61, pitch = 60, cell = 55;
    std::vector<juce::Image> images;
    for (int k = 0; k < frames; ++k)
    {
        const auto angle = juce::degreesToRadians (-150.0f + 300.0f * (float) k / (float) (frames - 1));
        images.push_back (render (cell, cell, [angle] (juce::Graphics& g)
        {
            paintKnob (g, { 27.5f, 26.8f }, 24.5f, KnobStyle::plain, angle, true);
        }));
    }
    return strip ((frames - 1) * pitch + cell, cell, pitch, images);
}

juce::Image knobCap (KnobStyle style, float radius)
{
    return render (80, 80, [style, radius] (juce::Graphics& g)
    {
        paintKnob (g, { 40.0f, 39.4f }, radius, style, 0.0f, false);
    });
}

juce::Image buttonBody (int height)
{
    constexpr int width = 100;
    auto image = render (width, height, [height] (juce::Graphics& g)
    {
        const auto h = (float) height;
        const juce::Rectangle<float> outline (0.0f, 0.0f, (float) width, h);
        const auto inner = outline.reduced (0.5f);

        g.setGradientFill (juce::ColourGradient::vertical (juce::Colour (0xffefede6), 0.0f, juce::Colour (0xffc9c5b9), h));
        g.fillRoundedRectangle (inner, 1.6f);

        // soft bevel: a lit top edge and a shaded bottom edge, a touch of shine on the upper half
        g.setColour (juce::Colours::white.withAlpha (0.85f));
        g.fillRect (1.0f, 1.0f, (float) width - 2.0f, 1.0f);
        g.setGradientFill (juce::ColourGradient::vertical (juce::Colours::white.withAlpha (0.18f), 2.0f,
                                                           juce::Colours::white.withAlpha (0.0f), h * 0.55f));
        g.fillRect (1.0f, 2.0f, (float) width - 2.0f, h * 0.5f);
        g.setColour (juce::Colour (0xff9d998e).withAlpha (0.7f));
        g.fillRect (1.0f, h - 2.0f, (float) width - 2.0f, 1.0f);

        g.setColour (juce::Colour (0xff35332e));
        g.drawRoundedRectangle (inner, 1.6f, 1.0f);
    });

    // The widget stretches the middle: make every middle column the same, whatever the rounding did.
    const juce::Image::BitmapData data (image, juce::Image::BitmapData::readWrite);
    for (int y = 0; y < height; ++y)
    {
        const auto middle = data.getPixelColour (width / 2, y);
        for (int x = 2; x < width - 2; ++x)
            data.setPixelColour (x, y, middle);
    }
    return image;
}

juce::Image switchCap()
{
    return render (52, 70, [] (juce::Graphics& g)
    {
        const juce::Rectangle<float> cap (1.5f, 1.0f, 49.0f, 66.0f);
        juce::Path outline;
        outline.addRoundedRectangle (cap, 4.5f);
        softShadow (g, outline, 2.2f, 0.8f, { 0.0f, 1.6f });

        g.setGradientFill (juce::ColourGradient::vertical (juce::Colour (0xfff1eee4), cap.getY(), juce::Colour (0xffcdc7b7), cap.getBottom()));
        g.fillPath (outline);

        // the bevel around the face: lit along the top, falling into shade at the bottom
        g.setGradientFill (juce::ColourGradient::vertical (juce::Colours::white.withAlpha (0.9f), cap.getY(),
                                                           juce::Colour (0xff8f8979).withAlpha (0.9f), cap.getBottom()));
        g.drawRoundedRectangle (cap.reduced (1.1f), 3.6f, 1.2f);

        // the face is slightly dished: darker under its top edge, lighter towards the bottom
        const auto face = cap.reduced (3.5f);
        g.setGradientFill (juce::ColourGradient::vertical (juce::Colour (0xffd9d4c6), face.getY(), juce::Colour (0xffebe7dc), face.getBottom()));
        g.fillRoundedRectangle (face, 2.8f);
        g.setGradientFill (juce::ColourGradient::vertical (juce::Colour (0xffa39e90).withAlpha (0.7f), face.getY(),
                                                           juce::Colours::white.withAlpha (0.7f), face.getBottom()));
        g.drawRoundedRectangle (face, 2.8f, 0.8f);

        g.setColour (juce::Colour (0xff2c2a25));
        g.drawRoundedRectangle (cap.expanded (0.25f), 4.7f, 0.7f);
    });
}

namespace
{
/** One LED lamp of any shape, lit or not, in its black bezel. */
void paintLamp (juce::Graphics& g, const juce::Path& lamp, const juce::Path& bezel, bool lit)
{
    const auto box = lamp.getBounds();
    const auto centre = box.getCentre();
    const auto reach = juce::jmax (box.getWidth(), box.getHeight());

    if (lit)
    {
        // the glow spreads around the lamp over the panel
        juce::Graphics::ScopedSaveState state (g);
        g.addTransform (juce::AffineTransform::scale (1.0f, box.getHeight() / box.getWidth() * 0.45f + 0.55f, centre.x, centre.y));
        juce::ColourGradient glow (juce::Colour (0xffff3018).withAlpha (0.7f), centre.x, centre.y,
                                   juce::Colour (0xffff3018).withAlpha (0.0f), centre.x + reach * 0.95f, centre.y, true);
        glow.addColour (0.5, juce::Colour (0xffff3018).withAlpha (0.45f));
        g.setGradientFill (glow);
        g.fillEllipse (juce::Rectangle<float> (reach * 1.9f, reach * 1.9f).withCentre (centre));
    }

    g.setColour (juce::Colour (0xff050505));
    g.fillPath (bezel);
    g.setGradientFill (juce::ColourGradient::vertical (juce::Colours::black.withAlpha (0.0f), bezel.getBounds().getY(),
                                                       juce::Colours::white.withAlpha (0.16f), bezel.getBounds().getBottom()));
    g.strokePath (bezel, juce::PathStrokeType (0.6f));

    juce::ColourGradient body (lit ? juce::Colour (0xffffc2a8) : juce::Colour (0xff6c1a13), centre.x - box.getWidth() * 0.1f, centre.y - box.getHeight() * 0.12f,
                               lit ? juce::Colour (0xffc81206) : juce::Colour (0xff260504), box.getRight(), box.getBottom(), true);
    body.addColour (0.3, lit ? juce::Colour (0xffff3a1e) : juce::Colour (0xff4e100b));
    g.setGradientFill (body);
    g.fillPath (lamp);

    // a small reflection of the light above
    const auto spot = juce::Rectangle<float> (box.getWidth() * 0.42f, box.getHeight() * 0.32f)
                          .withCentre ({ box.getX() + box.getWidth() * 0.36f, box.getY() + box.getHeight() * 0.27f });
    juce::ColourGradient shine (juce::Colours::white.withAlpha (lit ? 0.65f : 0.35f), spot.getCentreX(), spot.getCentreY(),
                                juce::Colours::white.withAlpha (0.0f), spot.getRight(), spot.getCentreY(), true);
    g.setGradientFill (shine);
    g.fillEllipse (spot);
}

juce::Image lampPair (int cellWidth, int cellHeight, const std::function<void (juce::Graphics&, bool)>& paint)
{
    std::vector<juce::Image> cells;
    for (const auto lit : { false, true })
        cells.push_back (render (cellWidth, cellHeight, [&paint, lit] (juce::Graphics& g) { paint (g, lit); }));
    return strip (cellWidth * 2, cellHeight, cellWidth, cells);
}

juce::Path rounded (juce::Rectangle<float> r, float corner)
{
    juce::Path p;
    p.addRoundedRectangle (r, corner);
    return p;
}
}

juce::Image ledRound()
{
    return lampPair (15, 15, [] (juce::Graphics& g, bool lit)
    {
        const juce::Point<float> c (7.5f, 7.5f);
        paintLamp (g, circle (c, 3.9f), circle (c, 5.3f), lit);
    });
}

juce::Image ledSmall()
{
    return lampPair (14, 9, [] (juce::Graphics& g, bool lit)
    {
        paintLamp (g, rounded ({ 2.5f, 2.5f, 9.0f, 4.0f }, 1.8f), rounded ({ 1.5f, 1.5f, 11.0f, 6.0f }, 2.4f), lit);
    });
}

juce::Image ledGlobal()
{
    return lampPair (20, 12, [] (juce::Graphics& g, bool lit)
    {
        paintLamp (g, rounded ({ 4.5f, 3.5f, 11.0f, 5.0f }, 2.0f), rounded ({ 3.2f, 2.2f, 13.6f, 7.6f }, 2.8f), lit);
    });
}

juce::Image editMark()
{
    // A small amber lamp, lit: marks a control moved away from the stored program. Drawn at twice
    // the size it is shown at, so it stays round at the larger zooms.
    return render (14, 14, [] (juce::Graphics& g)
    {
        const juce::Point<float> c (7.0f, 7.0f);
        juce::ColourGradient glow (juce::Colour (0xffffa020).withAlpha (0.55f), c.x, c.y,
                                   juce::Colour (0xffffa020).withAlpha (0.0f), c.x + 7.0f, c.y, true);
        g.setGradientFill (glow);
        g.fillEllipse (0.0f, 0.0f, 14.0f, 14.0f);

        g.setColour (juce::Colour (0xff140a02));
        g.fillPath (circle (c, 4.6f));
        juce::ColourGradient body (juce::Colour (0xffffe6a0), c.x - 1.0f, c.y - 1.2f, juce::Colour (0xffc86a00), c.x + 4.0f, c.y + 4.0f, true);
        body.addColour (0.35, juce::Colour (0xffffb030));
        g.setGradientFill (body);
        g.fillPath (circle (c, 3.6f));
    });
}

juce::Image checkbox()
{
    // A small slide switch: on is lit red with the thumb right, off is dark with it left, and while
    // pressed the thumb sits half way.
    std::vector<juce::Image> cells;
    for (const auto state : { 0, 1, 2 })
    {
        cells.push_back (render (20, 11, [state] (juce::Graphics& g)
        {
            const juce::Rectangle<float> track (0.5f, 0.5f, 19.0f, 10.0f);
            const auto on = state == 0;
            g.setGradientFill (juce::ColourGradient::vertical (on ? juce::Colour (0xff8e1a10) : juce::Colour (0xff0a0a0a), track.getY(),
                                                               on ? juce::Colour (0xffd8301e) : state == 2 ? juce::Colour (0xff2e2e2e) : juce::Colour (0xff1e1e1e),
                                                               track.getBottom()));
            g.fillRoundedRectangle (track, 5.0f);
            g.setColour (on ? juce::Colour (0xff3a0804) : juce::Colour (0xff5c5c5c));
            g.drawRoundedRectangle (track, 5.0f, 1.0f);

            const auto x = state == 0 ? 14.5f : state == 1 ? 5.5f : 10.0f;
            const juce::Point<float> c (x, 5.5f);
            softShadow (g, circle (c, 3.6f), 0.8f, 0.6f, { 0.0f, 0.5f }, 4);
            g.setGradientFill (juce::ColourGradient::vertical (juce::Colour (0xfff4f2ea), c.y - 4.0f,
                                                               state == 2 ? juce::Colour (0xffa29e93) : juce::Colour (0xffc4c0b4), c.y + 4.0f));
            g.fillPath (circle (c, 3.7f));
            g.setColour (juce::Colour (0xff2a2824));
            g.strokePath (circle (c, 3.7f), juce::PathStrokeType (0.5f));
        }));
    }
    return strip (60, 11, 20, cells);
}

namespace
{
// Segments a to g, clockwise from the top, the middle last.
constexpr std::array<const char*, 10> digitSegments { "abcdef", "bc", "abdeg", "abcdg", "bcfg", "acdfg", "acdefg", "abc", "abcdefg", "abcdfg" };

juce::Path segment (juce::Point<float> from, juce::Point<float> to, float thickness)
{
    // a long hexagon, pointed where it meets its neighbours
    const auto h = thickness * 0.5f, gap = 0.55f;
    const auto along = (to - from) / from.getDistanceFrom (to);
    const juce::Point<float> across (-along.y, along.x);
    const auto a = from + along * gap, b = to - along * gap;

    juce::Path p;
    p.startNewSubPath (a);
    p.lineTo (a + along * h + across * h);
    p.lineTo (b - along * h + across * h);
    p.lineTo (b);
    p.lineTo (b - along * h - across * h);
    p.lineTo (a + along * h - across * h);
    p.closeSubPath();
    return p;
}
}

juce::Image digits()
{
    constexpr int cells = 11, pitch = 35, width = 24, height = 33;
    std::vector<juce::Image> images;
    for (int index = 0; index < cells; ++index)
    {
        images.push_back (render (pitch, height, [index] (juce::Graphics& g)
        {
            g.fillAll (juce::Colours::black);

            constexpr float left = 5.2f, right = 18.8f, top = 3.5f, bottom = 29.5f, thickness = 3.0f;
            const auto middle = (top + bottom) * 0.5f;
            // the usual slant of an LED display
            const auto slant = juce::AffineTransform::shear (-0.09f, 0.0f).translated (0.09f * middle, 0.0f);

            const std::array<std::pair<juce::Point<float>, juce::Point<float>>, 7> ends {{
                { { left, top }, { right, top } },
                { { right, top }, { right, middle } },
                { { right, middle }, { right, bottom } },
                { { left, bottom }, { right, bottom } },
                { { left, middle }, { left, bottom } },
                { { left, top }, { left, middle } },
                { { left, middle }, { right, middle } } }};

            const juce::String lit = index < 10 ? digitSegments[(size_t) index] : "";
            juce::Path on, off;
            for (size_t s = 0; s < ends.size(); ++s)
            {
                const auto path = segment (ends[s].first, ends[s].second, thickness);
                (lit.containsChar ((juce::juce_wchar) ('a' + s)) ? on : off).addPath (path);
            }

            g.setColour (juce::Colour (0xff2a0604));
            g.fillPath (off, slant);

            for (const auto& [spread, alpha] : { std::pair { 3.2f, 0.07f }, { 2.0f, 0.12f }, { 1.0f, 0.2f } })
            {
                g.setColour (juce::Colour (0xffff2412).withAlpha (alpha));
                g.strokePath (on, juce::PathStrokeType (spread, juce::PathStrokeType::curved), slant);
            }
            g.setColour (juce::Colour (0xffff2c18));
            g.fillPath (on, slant);

            // a hotter line along each lit segment's middle
            for (size_t s = 0; s < ends.size(); ++s)
            {
                if (! lit.containsChar ((juce::juce_wchar) ('a' + s)))
                    continue;
                const juce::Line<float> core (ends[s].first, ends[s].second);
                const auto shortened = juce::Line<float> (core.getPointAlongLineProportionally (0.2f), core.getPointAlongLineProportionally (0.8f));
                g.setColour (juce::Colour (0xffff8a6a).withAlpha (0.45f));
                juce::Path p;
                p.addLineSegment (shortened, 0.9f);
                g.fillPath (p, slant);
            }
        }));
    }
    return strip ((cells - 1) * pitch + width, height, pitch, images);
}

namespace
{
void paintWheel (juce::Graphics& g, int frame, int lastFrame)
{
    const juce::Rectangle<float> bezel (3.5f, 1.5f, 48.0f, 197.0f);
    juce::Path outline;
    outline.addRoundedRectangle (bezel, 6.0f);
    softShadow (g, outline, 1.5f, 0.7f, { 0.0f, 1.0f }, 6);
    g.setGradientFill (juce::ColourGradient::vertical (juce::Colour (0xff2a2a2a), bezel.getY(), juce::Colour (0xff141414), bezel.getBottom()));
    g.fillPath (outline);
    g.setGradientFill (juce::ColourGradient::vertical (juce::Colours::white.withAlpha (0.22f), bezel.getY(),
                                                       juce::Colours::white.withAlpha (0.04f), bezel.getBottom()));
    g.drawRoundedRectangle (bezel.reduced (0.8f), 5.2f, 0.8f);
    g.setColour (juce::Colours::black);
    g.drawRoundedRectangle (bezel, 6.0f, 0.7f);

    const juce::Rectangle<float> slot (9.0f, 8.0f, 37.0f, 184.0f);
    g.setColour (juce::Colour (0xff020202));
    g.fillRoundedRectangle (slot, 3.0f);

    // The wheel is a cylinder across the slot; each row shows the angle on it that faces the eye.
    const juce::Rectangle<float> wheel (12.0f, slot.getY(), 31.0f, slot.getHeight());
    const auto cy = slot.getCentreY(), radius = 100.0f;
    const auto roll = juce::degreesToRadians (juce::jmap ((float) frame, 0.0f, (float) lastFrame, -58.0f, 58.0f));
    const auto lightY = 0.4f, lightZ = 0.917f;
    auto brightnessAt = [=] (float angle) { return juce::jmax (0.0f, std::sin (angle) * lightY + std::cos (angle) * lightZ); };

    for (float y = wheel.getY(); y < wheel.getBottom(); y += 0.25f)
    {
        const auto angle = std::asin (juce::jlimit (-1.0f, 1.0f, (cy - y - 0.125f) / radius));
        const auto light = brightnessAt (angle);
        const auto level = 0.045f + 0.13f * std::pow (light, 3.0f) + 0.12f * std::pow (light, 40.0f);
        g.setColour (juce::Colour::fromFloatRGBA (level, level, level, 1.0f));
        g.fillRect (wheel.getX(), y, wheel.getWidth(), 0.25f);
    }

    // ribs around the rubber, and the marker, all rolling with the wheel
    const auto ribStep = juce::degreesToRadians (4.5f);
    for (int i = -40; i <= 40; ++i)
    {
        const auto angle = roll + ribStep * (float) i;
        if (std::abs (angle) > juce::degreesToRadians (80.0f))
            continue;
        const auto y = cy - radius * std::sin (angle);
        const auto foreshortened = std::cos (angle);
        const auto light = brightnessAt (angle);

        if (i == 0)
        {
            const auto h = 2.6f * foreshortened;
            const auto level = 0.55f + 0.4f * light;
            g.setColour (juce::Colour::fromFloatRGBA (level, level, level * 0.97f, 1.0f));
            g.fillRect (wheel.getX() + 1.0f, y - h * 0.5f, wheel.getWidth() - 2.0f, h);
            continue;
        }

        const auto h = 1.1f * foreshortened;
        g.setColour (juce::Colours::black.withAlpha (0.65f));
        g.fillRect (wheel.getX(), y - h * 0.5f, wheel.getWidth(), h);
        g.setColour (juce::Colours::white.withAlpha (0.09f * light));
        g.fillRect (wheel.getX(), y + h * 0.5f, wheel.getWidth(), 0.6f * foreshortened);
    }

    // the wheel's rounded edges, and the slot's walls where it turns away into the dark
    g.setGradientFill (juce::ColourGradient::horizontal (juce::Colours::black.withAlpha (0.7f), wheel.getX(),
                                                         juce::Colours::black.withAlpha (0.0f), wheel.getX() + 4.0f));
    g.fillRect (wheel.withWidth (4.0f));
    g.setGradientFill (juce::ColourGradient::horizontal (juce::Colours::black.withAlpha (0.0f), wheel.getRight() - 4.0f,
                                                         juce::Colours::black.withAlpha (0.7f), wheel.getRight()));
    g.fillRect (wheel.withLeft (wheel.getRight() - 4.0f));

    g.setGradientFill (juce::ColourGradient::vertical (juce::Colours::black, slot.getY(), juce::Colours::black.withAlpha (0.0f), slot.getY() + 26.0f));
    g.fillRect (slot.withHeight (26.0f));
    g.setGradientFill (juce::ColourGradient::vertical (juce::Colours::black.withAlpha (0.0f), slot.getBottom() - 22.0f, juce::Colours::black, slot.getBottom()));
    g.fillRect (slot.withTop (slot.getBottom() - 22.0f));

    g.setColour (juce::Colours::black);
    g.drawRoundedRectangle (slot, 3.0f, 1.0f);
    g.setGradientFill (juce::ColourGradient::vertical (juce::Colours::white.withAlpha (0.0f), slot.getY(),
                                                       juce::Colours::white.withAlpha (0.15f), slot.getBottom()));
    g.drawRoundedRectangle (slot.expanded (0.8f), 3.6f, 0.7f);
}
}

juce::Image wheelStrip()
{
    constexpr int frames = 35, pitch = 54, width = 55, height = 200;
    std::vector<juce::Image> images;
    for (int k = 0; k < frames; ++k)
        images.push_back (render (width, height, [k] (juce::Graphics& g) { paintWheel (g, k, frames - 1); }));
    return strip ((frames - 1) * pitch + width, height, pitch, images);
}
}

namespace art
{
namespace
{
/** A dark graphite key of width `length` at x `left`: its ends lie wherever the caller puts them,
    so the body and the end cap cut the same key in two and meet without a seam. */
void paintLibKey (juce::Graphics& g, float left, float length, float height)
{
    const juce::Rectangle<float> key (left + 1.0f, 1.0f, length - 2.0f, height - 2.0f);
    constexpr float radius = 8.0f;

    g.setGradientFill (juce::ColourGradient::vertical (juce::Colour (0xff55555e), key.getY(), juce::Colour (0xff25252b), key.getBottom()));
    g.fillRoundedRectangle (key, radius);

    // a glassy upper half and a lit top edge, as on a polished cap under a light above the panel
    g.setGradientFill (juce::ColourGradient::vertical (juce::Colours::white.withAlpha (0.16f), key.getY(),
                                                       juce::Colours::white.withAlpha (0.02f), key.getCentreY()));
    g.fillRoundedRectangle (key.reduced (2.0f).withHeight (key.getHeight() * 0.48f), radius - 2.0f);
    g.setColour (juce::Colours::white.withAlpha (0.28f));
    g.drawRoundedRectangle (key.reduced (1.5f).withTrimmedBottom (key.getHeight() * 0.5f), radius - 1.5f, 1.2f);

    g.setColour (juce::Colour (0xff111114));
    g.drawRoundedRectangle (key, radius, 2.0f);
}
}

juce::Image libButtonBody()
{
    return render (200, 48, [] (juce::Graphics& g) { paintLibKey (g, 0.0f, 260.0f, 48.0f); });
}

juce::Image libButtonCap()
{
    return render (10, 48, [] (juce::Graphics& g) { paintLibKey (g, 10.0f - 260.0f, 260.0f, 48.0f); });
}

juce::Image listThumb()
{
    return render (40, 86, [] (juce::Graphics& g)
    {
        const juce::Rectangle<float> thumb (2.0f, 1.0f, 36.0f, 84.0f);
        juce::Path outline;
        outline.addRoundedRectangle (thumb, 9.0f);
        softShadow (g, outline, 2.0f, 0.6f, { 0.0f, 1.0f }, 6);

        g.setGradientFill (juce::ColourGradient::horizontal (juce::Colour (0xffb4b4bc), thumb.getX(), juce::Colour (0xff6a6a72), thumb.getRight()));
        g.fillPath (outline);
        g.setGradientFill (juce::ColourGradient::vertical (juce::Colours::white.withAlpha (0.25f), thumb.getY(),
                                                           juce::Colours::black.withAlpha (0.2f), thumb.getBottom()));
        g.fillPath (outline);

        // three grip ridges across the middle, each a shadow under a highlight
        for (int k = -1; k <= 1; ++k)
        {
            const auto y = thumb.getCentreY() + 8.0f * (float) k;
            g.setColour (juce::Colour (0xff3c3c42).withAlpha (0.8f));
            g.fillRoundedRectangle (thumb.getX() + 9.0f, y - 1.5f, thumb.getWidth() - 18.0f, 2.0f, 1.0f);
            g.setColour (juce::Colours::white.withAlpha (0.45f));
            g.fillRoundedRectangle (thumb.getX() + 9.0f, y + 0.5f, thumb.getWidth() - 18.0f, 1.5f, 0.75f);
        }

        g.setColour (juce::Colour (0xff1c1c20));
        g.drawRoundedRectangle (thumb.reduced (0.75f), 9.0f, 1.5f);
    });
}

juce::Image listTrack()
{
    constexpr int width = 48, height = 128;
    auto image = render (width, height, [] (juce::Graphics& g)
    {
        const juce::Rectangle<float> channel (2.0f, 1.0f, 44.0f, 126.0f);
        g.setGradientFill (juce::ColourGradient::horizontal (juce::Colour (0xff0e0e10), channel.getX(), juce::Colour (0xff26262a), channel.getRight()));
        g.fillRoundedRectangle (channel, 10.0f);
        // sunk into the panel: shade along the upper edge, a faint lip of light along the lower
        g.setGradientFill (juce::ColourGradient::vertical (juce::Colours::black.withAlpha (0.5f), channel.getY(),
                                                           juce::Colours::black.withAlpha (0.0f), channel.getY() + 12.0f));
        g.fillRoundedRectangle (channel.withHeight (14.0f), 10.0f);
        g.setColour (juce::Colours::white.withAlpha (0.08f));
        g.drawRoundedRectangle (channel.reduced (0.5f), 10.0f, 1.0f);
        g.setColour (juce::Colour (0xff08080a));
        g.drawRoundedRectangle (channel.reduced (1.5f), 9.0f, 1.5f);
    });

    // The list stretches the middle: make every middle row the same, whatever the rounding did.
    const juce::Image::BitmapData data (image, juce::Image::BitmapData::readWrite);
    for (int x = 0; x < width; ++x)
    {
        const auto middle = data.getPixelColour (x, height / 2);
        for (int y = 20; y < height - 20; ++y)
            data.setPixelColour (x, y, middle);
    }
    return image;
}
}
