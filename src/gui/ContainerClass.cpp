#include "gui/ContainerClass.h"
#include "gui/Artwork.h"
#include "midi/MidiCntrState.h"
#include "model/ValueFormat.h"
#include "plugin/MorvexAudioProcessor.h"

namespace
{
const juce::Colour textColour (0xffe8e8e8), dimColour (0xff9a9a9a), faintColour (0xff6c737a), accentColour (0xff457089),
    lightAccentColour (0xff8cc4ea), containsColour (0xffe2b458), fieldColour (0xff121519);

constexpr float rowFontHeight = 18.0f;
/** Between the fields and the rows above and below them. */
constexpr int rowGap = 6;
/** Where a name starts within the search field, so the rows line up with its text. */
constexpr int textIndent = 5;

/** The character a key stands for, its case from Shift; 0 for a key that is no character. */
juce::juce_wchar typedCharacter (const juce::KeyPress& key)
{
    const auto code = key.getKeyCode();
    if (code < ' ' || code > '~')
        return 0;

    const auto c = (juce::juce_wchar) code;
    if (! juce::CharacterFunctions::isLetter (c))
        return c;
    return key.getModifiers().isShiftDown() ? juce::CharacterFunctions::toUpperCase (c)
                                            : juce::CharacterFunctions::toLowerCase (c);
}

void styleField (juce::TextEditor& field, juce::Justification justification)
{
    // The panel keeps the keys and the clicks: a field only shows.
    field.setReadOnly (true);
    field.setCaretVisible (false);
    field.setWantsKeyboardFocus (false);
    field.setInterceptsMouseClicks (false, false);
    field.setMultiLine (false);
    field.setJustification (justification);
    field.setFont (Artwork::arial (24.0f));
    field.setColour (juce::TextEditor::backgroundColourId, fieldColour);
    field.setColour (juce::TextEditor::textColourId, textColour);
    field.setColour (juce::TextEditor::outlineColourId, accentColour);
    field.setColour (juce::TextEditor::focusedOutlineColourId, lightAccentColour);
    field.setColour (juce::TextEditor::highlightColourId, accentColour.withAlpha (0.5f));
}
}

ContainerClass::ContainerClass (MorvexAudioProcessor& processor)
    : engine (processor.getEngine()),
      finder (ProgramFinder::fromGroups ([this] (int g) -> const Bank_Program& { return engine.getInstrumentBank (g); },
                                         MidiCntrState::numInstrumentBanks))
{
    setOpaque (false);
    setWantsKeyboardFocus (true);

    styleField (numberField, juce::Justification::centred);
    numberField.setInputRestrictions (3, "0123456789");
    styleField (searchField, juce::Justification::centredLeft);
    searchField.setIndents (textIndent - 1, 0);
    searchField.setTextToShowWhenEmpty ("Alt + the name's first letters", faintColour);
    addAndMakeVisible (numberField);
    addAndMakeVisible (searchField);
}

ContainerClass::~ContainerClass()
{
    // notes its keys switched on would never hear their keys go up
    engine.releaseKeyNotes();
}

juce::Rectangle<int> ContainerClass::numberBounds() const noexcept
{
    return { (getWidth() - searchWidth) / 2, (getHeight() - fieldHeight) / 2, numberWidth, fieldHeight };
}

juce::Rectangle<int> ContainerClass::searchBounds() const noexcept
{
    return numberBounds().withWidth (searchWidth).translated (searchOffset, 0);
}

void ContainerClass::resized()
{
    numberField.setBounds (numberBounds());
    searchField.setBounds (searchBounds());
}

void ContainerClass::visibilityChanged()     { takeFocus(); }
void ContainerClass::parentHierarchyChanged() { takeFocus(); }

void ContainerClass::takeFocus()
{
    if (isShowing() && ! hasKeyboardFocus (true))
        grabKeyboardFocus();
}

void ContainerClass::selectProgram()
{
    if (const auto n = finder.selectedNumber(); n >= 0)
        engine.selectProgram (n, true, true);
}

void ContainerClass::refresh()
{
    numberField.setText (finder.getNumberText(), false);
    searchField.setText (finder.getFieldText(), false);
    repaint();
}

bool ContainerClass::keyPressed (const juce::KeyPress& key)
{
    const auto mods = key.getModifiers();
    const auto code = key.getKeyCode();

    // With computer-key play on, Shift plays notes here as it does over the editor.
    if (mods.isShiftDown() && engine.getSettings().getByte (SettingsBlock::keyPlayOffset) == 1)
        return code >= 0 && code <= 255 && engine.keyPlay (juce::CharacterFunctions::toUpperCase ((juce::juce_wchar) code) + 32);

    if (mods.isAltDown())
    {
        if (const auto c = typedCharacter (key); c != 0)
        {
            finder.type (c);
            refresh();
            return true;
        }
    }

    if (code == juce::KeyPress::backspaceKey || code == juce::KeyPress::deleteKey)
    {
        finder.erase();
        refresh();
        return true;
    }

    if (code == juce::KeyPress::upKey || code == juce::KeyPress::downKey)
    {
        if (finder.move (code == juce::KeyPress::upKey ? -1 : 1))
            refresh();
        return true;
    }

    if (code == juce::KeyPress::rightKey || code == juce::KeyPress::returnKey)
    {
        selectProgram();
        if (code == juce::KeyPress::returnKey)
            sendChangeMessage();
        return true;
    }

    if (code == juce::KeyPress::escapeKey)
    {
        sendChangeMessage();
        return true;
    }

    return code == juce::KeyPress::tabKey || code == juce::KeyPress::leftKey;
}

bool ContainerClass::keyStateChanged (bool)
{
    engine.keyRelease ([] (int letterIndex)
    {
        const auto letter = (juce::juce_wchar) MidiCntrState::noteLetters[letterIndex];
        return juce::KeyPress::isKeyCurrentlyDown ((int) letter)
            || juce::KeyPress::isKeyCurrentlyDown ((int) juce::CharacterFunctions::toUpperCase (letter));
    });
    return false;
}

void ContainerClass::mouseDown (const juce::MouseEvent&)
{
    sendChangeMessage();
}

//==============================================================================
// Painting

void ContainerClass::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colour (backgroundColour));

    paintHelp (g);
    paintRows (g);

    const auto number = numberBounds();
    g.setColour (juce::Colour (0xffc4c4c4));
    g.setFont (Artwork::arial (18.0f));
    g.drawText ("Find Program by name: ", number.getX() - 300, number.getY() + 1, 300, 30,
                juce::Justification::centredRight, false);

    const auto& matches = finder.getMatches();
    if (matches.empty())
        return;

    const auto right = number.getX() - 10;
    g.setColour (faintColour);
    g.setFont (Artwork::arial (13.0f));
    g.drawText (juce::String (finder.getSelection() + 1) + " of " + juce::String ((int) matches.size()),
                right - 200, number.getBottom() + rowGap, 200, 18, juce::Justification::centredRight, false);

    if (finder.isSubstringResult())
    {
        // no name begins with the text: say that these only contain it
        const auto font = Artwork::arial (12.0f, true);
        const juce::String label ("contains");
        const auto width = juce::roundToInt (font.getStringWidthFloat (label)) + 14;
        const auto pill = juce::Rectangle<int> (right - width, number.getY() - 22, width, 18).toFloat();
        g.setColour (containsColour.withAlpha (0.2f));
        g.fillRoundedRectangle (pill, 9.0f);
        g.setColour (containsColour);
        g.drawRoundedRectangle (pill.reduced (0.5f), 9.0f, 1.0f);
        g.setFont (font);
        g.drawText (label, pill, juce::Justification::centred, false);
    }
}

void ContainerClass::paintHelp (juce::Graphics& g) const
{
    const auto box = juce::Rectangle<float> (10.0f, 12.0f, 300.0f, 114.0f);
    g.setColour (juce::Colours::white.withAlpha (0.05f));
    g.fillRoundedRectangle (box, 6.0f);
    g.setColour (juce::Colours::white.withAlpha (0.12f));
    g.drawRoundedRectangle (box.reduced (0.5f), 6.0f, 1.0f);

    const auto font = Artwork::arial (14.0f), bold = Artwork::arial (14.0f, true);
    const juce::String lead ("To search: Use "), key ("Alt");

    // the key to hold stands out of the first line
    g.setFont (font);
    g.setColour (dimColour);
    g.drawText (lead, 20, 20, 300, 20, juce::Justification::centredLeft, false);
    const auto keyX = 20 + juce::roundToInt (font.getStringWidthFloat (lead));
    g.setFont (bold);
    g.setColour (lightAccentColour);
    g.drawText (key, keyX, 20, 300, 20, juce::Justification::centredLeft, false);
    g.setFont (font);
    g.setColour (dimColour);
    g.drawText (" + letter keys.", keyX + juce::roundToInt (bold.getStringWidthFloat (key)), 20, 300, 20,
                juce::Justification::centredLeft, false);

    const char* const lines[] = { "To navigate: Use Arrow-up and Arrow-down key.", "Select programs: > Arrow-right key.",
                                  "Close: Esc key.", "Select and close: Enter key." };
    for (int i = 0; i < 4; ++i)
        g.drawText (lines[i], 20, 40 + 20 * i, 300, 20, juce::Justification::centredLeft, false);
}

void ContainerClass::paintRows (juce::Graphics& g) const
{
    const auto& matches = finder.getMatches();
    const auto number = numberBounds(), search = searchBounds();
    const auto nameX = search.getX() + textIndent;
    const auto font = Artwork::arial (rowFontHeight);
    const auto rowHeight = juce::roundToInt (font.getHeight()) + 2;
    const auto selection = finder.getSelection();

    // the rows that fit, centred on the selection, which lies under the fields
    struct Row { int index, y; };
    std::vector<Row> rows;
    auto top = search.getY() - 4, bottom = search.getBottom() + 4;
    for (int i = 0; i < (int) matches.size(); ++i)
    {
        const auto k = i - selection;
        const auto y = k > 0 ? search.getBottom() + rowGap + (k - 1) * rowHeight
                             : search.getY() - rowGap + k * rowHeight;
        if (k == 0 || y < rowMargin || y + rowHeight > getHeight() - rowMargin)
            continue;
        rows.push_back ({ i, y });
        top = juce::jmin (top, y);
        bottom = juce::jmax (bottom, y + rowHeight);
    }

    // a darker sheet under the fields and the list keeps them readable over the busy panel
    const auto left = number.getX() - 14, right = nameX + categoryOffset + 130;
    const auto sheet = juce::Rectangle<int> (left, top - 8, right - left, bottom - top + 16).toFloat();
    const juce::Colour sheetColour (0xd80b0d10);
    g.setColour (sheetColour);
    g.fillRoundedRectangle (sheet, 8.0f);

    // and fades out to the left behind the caption, which belongs to the selected row
    const auto plate = juce::Rectangle<int> (left - 300, search.getY() - 30, 300 + 8, fieldHeight + 60).toFloat()
                           .getIntersection (sheet.withX (0.0f).withWidth ((float) getWidth()));
    g.setGradientFill (juce::ColourGradient::horizontal (sheetColour.withAlpha (0.0f), plate.getX(),
                                                         sheetColour, plate.getRight() - 40.0f));
    g.fillRect (plate);

    if (matches.empty())
        return;

    const auto band = juce::Rectangle<int> (number.getX() - 6, search.getY() - 4, right - left - 16, fieldHeight + 8).toFloat();
    g.setColour (accentColour.withAlpha (0.3f));
    g.fillRoundedRectangle (band, 5.0f);
    g.setColour (accentColour.withAlpha (0.8f));
    g.drawRoundedRectangle (band.reduced (0.5f), 5.0f, 1.0f);

    // the selected program's category, beside the field that shows its name
    g.setFont (Artwork::arial (14.0f, true));
    g.setColour (lightAccentColour);
    g.drawText (ValueFormat::categoryName (matches[(size_t) selection].category), search.getRight() + 10, search.getY(),
                (int) band.getRight() - search.getRight() - 14, fieldHeight, juce::Justification::centredLeft, true);

    for (const auto& row : rows)
    {
        // rows fade with their distance from the selection
        const auto alpha = juce::jmax (0.4f, 1.0f - 0.06f * (float) (std::abs (row.index - selection) - 1));
        const auto& e = matches[(size_t) row.index];

        g.setFont (font);
        g.setColour (faintColour.brighter (0.3f).withMultipliedAlpha (alpha));
        g.drawText (e.numberText(), nameX + numberOffset, row.y, 50, rowHeight, juce::Justification::centredLeft, false);
        paintName (g, e, { nameX, row.y, categoryOffset - 10, rowHeight }, alpha);
        g.setFont (Artwork::arial (14.0f));
        g.setColour (dimColour.withMultipliedAlpha (alpha * 0.85f));
        g.drawText (ValueFormat::categoryName (e.category), nameX + categoryOffset, row.y, 120, rowHeight,
                    juce::Justification::centredLeft, true);
    }
}

void ContainerClass::paintName (juce::Graphics& g, const ProgramFinder::Entry& e, juce::Rectangle<int> area, float alpha) const
{
    // The part the typed text found is lit: the beginning, or wherever inside the name it stands.
    const auto name = e.name();
    const auto& typed = finder.getSearchText();
    const auto substring = finder.isSubstringResult();
    const auto at = substring ? name.indexOfIgnoreCase (typed) : 0;
    const auto length = juce::jlimit (0, name.length() - juce::jmax (0, at), typed.length());

    juce::AttributedString s;
    const auto font = Artwork::arial (rowFontHeight);
    const auto rest = (substring ? dimColour : textColour).withMultipliedAlpha (alpha);
    const auto lit = (substring ? containsColour : lightAccentColour).withMultipliedAlpha (alpha);
    s.append (name.substring (0, at), font, rest);
    s.append (name.substring (at, at + length), Artwork::arial (rowFontHeight, true), lit);
    s.append (name.substring (at + length), font, rest);
    s.setJustification (juce::Justification::centredLeft);
    s.setWordWrap (juce::AttributedString::none);
    s.draw (g, area.toFloat());
}
