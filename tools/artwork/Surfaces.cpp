#include "artwork/Artwork.h"

#include <cmath>

namespace art
{
namespace
{
juce::Colour grey (float level, float alpha = 1.0f)
{
    return juce::Colour::fromFloatRGBA (level, level, level, alpha);
}

/** Copies the middle column over every column from `from` to `to`, for images whose middle the
    widgets stretch. */
void evenOut (juce::Image& image, int from, int to)
{
    const juce::Image::BitmapData data (image, juce::Image::BitmapData::readWrite);
    for (int y = 0; y < image.getHeight(); ++y)
    {
        const auto middle = data.getPixelColour (image.getWidth() / 2, y);
        for (int x = from; x <= to; ++x)
            data.setPixelColour (x, y, middle);
    }
}

/** Diagonal ridges, lit on one side, for something to take hold of. */
void ridges (juce::Graphics& g, juce::Rectangle<float> area)
{
    juce::Graphics::ScopedSaveState state (g);
    g.reduceClipRegion (area.toNearestInt());
    for (float x = area.getX() - area.getHeight(); x < area.getRight(); x += 3.0f)
    {
        const juce::Line<float> line (x, area.getBottom(), x + area.getHeight(), area.getY());
        g.setColour (juce::Colours::white.withAlpha (0.3f));
        g.drawLine (line, 0.9f);
        g.setColour (juce::Colours::black.withAlpha (0.75f));
        g.drawLine ({ line.getStart().translated (1.1f, 0.0f), line.getEnd().translated (1.1f, 0.0f) }, 0.9f);
    }
}

void handleBody (juce::Graphics& g, juce::Rectangle<float> area)
{
    g.setGradientFill (juce::ColourGradient::vertical (juce::Colour (0xff363636), area.getY(), juce::Colour (0xff131313), area.getBottom()));
    g.fillRoundedRectangle (area, 3.0f);
    g.setGradientFill (juce::ColourGradient::vertical (juce::Colour (0xff5e5e5e), area.getY(), juce::Colour (0xff262626), area.getBottom()));
    g.drawRoundedRectangle (area, 3.0f, 1.0f);
}

void cross (juce::Graphics& g, juce::Point<float> centre, float reach)
{
    for (const auto& [dy, colour] : { std::pair { 1.0f, juce::Colours::black.withAlpha (0.7f) }, { 0.0f, juce::Colour (0xffd2d2d2) } })
    {
        g.setColour (colour);
        const auto c = centre.translated (0.0f, dy);
        g.drawLine ({ c.translated (-reach, -reach), c.translated (reach, reach) }, 1.35f);
        g.drawLine ({ c.translated (-reach, reach), c.translated (reach, -reach) }, 1.35f);
    }
}

/** Fills rectangles in grey, with a dark copy one pixel lower so they read on any background. */
void glyphRects (juce::Graphics& g, std::initializer_list<juce::Rectangle<float>> rects)
{
    for (const auto& [dy, colour] : { std::pair { 1.0f, juce::Colours::black.withAlpha (0.7f) }, { 0.0f, juce::Colour (0xffd2d2d2) } })
    {
        g.setColour (colour);
        for (const auto& r : rects)
            g.fillRect (r.translated (0.0f, dy));
    }
}
}

juce::Colour walnut (float x, float y, int seed)
{
    static const Noise warpNoise (101), ringNoise (202), streakNoise (303), poreNoise (404);
    const auto offset = (float) seed * 57.0f;
    y += offset * 3.0f;

    // the grain runs along the board and wanders slowly across it
    const auto u = x + 16.0f * warpNoise.fractal (x * 0.012f + offset, y * 0.003f, 3) + 2.5f * warpNoise.at (x * 0.09f, y * 0.02f + offset);
    const auto rings = 0.5f + 0.5f * std::sin (u * 0.6f + 7.0f * ringNoise.fractal (u * 0.035f, y * 0.0025f, 3));
    const auto streaks = streakNoise.fractal (u * 0.45f, y * 0.012f, 3);
    const auto figure = ringNoise.fractal (u * 0.02f + 7.0f, y * 0.006f, 2);

    auto t = 0.45f * std::pow (rings, 2.2f) + 0.4f * streaks + 0.35f * (figure - 0.5f);
    t = juce::jlimit (0.0f, 1.0f, t);

    const juce::Colour dark (0xff24140b), mid (0xff4a2b19), light (0xff76482a);
    auto colour = t < 0.5f ? dark.interpolatedWith (mid, t * 2.0f) : mid.interpolatedWith (light, (t - 0.5f) * 2.0f);

    // open pores: short dark flecks along the grain
    const auto pore = poreNoise.at (u * 1.4f, y * 0.09f);
    if (pore > 0.74f)
        colour = colour.interpolatedWith (juce::Colour (0xff140a05), juce::jmin (0.7f, (pore - 0.74f) * 3.0f));
    return colour;
}

juce::Image bar()
{
    constexpr int width = 256, height = 24;
    const Noise streaks (11, 64);
    auto random = randomFor (12);
    std::vector<float> rowShift (height);
    for (auto& s : rowShift)
        s = (random.nextFloat() - 0.5f) * 0.012f;

    return shade (width, height, [&] (float x, float y)
    {
        const auto row = juce::jlimit (0, height - 1, (int) y);
        const auto t = y / (float) height;
        auto level = juce::jmap (t, 0.205f, 0.105f) + rowShift[(size_t) row];
        // brushed: long streaks along the bar, a little finer grain across
        level += (streaks.at (x * 0.25f, y * 2.3f) - 0.5f) * 0.035f;
        if (row == 0)
            level = 0.34f;
        else if (row == 1)
            level += 0.03f;
        else if (row == height - 1)
            level = 0.03f;
        return juce::Colour::fromFloatRGBA (level, level, level * 1.05f, 1.0f);
    }, 1);
}

juce::Image panel()
{
    constexpr int width = 512, height = 330, cells = 16;
    const Noise mottle (21, cells);
    auto random = randomFor (22);
    return shade (width, height, [&] (float x, float y)
    {
        // matte paint: fine grain over a very faint unevenness, repeating at the edges so it tiles
        auto level = 0.058f;
        level += (mottle.fractal (x * cells / width, y * cells / height, 3) - 0.5f) * 0.016f;
        level += (random.nextFloat() + random.nextFloat() - 1.0f) * 0.011f;
        return grey (level);
    }, 1);
}

juce::Image woodCheek()
{
    constexpr int width = 40, height = 330;
    return shade (width, height, [] (float x, float y)
    {
        auto colour = walnut (x, y, 1);

        // The cheek's faces are rounded over at both edges, and the varnish catches the light in a
        // soft band near the front.
        const auto edge = juce::jmin (x, (float) width - x);
        const auto roundOver = juce::jlimit (0.0f, 1.0f, edge / 4.0f);
        colour = colour.interpolatedWith (juce::Colours::black, (1.0f - std::sqrt (roundOver)) * 0.6f);
        const auto band = std::exp (-std::pow ((x - 13.0f) / 6.0f, 2.0f));
        const auto fade = 0.75f + 0.25f * (1.0f - y / (float) height);
        colour = colour.interpolatedWith (juce::Colour (0xffffe6c8), band * 0.13f * fade);
        if (x < 1.0f)
            colour = colour.interpolatedWith (juce::Colour (0xffc08a5c), 0.25f);
        return colour;
    }, 3);
}

juce::Image envelopeBackground()
{
    return render (202, 76, [] (juce::Graphics& g)
    {
        g.setGradientFill (juce::ColourGradient::vertical (juce::Colour (0xff151818), 0.0f, juce::Colour (0xff0a0b0b), 76.0f));
        g.fillAll();

        g.setColour (juce::Colours::white.withAlpha (0.055f));
        for (int i = 1; i < 10; ++i)
            g.fillRect ((float) (1 + 20 * i), 1.0f, 1.0f, 74.0f);
        for (const auto y : { 19, 56 })
            g.fillRect (1.0f, (float) y, 200.0f, 1.0f);
        g.setColour (juce::Colours::white.withAlpha (0.09f));
        g.fillRect (1.0f, 38.0f, 200.0f, 1.0f);

        // a thin frame, set into the panel
        g.setColour (juce::Colour (0xff444848));
        g.drawRect (0, 0, 202, 76, 1);
        g.setColour (juce::Colours::black.withAlpha (0.6f));
        g.drawRect (1, 1, 200, 74, 1);
    });
}

juce::Image lcd()
{
    return render (200, 48, [] (juce::Graphics& g)
    {
        const juce::Rectangle<float> whole (0.0f, 0.0f, 200.0f, 48.0f);
        g.setGradientFill (juce::ColourGradient::vertical (juce::Colour (0xff2e2e2e), 0.0f, juce::Colour (0xff0d0d0d), 48.0f));
        g.fillRoundedRectangle (whole, 4.0f);
        g.setGradientFill (juce::ColourGradient::vertical (juce::Colours::white.withAlpha (0.18f), 0.0f, juce::Colours::white.withAlpha (0.02f), 48.0f));
        g.drawRoundedRectangle (whole.reduced (0.5f), 3.5f, 1.0f);

        const auto glass = whole.reduced (3.0f);
        g.setColour (juce::Colours::black);
        g.fillRoundedRectangle (glass.expanded (0.6f), 2.6f);

        // backlit from behind: brightest in the middle
        juce::ColourGradient light (juce::Colour (0xff174741), glass.getCentreX(), glass.getCentreY(),
                                    juce::Colour (0xff0a211d), glass.getX(), glass.getY(), true);
        g.setGradientFill (light);
        g.fillRoundedRectangle (glass, 2.0f);

        // the glass: shade under the bezel's top edge, a faint reflection across its upper left
        g.setGradientFill (juce::ColourGradient::vertical (juce::Colours::black.withAlpha (0.5f), glass.getY(),
                                                           juce::Colours::black.withAlpha (0.0f), glass.getY() + 4.0f));
        g.fillRect (glass.withHeight (4.0f));
        juce::Path sheen;
        sheen.startNewSubPath (glass.getX(), glass.getY());
        sheen.lineTo (glass.getX() + 120.0f, glass.getY());
        sheen.lineTo (glass.getX() + 70.0f, glass.getBottom());
        sheen.lineTo (glass.getX(), glass.getBottom());
        sheen.closeSubPath();
        g.setGradientFill (juce::ColourGradient::vertical (juce::Colours::white.withAlpha (0.05f), glass.getY(),
                                                           juce::Colours::white.withAlpha (0.01f), glass.getBottom()));
        g.fillPath (sheen);
        g.setColour (juce::Colours::white.withAlpha (0.07f));
        g.fillRect (glass.getX() + 2.0f, glass.getBottom() - 1.0f, glass.getWidth() - 4.0f, 1.0f);
    });
}

juce::Image valueBox()
{
    auto image = render (200, 18, [] (juce::Graphics& g)
    {
        const juce::Rectangle<float> box (0.5f, 0.5f, 199.0f, 17.0f);
        g.setGradientFill (juce::ColourGradient::vertical (juce::Colour (0xff080808), box.getY(), juce::Colour (0xff1e1e1e), box.getBottom()));
        g.fillRoundedRectangle (box, 3.0f);
        // set into the panel: shaded at the top inside, a lit lip below
        g.setColour (juce::Colours::black.withAlpha (0.6f));
        g.fillRect (2.0f, 1.0f, 196.0f, 1.5f);
        g.setGradientFill (juce::ColourGradient::vertical (juce::Colour (0xff000000), box.getY(), juce::Colour (0xff5a5a5a), box.getBottom()));
        g.drawRoundedRectangle (box, 3.0f, 1.0f);
    });
    evenOut (image, 4, 195);
    return image;
}

juce::Image zoomHandle()
{
    return render (50, 14, [] (juce::Graphics& g)
    {
        handleBody (g, { 0.5f, 0.5f, 49.0f, 13.0f });
        g.setColour (juce::Colours::black.withAlpha (0.8f));
        g.fillRect (37.0f, 2.0f, 1.0f, 10.0f);
        g.setColour (juce::Colours::white.withAlpha (0.1f));
        g.fillRect (38.0f, 2.0f, 1.0f, 10.0f);
        ridges (g, { 40.0f, 3.0f, 7.0f, 8.0f });
    });
}

juce::Image zoomGrip()
{
    return render (14, 14, [] (juce::Graphics& g)
    {
        handleBody (g, { 0.5f, 0.5f, 13.0f, 13.0f });
        ridges (g, { 3.0f, 3.0f, 8.0f, 8.0f });
    });
}

juce::Image windowTools()
{
    return render (54, 15, [] (juce::Graphics& g)
    {
        glyphRects (g, { { 5.0f, 10.0f, 8.0f, 2.0f } });

        glyphRects (g, { { 23.0f, 3.0f, 8.0f, 2.0f }, { 23.0f, 10.0f, 8.0f, 1.0f }, { 23.0f, 5.0f, 1.0f, 5.0f }, { 30.0f, 5.0f, 1.0f, 5.0f } });

        cross (g, { 45.0f, 7.0f }, 3.6f);
    });
}

juce::Image windowClose()
{
    return render (17, 15, [] (juce::Graphics& g) { cross (g, { 8.5f, 7.0f }, 3.6f); });
}
}
