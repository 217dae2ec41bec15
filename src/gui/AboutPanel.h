#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The About panel: dims the editor and shows the instrument of the chosen model with the version
    line. It notifies when clicked and, when opened with an auto-close time, when that time is up. */
class AboutPanel : public juce::Component,
                   public juce::ChangeBroadcaster,
                   private juce::Timer
{
public:
    static constexpr int areaWidth = 600, areaHeight = 460;

    /** model 0 is the Prophet-5, any other the Prophet-10; autoCloseMs 0 stays open. */
    AboutPanel (const juce::String& version, int model, int autoCloseMs);

    /** Re-centres the picture's area horizontally, at one third of the free height. */
    void centrePicture();
    juce::Rectangle<int> getPictureArea() const noexcept { return area; }
    juce::String getVersionLine() const;
    /** Shows the picture of another model (0 the Prophet-5, any other the Prophet-10). */
    void setModel (int newModel);
    int getModel() const noexcept { return model; }
    bool isAutoClosing() const noexcept { return isTimerRunning(); }
    void stopAutoClose() { stopTimer(); }

    void paint (juce::Graphics&) override;
    void resized() override;
    void mouseDown (const juce::MouseEvent&) override;

private:
    void timerCallback() override;

    const juce::String version;
    int model = 0;
    juce::Rectangle<int> area;
    juce::Image picture;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (AboutPanel)
};
