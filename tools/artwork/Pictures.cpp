#include "artwork/Artwork.h"

#include <cmath>

namespace art
{
namespace
{
constexpr float pi = juce::MathConstants<float>::pi;

juce::Path textPath (const juce::String& text, const juce::Font& font)
{
    juce::GlyphArrangement glyphs;
    glyphs.addLineOfText (font, text, 0.0f, 0.0f);
    juce::Path path;
    glyphs.createPath (path);
    return path;
}

/** The model name as a logotype: heavy italic, set tight. */
juce::Path logotype (const juce::String& model)
{
    auto font = sans (100.0f, true, true);
    font.setExtraKerningFactor (-0.035f);
    font.setHorizontalScale (1.04f);
    return textPath (model, font);
}

// --- a small perspective scene: x to the right, y up, z away from the viewer, in centimetres ----------
struct Vec3
{
    float x, y, z;
    Vec3 operator+ (Vec3 o) const { return { x + o.x, y + o.y, z + o.z }; }
    Vec3 operator- (Vec3 o) const { return { x - o.x, y - o.y, z - o.z }; }
    Vec3 operator* (float s) const { return { x * s, y * s, z * s }; }
    float dot (Vec3 o) const { return x * o.x + y * o.y + z * o.z; }
    Vec3 cross (Vec3 o) const { return { y * o.z - z * o.y, z * o.x - x * o.z, x * o.y - y * o.x }; }
    Vec3 unit() const { const auto l = std::sqrt (dot (*this)); return { x / l, y / l, z / l }; }
};

class Camera
{
public:
    Camera (Vec3 eyeAt, Vec3 target) : eye (eyeAt)
    {
        forward = (target - eye).unit();
        right = Vec3 { 0.0f, 1.0f, 0.0f }.cross (forward).unit();
        up = forward.cross (right);
    }

    juce::Point<float> operator() (Vec3 p) const
    {
        const auto d = p - eye;
        const auto distance = d.dot (forward);
        return { origin.x + focal * d.dot (right) / distance, origin.y - focal * d.dot (up) / distance };
    }

    /** Scales and moves the picture so the given points fill `area`. */
    void fit (const std::vector<Vec3>& points, juce::Rectangle<float> area)
    {
        focal = 1.0f;
        origin = {};
        juce::Array<juce::Point<float>> seen;
        for (const auto& p : points)
            seen.add ((*this) (p));
        const auto bounds = juce::Rectangle<float>::findAreaContainingPoints (seen.begin(), seen.size());
        focal = juce::jmin (area.getWidth() / bounds.getWidth(), area.getHeight() / bounds.getHeight());
        origin = area.getCentre() - bounds.getCentre() * focal;
    }

    Vec3 eye;

private:
    Vec3 forward, right, up;
    float focal = 1.0f;
    juce::Point<float> origin;
};

juce::Path polygon (const Camera& cam, std::initializer_list<Vec3> corners)
{
    juce::Path p;
    bool first = true;
    for (const auto& c : corners)
    {
        if (first)
            p.startNewSubPath (cam (c));
        else
            p.lineTo (cam (c));
        first = false;
    }
    p.closeSubPath();
    return p;
}

/** Fills a flat quad with an image, mapped by the affine transform through three of its corners:
    close enough to perspective for faces as small as these. */
void texture (juce::Graphics& g, const Camera& cam, const juce::Image& image, Vec3 origin, Vec3 alongWidth, Vec3 alongHeight,
              float shadeAmount)
{
    const auto o = cam (origin), a = cam (origin + alongWidth), b = cam (origin + alongHeight);
    const auto w = (float) image.getWidth(), h = (float) image.getHeight();
    const auto transform = juce::AffineTransform::fromTargetPoints (0.0f, 0.0f, o.x, o.y, w, 0.0f, a.x, a.y, 0.0f, h, b.x, b.y);
    const auto quad = polygon (cam, { origin, origin + alongWidth, origin + alongWidth + alongHeight, origin + alongHeight });
    g.setFillType (juce::FillType (image, transform));
    g.fillPath (quad);
    g.setColour (juce::Colours::black.withAlpha (shadeAmount));
    g.fillPath (quad);
}

juce::Image walnutTexture (int width, int height, int seed)
{
    // the grain runs along the texture's width
    return shade (width, height, [seed] (float x, float y) { return walnut (y * 1.5f, x * 1.5f, seed); }, 1);
}

struct Section
{
    const char* title;
    int knobs;
    int switches;
};

struct Instrument
{
    bool ten;
    float halfWidth;  // between the cheeks
    int octaves;
    std::vector<Section> sections;
};

constexpr float cheek = 3.0f;
constexpr float keyFront = 1.0f, keyBack = 16.0f, keyTop = 7.0f, keyBase = 5.3f;
constexpr float panelFront = 17.5f, panelBack = 38.0f, panelFrontY = 11.0f, panelBackY = 13.5f;
constexpr float railBack = 40.0f, railTop = 15.0f;
constexpr float wheelWell = 8.0f;
/** The panel's depth along its slope, front to back. */
const float depth = std::hypot (panelBack - panelFront, panelBackY - panelFrontY);

/** A point on the sloping panel: u across in centimetres, v from its front (0) to its back (1),
    h above it. */
Vec3 onPanel (float u, float v, float h = 0.0f)
{
    return { u, juce::jmap (v, panelFrontY, panelBackY) + h, juce::jmap (v, panelFront, panelBack) };
}

/** Lays a flat drawing (x across in cm, y down from the panel's back edge in cm) onto the panel. */
juce::Path panelPath (const Camera& cam, const juce::Path& flat)
{
    return mapPath (flat, [&cam] (juce::Point<float> p) { return cam (onPanel (p.x, 1.0f - p.y / depth)); }, 0.02f);
}

void panelText (juce::Graphics& g, const Camera& cam, const juce::String& text, juce::Point<float> centre, float height,
                bool bold, bool italic, juce::Colour colour)
{
    auto path = textPath (text, sans (height, bold, italic));
    const auto box = path.getBounds();
    path.applyTransform (juce::AffineTransform::translation (centre.x - box.getCentreX(), centre.y - box.getCentreY()));
    g.setColour (colour);
    g.fillPath (panelPath (cam, path));
}

/** A circle lying on the panel at height h, as seen. */
juce::Path panelCircle (const Camera& cam, float u, float v, float radius, float h)
{
    const auto radiusV = radius / depth;
    juce::Path p;
    for (int i = 0; i < 40; ++i)
    {
        const auto a = 2.0f * pi * (float) i / 40.0f;
        const auto point = cam (onPanel (u + radius * std::cos (a), v + radiusV * std::sin (a), h));
        if (i == 0)
            p.startNewSubPath (point);
        else
            p.lineTo (point);
    }
    p.closeSubPath();
    return p;
}

void panelKnob (juce::Graphics& g, const Camera& cam, float u, float v, float radius, float angle)
{
    constexpr float height = 1.7f;

    // its shadow falls back and to the right, away from the light
    g.setColour (juce::Colours::black.withAlpha (0.55f));
    g.fillPath (panelCircle (cam, u + 0.35f, v + 0.5f / depth, radius * 1.08f, 0.0f));

    for (int i = 0; i <= 10; ++i)
    {
        const auto t = (float) i / 10.0f;
        const auto level = 0.02f + 0.08f * t * t;
        g.setColour (juce::Colour::fromFloatRGBA (level, level, level, 1.0f));
        g.fillPath (panelCircle (cam, u, v, radius * (1.0f - 0.1f * t), height * t));
    }

    const auto top = panelCircle (cam, u, v, radius * 0.9f, height);
    const auto box = top.getBounds();
    g.setGradientFill (juce::ColourGradient::vertical (juce::Colour (0xff3c3c3c), box.getY(), juce::Colour (0xff161616), box.getBottom()));
    g.fillPath (top);
    g.setGradientFill (juce::ColourGradient::vertical (juce::Colours::white.withAlpha (0.45f), box.getY(),
                                                       juce::Colours::white.withAlpha (0.05f), box.getBottom()));
    g.strokePath (top, juce::PathStrokeType (0.6f));

    const auto tip = cam (onPanel (u + radius * 0.82f * std::sin (angle), v + radius * 0.82f * std::cos (angle) / depth, height));
    const auto centre = cam (onPanel (u, v, height));
    g.setColour (juce::Colour (0xfff2f2f2));
    g.drawLine ({ centre + (tip - centre) * 0.15f, tip }, juce::jmax (0.9f, box.getWidth() * 0.1f));
}

/** A cream push switch standing on the panel, with its LED behind it. */
void panelSwitch (juce::Graphics& g, const Camera& cam, float u, float v, bool lit)
{
    const auto dv = [] (float cm) { return cm / depth; };
    const float w = 0.5f, d = 0.55f, h = 0.7f;

    const auto ledCentre = onPanel (u, v + dv (1.3f), 0.1f);
    if (lit)
    {
        const auto c = cam (ledCentre);
        juce::ColourGradient glow (juce::Colour (0xffff3018).withAlpha (0.6f), c.x, c.y,
                                   juce::Colour (0xffff3018).withAlpha (0.0f), c.x + 3.5f, c.y, true);
        g.setGradientFill (glow);
        g.fillEllipse (juce::Rectangle<float> (7.0f, 5.0f).withCentre (c));
    }
    g.setColour (lit ? juce::Colour (0xffff5a3c) : juce::Colour (0xff3a0a08));
    g.fillPath (panelCircle (cam, u, v + dv (1.3f), 0.28f, 0.1f));

    g.setColour (juce::Colours::black.withAlpha (0.5f));
    g.fillPath (polygon (cam, { onPanel (u - w + 0.2f, v - dv (d) + dv (0.3f)), onPanel (u + w + 0.3f, v - dv (d) + dv (0.3f)),
                                onPanel (u + w + 0.3f, v + dv (d) + dv (0.5f)), onPanel (u - w + 0.2f, v + dv (d) + dv (0.5f)) }));

    // the front, the side that faces the eye, then the top
    g.setColour (juce::Colour (0xffa8a394));
    g.fillPath (polygon (cam, { onPanel (u - w, v - dv (d)), onPanel (u + w, v - dv (d)), onPanel (u + w, v - dv (d), h), onPanel (u - w, v - dv (d), h) }));
    const auto side = cam.eye.x < u ? u - w : u + w;
    g.setColour (juce::Colour (0xff8a8576));
    g.fillPath (polygon (cam, { onPanel (side, v - dv (d)), onPanel (side, v + dv (d)), onPanel (side, v + dv (d), h), onPanel (side, v - dv (d), h) }));
    const auto top = polygon (cam, { onPanel (u - w, v - dv (d), h), onPanel (u + w, v - dv (d), h), onPanel (u + w, v + dv (d), h), onPanel (u - w, v + dv (d), h) });
    g.setColour (juce::Colour (0xffe9e5d8));
    g.fillPath (top);
}

/** The red LED display of the program section. */
void panelDisplay (juce::Graphics& g, const Camera& cam, float u, float v, const juce::String& text)
{
    const auto dv = [] (float cm) { return cm / depth; };
    const float w = 3.4f, d = 1.3f;
    const auto window = polygon (cam, { onPanel (u - w, v - dv (d)), onPanel (u + w, v - dv (d)), onPanel (u + w, v + dv (d)), onPanel (u - w, v + dv (d)) });
    g.setColour (juce::Colour (0xff1a0403));
    g.fillPath (window);
    g.setColour (juce::Colours::white.withAlpha (0.15f));
    g.strokePath (window, juce::PathStrokeType (0.5f));

    const auto y = (1.0f - v) * depth;
    for (const auto& [spread, alpha] : { std::pair { 2.0f, 0.15f }, { 0.0f, 1.0f } })
    {
        auto path = textPath (text, sans (2.0f, true, true));
        const auto box = path.getBounds();
        path.applyTransform (juce::AffineTransform::translation (u - box.getCentreX(), y - box.getCentreY()));
        auto mapped = panelPath (cam, path);
        g.setColour (juce::Colour (0xffff3020).withAlpha (alpha));
        if (spread > 0.0f)
            g.strokePath (mapped, juce::PathStrokeType (spread));
        else
            g.fillPath (mapped);
    }
}

void paintInstrument (juce::Graphics& g, const Instrument& instrument)
{
    const auto half = instrument.halfWidth, outer = half + cheek;
    // from above and to the left, the way one walks up to it
    Camera cam ({ -0.75f * half, 70.0f, -72.0f }, { 5.0f, 4.0f, 22.0f });
    cam.fit ({ { -outer, 0.0f, 0.0f }, { outer, 0.0f, 0.0f }, { -outer, railTop, railBack }, { outer, railTop, railBack },
               { -outer, 0.0f, railBack }, { outer, 0.0f, railBack } },
             { 18.0f, 108.0f, 476.0f, 262.0f });

    const auto wood = walnutTexture (400, 120, instrument.ten ? 3 : 2);
    auto random = randomFor (instrument.ten ? 31 : 30);

    // --- the floor: a soft shadow under the whole case
    {
        const auto footprint = polygon (cam, { { -outer, 0.0f, 0.0f }, { outer, 0.0f, 0.0f }, { outer, 0.0f, railBack }, { -outer, 0.0f, railBack } });
        softShadow (g, footprint, 14.0f, 0.8f, { 0.0f, 6.0f }, 14);
    }

    // --- the back rail
    texture (g, cam, wood, { -outer, railTop, panelBack }, { 2.0f * outer, 0.0f, 0.0f }, { 0.0f, 0.0f, railBack - panelBack }, 0.0f);
    texture (g, cam, wood, { -outer, panelBackY, panelBack }, { 2.0f * outer, 0.0f, 0.0f }, { 0.0f, railTop - panelBackY, 0.0f }, 0.35f);

    // --- the body below the keys, the key slip and the panel's front
    g.setColour (juce::Colour (0xff0a0a0a));
    g.fillPath (polygon (cam, { { -half, 0.0f, 0.4f }, { half, 0.0f, 0.4f }, { half, keyBase, 0.4f }, { -half, keyBase, 0.4f } }));
    g.setColour (juce::Colour (0xff151515));
    g.fillPath (polygon (cam, { { -half, keyBase, 0.4f }, { half, keyBase, 0.4f }, { half, keyBase, panelFront }, { -half, keyBase, panelFront } }));
    g.setColour (juce::Colour (0xff060606));
    g.fillPath (polygon (cam, { { -half, keyBase, panelFront }, { half, keyBase, panelFront }, { half, panelFrontY, panelFront }, { -half, panelFrontY, panelFront } }));

    // --- the panel
    const auto panelQuad = polygon (cam, { onPanel (-half, 0.0f), onPanel (half, 0.0f), onPanel (half, 1.0f), onPanel (-half, 1.0f) });
    {
        const auto box = panelQuad.getBounds();
        g.setGradientFill (juce::ColourGradient::vertical (juce::Colour (0xff181818), box.getY(), juce::Colour (0xff0c0c0c), box.getBottom()));
        g.fillPath (panelQuad);
        juce::ColourGradient sheen (juce::Colours::white.withAlpha (0.06f), box.getX() + box.getWidth() * 0.3f, box.getY(),
                                    juce::Colours::white.withAlpha (0.0f), box.getX() + box.getWidth() * 0.75f, box.getBottom(), false);
        g.setGradientFill (sheen);
        g.fillPath (panelQuad);
        g.setColour (juce::Colours::white.withAlpha (0.22f));
        g.strokePath (polygon (cam, { onPanel (-half, 0.0f), onPanel (half, 0.0f) }), juce::PathStrokeType (0.6f));
    }

    // the cheeks' inner faces stand behind everything on the panel
    const std::vector<juce::Point<float>> profile { { 0.0f, 0.0f }, { 0.0f, 9.6f }, { 1.3f, 10.7f }, { panelFront, 12.6f }, { panelBack, railTop }, { railBack, railTop } };
    for (const auto side : { -1.0f, 1.0f })
    {
        const auto x = side * half;
        juce::Path face;
        face.startNewSubPath (cam ({ x, keyBase, 0.0f }));
        for (const auto& p : profile)
            if (p.y > keyBase || p.x > 0.0f)
                face.lineTo (cam ({ x, juce::jmax (p.y, keyBase), p.x }));
        face.lineTo (cam ({ x, panelBackY, panelBack }));
        face.lineTo (cam (onPanel (x, 0.0f)));
        face.lineTo (cam ({ x, keyBase, panelFront }));
        face.closeSubPath();

        const auto o = cam ({ x, 0.0f, 0.0f }), a = cam ({ x, 0.0f, railBack }), b = cam ({ x, railTop, 0.0f });
        const auto transform = juce::AffineTransform::fromTargetPoints (0.0f, (float) wood.getHeight(), o.x, o.y,
                                                                        (float) wood.getWidth(), (float) wood.getHeight(), a.x, a.y,
                                                                        0.0f, 0.0f, b.x, b.y);
        g.setFillType (juce::FillType (wood, transform));
        g.fillPath (face);
        g.setColour (juce::Colours::black.withAlpha (side < 0.0f ? 0.25f : 0.5f));
        g.fillPath (face);
    }

    // --- what is on the panel, laid out in the order of the instrument's sections
    const auto inner = half - 1.5f;
    int knobCount = 0;
    for (const auto& s : instrument.sections)
        knobCount += s.knobs;
    constexpr float padding = 0.4f, gap = 0.9f;
    const auto sections = (float) instrument.sections.size();
    const auto pitch = (2.0f * inner - sections * (padding + gap) + gap) / (float) knobCount;
    const auto knobRadius = juce::jmin (1.2f, pitch * 0.37f);

    struct Placed
    {
        float u, v;
        bool knob, lit;
        float angle;
    };
    std::vector<Placed> items;

    auto u = -inner;
    for (const auto& s : instrument.sections)
    {
        const auto width = pitch * (float) s.knobs + padding;
        const auto centre = u + width * 0.5f;

        // the section's title above a white rule
        juce::Path rule;
        rule.addRectangle (u + 0.3f, 3.2f, width - 0.6f, 0.12f);
        g.setColour (juce::Colours::white.withAlpha (0.85f));
        g.fillPath (panelPath (cam, rule));
        panelText (g, cam, s.title, { centre, 2.4f }, 0.8f, true, false, juce::Colours::white.withAlpha (0.9f));

        for (int k = 0; k < s.knobs; ++k)
        {
            const auto ku = u + padding * 0.5f + pitch * ((float) k + 0.5f);
            panelText (g, cam, "-", { ku, 4.0f }, 0.6f, false, false, juce::Colours::white.withAlpha (0.5f));
            items.push_back ({ ku, 1.0f - 6.6f / depth, true, false, juce::degreesToRadians (random.nextFloat() * 260.0f - 130.0f) });
        }
        for (int k = 0; k < s.switches; ++k)
        {
            const auto spacing = juce::jmin (1.9f, (width - 0.2f) / (float) s.switches);
            const auto su = centre + ((float) k - (float) (s.switches - 1) * 0.5f) * spacing;
            items.push_back ({ su, 1.0f - 12.2f / depth, false, random.nextFloat() < 0.4f, 0.0f });
        }
        u += width + gap;
    }

    // the front strip: master knobs, the logotype, a few switches and the program section
    for (const auto& [title, from, to] : { std::tuple { "MASTER", -inner, -inner + 6.6f }, { "VOICE", -inner + 22.6f, -inner + 33.6f },
                                           { "PROGRAM SELECT", inner - 20.4f, inner - 0.4f } })
    {
        juce::Path rule;
        rule.addRectangle (from + 0.3f, 15.2f, to - from - 0.6f, 0.12f);
        g.setColour (juce::Colours::white.withAlpha (0.85f));
        g.fillPath (panelPath (cam, rule));
        panelText (g, cam, title, { (from + to) * 0.5f, 14.4f }, 0.8f, true, false, juce::Colours::white.withAlpha (0.9f));
    }
    items.push_back ({ -inner + 1.6f, 1.0f - 17.3f / depth, true, false, 0.4f });
    items.push_back ({ -inner + 5.0f, 1.0f - 17.3f / depth, true, false, -0.9f });
    for (int k = 0; k < 4; ++k)
        items.push_back ({ -inner + 24.0f + 2.6f * (float) k, 1.0f - 17.6f / depth, false, k == 1, 0.0f });
    for (int k = 0; k < 8; ++k)
        items.push_back ({ inner - 19.0f + 2.4f * (float) k, 1.0f - 17.6f / depth, false, k == 2, 0.0f });

    {
        auto mark = logotype (instrument.ten ? "Prophet-10" : "Prophet-5");
        const auto box = mark.getBounds();
        const auto scale = 1.9f / box.getHeight();
        mark.applyTransform (juce::AffineTransform::translation (-box.getX(), -box.getY()).scaled (scale).translated (-inner + 8.0f, 16.0f));
        g.setColour (juce::Colours::white);
        g.fillPath (panelPath (cam, mark));
    }
    panelDisplay (g, cam, inner - 25.0f, 1.0f - 17.4f / depth, instrument.ten ? "215" : "123");

    std::stable_sort (items.begin(), items.end(), [] (const Placed& a, const Placed& b) { return a.v > b.v; });
    for (const auto& item : items)
    {
        if (item.knob)
            panelKnob (g, cam, item.u, item.v, knobRadius, item.angle);
        else
            panelSwitch (g, cam, item.u, item.v, item.lit);
    }

    // --- the keyboard
    const auto keysLeft = -half + wheelWell;
    const auto whiteKeys = instrument.octaves * 7 + 1;
    const auto keyWidth = (half - keysLeft) / (float) whiteKeys;
    for (int i = 0; i < whiteKeys; ++i)
    {
        const auto x0 = keysLeft + keyWidth * (float) i + 0.06f, x1 = x0 + keyWidth - 0.12f;
        const auto topFace = polygon (cam, { { x0, keyTop, keyFront }, { x1, keyTop, keyFront }, { x1, keyTop, keyBack }, { x0, keyTop, keyBack } });
        const auto box = topFace.getBounds();
        g.setGradientFill (juce::ColourGradient::vertical (juce::Colour (0xffd9d6cc), box.getY(), juce::Colour (0xfff4f2ea), box.getBottom()));
        g.fillPath (topFace);
        g.setColour (juce::Colour (0xffb9b5aa));
        g.fillPath (polygon (cam, { { x0, keyBase, keyFront }, { x1, keyBase, keyFront }, { x1, keyTop, keyFront }, { x0, keyTop, keyFront } }));
    }

    // black keys, in the places of C#, D#, F#, G# and A# with their usual offsets
    const std::array<std::pair<int, float>, 5> blacks {{ { 1, -0.12f }, { 2, 0.12f }, { 4, -0.14f }, { 5, 0.0f }, { 6, 0.14f } }};
    const auto blackWidth = keyWidth * 0.56f, blackTop = keyTop + 1.1f, blackFront = 7.0f;
    for (int octave = 0; octave < instrument.octaves; ++octave)
    {
        for (const auto& [boundary, shift] : blacks)
        {
            const auto centre = keysLeft + keyWidth * ((float) (octave * 7 + boundary) + shift);
            const auto x0 = centre - blackWidth * 0.5f, x1 = centre + blackWidth * 0.5f;
            // the side that faces the eye, then the front and the top
            const auto sideX = cam.eye.x < centre ? x0 : x1;
            g.setColour (juce::Colour (0xff050505));
            g.fillPath (polygon (cam, { { sideX, keyTop, blackFront }, { sideX, keyTop, keyBack }, { sideX, blackTop, keyBack }, { sideX, blackTop, blackFront } }));
            g.setColour (juce::Colour (0xff0c0c0c));
            g.fillPath (polygon (cam, { { x0, keyTop, blackFront }, { x1, keyTop, blackFront }, { x1, blackTop, blackFront }, { x0, blackTop, blackFront } }));
            const auto top = polygon (cam, { { x0 + 0.08f, blackTop, blackFront }, { x1 - 0.08f, blackTop, blackFront }, { x1 - 0.08f, blackTop, keyBack }, { x0 + 0.08f, blackTop, keyBack } });
            const auto box = top.getBounds();
            g.setGradientFill (juce::ColourGradient::vertical (juce::Colour (0xff1e1e1e), box.getY(), juce::Colour (0xff2e2e2e), box.getBottom()));
            g.fillPath (top);
        }
    }

    // --- the wheels, left of the keys
    g.setColour (juce::Colour (0xff101010));
    g.fillPath (polygon (cam, { { -half, keyBase + 0.6f, keyFront }, { keysLeft - 0.3f, keyBase + 0.6f, keyFront },
                                { keysLeft - 0.3f, keyBase + 0.6f, keyBack }, { -half, keyBase + 0.6f, keyBack } }));
    for (const auto wx : { -half + 2.6f, -half + 5.4f })
    {
        const auto slot = polygon (cam, { { wx - 0.9f, keyBase + 0.6f, 4.0f }, { wx + 0.9f, keyBase + 0.6f, 4.0f },
                                          { wx + 0.9f, keyBase + 0.6f, 13.0f }, { wx - 0.9f, keyBase + 0.6f, 13.0f } });
        g.setColour (juce::Colour (0xff000000));
        g.fillPath (slot);
        // the rubber rises out of the slot as an arc
        juce::Path side;
        const auto radius = 4.6f, centreY = keyBase + 0.6f + 1.6f - radius, centreZ = 8.5f;
        for (int i = 0; i <= 24; ++i)
        {
            const auto a = juce::jmap ((float) i, 0.0f, 24.0f, -1.2f, 1.2f);
            const auto z = centreZ + radius * std::sin (a), y = juce::jmax (keyBase + 0.6f, centreY + radius * std::cos (a));
            const auto p = cam ({ wx + 0.75f, y, z });
            i == 0 ? side.startNewSubPath (p) : side.lineTo (p);
        }
        side.closeSubPath();
        g.setColour (juce::Colour (0xff1c1c1c));
        g.fillPath (side);
        g.setColour (juce::Colours::white.withAlpha (0.25f));
        g.strokePath (side, juce::PathStrokeType (0.5f));
    }

    // --- the cheeks' tops and fronts, nearest of all
    for (const auto side : { -1.0f, 1.0f })
    {
        const auto xIn = side * half, xOut = side * outer;
        for (size_t i = 1; i < profile.size(); ++i)
        {
            const auto a = profile[i - 1], b = profile[i];
            const auto strip = polygon (cam, { { xOut, a.y, a.x }, { xIn, a.y, a.x }, { xIn, b.y, b.x }, { xOut, b.y, b.x } });
            const auto slope = (b.y - a.y) / juce::jmax (0.01f, b.x - a.x);
            g.setColour (walnut (10.0f + (float) i * 3.0f, 40.0f * (float) i, instrument.ten ? 5 : 4).brighter (0.25f + 0.1f * juce::jmin (1.0f, slope)));
            g.fillPath (strip);
        }
        texture (g, cam, wood, { xOut, 0.0f, 0.0f }, { xIn - xOut, 0.0f, 0.0f }, { 0.0f, 9.6f, 0.0f }, 0.15f);
        g.setColour (juce::Colours::white.withAlpha (0.12f));
        g.strokePath (polygon (cam, { { xOut, 9.6f, 0.0f }, { xIn, 9.6f, 0.0f } }), juce::PathStrokeType (0.6f));
    }
}
}

juce::Image logo (const juce::String& model)
{
    return render (220, 40, [model] (juce::Graphics& g)
    {
        // Both logotypes share one size: the one that fits the longer name.
        const auto longest = logotype ("Prophet-10").getBounds();
        auto mark = logotype (model);
        const auto box = mark.getBounds();
        const auto scale = juce::jmin (214.0f / longest.getWidth(), 32.0f / longest.getHeight());
        mark.applyTransform (juce::AffineTransform::translation (-box.getX(), -longest.getY()).scaled (scale).translated (3.0f, 4.0f));
        g.setColour (juce::Colours::white);
        g.fillPath (mark);
        // a heavier weight than the typeface's bold, as logotypes of the time were
        g.strokePath (mark, juce::PathStrokeType (1.1f, juce::PathStrokeType::mitered));
    });
}

juce::Image aboutPicture (bool prophet10)
{
    return render (512, 400, [prophet10] (juce::Graphics& g)
    {
        // a pool of light on a dark floor, fading out into the frame around it
        juce::ColourGradient pool (juce::Colour (0xff2b2d31), 256.0f, 262.0f, juce::Colour (0xff0b0b0b).withAlpha (0.0f), 256.0f + 290.0f, 262.0f, true);
        pool.addColour (0.55, juce::Colour (0xff17181a).withAlpha (0.9f));
        g.setGradientFill (pool);
        g.fillRect (0, 0, 512, 400);

        Instrument instrument;
        instrument.ten = prophet10;
        instrument.halfWidth = prophet10 ? 54.0f : 44.0f;
        instrument.octaves = prophet10 ? 6 : 5;
        instrument.sections = { { "POLY-MOD", 2, 3 }, { "LFO", 1, 3 }, { "WHEEL-MOD", 1, 3 }, { "OSCILLATOR A", 2, 3 }, { "OSCILLATOR B", 3, 4 },
                                { "MIXER", 3, 0 }, { "FILTER", 4, 2 }, { "FILTER ENVELOPE", 4, 1 }, { "AMPLIFIER", 4, 1 } };
        if (prophet10)
            instrument.sections.insert (instrument.sections.begin() + 5, Section { "LAYER", 2, 2 });
        paintInstrument (g, instrument);
    }, 3);
}

juce::Image appIcon()
{
    return render (256, 256, [] (juce::Graphics& g)
    {
        const juce::Rectangle<float> tile (8.0f, 8.0f, 240.0f, 240.0f);
        juce::Path shape;
        shape.addRoundedRectangle (tile, 46.0f);
        softShadow (g, shape, 5.0f, 0.6f, { 0.0f, 2.0f });

        // the instrument in small: walnut either side of a black panel
        {
            juce::Graphics::ScopedSaveState state (g);
            g.reduceClipRegion (shape);
            const auto wood = shade (256, 256, [] (float x, float y) { return walnut (x * 0.6f, y * 0.6f, 6); }, 1);
            g.setOpacity (1.0f);
            g.drawImageAt (wood, 0, 0);
            const auto face = tile.reduced (30.0f, 0.0f);
            g.setGradientFill (juce::ColourGradient::vertical (juce::Colour (0xff222222), face.getY(), juce::Colour (0xff070707), face.getBottom()));
            g.fillRect (face);
            for (const auto x : { face.getX(), face.getRight() - 3.0f })
            {
                g.setColour (juce::Colours::black.withAlpha (0.6f));
                g.fillRect (x, face.getY(), 3.0f, face.getHeight());
            }
            g.setGradientFill (juce::ColourGradient::vertical (juce::Colours::white.withAlpha (0.1f), tile.getY(),
                                                               juce::Colours::white.withAlpha (0.0f), tile.getCentreY()));
            g.fillRect (tile);
        }
        g.setColour (juce::Colours::black.withAlpha (0.8f));
        g.strokePath (shape, juce::PathStrokeType (1.5f));

        paintKnob (g, { 128.0f, 104.0f }, 58.0f, KnobStyle::plain, juce::degreesToRadians (40.0f), true);

        // a lit LED by the knob
        const juce::Point<float> led (188.0f, 40.0f);
        juce::ColourGradient glow (juce::Colour (0xffff3018).withAlpha (0.6f), led.x, led.y,
                                   juce::Colour (0xffff3018).withAlpha (0.0f), led.x + 14.0f, led.y, true);
        g.setGradientFill (glow);
        g.fillEllipse (juce::Rectangle<float> (28.0f, 28.0f).withCentre (led));
        g.setColour (juce::Colour (0xffff5236));
        g.fillEllipse (juce::Rectangle<float> (9.0f, 9.0f).withCentre (led));

        auto mark = textPath ("P5", sans (100.0f, true, true));
        const auto box = mark.getBounds();
        const auto scale = 50.0f / box.getHeight();
        mark.applyTransform (juce::AffineTransform::translation (-box.getCentreX(), -box.getCentreY()).scaled (scale).translated (128.0f, 202.0f));
        g.setColour (juce::Colours::white);
        g.fillPath (mark);
    });
}
}
