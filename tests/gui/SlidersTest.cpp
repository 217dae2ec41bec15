#include "MouseEvents.h"
#include "gui/CorButton.h"
#include "gui/HorScrollClass.h"
#include "gui/RateSlider.h"
#include "gui/VerScrollClass.h"
#include "support/MessagePump.h"

#include <gtest/gtest.h>

namespace
{
/** What a widget reported: read from the widget when its change message arrives. */
template <typename Widget, typename Read>
struct Reports : juce::ChangeListener
{
    Reports (Widget& w, Read r) : widget (w), read (r) { widget.addChangeListener (this); }
    ~Reports() override { widget.removeChangeListener (this); }
    void changeListenerCallback (juce::ChangeBroadcaster*) override { seen.push_back (read (widget)); }

    Widget& widget;
    Read read;
    std::vector<decltype (std::declval<Read>() (std::declval<Widget&>()))> seen;
};

template <typename Widget, typename Read>
Reports<Widget, Read> reportsOf (Widget& widget, Read read)
{
    return { widget, read };
}

using Values = std::vector<int>;
}

TEST (RateSlider, HeldOnAnArrowAtTheEndOfTheRangeItStaysThereAndReportsNothing)
{
    RateSlider slider;
    auto reports = reportsOf (slider, [] (RateSlider& s) { return s.getValue(); });

    const struct { int start; float x; } ends[] = { { 1000, 190 }, { 1000, 183 }, { 0, 5 }, { 0, 17 } };
    for (const auto& end : ends)
    {
        slider.setValue (end.start);
        slider.mouseDown (MouseEvents::at (slider, end.x, 9));
        for (int i = 0; i < 3; ++i)
            slider.timerCallback();
        EXPECT_EQ (slider.getValue(), end.start) << end.x;
        slider.mouseUp (MouseEvents::at (slider, end.x, 9));
        EXPECT_FALSE (slider.isTimerRunning());
    }
    EXPECT_TRUE (reports.seen.empty());
}

TEST (RateSlider, AnArrowStepsAtOnceAndThenEvery100MillisecondsUntilReleased)
{
    RateSlider slider;
    slider.setValue (10);
    auto reports = reportsOf (slider, [] (RateSlider& s) { return s.getValue(); });

    slider.mouseDown (MouseEvents::at (slider, 5, 9));
    EXPECT_EQ (slider.getStepping(), -1);
    EXPECT_EQ (slider.getTimerInterval(), 100);
    slider.timerCallback();
    slider.timerCallback();
    slider.mouseUp (MouseEvents::at (slider, 5, 9));
    EXPECT_EQ (reports.seen, (Values { 9, 8, 7 }));
    EXPECT_EQ (slider.getStepping(), 0);

    // With the real timer: it goes on while held, and stops with the release.
    slider.mouseDown (MouseEvents::at (slider, 195, 9));
    EXPECT_TRUE (pumpUntil ([&] { return slider.getValue() >= 11; }, 2000));
    slider.mouseUp (MouseEvents::at (slider, 195, 9));
    const auto released = slider.getValue();
    EXPECT_FALSE (slider.isTimerRunning());
    pumpPending();
    EXPECT_EQ (slider.getValue(), released);
}

TEST (RateSlider, ThePointerBetweenTheArrowsSetsTheValueAlongTheBar)
{
    RateSlider slider;
    auto reports = reportsOf (slider, [] (RateSlider& s) { return s.getValue(); });

    // 164 pixels for the range: 0.164 pixels per millisecond at 1000, 0.82 at 200.
    const struct { int maximum; float downX, dragX; int atDown, atDrag; } cases[] = {
        { 1000, 18, 100, 0, 500 },
        { 1000, 182, 60, 1000, 256 },
        { 1000, 100, 400, 500, 1000 },
        { 200, 100, -50, 100, 0 },
        { 200, 141, 182, 150, 200 },
    };
    for (const auto& c : cases)
    {
        slider.setMaximum (c.maximum);
        slider.mouseDown (MouseEvents::at (slider, c.downX, 9));
        EXPECT_EQ (slider.getValue(), c.atDown) << c.maximum << " at " << c.downX;
        slider.mouseDrag (MouseEvents::drag (slider, c.downX, 9, c.dragX, 9));
        EXPECT_EQ (slider.getValue(), c.atDrag) << c.maximum << " dragged to " << c.dragX;
        slider.mouseUp (MouseEvents::at (slider, c.dragX, 9));
        EXPECT_FALSE (slider.isTimerRunning());
    }
    EXPECT_EQ (reports.seen, (Values { 500, 1000, 256, 500, 1000, 100, 0, 150, 200 })) << "only changes are reported";

    slider.setValue (5000);
    EXPECT_EQ (slider.getValue(), 200);
}

TEST (HorScrollClass, TheTrackJumpsTheThumbUnderThePointerAndDraggingMapsXOntoTheRange)
{
    HorScrollClass bar;
    bar.setSize (300, HorScrollClass::thickness);
    bar.setMaximum (100);
    auto reports = reportsOf (bar, [] (HorScrollClass& b) { return b.getPosition(); });

    // The thumb's centre travels 212 pixels, from x 44 to x 256.
    bar.mouseDown (MouseEvents::at (bar, 150, 7));
    EXPECT_EQ (bar.getPosition(), 50);
    EXPECT_EQ (bar.getThumbBounds().getCentreX(), 150);

    const struct { float x; int position; } drags[] = {
        { 44, 0 }, { 47, 1 }, { 256, 100 }, { 255, 99 }, { 400, 100 }, { -50, 0 },
    };
    for (const auto& d : drags)
    {
        bar.mouseDrag (MouseEvents::drag (bar, 150, 7, d.x, 7));
        EXPECT_EQ (bar.getPosition(), d.position) << d.x;
    }
    bar.mouseUp (MouseEvents::at (bar, -50, 7));
    EXPECT_EQ (reports.seen, (Values { 50, 0, 1, 100, 99, 100, 0 }));

    // A drag that did not start on the track moves nothing.
    bar.mouseDrag (MouseEvents::drag (bar, 150, 7, 200, 7));
    EXPECT_EQ (bar.getPosition(), 0);
}

TEST (VerScrollClass, TrackClicksStepAPageAndTheThumbDragsWithTheSameMappingOnY)
{
    VerScrollClass bar;
    bar.setSize (VerScrollClass::thickness, 300);
    bar.setMaximum (100);
    bar.setPageStep (10);
    bar.setPosition (50);
    ASSERT_EQ (bar.getThumbBounds().getY(), 120);
    auto reports = reportsOf (bar, [] (VerScrollClass& b) { return b.getPosition(); });

    bar.mouseDown (MouseEvents::at (bar, 7, 50));   // above the thumb
    bar.mouseUp (MouseEvents::at (bar, 7, 50));
    bar.mouseDown (MouseEvents::at (bar, 7, 250));  // below it
    bar.mouseUp (MouseEvents::at (bar, 7, 250));
    bar.mouseDown (MouseEvents::at (bar, 7, 5));    // the top arrow
    bar.mouseUp (MouseEvents::at (bar, 7, 5));
    EXPECT_EQ (reports.seen, (Values { 40, 50, 49 }));

    reports.seen.clear();
    const auto thumbY = (float) bar.getThumbBounds().getCentreY();
    bar.mouseDown (MouseEvents::at (bar, 7, thumbY));
    for (const auto y : { 44.0f, 150.0f, 256.0f, 1000.0f, -20.0f })
        bar.mouseDrag (MouseEvents::drag (bar, 7, thumbY, 7, y));
    bar.mouseUp (MouseEvents::at (bar, 7, -20));
    EXPECT_EQ (reports.seen, (Values { 0, 50, 100, 0 }));

    // Page steps stop at the ends of the range.
    bar.setPosition (95);
    bar.mouseDown (MouseEvents::at (bar, 7, 280));
    EXPECT_EQ (bar.getPosition(), 100);
    bar.setPosition (5);
    bar.mouseDown (MouseEvents::at (bar, 7, 18));
    EXPECT_EQ (bar.getPosition(), 0);
}

namespace
{
struct HandleReport
{
    int state, height;
    bool operator== (const HandleReport& o) const { return state == o.state && height == o.height; }
};

std::ostream& operator<< (std::ostream& os, const HandleReport& r)
{
    return os << r.state << "/" << r.height;
}

using HandleReports = std::vector<HandleReport>;
}

TEST (CorButton, TheGripReportsPressDragAndReleaseWithTheHeightAskedFor)
{
    CorButton handle;
    handle.setPanelHeight (344);
    auto reports = reportsOf (handle, [] (CorButton& h) { return HandleReport { h.getState(), h.getNewHeight() }; });

    // A press on the percentage asks for the zoom menu once; dragging from there changes nothing.
    handle.mouseDown (MouseEvents::at (handle, 38, 7));
    handle.mouseDrag (MouseEvents::drag (handle, 38, 7, 38, 40));
    handle.mouseUp (MouseEvents::at (handle, 38, 40));
    EXPECT_EQ (reports.seen, (HandleReports { { CorButton::percentClicked, 0 } }));
    EXPECT_EQ (handle.getState(), CorButton::released);
    reports.seen.clear();

    handle.mouseDown (MouseEvents::at (handle, 45, 7));
    handle.mouseDrag (MouseEvents::drag (handle, 45, 7, 45, 7));
    handle.mouseDrag (MouseEvents::drag (handle, 45, 7, 46, -20));
    handle.mouseDrag (MouseEvents::drag (handle, 45, 7, 30, -20)); // sideways only
    handle.mouseDrag (MouseEvents::drag (handle, 45, 7, 45, 30));
    handle.mouseUp (MouseEvents::at (handle, 45, 30));
    EXPECT_EQ (reports.seen, (HandleReports { { 320, 344 }, { 321, 317 }, { 321, 367 }, { 322, 367 } }));

    handle.mouseMove (MouseEvents::at (handle, 39, 7));
    EXPECT_EQ (handle.getMouseCursor(), juce::MouseCursor (juce::MouseCursor::UpDownResizeCursor));
    handle.mouseMove (MouseEvents::at (handle, 38, 7));
    EXPECT_EQ (handle.getMouseCursor(), juce::MouseCursor (juce::MouseCursor::PointingHandCursor));
}

TEST (CorButton, TheHeightFollowsThePointerWhileTheOwnerMovesTheHandleWithThePanel)
{
    // As the editor panel does: every reported height re-lays the panel out, the handle moves to
    // its new bottom edge and is told the new panel height.
    juce::Component panel;
    panel.setSize (600, 600);
    CorButton handle;
    panel.addAndMakeVisible (handle);
    handle.setTopLeftPosition (548, 330);
    handle.setPanelHeight (344);

    struct Owner : juce::ChangeListener
    {
        explicit Owner (CorButton& h) : handle (h) {}
        void changeListenerCallback (juce::ChangeBroadcaster*) override
        {
            handle.setPanelHeight (handle.getNewHeight());
            handle.setTopLeftPosition (548, handle.getNewHeight() - 14);
            heights.push_back (handle.getNewHeight());
        }
        CorButton& handle;
        Values heights;
    } owner (handle);
    handle.addChangeListener (&owner);

    // The pointer goes 10 and then 25 pixels down the screen from the press at screen y 337.
    handle.mouseDown (MouseEvents::at (handle, 45, 7));
    for (const auto screenY : { 347, 362 })
        handle.mouseDrag (MouseEvents::drag (handle, 45, 7, 45, (float) (screenY - handle.getY())));
    handle.mouseUp (MouseEvents::at (handle, 45, (float) (362 - handle.getY())));
    EXPECT_EQ (owner.heights, (Values { 344, 354, 369, 369 }));
    handle.removeChangeListener (&owner);
}
