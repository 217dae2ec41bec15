#include "artwork/Canvas.h"

#include <cmath>

namespace art
{
juce::Image render (int width, int height, const Painter& paint, int oversample)
{
    juce::Image big (juce::Image::ARGB, width * oversample, height * oversample, true, juce::SoftwareImageType());
    {
        juce::Graphics g (big);
        g.addTransform (juce::AffineTransform::scale ((float) oversample));
        paint (g);
    }
    return shrink (big, oversample);
}

juce::Image shrink (const juce::Image& source, int factor)
{
    if (factor <= 1)
        return source;

    const auto width = source.getWidth() / factor, height = source.getHeight() / factor;
    juce::Image result (juce::Image::ARGB, width, height, true, juce::SoftwareImageType());
    const juce::Image::BitmapData in (source, juce::Image::BitmapData::readOnly);
    const juce::Image::BitmapData out (result, juce::Image::BitmapData::writeOnly);
    const auto count = (unsigned) (factor * factor);

    for (int y = 0; y < height; ++y)
    {
        for (int x = 0; x < width; ++x)
        {
            unsigned a = 0, r = 0, gr = 0, b = 0;
            for (int dy = 0; dy < factor; ++dy)
            {
                for (int dx = 0; dx < factor; ++dx)
                {
                    const auto* p = reinterpret_cast<const juce::PixelARGB*> (in.getPixelPointer (x * factor + dx, y * factor + dy));
                    a += p->getAlpha();
                    r += p->getRed();
                    gr += p->getGreen();
                    b += p->getBlue();
                }
            }
            auto* q = reinterpret_cast<juce::PixelARGB*> (out.getPixelPointer (x, y));
            const auto half = count / 2;
            q->setARGB ((juce::uint8) ((a + half) / count), (juce::uint8) ((r + half) / count),
                        (juce::uint8) ((gr + half) / count), (juce::uint8) ((b + half) / count));
        }
    }
    return result;
}

juce::Image shade (int width, int height, const std::function<juce::Colour (float, float)>& colourAt, int oversample)
{
    juce::Image big (juce::Image::ARGB, width * oversample, height * oversample, true, juce::SoftwareImageType());
    {
        const juce::Image::BitmapData data (big, juce::Image::BitmapData::writeOnly);
        const auto step = 1.0f / (float) oversample;
        for (int y = 0; y < big.getHeight(); ++y)
            for (int x = 0; x < big.getWidth(); ++x)
                data.setPixelColour (x, y, colourAt (((float) x + 0.5f) * step, ((float) y + 0.5f) * step));
    }
    return shrink (big, oversample);
}

juce::Image strip (int width, int height, int pitch, const std::vector<juce::Image>& frames)
{
    juce::Image result (juce::Image::ARGB, width, height, true, juce::SoftwareImageType());
    juce::Graphics g (result);
    for (size_t i = 0; i < frames.size(); ++i)
        g.drawImageAt (frames[i], (int) i * pitch, 0);
    return result;
}

juce::Font sans (float height, bool bold, bool italic)
{
    return juce::Font ("Liberation Sans", height, (bold ? juce::Font::bold : 0) | (italic ? juce::Font::italic : 0));
}

Noise::Noise (int seed, int periodCells) : period (periodCells)
{
    auto random = randomFor (seed);
    values.resize (256 * 256);
    for (auto& v : values)
        v = random.nextFloat();
}

float Noise::lattice (int x, int y) const noexcept
{
    if (period > 0)
    {
        x = ((x % period) + period) % period;
        y = ((y % period) + period) % period;
    }
    return values[(size_t) ((x & 255) + 256 * (y & 255))];
}

float Noise::at (float x, float y) const noexcept
{
    const auto x0 = std::floor (x), y0 = std::floor (y);
    const auto fx = x - x0, fy = y - y0;
    const auto sx = fx * fx * (3.0f - 2.0f * fx), sy = fy * fy * (3.0f - 2.0f * fy);
    const auto ix = (int) x0, iy = (int) y0;
    const auto top = juce::jmap (sx, lattice (ix, iy), lattice (ix + 1, iy));
    const auto bottom = juce::jmap (sx, lattice (ix, iy + 1), lattice (ix + 1, iy + 1));
    return juce::jmap (sy, top, bottom);
}

float Noise::fractal (float x, float y, int octaves) const noexcept
{
    float sum = 0.0f, weight = 0.5f, total = 0.0f;
    for (int i = 0; i < octaves; ++i)
    {
        sum += weight * at (x, y);
        total += weight;
        x *= 2.0f;
        y *= 2.0f;
        weight *= 0.5f;
    }
    return sum / total;
}

juce::Random randomFor (int seed)
{
    return juce::Random ((juce::int64) seed * 7919 + 17);
}

juce::Colour tint (juce::Colour colour, float amount)
{
    return amount >= 0.0f ? colour.interpolatedWith (juce::Colours::white.withAlpha (colour.getFloatAlpha()), amount)
                          : colour.interpolatedWith (juce::Colours::black.withAlpha (colour.getFloatAlpha()), -amount);
}

juce::Path mapPath (const juce::Path& path, const std::function<juce::Point<float> (juce::Point<float>)>& map, float tolerance)
{
    juce::Path result;
    juce::PathFlatteningIterator it (path, {}, tolerance);
    bool first = true;
    while (it.next())
    {
        if (first || it.subPathIndex == 0)
            result.startNewSubPath (map ({ it.x1, it.y1 }));
        result.lineTo (map ({ it.x2, it.y2 }));
        if (it.closesSubPath)
            result.closeSubPath();
        first = false;
    }
    return result;
}

void softShadow (juce::Graphics& g, const juce::Path& path, float spread, float opacity, juce::Point<float> offset, int layers)
{
    const auto shifted = path.createPathWithRoundedCorners (0.0f);
    for (int i = layers; i >= 1; --i)
    {
        const auto grow = spread * (float) i / (float) layers;
        juce::Path layer;
        juce::PathStrokeType (grow * 2.0f, juce::PathStrokeType::curved).createStrokedPath (layer, shifted);
        layer.addPath (shifted);
        layer.setUsingNonZeroWinding (true);
        g.setColour (juce::Colours::black.withAlpha (opacity / (float) layers));
        g.fillPath (layer, juce::AffineTransform::translation (offset));
    }
}
}
