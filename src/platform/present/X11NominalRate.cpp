#include "platform/present/X11NominalRate.h"

#include <xcb/randr.h>

#include <cstdlib>
#include <memory>

namespace plat::present {

namespace {

struct FreeReply {
    void operator()(void* p) const { std::free(p); }
};
template <class T>
using Reply = std::unique_ptr<T, FreeReply>;

NominalRate ModeRate(const xcb_randr_mode_info_t& mode)
{
    NominalRate rate = RateFromModeLine(mode.dot_clock, mode.htotal, mode.vtotal);
    // An interlaced mode shows two fields per frame; a double-scanned one
    // draws every line twice.
    if (mode.mode_flags & XCB_RANDR_MODE_FLAG_INTERLACE)
        rate.hz *= 2;
    if (mode.mode_flags & XCB_RANDR_MODE_FLAG_DOUBLE_SCAN)
        rate.hz /= 2;
    return rate;
}

}

NominalRate X11NominalRate(xcb_connection_t* c, xcb_window_t window)
{
    const xcb_query_extension_reply_t* randr = xcb_get_extension_data(c, &xcb_randr_id);
    if (!randr || !randr->present)
        return {};
    Reply<xcb_get_geometry_reply_t> geometry(xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr));
    if (!geometry)
        return {};
    Reply<xcb_translate_coordinates_reply_t> at(xcb_translate_coordinates_reply(c,
        xcb_translate_coordinates(c, window, geometry->root, static_cast<std::int16_t>(geometry->width / 2), static_cast<std::int16_t>(geometry->height / 2)), nullptr));
    Reply<xcb_randr_get_screen_resources_current_reply_t> resources(xcb_randr_get_screen_resources_current_reply(c,
        xcb_randr_get_screen_resources_current(c, geometry->root), nullptr));
    if (!at || !resources)
        return {};
    const xcb_randr_crtc_t* crtcs = xcb_randr_get_screen_resources_current_crtcs(resources.get());
    const int crtcCount = xcb_randr_get_screen_resources_current_crtcs_length(resources.get());
    const xcb_randr_mode_info_t* modes = xcb_randr_get_screen_resources_current_modes(resources.get());
    const int modeCount = xcb_randr_get_screen_resources_current_modes_length(resources.get());
    for (int i = 0; i < crtcCount; ++i) {
        Reply<xcb_randr_get_crtc_info_reply_t> crtc(xcb_randr_get_crtc_info_reply(c,
            xcb_randr_get_crtc_info(c, crtcs[i], resources->config_timestamp), nullptr));
        if (!crtc || crtc->mode == XCB_NONE)
            continue;
        const bool inside = at->dst_x >= crtc->x && at->dst_x < crtc->x + crtc->width && at->dst_y >= crtc->y && at->dst_y < crtc->y + crtc->height;
        if (!inside)
            continue;
        for (int m = 0; m < modeCount; ++m) {
            if (modes[m].id == crtc->mode)
                return ModeRate(modes[m]);
        }
    }
    return {};
}

}
