// The single-document frame and its view, the same on both backends: the view fills the frame
// wherever it moves, and closing the frame ends the program.
#include "framework/frame.h"

#include <gtest/gtest.h>

#include "framework/gdi.h"
#include "framework/test_driver.h"

namespace {

// The close box; Setup's own tests choose the exit command.
TEST(Frame, TheViewFillsTheFrameWhereverItMovesAndClosingTheFrameEndsTheProgram) {
    fw::test::Driver driver;
    fw::FrameWindow frame;
    ASSERT_TRUE(frame.create("Frame", 0));
    fw::View view;
    ASSERT_TRUE(view.create(frame));
    EXPECT_EQ(frame.text(), "Frame");
    EXPECT_FALSE(frame.isVisible());
    EXPECT_FALSE(view.isVisible());
    frame.show();
    EXPECT_TRUE(view.isVisible());

    const fw::Rect places[] = {
        {0, 0, fw::screenWidth(), fw::screenHeight()},
        {100, 50, 300, 250},
    };
    for (const fw::Rect& place : places) {
        frame.moveWindow(place, true);
        EXPECT_EQ(frame.windowRect(), place);
        const fw::Rect client = frame.clientRect();
        EXPECT_EQ(view.clientRect(), client);
        // Inside the borders, below the caption.
        const fw::Rect inside = view.windowRect();
        EXPECT_EQ(inside.width(), client.width());
        EXPECT_GT(inside.left, place.left);
        EXPECT_GT(inside.top, place.top);
        EXPECT_LT(inside.right, place.right);
        EXPECT_LT(inside.bottom, place.bottom);
    }

    driver.close(frame);
    EXPECT_FALSE(frame.exists() || view.exists());
    ASSERT_EQ(driver.shell().size(), 1u);
    EXPECT_EQ(driver.shell()[0].kind + " " + driver.shell()[0].target, "quit 0");
}

}  // namespace
