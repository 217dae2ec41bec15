#include "gui/TextInputCont.h"
#include "gui/Artwork.h"
#include "gui/PanelLook.h"
#include "model/ValueFormat.h"

namespace
{
constexpr int fieldWidth = 280, fieldHeight = 24, fieldTop = 64;
constexpr int boxWidth = 280, boxHeight = 30, boxTop = 94;
constexpr int buttonWidth = 100, buttonHeight = 34, buttonTop = 116, buttonTopBelowBox = 136;
constexpr int buttonPitch = 120, threeButtons = 340, twoButtons = 220;
}

TextInputCont::TextInputCont()
{
    PanelLook::styleField (field, 16.0f);
    addAndMakeVisible (field);

    prompt.setFont (Artwork::arial (24.0f));
    prompt.setJustificationType (juce::Justification::centred);
    prompt.setColour (juce::Label::textColourId, juce::Colour (0xffe6e6e6));
    prompt.setInterceptsMouseClicks (false, false);
    addAndMakeVisible (prompt);

    for (auto* b : { &ok, &cancel, &no })
    {
        b->addListener (this);
        addChildComponent (b);
    }
}

TextInputCont::~TextInputCont()
{
    for (auto* b : { &ok, &cancel, &no })
        b->removeListener (this);
}

void TextInputCont::open (const juce::String& promptText, const juce::String& text, const juce::String& cancelCaption,
                          const juce::String& okCaption, const juce::String& noCaption, int categoryValue,
                          int code, int value)
{
    prompt.setText (promptText, juce::dontSendNotification);
    field.setText (text, false);
    requestCode = code;
    requestValue = value;

    categoryShown = categoryValue != -1;
    if (categoryShown)
        setCategory (categoryValue);

    const std::pair<LibBut*, const juce::String*> captions[] = { { &cancel, &cancelCaption }, { &ok, &okCaption }, { &no, &noCaption } };
    for (const auto& [button, caption] : captions)
    {
        button->setCaption (*caption);
        button->setVisible (caption->isNotEmpty());
    }

    resized();
    repaint();
}

void TextInputCont::setCategory (int value)
{
    category = value;
    categoryText = ValueFormat::categoryName (value).toUpperCase();
    repaint (categoryBox);
}

void TextInputCont::resized()
{
    const auto w = getWidth();
    field.setBounds ((w - fieldWidth) / 2, fieldTop, fieldWidth, fieldHeight);
    prompt.setBounds (20, 24, w - 40, 30);
    categoryBox = { (w - boxWidth) / 2, boxTop, boxWidth, boxHeight };

    const auto top = categoryShown ? buttonTopBelowBox : buttonTop;
    const auto withNo = no.isVisible();
    const auto left = (w - (withNo ? threeButtons : twoButtons)) / 2;
    ok.setBounds (left, top, buttonWidth, buttonHeight);
    if (withNo)
    {
        no.setBounds (left + buttonPitch, top, buttonWidth, buttonHeight);
        cancel.setBounds (left + 2 * buttonPitch, top, buttonWidth, buttonHeight);
    }
    else
        cancel.setBounds (left + buttonPitch, top, buttonWidth, buttonHeight);
}

void TextInputCont::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colour (0xff191919));
    if (! categoryShown)
        return;

    auto box = categoryBox.toFloat();
    g.setColour (juce::Colour (0xff272527));
    g.fillRoundedRectangle (box, 3.0f);
    g.setColour (juce::Colour (0xff4a474a));
    g.drawRoundedRectangle (box.reduced (0.5f), 3.0f, 1.0f);

    // a drop-down mark, so the box reads as a menu
    const auto mark = box.removeFromRight (24.0f).withSizeKeepingCentre (8.0f, 5.0f);
    juce::Path arrow;
    arrow.addTriangle (mark.getX(), mark.getY(), mark.getRight(), mark.getY(), mark.getCentreX(), mark.getBottom());
    g.setColour (juce::Colour (0xff9a989a));
    g.fillPath (arrow);

    g.setColour (juce::Colour (0xfff2f0f0));
    g.setFont (Artwork::arial (15.0f));
    g.drawText (categoryText, categoryBox, juce::Justification::centred, true);
}

void TextInputCont::mouseDown (const juce::MouseEvent& e)
{
    if (! categoryShown || ! categoryBox.contains (e.getPosition()))
        return;

    juce::PopupMenu menu;
    for (int c = 0; c < numMenuCategories; ++c)
        menu.addItem (c + 1, ValueFormat::categoryName (c), true, c == category);

    MenuChoice::show (menu, nullptr, *this, chooseFromMenu, [this] (int id) { setCategory (id - 1); });
}

void TextInputCont::libButClicked (LibBut*, int id)
{
    const auto code = requestCode, value = requestValue;
    if (id == okId)
        listeners.callLastFirst ([code, value] (textmsgListener& l) { l.textOk (code, value); });
    else if (id == noId)
        listeners.callLastFirst ([code, value] (textmsgListener& l) { l.textNo (code, value); });
    else if (id == cancelId)
        listeners.callLastFirst ([code, value] (textmsgListener& l) { l.textCancel (code, value); });
}
