#include "gui/StsResor.h"
#include "gui/Artwork.h"

void StsResor::load()
{
    knobStrip = Artwork::get ("knob_strip_png");
    capLarge = Artwork::get ("knob_cap_large_png");
    capMedium = Artwork::get ("knob_cap_medium_png");
    capSmall = Artwork::get ("knob_cap_small_png");
    envelopeBackground = Artwork::get ("env_background_png");
    editMark = Artwork::get ("edit_mark_png");
    resizeCursor = juce::MouseCursor (juce::MouseCursor::BottomRightCornerResizeCursor);
}
