#pragma once

// Looking at an X server from outside the program under measure: its
// top-level windows by title, where a window is on screen, and the pixels
// the screen shows.

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstring>
#include <optional>
#include <string>

namespace benchsupport {

// The viewable top-level window whose title starts with `prefix`, the
// latest stacked first; 0 when there is none.
inline Window FindTopLevel(Display* display, const std::string& prefix)
{
    Window root = DefaultRootWindow(display);
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    Window found = 0;
    if (!XQueryTree(display, root, &root, &parent, &children, &count))
        return 0;
    for (unsigned i = count; i-- > 0 && !found;) {
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(display, children[i], &attributes) || attributes.map_state != IsViewable)
            continue;
        XTextProperty name;
        if (!XGetWMName(display, children[i], &name) || !name.value)
            continue;
        if (std::strncmp(reinterpret_cast<const char*>(name.value), prefix.c_str(), prefix.size()) == 0)
            found = children[i];
        XFree(name.value);
    }
    if (children)
        XFree(children);
    return found;
}

struct ScreenPoint {
    int x = 0;
    int y = 0;
};

// Where `window`'s top-left pixel is on screen.
inline std::optional<ScreenPoint> OriginOnScreen(Display* display, Window window)
{
    ScreenPoint p;
    Window child = 0;
    if (!XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &p.x, &p.y, &child))
        return std::nullopt;
    return p;
}

// The colour the screen shows at `p` as 0xRRGGBB (of a 24-bit screen), or
// nothing when it cannot be read.
inline std::optional<unsigned long> ScreenPixel(Display* display, ScreenPoint p)
{
    XImage* image = XGetImage(display, DefaultRootWindow(display), p.x, p.y, 1, 1, AllPlanes, ZPixmap);
    if (!image)
        return std::nullopt;
    unsigned long rgb = XGetPixel(image, 0, 0) & 0xFFFFFF;
    XDestroyImage(image);
    return rgb;
}

}
