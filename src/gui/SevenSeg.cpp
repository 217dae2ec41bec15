#include "gui/SevenSeg.h"
#include "gui/Artwork.h"

SevenSeg::SevenSeg() : strip (Artwork::get ("digits_png")) {}

void SevenSeg::setDigits (int first, int second, int third)
{
    const std::array<int, 3> d { first, second, third };
    if (d != digits)
    {
        digits = d;
        repaint();
    }
}

void SevenSeg::setZoom (float z)
{
    zoom = z;
    repaint();
}

void SevenSeg::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colours::black);
    constexpr int blankCell = 10;
    const float xs[] = { 2.0f, 25.0f, 48.0f };
    for (size_t i = 0; i < 3; ++i)
    {
        const auto cell = juce::isPositiveAndBelow (digits[i], 10) ? digits[i] : blankCell;
        Artwork::drawCell (g, strip, cell, 35, 24, 33, { xs[i] * zoom, 2.0f * zoom, 24.0f * zoom, 33.0f * zoom });
    }
}

void SevenSeg::mouseDown (const juce::MouseEvent&)
{
    sendSynchronousChangeMessage();
}
