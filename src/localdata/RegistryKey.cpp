#include "localdata/RegistryKey.h"

namespace {

// Room for a text value, its terminating NUL included.
constexpr plat::DWORD kStringRoom = 255;

}

bool CRegistryKey::SetRoot(HKEY root)
{
    if (root != plat::HKEY_CLASSES_ROOT && root != plat::HKEY_CURRENT_USER && root != plat::HKEY_LOCAL_MACHINE
        && root != plat::HKEY_USERS)
        return false;
    m_hRoot = root;
    return true;
}

bool CRegistryKey::Open(std::string_view path, bool create)
{
    if (path.empty()) {
        m_strPath.clear();
        return true;
    }
    std::string wanted(path);
    HKEY key = nullptr;
    plat::LONG result = 0;
    if (create) {
        plat::DWORD disposition = 0;
        result = plat::RegCreateKeyExA(m_hRoot, wanted.c_str(), 0, nullptr, plat::REG_OPTION_NON_VOLATILE,
            plat::KEY_ALL_ACCESS, nullptr, &key, &disposition);
    } else {
        result = plat::RegOpenKeyExA(m_hRoot, wanted.c_str(), 0, plat::KEY_ALL_ACCESS, &key);
    }
    if (result != plat::ERROR_SUCCESS)
        return false;
    m_strPath = std::move(wanted);
    plat::RegCloseKey(key);
    return true;
}

std::uint32_t CRegistryKey::GetValueType(std::string_view name)
{
    HKEY key = nullptr;
    if (plat::RegOpenKeyExA(m_hRoot, m_strPath.c_str(), 0, plat::KEY_QUERY_VALUE, &key) != plat::ERROR_SUCCESS)
        return 0;
    std::string valueName(name);
    plat::DWORD type = 0;
    plat::LONG result = plat::RegQueryValueExA(key, valueName.c_str(), nullptr, &type, nullptr, nullptr);
    plat::RegCloseKey(key);
    return result == plat::ERROR_SUCCESS ? type : 0;
}

std::string CRegistryKey::GetString(std::string_view name, std::string_view fallback)
{
    std::uint32_t type = GetValueType(name);
    if (type != plat::REG_SZ && type != plat::REG_EXPAND_SZ)
        return std::string(fallback);
    HKEY key = nullptr;
    if (plat::RegOpenKeyExA(m_hRoot, m_strPath.c_str(), 0, plat::KEY_READ, &key) != plat::ERROR_SUCCESS)
        return std::string(fallback);
    std::string valueName(name);
    unsigned char buffer[kStringRoom] = {};
    plat::DWORD size = kStringRoom;
    plat::LONG result = plat::RegQueryValueExA(key, valueName.c_str(), nullptr, nullptr, buffer, &size);
    plat::RegCloseKey(key);
    if (result != plat::ERROR_SUCCESS)
        return std::string(fallback);
    // A value stored without its NUL still ends inside the buffer.
    std::size_t length = 0;
    while (length < size && buffer[length] != 0)
        ++length;
    return std::string(reinterpret_cast<const char*>(buffer), length);
}

void CRegistryKey::Reset()
{
    m_strPath.clear();
    m_hRoot = plat::HKEY_CURRENT_USER;
}
