#pragma once

#include "gui/LibBut.h"
#include "gui/MenuChoice.h"
#include "gui/OwnListeners.h"
#include "gui/textmsgListener.h"

/** The librarian panels' prompt, laid over the whole panel: a question, a one-line text field, an
    optional category box and up to three buttons. One prompt serves every question of a panel:
    `open` gives it a request code and value, and the button that closes it hands both back, so
    the panel knows what was answered. */
class TextInputCont : public juce::Component,
                      public LibButListener,
                      public juce::ChangeBroadcaster
{
public:
    static constexpr int noId = 1200, okId = 1201, cancelId = 1202;
    static constexpr int numMenuCategories = 26;

    TextInputCont();
    ~TextInputCont() override;

    /** Asks a question. A button whose caption is empty stays hidden; category -1 hides the
        category box. */
    void open (const juce::String& prompt, const juce::String& text, const juce::String& cancelCaption,
               const juce::String& okCaption, const juce::String& noCaption, int category,
               int requestCode, int requestValue);

    juce::String getText() const { return field.getText(); }
    juce::TextEditor& getField() noexcept { return field; }
    juce::String getPrompt() const { return prompt.getText(); }
    int getCategory() const noexcept { return category; }
    const juce::String& getCategoryText() const noexcept { return categoryText; }
    bool isCategoryShown() const noexcept { return categoryShown; }
    juce::Rectangle<int> getCategoryBounds() const noexcept { return categoryBox; }
    int getRequestCode() const noexcept { return requestCode; }
    int getRequestValue() const noexcept { return requestValue; }

    LibBut& getOkButton() noexcept     { return ok; }
    LibBut& getNoButton() noexcept     { return no; }
    LibBut& getCancelButton() noexcept { return cancel; }

    void addListener (textmsgListener* listener)    { listeners.add (listener); }
    void removeListener (textmsgListener* listener) { listeners.remove (listener); }

    /** When set, picks the category menu's item instead of the user (0: dismissed). */
    MenuChoice::Chooser chooseFromMenu;

    void resized() override;
    void paint (juce::Graphics&) override;
    void mouseDown (const juce::MouseEvent&) override;

    void libButClicked (LibBut* button, int id) override;
    void libButEntered (LibBut*, int) override {}
    void libButLeft (LibBut*, int) override {}

private:
    void setCategory (int value);

    OwnListeners<textmsgListener> listeners;
    juce::TextEditor field;
    juce::Rectangle<int> categoryBox;
    bool categoryShown = false;
    juce::String categoryText;
    int category = -1;
    int requestCode = 0, requestValue = 0;
    LibBut ok { "OK", okId, 12.0f }, cancel { "CANCEL", cancelId, 12.0f }, no { "NO", noId, 12.0f };
    juce::Label prompt;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TextInputCont)
};
