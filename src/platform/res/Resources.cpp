#include "platform/res/Resources.h"

#include "platform/res/EmbeddedTable.h"

namespace plat::res {

std::span<const std::uint8_t> Find(Kind kind, int id)
{
    for (const EmbeddedResource& r : EmbeddedResources()) {
        if (r.kind == kind && r.id == id)
            return { r.data, r.size };
    }
    return {};
}

}
