#include "platform/fs/PathInsideFolder.h"

namespace plat {

bool IsPathInsideFolder(std::string_view path)
{
    if (path.empty() || path.front() == '\\' || path.front() == '/')
        return false;
    if (path.find_first_of(std::string_view(":\0", 2)) != std::string_view::npos)
        return false;
    bool namesSomething = false;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find_first_of("\\/", start);
        if (end == std::string_view::npos)
            end = path.size();
        const std::string_view part = path.substr(start, end - start);
        if (part == "..")
            return false;
        namesSomething = namesSomething || (!part.empty() && part != ".");
        start = end + 1;
    }
    return namesSomething;
}

}
