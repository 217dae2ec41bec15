#pragma once

// What every drawing of the artwork program shares: supersampled rendering, the typeface, seeded
// noise for textures, and film strips put together from frames.
#include <juce_graphics/juce_graphics.h>

#include <functional>

namespace art
{
using Painter = std::function<void (juce::Graphics&)>;

/** Paints at `oversample` times the size, in the image's own coordinates, and averages each block
    of pixels down: smoother edges than the renderer's own anti-aliasing, and curves that stay
    round at a few pixels across. Shapes on whole pixel edges stay sharp. */
juce::Image render (int width, int height, const Painter& paint, int oversample = 4);

/** Box-filters an image down by a whole factor; the pixels are premultiplied, so transparency
    averages correctly. */
juce::Image shrink (const juce::Image& source, int factor);

/** An image computed pixel by pixel, `oversample` times larger and averaged down. The function
    gets the pixel centre in output coordinates. */
juce::Image shade (int width, int height, const std::function<juce::Colour (float x, float y)>& colourAt,
                   int oversample = 2);

/** Places frames side by side, `pitch` apart, in a transparent strip of the given size. */
juce::Image strip (int width, int height, int pitch, const std::vector<juce::Image>& frames);

/** Liberation Sans, the metric twin of Arial the editor asks for: named outright, because the
    framework finds fonts by family and not through fontconfig's aliases. */
juce::Font sans (float height, bool bold = false, bool italic = false);

/** Smooth value noise in 0..1, repeating every `period` lattice cells in x and y (0: never), so a
    texture built from it tiles. */
class Noise
{
public:
    explicit Noise (int seed, int period = 0);
    float at (float x, float y) const noexcept;
    /** Octaves of `at`, each at twice the frequency and half the weight. */
    float fractal (float x, float y, int octaves) const noexcept;

private:
    float lattice (int x, int y) const noexcept;
    std::vector<float> values;
    int period;
};

/** A reproducible random stream for grain and scatter. */
juce::Random randomFor (int seed);

/** Moves a colour towards white (amount > 0) or black (amount < 0). */
juce::Colour tint (juce::Colour colour, float amount);

/** A flattened copy of a path with every point moved by `map`: for laying flat drawings onto a
    surface in perspective. */
juce::Path mapPath (const juce::Path& path, const std::function<juce::Point<float> (juce::Point<float>)>& map,
                    float tolerance = 0.1f);

/** A soft shadow: the path filled in black `layers` times, each grown by `spread` / layers and
    fainter towards the outside. */
void softShadow (juce::Graphics& g, const juce::Path& path, float spread, float opacity, juce::Point<float> offset = {},
                 int layers = 10);
}
