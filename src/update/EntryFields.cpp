#include "update/EntryFields.h"

#include "platform/text/Cp936.h"

namespace {

// The separators of a "%s" scan in the C locale.
bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}

bool ReadEntryFields(std::string_view line, std::span<CEntryField> fields)
{
    bool fits = true;
    std::size_t pos = 0;
    for (CEntryField& field : fields) {
        while (pos < line.size() && IsSpace(line[pos]))
            ++pos;
        if (pos == line.size())
            break;
        std::size_t end = pos;
        while (end < line.size() && !IsSpace(line[end]))
            ++end;
        std::string_view word = line.substr(pos, end - pos);
        if (word.size() > field.capacity) {
            word = word.substr(0, field.capacity);
            fits = false;
        }
        field.text.assign(word);
        pos = end;
    }
    return fits;
}

std::string DecodeListField(std::string_view bytes, bool fileIsUtf8)
{
    if (fileIsUtf8)
        return std::string(bytes);
    return plat::Cp936ToUtf8(bytes, plat::BadInput::Replace).text;
}

bool IsZipAddress(std::string_view url)
{
    return url.ends_with(".zip");
}
