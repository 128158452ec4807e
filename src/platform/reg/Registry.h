#pragma once

// The registry operations the program uses, over a text store in the form
// of registry exports (see RegStore.h for where it lives). Results are the
// platform's error codes: ERROR_SUCCESS or the reason for failure. Every
// operation reads the store afresh; only creating a key writes it.

#include <cstdint>

struct RegistryKeyHandle;
using HKEY = RegistryKeyHandle*;

namespace plat {

using LONG = std::int32_t;
using DWORD = std::uint32_t;
using REGSAM = std::uint32_t;

inline HKEY const HKEY_CLASSES_ROOT = reinterpret_cast<HKEY>(std::uintptr_t { 0x80000000 });
inline HKEY const HKEY_CURRENT_USER = reinterpret_cast<HKEY>(std::uintptr_t { 0x80000001 });
inline HKEY const HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(std::uintptr_t { 0x80000002 });
inline HKEY const HKEY_USERS = reinterpret_cast<HKEY>(std::uintptr_t { 0x80000003 });

constexpr LONG ERROR_SUCCESS = 0;
constexpr LONG ERROR_FILE_NOT_FOUND = 2;
constexpr LONG ERROR_ACCESS_DENIED = 5;
constexpr LONG ERROR_INVALID_HANDLE = 6;
constexpr LONG ERROR_INVALID_PARAMETER = 87;
constexpr LONG ERROR_BAD_PATHNAME = 161;
constexpr LONG ERROR_MORE_DATA = 234;

constexpr DWORD REG_NONE = 0;
constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_EXPAND_SZ = 2;
constexpr DWORD REG_BINARY = 3;
constexpr DWORD REG_DWORD = 4;

constexpr DWORD REG_OPTION_NON_VOLATILE = 0;
constexpr DWORD REG_CREATED_NEW_KEY = 1;
constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
constexpr REGSAM KEY_READ = 0x20019;
constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;

// Opens an existing key below `key`; an empty or null `subKey` opens `key`
// itself again. ERROR_FILE_NOT_FOUND when it does not exist.
LONG RegOpenKeyExA(HKEY key, const char* subKey, DWORD options, REGSAM access, HKEY* result);

// Opens the key, creating it and its missing parents in the store first.
// ERROR_ACCESS_DENIED when it is missing and the store cannot be written.
// `disposition` (may be null) tells whether it was created.
LONG RegCreateKeyExA(HKEY key, const char* subKey, DWORD reserved, char* keyClass, DWORD options,
    REGSAM access, const void* security, HKEY* result, DWORD* disposition);

// The value's type into `type` and, when `data` is given, its bytes into
// `data` (`*size` bytes of room; strings with their NUL). `*size` becomes the
// value's size; ERROR_MORE_DATA when the room is too small (nothing copied).
// A null or empty name is the key's default value.
LONG RegQueryValueExA(HKEY key, const char* name, DWORD* reserved, DWORD* type, unsigned char* data, DWORD* size);

LONG RegCloseKey(HKEY key);

}
