#include "localdata/FieldList.h"

void CFieldList::Clear()
{
    for (std::string& field : m_strFields)
        field.clear();
    m_nCount = 0;
}

int CFieldList::Split(std::string_view text, char separator)
{
    Clear();
    text = text.substr(0, text.find('\0'));
    if (separator == '\0') {
        if (!text.empty())
            m_strFields[m_nCount++].assign(text);
        return m_nCount;
    }
    while (!text.empty() && m_nCount < kMaxFields) {
        std::size_t at = text.find(separator);
        m_strFields[m_nCount++].assign(text.substr(0, at));
        if (at == std::string_view::npos)
            break;
        text.remove_prefix(at + 1);
    }
    return m_nCount;
}
