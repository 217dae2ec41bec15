// Draws every bitmap of the editor and writes them as PNGs:
//   morvex_artwork OUTPUT_FOLDER [--sheet SHEET.png]
// The editor embeds the PNGs from resources/; run this into that folder after changing a drawing.
// --sheet also writes all of them on one dark page at twice their size, for judging them together.
#include "artwork/Artwork.h"

#include <cstdio>

namespace
{
struct Entry
{
    const char* file;
    int width, height;
    std::function<juce::Image()> draw;
};

std::vector<Entry> entries()
{
    using namespace art;
    return {
        { "knob_strip.png", 3655, 55, knobStrip },
        { "knob_cap_large.png", 80, 80, [] { return knobCap (KnobStyle::skirted, 27.5f); } },
        { "knob_cap_medium.png", 80, 80, [] { return knobCap (KnobStyle::plain, 21.5f); } },
        { "knob_cap_small.png", 80, 80, [] { return knobCap (KnobStyle::plain, 17.5f); } },
        { "env_background.png", 202, 76, envelopeBackground },
        { "button_16.png", 100, 16, [] { return buttonBody (16); } },
        { "button_18.png", 100, 18, [] { return buttonBody (18); } },
        { "button_20.png", 100, 20, [] { return buttonBody (20); } },
        { "button_24.png", 100, 24, [] { return buttonBody (24); } },
        { "lib_button.png", 200, 48, libButtonBody },
        { "lib_button_cap.png", 10, 48, libButtonCap },
        { "list_thumb.png", 40, 86, listThumb },
        { "list_track.png", 48, 128, listTrack },
        { "switch_cap.png", 52, 70, switchCap },
        { "led_switch.png", 30, 15, ledRound },
        { "led_small.png", 28, 9, ledSmall },
        { "led_global.png", 40, 12, ledGlobal },
        { "edit_mark.png", 14, 14, editMark },
        { "checkbox.png", 60, 11, checkbox },
        { "digits.png", 374, 33, digits },
        { "wheel_strip.png", 1891, 200, wheelStrip },
        { "bar.png", 256, 24, bar },
        { "panel.png", 512, 330, panel },
        { "wood_cheek.png", 40, 330, woodCheek },
        { "logo_prophet5.png", 220, 40, [] { return logo ("Prophet-5"); } },
        { "logo_prophet10.png", 220, 40, [] { return logo ("Prophet-10"); } },
        { "lcd.png", 200, 48, lcd },
        { "value_box.png", 200, 18, valueBox },
        { "zoom_handle.png", 50, 14, zoomHandle },
        { "zoom_grip.png", 14, 14, zoomGrip },
        { "window_tools.png", 54, 15, windowTools },
        { "window_close.png", 17, 15, windowClose },
        { "about_prophet5.png", 512, 400, [] { return aboutPicture (false); } },
        { "about_prophet10.png", 512, 400, [] { return aboutPicture (true); } },
        { "app_icon.png", 256, 256, appIcon },
    };
}

bool writePng (const juce::Image& image, const juce::File& file)
{
    file.deleteFile();
    juce::FileOutputStream out (file);
    juce::PNGImageFormat png;
    return out.openedOk() && png.writeImageToStream (image, out);
}

/** All images at twice their size on a dark page, long strips folded onto several rows. */
juce::Image contactSheet (const std::vector<std::pair<juce::String, juce::Image>>& images)
{
    constexpr int zoom = 2, pageWidth = 1900, margin = 16, fold = 900, label = 18;
    struct Piece
    {
        juce::Image image;
        juce::String name;
        juce::Rectangle<int> area;
    };
    std::vector<Piece> pieces;
    int x = margin, y = margin, rowHeight = 0;
    for (const auto& [name, image] : images)
    {
        for (int from = 0; from < image.getWidth(); from += fold)
        {
            const auto part = image.getClippedImage ({ from, 0, juce::jmin (fold, image.getWidth() - from), image.getHeight() });
            const auto w = part.getWidth() * zoom, h = part.getHeight() * zoom + label;
            if (x + w > pageWidth - margin)
            {
                x = margin;
                y += rowHeight + margin;
                rowHeight = 0;
            }
            pieces.push_back ({ part, from == 0 ? name : juce::String(), { x, y, w, h } });
            x += w + margin;
            rowHeight = juce::jmax (rowHeight, h);
        }
    }

    juce::Image sheet (juce::Image::RGB, pageWidth, y + rowHeight + margin, true);
    juce::Graphics g (sheet);
    g.fillAll (juce::Colour (0xff3a3a3c));
    g.setImageResamplingQuality (juce::Graphics::lowResamplingQuality);
    for (const auto& p : pieces)
    {
        g.setColour (juce::Colour (0xffc8c8c8));
        g.setFont (art::sans (13.0f));
        g.drawText (p.name, p.area.withHeight (label), juce::Justification::topLeft);
        g.drawImage (p.image, p.area.withTrimmedTop (label).toFloat());
    }
    return sheet;
}
}

int main (int argc, char** argv)
{
    if (argc != 2 && ! (argc == 4 && juce::String (argv[2]) == "--sheet"))
    {
        std::fprintf (stderr, "usage: %s OUTPUT_FOLDER [--sheet SHEET.png]\n", argv[0]);
        return 2;
    }

    const auto folder = juce::File::getCurrentWorkingDirectory().getChildFile (argv[1]);
    if (! folder.createDirectory())
    {
        std::fprintf (stderr, "cannot create %s\n", folder.getFullPathName().toRawUTF8());
        return 1;
    }

    std::vector<std::pair<juce::String, juce::Image>> drawn;
    for (const auto& entry : entries())
    {
        const auto image = entry.draw();
        // the widgets cut cells out of these by position: a wrong size is a wrong picture
        if (image.getWidth() != entry.width || image.getHeight() != entry.height)
        {
            std::fprintf (stderr, "%s: drawn %dx%d, needs %dx%d\n", entry.file, image.getWidth(), image.getHeight(), entry.width, entry.height);
            return 1;
        }
        if (! writePng (image, folder.getChildFile (entry.file)))
        {
            std::fprintf (stderr, "cannot write %s\n", entry.file);
            return 1;
        }
        drawn.emplace_back (entry.file, image);
    }

    if (argc == 4 && ! writePng (contactSheet (drawn), juce::File::getCurrentWorkingDirectory().getChildFile (argv[3])))
    {
        std::fprintf (stderr, "cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
