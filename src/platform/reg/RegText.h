#pragma once

// The registry's stored form: the text of a registry export ("REGEDIT4" or
// "Windows Registry Editor Version 5.00", then [key] sections with
// "name"=value lines), read into keys and values. Key and value names
// compare without regard to ASCII case. Internal to the registry library.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace plat::reg {

struct Value {
    std::string name; // empty for the key's default value ("@")
    std::uint32_t type = 0;
    std::string data; // raw bytes; strings end with their NUL
};

struct Key {
    std::vector<Value> values;
    const Value* Find(std::string_view name) const;
};

// ASCII-lower-cased full key names ("hkey_local_machine\software\x") to keys.
// Every parent of a key counts as present too.
class Tree {
public:
    bool HasKey(std::string_view fullName) const;
    const Key* FindKey(std::string_view fullName) const;

    Key& AddKey(std::string_view fullName);
    void RemoveKey(std::string_view fullName);

private:
    std::map<std::string, Key> m_keys;
};

// True when `text` starts with one of the two headers (after an optional
// UTF-8 byte-order mark).
bool HasHeader(std::string_view text);

// Reads every sound section and value line of `text`; a line that cannot be
// read is skipped and the rest still counts. Text without a header gives an
// empty tree.
Tree ParseText(std::string_view text);

// The section line of a full key name, ended with `eol`.
std::string SectionLine(std::string_view fullName, std::string_view eol);

}
