#include "platform/text/Cp936.h"

#include "platform/text/Utf8.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>
#include <new>

namespace plat {

namespace {

class Iconv {
public:
    Iconv(const char* to, const char* from) : m_cd(::iconv_open(to, from)) { }
    ~Iconv()
    {
        if (IsOpen())
            ::iconv_close(m_cd);
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;

    bool IsOpen() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    iconv_t Get() const { return m_cd; }

private:
    iconv_t m_cd;
};

// How a conversion goes on past input that iconv rejects.
struct Recovery {
    ConversionStatus rejected = ConversionStatus::InvalidInput; // status when not replacing
    std::string_view standIn; // empty: stop at the first rejected byte
    bool skipWholeUtf8 = false; // skip the rejected UTF-8 character rather than one byte
};

std::size_t Utf8SequenceLength(std::string_view valid, std::size_t i)
{
    auto lead = static_cast<unsigned char>(valid[i]);
    std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    return std::min(length, valid.size() - i);
}

ConversionResult Convert(const char* to, const char* from, std::string_view input, const Recovery& recovery)
{
    ConversionResult result;
    Iconv converter(to, from);
    if (!converter.IsOpen())
        return result;
    try {
        std::string out(input.size() + input.size() / 2 + 16, '\0');
        std::size_t written = 0;
        std::size_t consumed = 0;
        bool flushing = false;
        for (;;) {
            char* in = const_cast<char*>(input.data()) + consumed;
            std::size_t inLeft = input.size() - consumed;
            char* outPtr = out.data() + written;
            std::size_t outLeft = out.size() - written;
            std::size_t rc = flushing ? ::iconv(converter.Get(), nullptr, nullptr, &outPtr, &outLeft)
                                      : ::iconv(converter.Get(), &in, &inLeft, &outPtr, &outLeft);
            int error = errno;
            consumed = input.size() - inLeft;
            written = out.size() - outLeft;
            if (rc != static_cast<std::size_t>(-1)) {
                if (flushing)
                    break;
                flushing = true;
                continue;
            }
            if (error == E2BIG) {
                out.resize(out.size() * 2);
                continue;
            }
            // EILSEQ: a rejected byte or character; EINVAL: the input ends inside a character.
            bool rejected = error == EILSEQ || error == EINVAL;
            if (rejected && !recovery.standIn.empty()) {
                if (out.size() - written < recovery.standIn.size())
                    out.resize(out.size() * 2);
                out.replace(written, recovery.standIn.size(), recovery.standIn);
                written += recovery.standIn.size();
                consumed += recovery.skipWholeUtf8 ? Utf8SequenceLength(input, consumed) : 1;
                ++result.replaced;
                continue;
            }
            result.status = error == EILSEQ ? recovery.rejected
                : error == EINVAL           ? ConversionStatus::InvalidInput
                                            : ConversionStatus::Failed;
            result.errorOffset = consumed;
            result.replaced = 0;
            return result;
        }
        out.resize(written);
        result.text = std::move(out);
        result.status = ConversionStatus::Ok;
    } catch (const std::bad_alloc&) {
        result = {};
    }
    return result;
}

}

ConversionResult Cp936ToUtf8(std::string_view cp936, BadInput bad)
{
    Recovery recovery;
    if (bad == BadInput::Replace)
        recovery.standIn = "\xEF\xBF\xBD";
    return Convert("UTF-8", "CP936", cp936, recovery);
}

ConversionResult Utf8ToCp936(std::string_view utf8, BadInput bad)
{
    Recovery recovery { ConversionStatus::Unmappable, {}, true };
    std::size_t invalid = FirstInvalidUtf8(utf8);
    if (invalid == utf8.size()) {
        if (bad == BadInput::Replace)
            recovery.standIn = "?";
        return Convert("CP936", "UTF-8", utf8, recovery);
    }
    if (bad == BadInput::Fail) {
        ConversionResult result;
        result.status = ConversionStatus::InvalidInput;
        result.errorOffset = invalid;
        return result;
    }
    // Replace the bytes that are not UTF-8 first, so that iconv only meets
    // characters it may lack.
    std::string cleaned;
    std::size_t badBytes = 0;
    try {
        cleaned.reserve(utf8.size());
        while (invalid != utf8.size()) {
            cleaned.append(utf8.substr(0, invalid));
            cleaned += '?';
            ++badBytes;
            utf8.remove_prefix(invalid + 1);
            invalid = FirstInvalidUtf8(utf8);
        }
        cleaned.append(utf8);
    } catch (const std::bad_alloc&) {
        return {};
    }
    recovery.standIn = "?";
    ConversionResult result = Convert("CP936", "UTF-8", cleaned, recovery);
    if (result.Ok())
        result.replaced += badBytes;
    return result;
}

}
