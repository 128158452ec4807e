#include "platform/ui/StringTable.h"

#include "platform/intl/Translate.h"
#include "platform/res/Resources.h"

namespace plat {

std::string LoadString(int id)
{
    std::span<const std::uint8_t> bytes = res::Find(res::Kind::String, id);
    return Translate(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

bool LoadString(std::string& text, int id)
{
    text = LoadString(id);
    return !text.empty();
}

}
