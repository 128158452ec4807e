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
    Iconv(const char* to, const char* from)
        : m_cd(::iconv_open(to, from))
    {
    }
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
    std::string_view standIn;                                   // empty: stop at the first rejected byte
    std::size_t skip = 1;                                       // input bytes passed over for each rejected one
};

constexpr std::size_t kBlock = 4096; // input bytes per iconv call; a multiple of 4

// `expected` is a first guess of the output's size; it grows as needed.
ConversionResult Convert(const char* to, const char* from, std::string_view input, std::size_t expected,
    const Recovery& recovery)
{
    ConversionResult result;
    Iconv converter(to, from);
    if (!converter.IsOpen())
        return result;
    try {
        std::string out(expected + 16, '\0');
        std::size_t written = 0;
        std::size_t consumed = 0;
        bool flushing = false;
        for (;;) {
            // A call may cost as much as the input it is handed (glibc goes
            // back over its buffer after a rejection, sanitizers check the
            // whole range), so it gets one block at a time.
            char* in = const_cast<char*>(input.data()) + consumed;
            std::size_t inLeft = std::min(input.size() - consumed, kBlock);
            const std::size_t blockEnd = consumed + inLeft;
            char* outPtr = out.data() + written;
            std::size_t outLeft = out.size() - written;
            std::size_t rc = flushing ? ::iconv(converter.Get(), nullptr, nullptr, &outPtr, &outLeft)
                                      : ::iconv(converter.Get(), &in, &inLeft, &outPtr, &outLeft);
            int error = errno;
            consumed = blockEnd - inLeft;
            written = out.size() - outLeft;
            if (rc != static_cast<std::size_t>(-1)) {
                if (flushing)
                    break;
                flushing = consumed == input.size();
                continue;
            }
            if (error == E2BIG) {
                out.resize(out.size() * 2);
                continue;
            }
            // A character cut by the end of the block is read whole with the next one.
            if (error == EINVAL && blockEnd < input.size())
                continue;
            // EILSEQ: a rejected byte or character; EINVAL: the input ends inside a character.
            bool rejected = error == EILSEQ || error == EINVAL;
            if (rejected && !recovery.standIn.empty()) {
                if (out.size() - written < recovery.standIn.size())
                    out.resize(out.size() * 2);
                out.replace(written, recovery.standIn.size(), recovery.standIn);
                written += recovery.standIn.size();
                consumed = std::min(input.size(), consumed + recovery.skip);
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
    return Convert("UTF-8", "CP936", cp936, cp936.size() + cp936.size() / 2, recovery);
}

ConversionResult Utf8ToCp936(std::string_view utf8, BadInput bad)
{
    if (bad == BadInput::Fail) {
        const std::size_t invalid = FirstInvalidUtf8(utf8);
        if (invalid != utf8.size()) {
            ConversionResult result;
            result.status = ConversionStatus::InvalidInput;
            result.errorOffset = invalid;
            return result;
        }
        return Convert("CP936", "UTF-8", utf8, utf8.size(), { ConversionStatus::Unmappable, {}, 1 });
    }
    // glibc converts UTF-8 to code page 936 in two steps, and after each
    // character the second step rejects it converts the first step's whole
    // buffer (thousands of characters) again to find where it stopped: with
    // many such characters the time grew with the square of the text. From
    // WCHAR_T (glibc's own UCS-4) the conversion is one step, so each
    // rejection costs one character. Bytes that are not UTF-8 become '?'
    // on the way.
    static_assert(sizeof(wchar_t) == 4, "WCHAR_T is UCS-4");
    std::wstring wide;
    std::size_t badBytes = 0;
    try {
        wide.reserve(utf8.size());
        for (std::size_t i = 0; i < utf8.size();) {
            const Utf8Char c = ReadUtf8Char(utf8, i);
            if (c.length == 0) {
                wide += L'?';
                ++badBytes;
                ++i;
                continue;
            }
            wide += static_cast<wchar_t>(c.codePoint);
            i += c.length;
        }
    } catch (const std::bad_alloc&) {
        return {};
    }
    const std::string_view bytes(reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(wchar_t));
    ConversionResult result
        = Convert("CP936", "WCHAR_T", bytes, 2 * wide.size(), { ConversionStatus::Unmappable, "?", sizeof(wchar_t) });
    if (result.Ok())
        result.replaced += badBytes;
    return result;
}

}
