#pragma once

// A dialog template from its text; a parse error fails the test and gives
// an empty template.

#include "platform/ui/DialogTemplate.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

namespace lvtest {

inline plat::DialogTemplate ParseDialog(std::string_view text)
{
    std::string error;
    std::optional<plat::DialogTemplate> t = plat::DialogTemplate::Parse(text, &error);
    EXPECT_TRUE(t.has_value()) << error;
    return t ? *t : plat::DialogTemplate {};
}

}
