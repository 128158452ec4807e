// libFuzzer entry: any bytes as data\main.htm, and as text to convert. Lines
// never hold a break or outer blanks, lists respect their capacity, and the
// replacing conversions always succeed with well-formed output.

#include "localdata/FieldList.h"
#include "localdata/TaggedFile.h"
#include "platform/text/Cp936.h"
#include "platform/text/Utf8.h"

#include <cstdlib>
#include <fstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Relative to the working directory, which the check script makes a temporary folder.
    const std::string path = "main.htm";
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(size));

    CTextLines lines;
    if (lines.Load(path) != 0)
        std::abort();
    std::string line;
    while (lines.ReadLine(line) == 0) {
        if (line.find_first_of("\r\n") != std::string::npos)
            std::abort();
        if (!line.empty() && (line.front() == ' ' || line.back() == ' ' || line.front() == '\t'))
            std::abort();
    }

    CTaggedFile file;
    file.Load(path);
    file.GetValue("[MAIN_URL]");
    std::string items[3];
    if (file.GetList("[TAMREL_BEGIN]", "[TAMREL_END]", items, 3) > 3)
        std::abort();

    CFieldList fields;
    if (fields.Split(bytes, ',') > CFieldList::kMaxFields)
        std::abort();

    plat::ConversionResult utf8 = plat::Cp936ToUtf8(bytes, plat::BadInput::Replace);
    if (!utf8.Ok() || !plat::IsValidUtf8(utf8.text))
        std::abort();
    if (!plat::Utf8ToCp936(bytes, plat::BadInput::Replace).Ok())
        std::abort();
    return 0;
}
