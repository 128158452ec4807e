// The presenter's choice on a window that no window system's presenter can
// take (SDL's offscreen driver): every backend asked for gives the fallback,
// says why, shows frames through the window surface and reports them as
// estimated, frame after frame on successive refreshes.

#include "platform/present/Presenter.h"

#include <SDL.h>
#include <gtest/gtest.h>

namespace {

using plat::present::Backend;

TEST(PresenterTest, FallbackWhereTheWindowSystemCannotTell)
{
    // The window surface in memory, as the program has it: a GL texture
    // would load the GL driver, whose allocations outlive its unloading.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    SDL_Window* window = SDL_CreateWindow("presenter", 0, 0, 64, 48, SDL_WINDOW_HIDDEN);
    ASSERT_NE(window, nullptr);
    struct Case {
        Backend asked;
        const char* why;
    };
    const Case cases[] = {
        { Backend::X11, "not an X11 window" },
        { Backend::Wayland, "not a Wayland window" },
        { Backend::Fallback, "" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        std::string why;
        auto presenter = plat::present::MakePresenter(window, c.asked, &why);
        ASSERT_NE(presenter, nullptr);
        EXPECT_EQ(presenter->Kind(), Backend::Fallback);
        EXPECT_EQ(presenter->Source(), plat::present::TimingSource::Estimated);
        EXPECT_EQ(why, c.why);
        std::uint64_t lastRefresh = 0;
        for (int frame = 0; frame < 3; ++frame) {
            const plat::present::FrameBuffer buffer = presenter->Acquire(100);
            ASSERT_NE(buffer.pixels, nullptr);
            EXPECT_EQ(buffer.pixels->Width(), 64);
            EXPECT_EQ(buffer.age, frame == 0 ? 0 : 1);
            buffer.pixels->Fill(0xffffff);
            const std::uint64_t serial = presenter->Present({ 0, 0, 64, 48 }, 0);
            EXPECT_EQ(serial, static_cast<std::uint64_t>(frame + 1));
            const auto reports = presenter->Collect(0);
            ASSERT_EQ(reports.size(), 1u);
            EXPECT_EQ(reports[0].serial, serial);
            EXPECT_GT(reports[0].verdict.refresh, lastRefresh);
            lastRefresh = reports[0].verdict.refresh;
        }
    }
    EXPECT_EQ(plat::present::MakePresenter(nullptr, Backend::X11), nullptr);
    SDL_DestroyWindow(window);
    SDL_Quit();
}

}
