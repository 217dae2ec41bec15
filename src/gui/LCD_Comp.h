#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

class MidiCntrState;

/** The LCD-style program display: location, name and category over the LCD artwork, 200 × 48
    times its scale. In finder mode (the edit bar's) a press asks the engine to open the program
    finder; in area mode (the write panel's) a press on the location, name or category notifies
    with that area's code. */
class LCD_Comp : public juce::Component,
                 public juce::ChangeBroadcaster
{
public:
    enum Mode { finderMode, areaMode };
    enum Area { noArea = 0, locationArea = 1, nameArea = 2, categoryArea = 3 };

    LCD_Comp (MidiCntrState& engine, Mode mode);

    void setScale (float newScale);
    float getScale() const noexcept { return scale; }

    /** Everything the display shows, in one call. */
    void setDisplay (int group, int program, int category, const juce::String& name,
                     const juce::String& status1 = {}, const juce::String& status2 = {});

    int getGroup() const noexcept    { return group; }
    int getProgram() const noexcept  { return program; }
    int getCategory() const noexcept { return category; }
    const juce::String& getName() const noexcept { return name; }
    int getClickedArea() const noexcept { return clickedArea; }

    /** The area a press at (x, y) in unscaled units falls in. */
    static int areaAt (float x, float y) noexcept;

    void paint (juce::Graphics&) override;
    void mouseDown (const juce::MouseEvent&) override;

private:
    MidiCntrState& engine;
    const Mode mode;
    float scale = 1.0f;
    int group = 0, program = 0, category = 0, clickedArea = noArea;
    juce::String name, status1, status2;
    juce::Image background;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (LCD_Comp)
};
