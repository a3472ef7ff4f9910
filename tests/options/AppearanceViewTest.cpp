#include "options/AppearanceView.h"
#include "clock/face/ClockSnapshot.h"
#include "clock/window/ClockWindowView.h"
#include "clock/window/SurfaceImage.h"
#include "image/cGDIPlus.h"
#include "options/Form2View.h"
#include "tests/support/Fakes.h"
#include "tests/support/RecordingOptionsParts.h"
#include "tests/support/ViewTesting.h"

#include <QLabel>
#include <QPointer>

#include <algorithm>
#include <array>
#include <cstdlib>

namespace dorvane {
namespace {

using namespace dorvane::testing;

// The options window beside a real clock window, which loads and draws its skins as the clock does.
struct LiveClockParts : RecordingOptionsParts {
    explicit LiveClockParts(ClockState& state) : state(state) { time.Set(At(10, 9, 30)); }
    ~LiveClockParts() override { cGDIPlus::Shutdown(token); }
    void HideClock() override { clock.hide(); }
    void ShowClock() override { clock.show(), clock.raise(); }
    void ChangeSkin() override
    {
        ASSERT_TRUE(SkinLoader(state, surfaces, clock).LoadSkin().ok());
        for (c32bppDIB* surface : surfaces.All())
            surface->SetGdiToken(token);
        Redraw();
    }
    // The clock's next tick.
    void Redraw() { face.Draw(time.now), clock.Present(surfaces.iBack, state.Alpha); }
    // Pixels where the window's picture differs from the snapshot of the same state by more than a
    // rounding step in any byte.
    int DifferingFromSnapshot()
    {
        ClockSnapshot snapshot(state);
        EXPECT_TRUE(snapshot.LoadSkin().ok());
        const QImage expected = SurfaceImage(snapshot.Draw(time.now));
        const QImage& shown = clock.Picture();
        EXPECT_EQ(expected.size(), shown.size());
        int differing = 0;
        for (int y = 0; y < std::min(expected.height(), shown.height()); ++y)
            for (int x = 0; x < std::min(expected.width(), shown.width()); ++x)
                differing += std::ranges::any_of(std::array{0, 8, 16, 24}, [&](int shift) {
                    return std::abs(int(expected.pixel(x, y) >> shift & 255) - int(shown.pixel(x, y) >> shift & 255)) > 1;
                });
        return differing;
    }

    ClockState& state;
    std::uint32_t token = cGDIPlus::Startup();
    RecordingMouseActions actions;
    ClockMouse mouse{actions, state};
    ClockWindowView clock{mouse, time, /*compositing=*/false};
    ClockFace face{state, surfaces};
};

// Xdotool waits for its run, so the window takes each step only in the pause after it.
void Steps(std::initializer_list<std::string> steps)
{
    for (const std::string& step : steps) {
        ASSERT_TRUE(Xdotool(step));
        QTest::qWait(60);
    }
}

// Both windows on screen: the clock with GlassGold at the default opacity, the options beside it.
struct AppearanceViewTest : ::testing::Test {
    void Open(double twipsPerPixel)
    {
        state.Skin = "GlassGold";
        parts.screen.twipsPerPixel = twipsPerPixel;
        parts.ChangeSkin();
        parts.clock.move(40, 40);
        parts.clock.show();
        window = new Form2View(state, parts.Parts());
        window->move(400, 40);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.data()));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&parts.clock));
    }
    void TearDown() override { delete window.data(); }
    ClockState state;
    LiveClockParts parts{state};
    QPointer<Form2View> window;
};

// The knob is dragged with the real mouse; the clock shows the new opacity from its next redraw.
TEST_F(AppearanceViewTest, DraggingTheOpacityKnobFadesTheClockAsTheSnapshotAtThatAlphaAtAnyScale)
{
    DORVANE_REQUIRE_X_DISPLAY();
    // Alpha goes from 179 by a step for every 5 twips dragged; the percentage shows its end at either end of the track.
    const struct { double twipsPerPixel; int pixels; int alpha; const char* percent; } cases[] = {
        {15, -300, 25, "10%"}, {15, 10, 179 + 10 * 15 / 5, "%"}, {7.5, 10, 179 + 10 * 15 / 2 / 5, "%"}, {15, 300, 255, "100%"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pixels);
        state = ClockState{};
        Open(c.twipsPerPixel);
        const QImage before = parts.clock.Picture();
        const QPoint knob = CentreOf(*window->findChild<QWidget*>("ImageOpacity"));
        Steps({"mousemove " + ScreenPoint(knob) + " mousedown 1", "mousemove " + ScreenPoint(knob + QPoint(c.pixels / 2, 0)),
               "mousemove " + ScreenPoint(knob + QPoint(c.pixels, 0)), "mousemove " + ScreenPoint(knob + QPoint(c.pixels, 1))});
        EXPECT_TRUE(WaitUntil([&] { return std::abs(state.Alpha - c.alpha) <= 1; })) << int(state.Alpha);
        auto* percent = window->findChild<QLabel*>("LabelOpP");
        EXPECT_TRUE(WaitUntil([&] { return percent->isVisible() && percent->text().endsWith(c.percent); })) << percent->text().toStdString();
        ASSERT_TRUE(Xdotool("mouseup 1"));
        EXPECT_TRUE(WaitUntil([&] { return !percent->isVisible(); }));
        const int dragged = state.Alpha;
        ASSERT_TRUE(Xdotool("key Left"));
        EXPECT_TRUE(WaitUntil([&] { return state.Alpha == std::max(25, dragged - 13); })) << "the arrow key steps as dragging does";
        parts.Redraw();
        EXPECT_NE(parts.clock.Picture(), before);
        EXPECT_EQ(parts.DifferingFromSnapshot(), 0);
        delete window.data();
    }
}

TEST_F(AppearanceViewTest, TheNextArrowChangesTheSkinOfTheClockOnScreenAndOfThePreview)
{
    DORVANE_REQUIRE_X_DISPLAY();
    Open(15);
    auto* preview = window->findChild<QLabel*>("pClock");
    auto* label = window->findChild<QLabel*>("LabelSkin");
    const QImage clockBefore = GrabScreen(40, 40, parts.clock.width(), parts.clock.height());
    const QImage previewBefore = preview->pixmap().toImage();
    EXPECT_EQ(label->accessibleName(), "18/20");
    ASSERT_TRUE(PointAt(window->findChild<QWidget*>("ImageSkin1"), "click 1"));
    ASSERT_TRUE(WaitUntil([&] { return label->text() == "19/20"; }));
    EXPECT_EQ(state.Skin, "Border");
    EXPECT_EQ(label->accessibleName(), "19/20");
    EXPECT_TRUE(WaitUntil([&] { return parts.clock.isVisible(); }));
    QTest::qWait(200);
    EXPECT_NE(GrabScreen(40, 40, parts.clock.width(), parts.clock.height()), clockBefore);
    EXPECT_EQ(parts.DifferingFromSnapshot(), 0);
    EXPECT_NE(preview->pixmap().toImage(), previewBefore);
    EXPECT_FALSE(window->findChild<QWidget*>("CheckShowBorder")->isEnabled());
    for (const char* name : {"ImageSkin0", "ImageSkin1", "pClock", "ImageOpacity", "ImageVolume", "CheckShowSeconds", "CheckShowBorder",
                             "CheckComputerSpeaker", "CheckOnTop", "CheckInvisibleClock", "CheckChime", "CheckChimeRingOnce",
                             "OptionChimeBigBen", "OptionChimeFreq", "TextChimeFreq", "CheckTicks", "TextTicksFreq", "TextTickDur",
                             "ImageResetOptions"})
        EXPECT_FALSE(window->findChild<QWidget*>(name)->accessibleName().isEmpty()) << name;
}

} // namespace
} // namespace dorvane
