#pragma once

// A registry key remembered by root and path, read for text values with a
// fallback. Nothing stays open between calls: each query opens the key,
// reads and closes it. Used to find where a sibling program is installed.

#include "platform/reg/Registry.h"

#include <cstdint>
#include <string>
#include <string_view>

class CRegistryKey {
public:
    CRegistryKey() = default;
    ~CRegistryKey() { Reset(); }

    // Only the four predefined roots are accepted; false leaves the root as it was.
    bool SetRoot(HKEY root);
    // Checks that the key can be opened (or, with `create`, created) and
    // remembers its path; false keeps the previous path. An empty path
    // addresses the root itself and touches nothing.
    bool Open(std::string_view path, bool create);
    // REG_SZ, REG_DWORD, ... of the value; 0 when the key or value cannot be read.
    std::uint32_t GetValueType(std::string_view name);
    // The text of a REG_SZ or REG_EXPAND_SZ value (unexpanded) of at most 254
    // bytes; `fallback` for anything else.
    std::string GetString(std::string_view name, std::string_view fallback);
    // Root back to HKEY_CURRENT_USER, path emptied.
    void Reset();

    HKEY Root() const { return m_hRoot; }
    const std::string& Path() const { return m_strPath; }

private:
    HKEY m_hRoot = plat::HKEY_CURRENT_USER;
    std::string m_strPath;
};
