// The test window's life: covering the screen, stepping on left clicks with
// each mode's wrap, redrawing on erase only, and the three ways out.

#include "TestWndSupport.h"

#include "platform/ui/ClientDC.h"
#include "platform/ui/Cursor.h"
#include "platform/ui/NativeWindow.h"
#include "platform/ui/WindowData.h"
#include "screentest/TestColors.h"

#include <SDL.h>

#include <random>

using namespace sttest;
using plat::RGB;

TEST(TestWndSteps, CoversThePrimaryScreenAndStartsAtStepZero)
{
    CTestWnd wnd({ kBlockFill });
    plat::Rect screen, frame, client;
    int fontSize = 0;
    int stepWhenShown = -1;
    long notBlue = -1;
    RunModal(wnd, { [&] {
        plat::Wnd::GetDesktopWindow()->GetWindowRect(&screen);
        wnd.GetWindowRect(&frame);
        wnd.GetClientRect(&client);
        fontSize = wnd.InfoFont().PixelSize();
        stepWhenShown = wnd.Step();
        notBlue = CountOther(wnd, RGB(0, 0, 255));
    } });
    EXPECT_GT(screen.Width(), 0);
    EXPECT_EQ(frame, (plat::Rect { 0, 0, screen.Width(), screen.Height() }));
    EXPECT_EQ(client, (plat::Rect { 0, 0, screen.Width(), screen.Height() }));
    EXPECT_EQ(fontSize, 16);
    EXPECT_EQ(stepWhenShown, 0);
    EXPECT_EQ(notBlue, 0);
}

// One click past the last step returns to step 0, in every pattern.
TEST(TestWndSteps, ClickAfterTheLastStepReturnsToStepZero)
{
    for (const Pattern& pattern : Patterns()) {
        SCOPED_TRACE(pattern.name);
        CTestWnd wnd({ &pattern });
        std::vector<int> steps, expected;
        std::vector<Step> script { [&] { Resize(wnd, 32, 24); } };
        for (int click = 1; click <= pattern.Steps() + 1; ++click) {
            script.push_back([&] { LeftClick(wnd); });
            script.push_back([&] { steps.push_back(wnd.Step()); });
            expected.push_back(click % pattern.Steps());
        }
        RunModal(wnd, script);
        EXPECT_EQ(steps, expected);
    }
}

// The new step is on screen when the click's handler returns, not after a
// later repaint.
TEST(TestWndSteps, LeftClickDrawsInsideItsHandler)
{
    for (const Pattern* mode : { kBlockFill, kDotFillDown, kHLineGradient }) {
        SCOPED_TRACE(std::string(mode->name));
        CTestWnd wnd({ mode });
        long notGreenAtOnce = -1;
        RunModal(wnd, {
                          [&] { Resize(wnd, 64, 48); },
                          [&] {
                              wnd.SendMessage(plat::WM_LBUTTONDOWN, plat::MK_LBUTTON, plat::MAKELPARAM(3, 3));
                              // A gradient's first line is its base colour.
                              plat::Rect area = mode == kHLineGradient ? plat::Rect { 0, 0, 64, 1 } : ClientOf(wnd);
                              notGreenAtOnce = CountOther(wnd, area, RGB(0, 255, 0));
                          },
                      });
        EXPECT_EQ(notGreenAtOnce, 0);
    }
}

TEST(TestWndSteps, DeadPixelTestAlternatesWhiteAndBlack)
{
    CTestWnd wnd({ kDeadPixel });
    std::vector<int> steps;
    std::vector<long> notWhite, notBlack;
    auto record = [&] {
        steps.push_back(wnd.Step());
        notWhite.push_back(CountOther(wnd, RGB(255, 255, 255)));
        notBlack.push_back(CountOther(wnd, RGB(0, 0, 0)));
    };
    std::vector<Step> script { record };
    for (int click = 0; click < 4; ++click) {
        script.push_back([&] { LeftClick(wnd); });
        script.push_back(record);
    }
    RunModal(wnd, script);
    EXPECT_EQ(steps, (std::vector<int> { 0, 1, 0, 1, 0 }));
    EXPECT_EQ(notWhite[0], 0);
    EXPECT_EQ(notBlack[1], 0);
    EXPECT_EQ(notWhite[2], 0);
    EXPECT_EQ(notBlack[3], 0);
    EXPECT_EQ(notWhite[4], 0);
}

TEST(TestWndSteps, EraseRedrawsTheCurrentStepAndPaintDrawsNothing)
{
    CTestWnd wnd({ kVLineFill });
    const plat::Rect scribble { 10, 10, 50, 40 };
    long afterPaint = -1, afterErase = -1;
    int stepAfterErase = -1;
    auto scribbleRed = [&] {
        plat::ClientDC dc(&wnd);
        dc.FillSolidRect(scribble, RGB(255, 0, 0));
    };
    RunModal(wnd, {
                      [&] { LeftClick(wnd); },
                      [&] { LeftClick(wnd); },
                      [&] { LeftClick(wnd); },
                      [&] {
                          scribbleRed();
                          wnd.Invalidate(false); // paint only
                      },
                      [&] {
                          afterPaint = CountOther(wnd, scribble, RGB(255, 0, 0));
                          wnd.Invalidate(true); // erase, then paint
                      },
                      [&] {
                          stepAfterErase = wnd.Step();
                          afterErase = CountOther(wnd, RGB(255, 255, 0));
                      },
                  });
    EXPECT_EQ(afterPaint, 0);
    EXPECT_EQ(stepAfterErase, 3);
    EXPECT_EQ(afterErase, 0);
}

TEST(TestWndSteps, RightClickEscapeAndEnterEndTheTest)
{
    struct Way {
        const char* name;
        std::function<void(CTestWnd&)> end;
        std::intptr_t result;
    };
    const Way ways[] = {
        { "right click", [](CTestWnd& w) { plat::automation::Click(w, { 5, 5 }, plat::automation::MouseButton::Right); },
            plat::IDCANCEL },
        { "escape", [](CTestWnd& w) { plat::automation::Key(w, plat::VK_ESCAPE); }, plat::IDCANCEL },
        { "enter", [](CTestWnd& w) { plat::automation::Key(w, plat::VK_RETURN); }, plat::IDOK },
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        CTestWnd wnd({ kBlockFill });
        bool stillRunning = false;
        std::intptr_t result = RunModal(wnd, {
                                                 [&] { Resize(wnd, 32, 24); },
                                                 [&] { way.end(wnd); },
                                                 [&] { stillRunning = true; },
                                             });
        EXPECT_FALSE(stillRunning);
        EXPECT_EQ(result, way.result);
        EXPECT_FALSE(wnd.IsWindow());
    }
}

namespace {

std::uint32_t NativeId(const CTestWnd& wnd)
{
    plat::WindowData* data = plat::windows::Find(&wnd);
    plat::NativeWindow* native = data ? data->Native() : nullptr;
    return native ? native->Id() : 0;
}

// Longer than a closed window's window-system window outlives it at least.
void OutliveClosedWindows()
{
    SDL_Delay(1100);
    plat::ProcessPendingMessages();
}

void PushRightRelease(std::uint32_t windowId)
{
    SDL_Event up {};
    up.type = SDL_MOUSEBUTTONUP;
    up.button.windowID = windowId;
    up.button.button = SDL_BUTTON_RIGHT;
    up.button.state = SDL_RELEASED;
    plat::loop::PushInput(up);
}

}

// The test ends on the right button's press; its window-system window
// lives on until the release has been read, since a release addressed to a
// window the window system no longer knows is dropped and the button stays
// down for good. Then the next test takes presses of both buttons again.
TEST(TestWndSteps, ATestEndedOnAPressKeepsItsWindowUntilTheRelease)
{
    CTestWnd first({ kBlockFill });
    std::uint32_t id = 0;
    RunModal(first, {
                        [&] {
                            Resize(first, 32, 24);
                            id = NativeId(first);
                            plat::automation::MouseDown(first, { 5, 5 }, plat::automation::MouseButton::Right);
                        },
                    });
    ASSERT_NE(id, 0u);
    EXPECT_FALSE(first.IsWindow());
    OutliveClosedWindows();
    EXPECT_NE(SDL_GetWindowFromID(id), nullptr) << "destroyed while its button was down";
    PushRightRelease(id);
    plat::ProcessPendingMessages();
    EXPECT_EQ(SDL_GetWindowFromID(id), nullptr) << "kept after the release was read";

    CTestWnd second({ kBlockFill });
    int step = -1;
    bool stillRunning = false;
    std::intptr_t result = RunModal(second, {
                                                [&] { Resize(second, 32, 24); },
                                                [&] { LeftClick(second); },
                                                [&] {
                                                    step = second.Step();
                                                    plat::automation::Click(second, { 5, 5 }, plat::automation::MouseButton::Right);
                                                },
                                                [&] { stillRunning = true; },
                                            });
    EXPECT_EQ(step, 1);
    EXPECT_FALSE(stillRunning);
    EXPECT_EQ(result, plat::IDCANCEL);
}

// A thousand clicks of both buttons queued at once in random order: left
// clicks step the test until the first right press ends it, the rest find
// no window, and no button is left down (the closed window goes).
TEST(TestWndSteps, AThousandQueuedClicksOfBothButtons)
{
    std::mt19937 random(21);
    std::vector<plat::automation::MouseButton> clicks(1000);
    for (auto& button : clicks)
        button = random() % 3 == 0 ? plat::automation::MouseButton::Right : plat::automation::MouseButton::Left;
    auto firstRight = std::find(clicks.begin(), clicks.end(), plat::automation::MouseButton::Right);
    ASSERT_NE(firstRight, clicks.end());
    int leftBefore = static_cast<int>(firstRight - clicks.begin());

    CTestWnd wnd({ kBlockFill });
    std::uint32_t id = 0;
    std::intptr_t result = RunModal(wnd, {
                                             [&] { Resize(wnd, 32, 24); },
                                             [&] {
                                                 id = NativeId(wnd);
                                                 for (auto button : clicks)
                                                     plat::automation::Click(wnd, { 5, 5 }, button);
                                             },
                                         });
    EXPECT_EQ(result, plat::IDCANCEL);
    EXPECT_EQ(wnd.Step(), leftBefore % 8);
    OutliveClosedWindows();
    EXPECT_EQ(SDL_GetWindowFromID(id), nullptr) << "a button is still held";
}

// The pointer hides over a test after a second without motion, shows again
// on a motion, and is back once the test ended.
TEST(TestWndSteps, PointerHidesWhenStillOverTheTest)
{
    CTestWnd wnd({ kBlockFill });
    bool shownWhenStill = true, shownAfterMotion = false;
    RunModal(wnd, {
                      [&] { Resize(wnd, 32, 24); },
                      [&] {
                          OutliveClosedWindows();
                          shownWhenStill = plat::PointerShown();
                          plat::automation::MouseMove(wnd, { 6, 6 });
                      },
                      [&] { shownAfterMotion = plat::PointerShown(); },
                  });
    plat::ProcessPendingMessages();
    EXPECT_FALSE(shownWhenStill);
    EXPECT_TRUE(shownAfterMotion);
    EXPECT_TRUE(plat::PointerShown()) << "after the test ended";
}

// Clicks made while a long sweep runs wait in the queue; each then advances
// one step and draws it.
TEST(TestWndSteps, ClicksQueuedDuringALongDrawingEachAdvanceOneStep)
{
    CTestWnd wnd({ kDotFillDown });
    int step = -1;
    long notYellow = -1;
    RunModal(wnd, {
                      [&] {
                          Resize(wnd, 1920, 1080);
                      },
                      [&] {
                          LeftClick(wnd);
                          LeftClick(wnd);
                          LeftClick(wnd);
                      },
                      [&] {
                          step = wnd.Step();
                          notYellow = CountOther(wnd, RGB(255, 255, 0));
                      },
                  });
    EXPECT_EQ(step, 3);
    EXPECT_EQ(notYellow, 0);
}

TEST(TestWndSteps, WithoutAPatternNothingIsDrawn)
{
    {
        CTestWnd wnd({ nullptr, "", 1 });
        long shown = -1, clicked = -1;
        auto scribbleRed = [&] {
            plat::ClientDC dc(&wnd);
            dc.FillSolidRect(ClientOf(wnd), RGB(255, 0, 0));
        };
        RunModal(wnd, {
                          [&] { Resize(wnd, 64, 48); },
                          [&] { shown = CountOther(wnd, RGB(0, 0, 0)); scribbleRed(); },
                          [&] { LeftClick(wnd); LeftClick(wnd); },
                          [&] { clicked = CountOther(wnd, RGB(255, 0, 0)); },
                      });
        EXPECT_EQ(shown, 0); // a new back buffer is black
        EXPECT_EQ(clicked, 0);
    }
}

// A step outside the pattern's colours (only possible if a caller asks for one)
// draws nothing instead of reading past the table.
TEST(TestWndSteps, StepOutsideTheTableDrawsNothing)
{
    for (const Pattern* mode : AllModes()) {
        SCOPED_TRACE(std::string(mode->name));
        CTestWnd wnd({ mode, "", 1 });
        long untouched = -1;
        RunModal(wnd, {
                          [&] { Resize(wnd, 16, 8); },
                          [&] {
                              plat::ClientDC dc(&wnd);
                              dc.FillSolidRect(ClientOf(wnd), RGB(1, 2, 3));
                              for (int step : { -1, 8, 1000 })
                                  wnd.ShowStep(step);
                              untouched = CountOther(wnd, RGB(1, 2, 3));
                          },
                      });
        EXPECT_EQ(untouched, 0);
    }
}
