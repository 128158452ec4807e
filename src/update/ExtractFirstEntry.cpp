#include "update/ExtractFirstEntry.h"

#include "platform/fs/File.h"
#include "platform/fs/FileOps.h"
#include "platform/fs/FileStatus.h"
#include "platform/fs/PathInsideFolder.h"
#include "update/ZipException.h"
#include "update/ZipReader.h"

#include <ctime>
#include <vector>

namespace {

constexpr std::uint32_t kOutputChunk = 10240;

// Drive and folder of a Windows path, with the trailing separator.
std::string FolderOf(const std::string& path)
{
    std::size_t slash = path.find_last_of("\\/");
    if (slash != std::string::npos)
        return path.substr(0, slash + 1);
    if (path.size() >= 2 && path[1] == ':')
        return path.substr(0, 2);
    return std::string();
}

}

// The archive path is a copy: a caller may pass one string as both.
int ExtractFirstEntry(std::string archivePath, std::string& extractedPath, std::string* reason) // NOLINT(performance-unnecessary-value-param)
{
    auto fail = [&](std::string why) {
        if (reason)
            *reason = std::move(why);
        return 1;
    };
    bool outputCreated = false;
    std::string outputPath;
    try {
        CZipReader reader(archivePath);
        reader.GoToFirstEntry();
        CZipReader::EntryInfo info;
        reader.GetEntryInfo(&info, nullptr, 0, nullptr, 0, nullptr, 0);
        std::vector<char> name(std::size_t(info.nameLength) + 1);
        reader.GetEntryInfo(&info, name.data(), info.nameLength + 1, nullptr, 0, nullptr, 0);
        std::string entryName(name.data(), info.nameLength);
        if (!plat::IsPathInsideFolder(entryName)) {
            throw CZipException(CZipException::kBadArchive, reader.ArchivePath(),
                "entry name \"" + entryName + "\" leaves the archive's folder");
        }

        // The entry's own folders are made inside the archive's folder (the
        // name was checked to stay inside it), never through a link.
        if (!plat::CreateSubfolders(FolderOf(archivePath), entryName)) {
            throw CZipException(CZipException::kBadArchive, reader.ArchivePath(),
                "the folders of entry \"" + entryName + "\" cannot be made");
        }
        plat::File output(FolderOf(archivePath) + entryName, plat::File::Mode::CreateNew);
        outputCreated = true;
        outputPath = output.GetFilePath();
        extractedPath = outputPath;

        reader.OpenEntry();
        std::vector<char> buffer(kOutputChunk);
        for (;;) {
            std::uint32_t n = reader.ReadEntry(buffer.data(), kOutputChunk);
            if (n > 0)
                output.Write(buffer.data(), n);
            if (n < kOutputChunk)
                break;
        }
        output.Close();

        plat::FileStatus status;
        status.creationTime = std::time(nullptr);
        status.lastAccessTime = status.creationTime;
        status.lastWriteTime = info.modified;
        status.attributes = 0;
        plat::SetFileStatus(outputPath, status);
        plat::SetFileAttributes(outputPath, info.externalAttributes);
        reader.CloseArchive();
    } catch (const std::exception& e) {
        // Whatever is left for the caller to check and delete must not be read-only.
        if (outputCreated)
            plat::SetFileAttributes(outputPath, 0);
        const std::string why = e.what();
        return fail(why.empty() ? "zip extraction failed" : why);
    } catch (...) {
        if (outputCreated)
            plat::SetFileAttributes(outputPath, 0);
        return fail("zip extraction failed");
    }

    try {
        plat::FileStatus status;
        if (plat::GetFileStatus(extractedPath, status)) {
            status.attributes = 0;
            plat::SetFileStatus(extractedPath, status);
        }
    } catch (const std::exception& e) {
        return fail(e.what());
    }
    return 0;
}
