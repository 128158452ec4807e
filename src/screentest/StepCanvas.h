#pragma once

// What a renderer draws one step of its pattern on, and what it reports
// back. A renderer is a free function: it knows the context, the area, the
// step and its row's colours, never the window showing it.

#include "platform/Types.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Font.h"

#include <span>

struct StepCanvas {
    plat::DeviceContext& dc;
    plat::Rect area;
    int step = 0;
    std::span<const plat::COLORREF> colors; // the row's, one per step
    const plat::Font& font;                 // the information lines' font, for labels
};

// A step as drawn: nothing for a step outside the colours; else its colour
// and the milliseconds its drawing calls took.
struct StepDrawn {
    bool drawn = false;
    plat::COLORREF color = 0;
    long elapsed = 0;
};

using PatternRenderer = StepDrawn (*)(const StepCanvas& canvas);
