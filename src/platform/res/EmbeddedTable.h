#pragma once

// The table written at build time by cmake/EmbedResources.cmake.

#include "platform/res/Resources.h"

#include <cstddef>

namespace plat::res {

struct EmbeddedResource {
    Kind kind;
    int id;
    const std::uint8_t* data;
    std::size_t size;
};

std::span<const EmbeddedResource> EmbeddedResources();

}
