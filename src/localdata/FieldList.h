#pragma once

// One line split into at most 100 fields at a separator byte. Fields are not
// trimmed; two adjacent separators give an empty field, a separator at the
// very end gives no empty last field.

#include <array>
#include <string>
#include <string_view>

struct CFieldList {
    static constexpr int kMaxFields = 100;

    std::array<std::string, kMaxFields> m_strFields;
    int m_nCount = 0;

    // Empties every field and sets the count to 0.
    void Clear();
    // Fills the fields from `text` up to its end or its first NUL byte and
    // returns the new count. A NUL separator leaves the text one field.
    int Split(std::string_view text, char separator);
};
