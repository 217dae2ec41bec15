#pragma once

#include "gui/AppSetBarBut.h"
#include "gui/StsBut.h"
#include "gui/StsLabel.h"

class MorvexAudioProcessor;

/** The strip at the top of the editor: the three-bar button, the row of function buttons and the
    MIDI channel label. The buttons report their ids to their stsbutListeners (the main editor). */
class AppBar : public juce::Component
{
public:
    enum ButtonId
    {
        banksId = 99, fileId = 75, editId = 73, midiId = 77, paramId = 777,
        sendId = 701, recvId = 71, writeId = 969, modelId = 808
    };

    /** The bar with the buttons whose ids are listed (in the bar's own order, whatever the order
        given), so a function arrives in the bar with the panel it opens. */
    AppBar (MorvexAudioProcessor& processor, const juce::Array<int>& shownIds);

    StsBut* getButton (int id) const noexcept;
    const juce::OwnedArray<StsBut>& getButtons() const noexcept { return buttons; }
    AppSetBarBut& getMenuButton() noexcept { return menuButton; }
    StsLabel& getChannelLabel() noexcept   { return channelLabel; }

    /** "Channel: " and the channel. */
    void showChannel (int channel);

    void paint (juce::Graphics&) override;

private:
    MorvexAudioProcessor& processor;
    AppSetBarBut menuButton;
    juce::OwnedArray<StsBut> buttons;
    int xAfterLastButton = 40;
    StsLabel channelLabel { {}, 2 };
    juce::Image artwork;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (AppBar)
};
