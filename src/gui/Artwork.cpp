#include "gui/Artwork.h"

#include <BinaryData.h>

namespace Artwork
{
juce::Image get (const char* resourceName)
{
    int size = 0;
    if (const auto* data = MorvexArt::getNamedResource (resourceName, size))
        return juce::ImageCache::getFromMemory (data, size);
    return {};
}

juce::Font arial (float height, bool bold)
{
    // Where Arial is missing (Linux), the framework's fallback has no bold: name its metric twin.
    static const juce::String family = juce::Font::findAllTypefaceNames().contains ("Arial") ? "Arial" : "Liberation Sans";
    return juce::Font (family, height, bold ? juce::Font::bold : juce::Font::plain);
}

juce::Font arialBlack (float height)
{
    static const bool present = juce::Font::findAllTypefaceNames().contains ("Arial Black");
    return present ? juce::Font ("Arial Black", height, juce::Font::plain) : arial (height, true);
}

juce::Image cachedPicture (uint16_t tag, uint32_t state, int width, int height,
                           const std::function<void (juce::Graphics&)>& draw, bool opaque)
{
    if (width <= 0 || height <= 0)
        return {};

    const auto key = (juce::int64) ((uint64_t) tag << 48 | (uint64_t) (state & 0xFFFFFF) << 24
                                    | (uint64_t) (width & 0xFFF) << 12 | (uint64_t) (height & 0xFFF));
    auto picture = juce::ImageCache::getFromHashCode (key);
    if (! picture.isValid())
    {
        picture = juce::Image (opaque ? juce::Image::RGB : juce::Image::ARGB, width, height, ! opaque);
        {
            juce::Graphics g (picture);
            draw (g);
        }
        juce::ImageCache::addImageToCache (picture, key);
    }
    return picture;
}

juce::Image buttonBody (int height)
{
    return get (height <= 16 ? "button_16_png" : height <= 18 ? "button_18_png" : height <= 20 ? "button_20_png" : "button_24_png");
}

void drawButtonBody (juce::Graphics& g, const juce::Image& body, juce::Rectangle<int> area)
{
    if (! body.isValid())
    {
        g.setColour (juce::Colour (0xffd8d4c8));
        g.fillRoundedRectangle (area.toFloat(), 2.0f);
        return;
    }

    // the body's own height, centred in the area
    const auto h = juce::jmin (area.getHeight(), body.getHeight());
    const auto y = area.getY() + (area.getHeight() - h) / 2;
    const auto bw = body.getWidth(), bh = body.getHeight();
    const auto w = area.getWidth(), x = area.getX();

    if (w < 100)
    {
        g.drawImage (body, x, y, w, h, 0, 0, bw, bh);
        return;
    }

    constexpr int cap = 2;
    g.drawImage (body, x, y, cap, h, 0, 0, cap, bh);
    g.drawImage (body, x + cap, y, w - 2 * cap, h, cap, 0, bw - 2 * cap, bh);
    g.drawImage (body, x + w - cap, y, cap, h, bw - cap, 0, cap, bh);
}

void drawCell (juce::Graphics& g, const juce::Image& strip, int index, int cellPitch, int cellWidth, int cellHeight,
               juce::Rectangle<float> target)
{
    if (! strip.isValid())
        return;

    const auto sx = juce::jlimit (0, juce::jmax (0, strip.getWidth() - cellWidth), index * cellPitch);
    g.drawImage (strip.getClippedImage ({ sx, 0, cellWidth, juce::jmin (cellHeight, strip.getHeight()) }),
                 target, juce::RectanglePlacement::stretchToFit);
}
}
