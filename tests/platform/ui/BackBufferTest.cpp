// The back buffer is the window system's framebuffer itself: drawing lands
// in SDL's window surface at once, also after the window's size changes
// (SDL then makes a new surface and frees the old one).

#include "UiTestSupport.h"

#include "platform/gfx/Surface.h"
#include "platform/ui/ClientDC.h"
#include "platform/ui/NativeWindow.h"
#include "platform/ui/WindowData.h"

#include <SDL.h>

namespace {

using plat::automation::BackBuffer;

SDL_Surface* WindowSurface(const plat::Wnd& wnd)
{
    plat::WindowData* data = plat::windows::Find(&wnd);
    plat::NativeWindow* native = data ? data->Native() : nullptr;
    return native ? SDL_GetWindowSurface(native->Window()) : nullptr;
}

std::uint32_t SurfacePixel(SDL_Surface* s, int x, int y)
{
    return static_cast<const std::uint32_t*>(s->pixels)[y * (s->pitch / 4) + x] & 0x00FFFFFF;
}

TEST(BackBuffer, IsTheWindowSurfaceSoDrawingNeedsNoCopy)
{
    uitest::TestDialog dlg;
    ASSERT_TRUE(dlg.Create());
    plat::ProcessPendingMessages();
    SDL_Surface* screen = WindowSurface(dlg);
    ASSERT_NE(screen, nullptr);
    const plat::Surface* buffer = BackBuffer(dlg);
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(buffer->Data(), screen->pixels);
    EXPECT_EQ(buffer->Width(), 300);
    EXPECT_EQ(buffer->Height(), 150);
    EXPECT_EQ(buffer->Pitch() * 4, screen->pitch);

    {
        plat::ClientDC dc(&dlg);
        dc.FillSolidRect({ 290, 140, 300, 150 }, plat::RGB(255, 0, 0));
    }
    EXPECT_EQ(SurfacePixel(screen, 299, 149), 0x00FF0000u); // before the loop shows anything
    dlg.DestroyWindow();
    plat::ProcessPendingMessages();
}

TEST(BackBuffer, FollowsTheWindowSurfaceThroughSizeChanges)
{
    uitest::TestDialog dlg;
    ASSERT_TRUE(dlg.Create());
    plat::ProcessPendingMessages();
    const plat::COLORREF background = plat::automation::PixelColor(dlg, { 295, 145 });

    const plat::Size sizes[] = { { 400, 200 }, { 120, 60 }, { 300, 150 } };
    for (plat::Size client : sizes) {
        // A captioned dialog's frame is 6 px wider and 28 px taller than its client area.
        dlg.MoveWindow(10, 10, client.cx + 6, client.cy + 28);
        plat::ProcessPendingMessages();
        SDL_Surface* screen = WindowSurface(dlg);
        ASSERT_NE(screen, nullptr);
        const plat::Surface* buffer = BackBuffer(dlg);
        ASSERT_NE(buffer, nullptr);
        EXPECT_EQ(buffer->Data(), screen->pixels);
        EXPECT_EQ(buffer->Width(), client.cx);
        EXPECT_EQ(buffer->Height(), client.cy);
        // Repainted after the change, into the new surface.
        EXPECT_EQ(plat::automation::PixelColor(dlg, { client.cx - 1, client.cy - 1 }), background);
        {
            plat::ClientDC dc(&dlg);
            dc.SetPixel(client.cx - 1, client.cy - 1, plat::RGB(0, 0, 255));
        }
        EXPECT_EQ(SurfacePixel(screen, client.cx - 1, client.cy - 1), 0x000000FFu);
    }
    dlg.DestroyWindow();
    plat::ProcessPendingMessages();
}

}
