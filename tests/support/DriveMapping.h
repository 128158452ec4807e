#pragma once

// Maps drive `letter` to `folder` while in scope, then restores the old value.

#include <cstdlib>
#include <optional>
#include <string>

namespace lvtest {

class DriveMapping {
public:
    DriveMapping(char letter, const std::string& folder)
        : m_name(std::string("LUMIVEX_DRIVE_") + letter)
    {
        if (const char* old = std::getenv(m_name.c_str()))
            m_old = old;
        ::setenv(m_name.c_str(), folder.c_str(), 1);
    }
    ~DriveMapping()
    {
        if (m_old)
            ::setenv(m_name.c_str(), m_old->c_str(), 1);
        else
            ::unsetenv(m_name.c_str());
    }
    DriveMapping(const DriveMapping&) = delete;
    DriveMapping& operator=(const DriveMapping&) = delete;

private:
    std::string m_name;
    std::optional<std::string> m_old;
};

}
