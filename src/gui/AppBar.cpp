#include "gui/AppBar.h"
#include "gui/Artwork.h"

namespace
{
struct BarButton
{
    int id;
    const char* caption;
    juce::String tooltip;
};

// Where the shortcuts go with the Ctrl key; the tooltips name it the way the platform does.
const juce::String ctrl = "Ctrl+";
}

AppBar::AppBar (MorvexAudioProcessor& p, const juce::Array<int>& shownIds)
    : processor (p), artwork (Artwork::get ("bar_png"))
{
    // it paints every pixel of its bounds: the window need not paint under it
    setOpaque (true);
    const BarButton all[] = {
        { banksId, "BANKS", "Program Banks  ( F6 )" },
        { fileId,  "FILE",  {} },
        { editId,  "EDIT",  {} },
        { midiId,  "MIDI",  "MIDI Settings  ( F7 )" },
        { paramId, "PARAM", {} },
        { sendId,  "SEND",  "Send Current Preset  (" + ctrl + " T)" },
        { recvId,  "RECV",  "Receive Current Program  (" + ctrl + " R)" },
        { writeId, "WRITE", "Write to Prophet  (" + ctrl + " W)" },
        { modelId, "MODEL", {} } };

    menuButton.setTopLeftPosition (4, 0);
    addAndMakeVisible (menuButton);

    for (const auto& b : all)
    {
        if (! shownIds.contains (b.id))
            continue;

        auto* button = buttons.add (new StsBut (b.caption, b.id, 2));
        button->place (40 + 54 * (buttons.size() - 1), 3, 50, 16);
        button->setFontSize (11.0f);
        button->setTooltip (b.tooltip);
        addAndMakeVisible (button);
        xAfterLastButton = button->getRight();
    }

    channelLabel.setBounds (xAfterLastButton + 18, 2, 70, 16);
    channelLabel.setFontSize (12.0f);
    channelLabel.setJustification (juce::Justification::centred);
    channelLabel.setBackground (juce::Colours::black);
    channelLabel.setOutline (juce::Colour (0xff9f9f9f));
    channelLabel.setTooltip ("MIDI Channel");
    addAndMakeVisible (channelLabel);

    setSize (1024, 24);
}

StsBut* AppBar::getButton (int id) const noexcept
{
    for (auto* b : buttons)
        if (b->getId() == id)
            return b;
    return nullptr;
}

void AppBar::showChannel (int channel)
{
    channelLabel.setText ("Channel: " + juce::String (channel));
}

void AppBar::paint (juce::Graphics& g)
{
    // the texture stretched and darkened, once per size
    g.drawImageAt (Artwork::cachedPicture (0x4162, 0, getWidth(), getHeight(), [this] (juce::Graphics& pg)
    {
        if (artwork.isValid())
        {
            // a texture: the nearest pixel looks the same as a filtered one, at a fraction of the cost
            pg.setImageResamplingQuality (juce::Graphics::lowResamplingQuality);
            pg.drawImage (artwork, getLocalBounds().toFloat());
        }
        else
            pg.fillAll (juce::Colour (0xff2a2a2a));

        pg.fillAll (juce::Colour (0x40000000));
    }, true), 0, 0);
    g.setColour (juce::Colour (0xff0a0a0a));
    g.drawHorizontalLine (getHeight() - 2, 0.0f, (float) getWidth());
    g.setColour (juce::Colour (0xff161616));
    g.drawHorizontalLine (getHeight() - 1, 0.0f, (float) getWidth());
}
