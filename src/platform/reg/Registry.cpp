#include "platform/reg/Registry.h"

#include "platform/reg/RegStore.h"

#include <cstring>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

namespace plat {

namespace {

constexpr std::uintptr_t kFirstRoot = 0x80000000;
constexpr const char* kRootNames[] = {
    "HKEY_CLASSES_ROOT",
    "HKEY_CURRENT_USER",
    "HKEY_LOCAL_MACHINE",
    "HKEY_USERS",
};

// Open handles and the full key names they stand for. Serial numbers are
// never reused, so a stale handle fails instead of reaching another key.
class HandleTable {
public:
    HKEY Add(std::string fullName)
    {
        std::lock_guard lock(m_mutex);
        m_next += 4;
        m_names.emplace(m_next, std::move(fullName));
        return reinterpret_cast<HKEY>(m_next);
    }
    std::optional<std::string> Name(HKEY key)
    {
        auto raw = reinterpret_cast<std::uintptr_t>(key);
        if (raw >= kFirstRoot && raw < kFirstRoot + std::size(kRootNames))
            return kRootNames[raw - kFirstRoot];
        std::lock_guard lock(m_mutex);
        auto it = m_names.find(raw);
        if (it == m_names.end())
            return std::nullopt;
        return it->second;
    }
    bool Remove(HKEY key)
    {
        auto raw = reinterpret_cast<std::uintptr_t>(key);
        if (raw >= kFirstRoot && raw < kFirstRoot + std::size(kRootNames))
            return true;
        std::lock_guard lock(m_mutex);
        return m_names.erase(raw) == 1;
    }

private:
    std::mutex m_mutex;
    std::map<std::uintptr_t, std::string> m_names;
    std::uintptr_t m_next = 0x1000;
};

HandleTable& Handles()
{
    static HandleTable table;
    return table;
}

// `base` + "\" + `subKey`, with trailing backslashes dropped. A leading
// backslash or an empty component is a bad path, as on the home platform.
LONG JoinKeyName(const std::string& base, const char* subKey, std::string& full)
{
    std::string_view sub = subKey ? subKey : "";
    while (!sub.empty() && sub.back() == '\\')
        sub.remove_suffix(1);
    full = base;
    if (sub.empty())
        return ERROR_SUCCESS;
    if (sub.front() == '\\' || sub.find("\\\\") != std::string_view::npos)
        return ERROR_BAD_PATHNAME;
    full += '\\';
    full += sub;
    return ERROR_SUCCESS;
}

}

LONG RegOpenKeyExA(HKEY key, const char* subKey, DWORD, REGSAM, HKEY* result)
{
    if (!result)
        return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    auto base = Handles().Name(key);
    if (!base)
        return ERROR_INVALID_HANDLE;
    std::string full;
    if (LONG error = JoinKeyName(*base, subKey, full))
        return error;
    if (!reg::ReadStore().HasKey(full))
        return ERROR_FILE_NOT_FOUND;
    *result = Handles().Add(std::move(full));
    return ERROR_SUCCESS;
}

LONG RegCreateKeyExA(HKEY key, const char* subKey, DWORD, char*, DWORD, REGSAM, const void*, HKEY* result,
    DWORD* disposition)
{
    if (!result || !subKey)
        return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    auto base = Handles().Name(key);
    if (!base)
        return ERROR_INVALID_HANDLE;
    std::string full;
    if (LONG error = JoinKeyName(*base, subKey, full))
        return error;
    DWORD how = REG_OPENED_EXISTING_KEY;
    if (!reg::ReadStore().HasKey(full)) {
        if (!reg::CreateStoreKey(full))
            return ERROR_ACCESS_DENIED;
        how = REG_CREATED_NEW_KEY;
    }
    if (disposition)
        *disposition = how;
    *result = Handles().Add(std::move(full));
    return ERROR_SUCCESS;
}

LONG RegQueryValueExA(HKEY key, const char* name, DWORD*, DWORD* type, unsigned char* data, DWORD* size)
{
    if (data && !size)
        return ERROR_INVALID_PARAMETER;
    auto full = Handles().Name(key);
    if (!full)
        return ERROR_INVALID_HANDLE;
    reg::Tree tree = reg::ReadStore();
    if (!tree.HasKey(*full))
        return ERROR_FILE_NOT_FOUND;
    const reg::Key* stored = tree.FindKey(*full);
    const reg::Value* value = stored ? stored->Find(name ? name : "") : nullptr;
    if (!value)
        return ERROR_FILE_NOT_FOUND;
    if (type)
        *type = value->type;
    if (!size)
        return ERROR_SUCCESS;
    DWORD room = *size;
    *size = static_cast<DWORD>(value->data.size());
    if (!data)
        return ERROR_SUCCESS;
    if (room < value->data.size())
        return ERROR_MORE_DATA;
    // The stored bytes are the value whole, a text's terminator included.
    std::memcpy(data, value->data.data(), value->data.size()); // NOLINT(bugprone-not-null-terminated-result)
    return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY key)
{
    return Handles().Remove(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

}
