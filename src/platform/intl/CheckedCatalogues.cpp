#include "platform/intl/CheckedCatalogues.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <libintl.h>
#include <system_error>

namespace plat {

namespace {

// Removes the folder and everything in it when the binding is done.
class PrivateFolder {
public:
    PrivateFolder()
    {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && tmp[0] == '/' ? tmp : "/tmp") + "/lumivex-locale-XXXXXX";
        if (mkdtemp(pattern.data()))
            m_path = pattern;
    }
    ~PrivateFolder()
    {
        std::error_code error;
        if (!m_path.empty())
            std::filesystem::remove_all(m_path, error);
    }
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;

    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

bool WriteCopy(const std::string& folder, const std::string& relative, const std::vector<std::uint8_t>& bytes)
{
    std::filesystem::path file = std::filesystem::path(folder) / relative;
    std::error_code error;
    std::filesystem::create_directories(file.parent_path(), error);
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return !error && out.good();
}

}

bool BindCheckedCatalogues(const char* domain, const CatalogueCopies& copies)
{
    PrivateFolder folder;
    if (folder.Path().empty())
        return false;
    for (const auto& [relative, bytes] : copies)
        if (!WriteCopy(folder.Path(), relative, bytes))
            return false;
    if (!bindtextdomain(domain, folder.Path().c_str()) || !bind_textdomain_codeset(domain, "UTF-8"))
        return false;
    // A text no catalogue holds makes gettext try, and so load, the
    // catalogue of every language it would ever use for this domain.
    // (Held in a variable so that the catalogue's text scan does not take it
    // for a text people see.)
    static const char kInNoCatalogue[] = "\x01 lumivex: load every catalogue \x01";
    dgettext(domain, kInNoCatalogue);
    return true;
}

}
