// The banner: a dark-to-light blue gradient over the whole screen, onto which the title slides in
// from the left and then the maker's line from the right; half a second after both stand still
// it starts the wizard. Each frame of the animation is composed off-screen and copied to the
// window in one block, so nothing flickers.
#pragma once

#include <functional>

#include "framework/frame.h"
#include "framework/gdi.h"

using BOOL = int;

// The banner's timers; one runs at a time, in this order.
constexpr unsigned TIMER_BACKGROUND = 1;   // builds the gradient, once
constexpr unsigned TIMER_TITLE = 2;        // slides the title in
constexpr unsigned TIMER_SECOND_LINE = 3;  // slides the maker's line in
constexpr unsigned TIMER_PAUSE = 4;        // then starts the wizard, once

class CMainFrame;

class CSetupView : public fw::View {
  public:
    // runWizard is what the banner starts in front of its frame when its animation has ended.
    CSetupView(CMainFrame& banner, std::function<void()> runWizard);

    // 64 entries from black to light blue.
    fw::Palette m_palette;
    fw::Font m_font;
    // Set once both lines stand in their places; only then does painting draw them.
    BOOL m_bTitlesPlaced = 0;
    // The x position of the line that is moving.
    int m_xText = -350;
    // Screen-sized: the gradient, built once, and the frame being composed.
    fw::Bitmap m_bmpBackground;
    fw::Bitmap m_bmpFrame;

  protected:
    bool onCreate() override;
    void onTimer(unsigned id) override;
    bool onPaint(fw::DrawContext& dc) override;

  private:
    void BuildBackground();
    void SlideTitle();
    void SlideSecondLine();
    // The palette realized in a memory context drawing on this bitmap.
    fw::DrawContext MemoryContext(const fw::DrawContext& like, const fw::Bitmap& bitmap) const;
    // Composes a frame: the gradient, then what draw adds, copied to the window in one block.
    void ComposeFrame(const std::function<void(fw::DrawContext&)>& draw);
    // Selects the banner's font, white, on a transparent background; returns the size of the
    // maker's line in it.
    fw::Size UseTextStyle(fw::DrawContext& dc) const;
    // The title in its place, and the maker's line of this size at x on the bottom.
    void DrawLines(fw::DrawContext& dc, int xSecondLine, fw::Size secondLine) const;

    CMainFrame& m_banner;
    std::function<void()> m_fnRunWizard;
};
