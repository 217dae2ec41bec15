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

void SevenSeg::setBlinking (int digit)
{
    digit = juce::isPositiveAndBelow (digit, 3) ? digit : -1;
    if (digit == blinking)
        return;
    blinking = digit;
    blinkDark = false;
    if (blinking < 0)
        stopTimer();
    else
        startTimer (blinkMs);
    repaint();
}

void SevenSeg::timerCallback()
{
    blinkDark = ! blinkDark;
    repaint();
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
        const auto dark = blinkDark && (int) i == blinking;
        const auto cell = ! dark && juce::isPositiveAndBelow (digits[i], 10) ? digits[i] : blankCell;
        Artwork::drawCell (g, strip, cell, 35, 24, 33, { xs[i] * zoom, 2.0f * zoom, 24.0f * zoom, 33.0f * zoom });
    }
}

void SevenSeg::mouseDown (const juce::MouseEvent&)
{
    sendSynchronousChangeMessage();
}
