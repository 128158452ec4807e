#include "platform/intl/Translate.h"
#include "platform/intl/FormatDirectives.h"
#include "platform/intl/MoCatalogue.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <functional>

using namespace plat;

namespace {

// A catalogue compiled by msgfmt from `po`, in the given byte order.
std::string Compile(const lvtest::TempFolder& folder, const std::string& po, const char* endianness = "little")
{
    lvtest::WriteNative(folder.Native("in.po"), po);
    std::string command = "msgfmt --endianness=" + std::string(endianness) + " -o '" + folder.Native("out.mo") + "' '"
        + folder.Native("in.po") + "'";
    if (std::system(command.c_str()) != 0)
        return {};
    return lvtest::ReadNative(folder.Native("out.mo"));
}

const std::string kPo = "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n\n"
                        "msgid \"确定\"\nmsgstr \"OK\"\n\n"
                        "msgid \"第 %d 步\"\nmsgstr \"Step %d\"\n\n"
                        "msgid \"共 %d 秒\"\nmsgstr \"%s seconds\"\n";

bool Sound(const std::string& bytes)
{
    return IsSoundCatalogue({ reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size() });
}

std::uint32_t Field(const std::string& bytes, std::size_t at)
{
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = v << 8 | static_cast<std::uint8_t>(bytes[at + static_cast<std::size_t>(i)]);
    return v;
}

void SetField(std::string& bytes, std::size_t at, std::uint32_t v)
{
    for (std::size_t i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>(v >> (8 * i));
}

// A little-endian catalogue whose hash entries say what `entry` makes of
// each: gettext follows them blindly.
std::string LyingHash(std::string bytes, const std::function<std::uint32_t(std::uint32_t)>& entry)
{
    std::uint32_t size = Field(bytes, 20);
    std::uint32_t offset = Field(bytes, 24);
    for (std::uint32_t i = 0; i < size; ++i)
        SetField(bytes, offset + 4 * i, entry(Field(bytes, offset + 4 * i)));
    return bytes;
}

// The two ways a hash table can lie: entries past the last string (gettext
// reads outside its tables) and no empty slot (a missing text's look-up
// never ends).
std::string PastLastString(const std::string& good)
{
    std::uint32_t count = Field(good, 8);
    return LyingHash(good, [count](std::uint32_t e) { return e ? count + 1 : 0; });
}

std::string NoEmptySlot(const std::string& good)
{
    return LyingHash(good, [](std::uint32_t) { return 1u; });
}

}

TEST(MoCatalogue, WholeCataloguesOfEitherByteOrderPassAndDamagedOnesFail)
{
    lvtest::TempFolder folder;
    std::string little = Compile(folder, kPo);
    std::string big = Compile(folder, kPo, "big");
    ASSERT_GT(little.size(), 60u);
    ASSERT_EQ(big.size(), little.size());
    EXPECT_TRUE(Sound(little));
    EXPECT_TRUE(Sound(big));

    std::string wrongMagic = little;
    wrongMagic[0] = 'X';
    std::string wrongRevision = little;
    wrongRevision[6] = 1;
    std::string noNul = little;
    noNul.back() = 'x'; // the last string's terminator
    std::string offsetPastEnd = little;
    offsetPastEnd[12 + 3] = 0x7f; // the translation table's offset
    std::string hashNotPrime = little;
    SetField(hashNotPrime, 20, Field(little, 20) - 1);
    ASSERT_EQ(Field(little, 20), 5u);
    const std::string damaged[] = { "", little.substr(0, 3), little.substr(0, 27), little.substr(0, 40),
        little.substr(0, little.size() - 1), wrongMagic, wrongRevision, noNul, offsetPastEnd, PastLastString(little),
        NoEmptySlot(little), hashNotPrime };
    for (const std::string& bytes : damaged)
        EXPECT_FALSE(Sound(bytes)) << bytes.size() << " bytes";
}

TEST(FormatDirectives, ListsConversionsInOrderAndMarksIncompleteOnes)
{
    EXPECT_EQ(FormatDirectives("Ver%s, %-5.2f%% %lu"), (std::vector<std::string> { "%s", "%-5.2f", "%lu" }));
    EXPECT_EQ(FormatDirectives("100%% sure"), std::vector<std::string> {});
    EXPECT_EQ(FormatDirectives("50%"), std::vector<std::string> { "%" });
    EXPECT_NE(FormatDirectives("%d %s"), FormatDirectives("%s %d"));
}

// The locale comes from the environment as gettext reads it; locales are
// generated with Debian's definitions into the test's own folder (LOCPATH).
class TranslateLocale : public ::testing::Test {
protected:
    void SetUpLocales()
    {
        for (const char* name : { "en_US", "zh_CN" }) {
            std::string command = std::string("localedef -c -i ") + name + " -f UTF-8 '"
                + m_catalogues.Native("locales/") + name + ".UTF-8' >/dev/null 2>&1";
            std::filesystem::create_directories(m_catalogues.Native("locales"));
            if (std::system(command.c_str()) != 0)
                GTEST_SKIP() << "localedef cannot make " << name << ".UTF-8 (Debian's locales package)";
        }
        setenv("LOCPATH", m_catalogues.Native("locales").c_str(), 1);
    }

    void SetUp() override
    {
        SetUpLocales();
        for (const char* name : { "LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG" })
            unsetenv(name);
    }
    void TearDown() override
    {
        setenv("LC_ALL", "C", 1);
        StartTranslations(m_catalogues.Native());
        unsetenv("LC_ALL");
        unsetenv("LOCPATH");
    }

    // Installs `bytes` as the catalogue of `language` in a fresh locale folder.
    std::string Install(const std::string& bytes, const std::string& language = "en")
    {
        std::string folder = m_catalogues.Native("locale" + std::to_string(++m_count));
        std::filesystem::create_directories(folder + "/" + language + "/LC_MESSAGES");
        lvtest::WriteNative(folder + "/" + language + "/LC_MESSAGES/lumivex.mo", bytes);
        return folder;
    }

    lvtest::TempFolder m_catalogues;
    int m_count = 0;
};

TEST_F(TranslateLocale, EnglishOnlyWhereAskedForFromASoundCatalogueWithMatchingFormats)
{
    std::string good = Compile(m_catalogues, kPo);
    ASSERT_FALSE(good.empty());
    struct Case {
        std::vector<std::pair<const char*, const char*>> environment;
        std::string catalogue;
        const char* expected;
        const char* language = "en";
    };
    const Case cases[] = {
        { { { "LANG", "en_US.UTF-8" } }, good, "OK" },
        { { { "LANG", "C" }, { "LC_MESSAGES", "en_US.UTF-8" } }, good, "OK" },
        { { { "LANG", "zh_CN.UTF-8" }, { "LANGUAGE", "en:zh_CN" } }, good, "OK" },
        { { { "LANG", "en_US.UTF-8" }, { "LC_ALL", "zh_CN.UTF-8" } }, good, "确定" },
        { { { "LANG", "C" }, { "LANGUAGE", "en" } }, good, "确定" },
        { { { "LANG", "C.UTF-8" }, { "LANGUAGE", "en" } }, good, "确定" },
        { { { "LANG", "xx_YY.UTF-8" }, { "LANGUAGE", "en" } }, good, "确定" },
        { { { "LANG", "en_US.UTF-8" } }, std::string("MOMO") + good.substr(4), "确定" },
        { { { "LANG", "en_US.UTF-8" } }, good.substr(0, good.size() / 2), "确定" },
        { { { "LANG", "en_US.UTF-8" } }, PastLastString(good), "确定" },
        { { { "LANG", "en_US.UTF-8" } }, NoEmptySlot(good), "确定" },
        // Aliases gettext expands through the C library's locale.alias.
        { { { "LANG", "en_US.UTF-8" }, { "LANGUAGE", "german" } }, good, "OK", "de" },
        { { { "LANG", "en_US.UTF-8" }, { "LANGUAGE", "german" } }, PastLastString(good), "确定", "de" },
        { { { "LANG", "en_US.UTF-8" }, { "LANGUAGE", "deutsch" } }, NoEmptySlot(good), "确定", "de" },
        { { { "LANG", "en_US.UTF-8" }, { "LANGUAGE", "de" } }, NoEmptySlot(good), "确定", "de" },
    };
    for (const Case& c : cases) {
        for (const auto& [name, value] : c.environment)
            setenv(name, value, 1);
        std::string folder = Install(c.catalogue, c.language);
        StartTranslations(folder);
        EXPECT_EQ(Translate("确定"), c.expected) << c.environment.front().second << ", catalogue folder " << folder;
        for (const auto& [name, value] : c.environment)
            unsetenv(name);
    }

    // A translation used as a format must ask for the same arguments. The
    // catalogue damaged after the check is not what gettext reads.
    setenv("LANG", "en_US.UTF-8", 1);
    std::string folder = Install(good);
    ASSERT_TRUE(StartTranslations(folder));
    lvtest::WriteNative(folder + "/en/LC_MESSAGES/lumivex.mo", PastLastString(good));
    EXPECT_EQ(TranslateFormat("第 %d 步"), "Step %d");
    EXPECT_EQ(TranslateFormat("共 %d 秒"), "共 %d 秒");
    EXPECT_EQ(Translate("未知"), "未知");
}
