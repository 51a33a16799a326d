// The single-document frame, its view, and drawing off-screen.
#include "framework/frame.h"

#include <gtest/gtest.h>

#include "framework/gdi.h"
#include "framework/test_driver.h"

namespace {

using fw::test::Driver;

// Composes a frame in a memory bitmap and copies it to the window in one block.
class BannerView : public fw::View {
  protected:
    bool onCreate() override {
        std::vector<fw::PaletteEntry> entries;
        for (int i = 0; i < 64; ++i) {
            auto level = static_cast<std::uint8_t>(2 * i);
            entries.push_back({level, level, static_cast<std::uint8_t>(4 * i), 0});
        }
        if (!palette_.create(entries) || !font_.create({"Arial", 40, 0, 700, true})) {
            return false;
        }
        setTimer(1, 1);
        return true;
    }
    void onTimer(unsigned id) override {
        killTimer(id);
        fw::DrawContext client = fw::DrawContext::forClient(*this);
        client.selectPalette(palette_);
        client.realizePalette();
        fw::DrawContext memory = fw::DrawContext::compatibleWith(client);
        bitmap_.createCompatible(client, 64, 64);
        memory.selectBitmap(bitmap_);
        memory.fillRectWithPaletteIndex({0, 0, 64, 32}, 0);
        memory.fillRectWithPaletteIndex({0, 32, 64, 64}, 63);
        memory.selectFont(font_);
        memory.setTransparentBackground();
        memory.setTextColor(0xFFFFFF);
        memory.textOut(-350, 40, "Ondrel v1.3 Setup");
        client.bitBlt(0, 0, 64, 64, memory, 0, 0);
        extent = memory.textExtent("by Kestrune Software");
    }

  public:
    fw::Point extent;

  private:
    fw::Palette palette_;
    fw::Font font_;
    fw::Bitmap bitmap_;
};

TEST(Frame, ViewFillsTheFrameAndDrawsFromItsTimer) {
    Driver driver;
    fw::FrameWindow frame;
    ASSERT_TRUE(frame.create("Setup", 0));
    BannerView view;
    ASSERT_TRUE(view.create(frame));
    EXPECT_EQ(frame.text(), "Setup");
    EXPECT_EQ(view.frame(), &frame);
    EXPECT_GT(fw::screenWidth(), 0);
    EXPECT_GT(fw::screenHeight(), 0);

    frame.moveWindow({0, 0, 400, 300}, true);
    fw::Rect client = view.clientRect();
    EXPECT_GT(client.width(), 0);
    EXPECT_LE(client.width(), 400);

    EXPECT_TRUE(driver.timerRunning(view, 1));
    driver.advance(1);
    EXPECT_FALSE(driver.timerRunning(view, 1));
    EXPECT_GT(view.extent.x, 0);
    EXPECT_GT(view.extent.y, 0);
    frame.setText("Ondrel v1.3 Setup");
    EXPECT_EQ(frame.text(), "Ondrel v1.3 Setup");
}

#ifndef _WIN32
// Only the headless backend records what was drawn.
TEST(FrameHeadlessOnly, DrawingIsRecordedInOrder) {
    Driver driver;
    fw::FrameWindow frame;
    ASSERT_TRUE(frame.create("Setup", 0));
    BannerView view;
    ASSERT_TRUE(view.create(frame));
    driver.clearRecords();
    driver.advance(1);
    const auto& calls = driver.drawing();
    ASSERT_FALSE(calls.empty());
    auto position = [&calls](const std::string& part) {
        for (std::size_t i = 0; i < calls.size(); ++i) {
            if (calls[i].find(part) != std::string::npos) {
                return static_cast<int>(i);
            }
        }
        return -1;
    };
    int fill = position("fillRect");
    int text = position("Ondrel v1.3 Setup");
    int blit = position("bitBlt");
    EXPECT_GE(fill, 0);
    EXPECT_LT(fill, text);
    EXPECT_LT(text, blit);
}
#endif

}  // namespace
