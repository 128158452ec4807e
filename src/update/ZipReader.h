#pragma once

// Reader of one-disk zip archives: entries stored or deflated, up to 512 MB
// each (a larger one is a bad archive), no encryption,
// no 64-bit extensions. Every error throws: CZipException for the archive's
// content, plat::FileException for the file underneath.

#include "platform/fs/File.h"

#include <zlib.h>

#include <cstdint>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

class CZipReader {
public:
    // The current entry's central header, fields widened to 32 bits.
    struct EntryInfo {
        std::uint32_t versionMadeBy = 0;
        std::uint32_t versionNeeded = 0;
        std::uint32_t flags = 0;
        std::uint32_t method = 0;
        std::uint32_t dosDateTime = 0; // date in the high half, time in the low
        std::uint32_t crc = 0;
        std::uint32_t compressedSize = 0;
        std::uint32_t uncompressedSize = 0;
        std::uint32_t nameLength = 0;
        std::uint32_t extraLength = 0;
        std::uint32_t commentLength = 0;
        std::uint32_t diskNumberStart = 0;
        std::uint32_t internalAttributes = 0;
        std::uint32_t externalAttributes = 0;
        std::time_t modified = 0; // local time from the DOS date and time
        std::uint32_t localHeaderOffset = 0;
    };

    static constexpr std::uint32_t kStored = 0;
    static constexpr std::uint32_t kDeflated = 8;

    // Opens the archive (Windows path) and reads its first central header.
    explicit CZipReader(std::string archivePath);
    virtual ~CZipReader();
    CZipReader(const CZipReader&) = delete;
    CZipReader& operator=(const CZipReader&) = delete;

    void GoToFirstEntry();
    // Copies the current entry's information and, into each buffer given, as
    // much of its name, extra field and comment as fits. The name and the
    // comment get a zero byte after them when there is room.
    void GetEntryInfo(EntryInfo* info, char* name, std::uint32_t nameSize, void* extra, std::uint32_t extraSize,
        char* comment, std::uint32_t commentSize);
    void OpenEntry();
    // Delivers up to `length` bytes of the open entry; fewer at its end. Data
    // that ends before the declared size is a bad archive ("entry ends N
    // bytes short"), stored or deflated.
    std::uint32_t ReadEntry(void* buffer, std::uint32_t length);
    // Closes the open entry; throws on a CRC-32 mismatch once every byte has
    // been delivered.
    void CloseEntry();
    void CloseArchive();

    const std::string& ArchivePath() const { return m_archivePath; }

private:
    struct ReadState;

    [[noreturn]] void Fail(int status, std::string reason) const;
    void OpenArchive();
    std::uint64_t FindEndRecord();
    void ReadCentralHeader(EntryInfo& info, char* name, std::uint32_t nameSize, void* extra,
        std::uint32_t extraSize, char* comment, std::uint32_t commentSize);
    // Offset of the entry's data after checking its local header.
    std::uint64_t CheckLocalHeader();
    // Exactly `count` bytes at `position` (absolute); a short read is a bad archive.
    void ReadAt(std::uint64_t position, void* buffer, std::size_t count);

    static voidpf Allocate(voidpf list, uInt items, uInt size);
    static void Free(voidpf list, voidpf block);

    // Blocks zlib holds through Allocate, in order of allocation.
    std::vector<void*> m_allocations;
    std::string m_archivePath;
    plat::File m_file;

    std::uint64_t m_fileLength = 0;
    std::uint32_t m_entryCount = 0;
    std::uint64_t m_bytesBefore = 0;
    std::uint64_t m_endRecordPosition = 0;
    std::uint32_t m_centralSize = 0;
    std::uint32_t m_centralOffset = 0;
    std::uint64_t m_currentHeaderPosition = 0;
    bool m_currentValid = false;
    EntryInfo m_entry;
    std::unique_ptr<ReadState> m_read;
};
