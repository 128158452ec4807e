#include "platform/text/Cp936.h"

#include "platform/text/Utf8.h"

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

std::size_t Utf8SequenceLength(std::string_view valid, std::size_t i)
{
    auto lead = static_cast<unsigned char>(valid[i]);
    return lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
}

// Runs the whole input through `from` → `to`. Input bytes that iconv rejects
// stop the conversion unless `replace` names a byte to write instead, in
// which case the rejected UTF-8 character is skipped.
ConversionResult Convert(const char* to, const char* from, std::string_view input, ConversionStatus rejected,
    const char* replace)
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
            if (error == EILSEQ && replace) {
                if (written == out.size())
                    out.resize(out.size() * 2);
                out[written++] = *replace;
                consumed += Utf8SequenceLength(input, consumed);
                continue;
            }
            // EINVAL: the input ends inside a character.
            result.status = error == EILSEQ ? rejected
                : error == EINVAL           ? ConversionStatus::InvalidInput
                                            : ConversionStatus::Failed;
            result.errorOffset = consumed;
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

ConversionResult Cp936ToUtf8(std::string_view cp936)
{
    return Convert("UTF-8", "CP936", cp936, ConversionStatus::InvalidInput, nullptr);
}

ConversionResult Utf8ToCp936(std::string_view utf8, Unmappable unmappable)
{
    if (std::size_t bad = FirstInvalidUtf8(utf8); bad != utf8.size()) {
        ConversionResult result;
        result.status = ConversionStatus::InvalidInput;
        result.errorOffset = bad;
        return result;
    }
    return Convert("CP936", "UTF-8", utf8, ConversionStatus::Unmappable, unmappable == Unmappable::Question ? "?" : nullptr);
}

}
