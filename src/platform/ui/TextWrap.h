#pragma once

// Breaking text into lines that fit a width, for multi-line static text:
// lines break at the text's own line breaks (CR LF, LF, CR), then after a
// blank, slash or backslash that keeps the line within the width, and
// inside a word only when the word alone is wider than the line.

#include "platform/gfx/DeviceContext.h"

#include <string>
#include <string_view>
#include <vector>

namespace plat {

std::vector<std::string> WrapText(const DeviceContext& dc, std::string_view text, int width);

}
