#include "setup/setup_view.h"

#include <cstdint>
#include <utility>
#include <vector>

#include "setup/main_frame.h"

namespace {

constexpr const char* kTitle = "Ondrel v1.3 Setup";
constexpr const char* kSecondLine = "by Kestrune Software";
constexpr int kPaletteSize = 64;
constexpr std::uint32_t kWhite = 0xFFFFFF;
// The title's place, and the second line's distances from the right and bottom edges.
constexpr fw::Point kTitlePlace{20, 40};
constexpr int kSecondLineRight = 50;
constexpr int kSecondLineBottom = 40;

// Entry i is (2i, 2i, 4i): black to (126, 126, 252).
std::vector<fw::PaletteEntry> bluePalette() {
    std::vector<fw::PaletteEntry> entries;
    for (int i = 0; i < kPaletteSize; ++i) {
        const auto level = static_cast<std::uint8_t>(2 * i);
        entries.push_back({level, level, static_cast<std::uint8_t>(4 * i), 0});
    }
    return entries;
}

void copyScreen(fw::DrawContext& to, const fw::DrawContext& from) {
    to.bitBlt(0, 0, fw::screenWidth(), fw::screenHeight(), from, 0, 0);
}

}  // namespace

CSetupView::CSetupView(CMainFrame& banner, std::function<void()> runWizard)
    : m_banner(banner), m_fnRunWizard(std::move(runWizard)) {
    m_font.create({"Arial", 40, 0, 700, true});
}

bool CSetupView::onCreate() {
    m_palette.create(bluePalette());
    setTimer(TIMER_BACKGROUND, 1);
    return true;
}

void CSetupView::onTimer(unsigned id) {
    switch (id) {
        case TIMER_BACKGROUND:
            BuildBackground();
            killTimer(TIMER_BACKGROUND);
            setTimer(TIMER_TITLE, 50);
            break;
        case TIMER_TITLE:
            SlideTitle();
            break;
        case TIMER_SECOND_LINE:
            SlideSecondLine();
            break;
        case TIMER_PAUSE:
            // A tick while the About box is up does nothing: the next one tries again.
            if (!m_banner.DialogUp()) {
                killTimer(TIMER_PAUSE);
                m_banner.ShowInFront(m_fnRunWizard);
            }
            break;
        default:
            break;
    }
}

// 64 horizontal bands, one per palette entry, black at the top.
void CSetupView::BuildBackground() {
    fw::DrawContext client = fw::DrawContext::forClient(*this);
    client.usePalette(m_palette);
    m_bmpBackground.createCompatible(client, fw::screenWidth(), fw::screenHeight());
    m_bmpFrame.createCompatible(client, fw::screenWidth(), fw::screenHeight());
    fw::DrawContext background = MemoryContext(client, m_bmpBackground);
    const fw::Rect area = clientRect();
    const int band = area.height() / kPaletteSize + 1;
    for (int i = 0; i < kPaletteSize; ++i) {
        background.fillRectWithPaletteIndex({0, i * band, area.width(), i * band + band}, i);
    }
}

// From the left, 15 pixels a tick, until the title has come within reach of its place.
void CSetupView::SlideTitle() {
    ComposeFrame([this](fw::DrawContext& frame) {
        UseTextStyle(frame);
        frame.textOut(m_xText, kTitlePlace.y, kTitle);
    });
    m_xText += 15;
    if (m_xText >= kTitlePlace.x && m_xText < 500) {
        m_xText = fw::screenWidth() + 50;
        killTimer(TIMER_TITLE);
        setTimer(TIMER_SECOND_LINE, 50);
    }
}

// From beyond the right edge, 14 pixels a tick, until the next step would reach its place.
void CSetupView::SlideSecondLine() {
    fw::Size secondLine;
    ComposeFrame([this, &secondLine](fw::DrawContext& frame) {
        secondLine = UseTextStyle(frame);
        DrawLines(frame, m_xText, secondLine);
    });
    m_xText -= 14;
    if (m_xText <= clientRect().width() - secondLine.width - kSecondLineRight) {
        killTimer(TIMER_SECOND_LINE);
        setTimer(TIMER_PAUSE, 500);
        m_bTitlesPlaced = 1;
    }
}

// Until the gradient exists there is nothing to paint; the lines appear once they are placed.
bool CSetupView::onPaint(fw::DrawContext& dc) {
    dc.usePalette(m_palette);
    if (m_bmpBackground.valid()) {
        copyScreen(dc, MemoryContext(dc, m_bmpBackground));
    }
    if (m_bTitlesPlaced) {
        const fw::Size secondLine = UseTextStyle(dc);
        DrawLines(dc, clientRect().width() - secondLine.width - kSecondLineRight, secondLine);
    }
    frame()->setText(kTitle);
    return true;
}

fw::DrawContext CSetupView::MemoryContext(const fw::DrawContext& like,
                                          const fw::Bitmap& bitmap) const {
    fw::DrawContext memory = fw::DrawContext::compatibleWith(like);
    memory.selectBitmap(bitmap);
    memory.usePalette(m_palette);
    return memory;
}

void CSetupView::ComposeFrame(const std::function<void(fw::DrawContext&)>& draw) {
    fw::DrawContext client = fw::DrawContext::forClient(*this);
    client.usePalette(m_palette);
    fw::DrawContext frame = MemoryContext(client, m_bmpFrame);
    copyScreen(frame, MemoryContext(client, m_bmpBackground));
    draw(frame);
    copyScreen(client, frame);
}

fw::Size CSetupView::UseTextStyle(fw::DrawContext& dc) const {
    dc.selectFont(m_font);
    dc.setTransparentBackground();
    dc.setTextColor(kWhite);
    return dc.textExtent(kSecondLine);
}

void CSetupView::DrawLines(fw::DrawContext& dc, int xSecondLine, fw::Size secondLine) const {
    dc.textOut(kTitlePlace.x, kTitlePlace.y, kTitle);
    dc.textOut(xSecondLine, clientRect().height() - secondLine.height - kSecondLineBottom,
               kSecondLine);
}
