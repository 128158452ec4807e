// libFuzzer entry: any bytes as a registry store. Reading never fails hard,
// and a store with a header plus one appended section always has that key.

#include "platform/reg/RegText.h"

#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string text(reinterpret_cast<const char*>(data), size);
    plat::reg::Tree tree = plat::reg::ParseText(text);
    if (const plat::reg::Key* key = tree.FindKey("HKEY_LOCAL_MACHINE\\software\\brindle\\skiff"))
        key->Find("path");
    std::string stored = "REGEDIT4\n" + text + "\n\n" + plat::reg::SectionLine("HKEY_LOCAL_MACHINE\\x\\y", "\n");
    if (!plat::reg::ParseText(stored).HasKey("hkey_local_machine\\X\\Y"))
        std::abort();
    return 0;
}
