#include "update/ZipReader.h"

#include "platform/ByteCursor.h"
#include "update/ZipException.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr std::size_t kReadBufferSize = 16384;
constexpr std::uint64_t kMaxEndRecordDistance = 65535;
constexpr std::size_t kSearchStep = 1024;
constexpr std::size_t kEndRecordSize = 22;
constexpr std::size_t kCentralHeaderSize = 46;
constexpr std::size_t kLocalHeaderSize = 30;
constexpr std::uint32_t kCentralSignature = 0x02014b50;
constexpr std::uint32_t kLocalSignature = 0x04034b50;
constexpr std::uint32_t kFlagEncrypted = 1u << 0;
constexpr std::uint32_t kFlagDataDescriptor = 1u << 3;
// The largest entry the update unpacks; a bigger one is refused before
// anything is written (an entry never delivers more than it declares).
constexpr std::uint32_t kMaxEntrySize = 512u << 20;

std::string Hex32(std::uint32_t value)
{
    char text[11];
    (void)std::snprintf(text, sizeof text, "0x%08x", static_cast<unsigned>(value));
    return text;
}

// Why an entry's data ran out before its declared size was delivered.
std::string EndsShort(std::uint32_t missing)
{
    return "entry ends " + std::to_string(missing) + " bytes short";
}

// Why a header's fields could not all be read.
std::string Truncated(const char* what, const plat::ByteCursor& cursor)
{
    return std::string(what) + " cut short at byte " + std::to_string(cursor.FailedAt());
}

std::time_t DosToCalendarTime(std::uint32_t dosDateTime)
{
    std::uint32_t date = dosDateTime >> 16;
    std::uint32_t time = dosDateTime & 0xffff;
    std::tm fields {};
    fields.tm_year = static_cast<int>((date >> 9) & 0x7f) + 80;
    fields.tm_mon = static_cast<int>((date >> 5) & 0x0f) - 1;
    fields.tm_mday = static_cast<int>(date & 0x1f);
    fields.tm_hour = static_cast<int>(time >> 11);
    fields.tm_min = static_cast<int>((time >> 5) & 0x3f);
    fields.tm_sec = static_cast<int>(time & 0x1f) * 2;
    fields.tm_isdst = -1;
    std::time_t result = std::mktime(&fields);
    return result == static_cast<std::time_t>(-1) ? 0 : result;
}

}

struct CZipReader::ReadState {
    std::unique_ptr<std::uint8_t[]> buffer { new std::uint8_t[kReadBufferSize] };
    z_stream stream {};
    bool streamInitialised = false;
    std::uint64_t nextCompressed = 0; // relative to the archive
    std::uint32_t crc = 0;
    std::uint32_t expectedCrc = 0;
    std::uint32_t compressedLeft = 0;
    std::uint32_t uncompressedLeft = 0;
    std::uint32_t method = 0;
    std::uint64_t bytesBefore = 0;
};

CZipReader::CZipReader(std::string archivePath)
    : m_archivePath(std::move(archivePath))
{
    OpenArchive();
}

CZipReader::~CZipReader()
{
    if (m_read && m_read->streamInitialised)
        inflateEnd(&m_read->stream);
    m_read.reset();
    m_file.Abort();
    for (void* block : m_allocations)
        std::free(block);
}

void CZipReader::Fail(int status, std::string reason) const
{
    CZipException::Throw(status, m_file.IsOpen() ? m_file.GetFilePath() : std::string(), std::move(reason));
}

void CZipReader::ReadAt(std::uint64_t position, void* buffer, std::size_t count)
{
    if (position > m_fileLength || count > m_fileLength - position) {
        Fail(CZipException::kStatusBadArchive, "read of " + std::to_string(count) + " bytes at offset " + std::to_string(position) + " past the end of the " + std::to_string(m_fileLength) + "-byte file");
    }
    m_file.Seek(static_cast<std::int64_t>(position), plat::File::SeekFrom::Begin);
    if (m_file.Read(buffer, count) != count)
        Fail(CZipException::kStatusBadArchive, "short read at offset " + std::to_string(position));
}

void CZipReader::OpenArchive()
{
    if (!m_file.IsOpen()) {
        plat::FileException error;
        if (!m_file.Open(m_archivePath, plat::File::Mode::Read, &error))
            throw error;
    }
    m_fileLength = m_file.GetLength();
    m_endRecordPosition = FindEndRecord();

    std::uint8_t record[kEndRecordSize];
    ReadAt(m_endRecordPosition, record, kEndRecordSize);
    plat::ByteCursor cursor(record, sizeof record);
    cursor.Skip(4);
    std::uint32_t disk = cursor.U16();
    std::uint32_t centralDisk = cursor.U16();
    std::uint32_t entriesOnDisk = cursor.U16();
    m_entryCount = cursor.U16();
    m_centralSize = cursor.U32();
    m_centralOffset = cursor.U32();
    cursor.U16(); // comment length
    if (cursor.Failed())
        Fail(CZipException::kStatusBadArchive, Truncated("end record", cursor));
    if (disk != 0 || centralDisk != 0)
        Fail(CZipException::kStatusBadArchive, "archive spans several disks");
    if (m_entryCount != entriesOnDisk) {
        Fail(CZipException::kStatusBadArchive, "end record counts differ: " + std::to_string(entriesOnDisk) + " on this disk, " + std::to_string(m_entryCount) + " in all");
    }
    // Treat an archive without entries as unusable: there is nothing to read.
    if (m_entryCount == 0)
        Fail(CZipException::kStatusBadArchive, "archive has no entries");
    std::uint64_t centralEnd = std::uint64_t(m_centralOffset) + m_centralSize;
    if (m_endRecordPosition < centralEnd) {
        Fail(CZipException::kStatusBadArchive, "central directory ends at offset " + std::to_string(centralEnd) + ", after the end record at " + std::to_string(m_endRecordPosition));
    }
    m_bytesBefore = m_endRecordPosition - centralEnd;
    GoToFirstEntry();
}

std::uint64_t CZipReader::FindEndRecord()
{
    const std::uint64_t size = m_fileLength;
    const std::uint64_t maxBack = std::min(kMaxEndRecordDistance, size);
    std::uint8_t block[kSearchStep + 4];
    std::uint64_t back = 4;
    while (back < maxBack) {
        back = std::min(back + kSearchStep, maxBack);
        std::uint64_t readPos = size - back;
        std::size_t readSize = static_cast<std::size_t>(std::min<std::uint64_t>(sizeof block, size - readPos));
        ReadAt(readPos, block, readSize);
        for (std::size_t i = readSize - 4 + 1; i-- > 0;) {
            if (block[i] == 0x50 && block[i + 1] == 0x4b && block[i + 2] == 0x05 && block[i + 3] == 0x06) {
                std::uint64_t found = readPos + i;
                // A record at the very start leaves no room for a central directory.
                if (found == 0)
                    Fail(CZipException::kStatusBadArchive, "end record at offset 0 leaves no room for entries");
                return found;
            }
        }
    }
    Fail(CZipException::kStatusBadArchive, "no end record in the last " + std::to_string(maxBack) + " bytes");
}

void CZipReader::GoToFirstEntry()
{
    m_currentHeaderPosition = m_centralOffset;
    m_currentValid = false;
    ReadCentralHeader(m_entry, nullptr, 0, nullptr, 0, nullptr, 0);
    m_currentValid = true;
}

void CZipReader::ReadCentralHeader(EntryInfo& info, char* name, std::uint32_t nameSize, void* extra,
    std::uint32_t extraSize, char* comment, std::uint32_t commentSize)
{
    const std::uint64_t position = m_currentHeaderPosition + m_bytesBefore;
    std::uint8_t header[kCentralHeaderSize];
    ReadAt(position, header, sizeof header);
    plat::ByteCursor cursor(header, sizeof header);
    if (cursor.U32() != kCentralSignature)
        Fail(CZipException::kStatusBadArchive, "no central header at offset " + std::to_string(position));
    EntryInfo read;
    read.versionMadeBy = cursor.U16();
    read.versionNeeded = cursor.U16();
    read.flags = cursor.U16();
    read.method = cursor.U16();
    read.dosDateTime = cursor.U32();
    read.crc = cursor.U32();
    read.compressedSize = cursor.U32();
    read.uncompressedSize = cursor.U32();
    read.nameLength = cursor.U16();
    read.extraLength = cursor.U16();
    read.commentLength = cursor.U16();
    read.diskNumberStart = cursor.U16();
    read.internalAttributes = cursor.U16();
    read.externalAttributes = cursor.U32();
    read.localHeaderOffset = cursor.U32();
    if (cursor.Failed())
        Fail(CZipException::kStatusBadArchive, Truncated("central header", cursor));
    // An encrypted entry would decode to ciphertext: not one we can deliver.
    if (read.flags & kFlagEncrypted)
        Fail(CZipException::kStatusBadArchive, "central header marks the entry encrypted");
    if (read.uncompressedSize > kMaxEntrySize) {
        Fail(CZipException::kStatusBadArchive, "entry declares " + std::to_string(read.uncompressedSize) + " bytes, more than the " + std::to_string(kMaxEntrySize) + " unpacked at most");
    }
    read.modified = DosToCalendarTime(read.dosDateTime);

    std::uint64_t at = position + kCentralHeaderSize;
    if (name) {
        std::uint32_t count = std::min(read.nameLength, nameSize);
        ReadAt(at, name, count);
        if (nameSize > read.nameLength)
            name[read.nameLength] = '\0';
    }
    at += read.nameLength;
    if (extra)
        ReadAt(at, extra, std::min(read.extraLength, extraSize));
    at += read.extraLength;
    if (comment) {
        std::uint32_t count = std::min(read.commentLength, commentSize);
        ReadAt(at, comment, count);
        if (commentSize > read.commentLength)
            comment[read.commentLength] = '\0';
    }
    info = read;
}

void CZipReader::GetEntryInfo(EntryInfo* info, char* name, std::uint32_t nameSize, void* extra,
    std::uint32_t extraSize, char* comment, std::uint32_t commentSize)
{
    if (!m_currentValid)
        Fail(CZipException::kStatusOutOfOrder, "no current entry");
    EntryInfo read;
    ReadCentralHeader(read, name, nameSize, extra, extraSize, comment, commentSize);
    if (info)
        *info = read;
}

std::uint64_t CZipReader::CheckLocalHeader()
{
    const std::uint64_t position = std::uint64_t(m_entry.localHeaderOffset) + m_bytesBefore;
    std::uint8_t header[kLocalHeaderSize];
    ReadAt(position, header, sizeof header);
    plat::ByteCursor cursor(header, sizeof header);
    const std::uint32_t signature = cursor.U32();
    cursor.Skip(2);
    std::uint32_t flags = cursor.U16();
    std::uint32_t method = cursor.U16();
    cursor.Skip(4);
    std::uint32_t crc = cursor.U32();
    std::uint32_t compressedSize = cursor.U32();
    std::uint32_t uncompressedSize = cursor.U32();
    std::uint32_t nameLength = cursor.U16();
    std::uint32_t extraLength = cursor.U16();
    const int bad = CZipException::kStatusBadArchive;
    if (cursor.Failed())
        Fail(bad, Truncated("local header", cursor));
    if (signature != kLocalSignature)
        Fail(bad, "no local header at offset " + std::to_string(position));
    if (method != m_entry.method) {
        Fail(bad, "local header method " + std::to_string(method) + " disagrees with the central one (" + std::to_string(m_entry.method) + ")");
    }
    if (method != kStored && method != kDeflated)
        Fail(bad, "compression method " + std::to_string(method) + " not supported");
    if (flags & kFlagEncrypted)
        Fail(bad, "local header marks the entry encrypted");
    // With a data descriptor the local CRC and sizes may be zero.
    if (!(flags & kFlagDataDescriptor)) {
        if (crc != m_entry.crc)
            Fail(bad, "local header CRC-32 " + Hex32(crc) + " disagrees with the central one (" + Hex32(m_entry.crc) + ")");
        if (compressedSize != m_entry.compressedSize || uncompressedSize != m_entry.uncompressedSize) {
            Fail(bad, "local header sizes " + std::to_string(compressedSize) + "/" + std::to_string(uncompressedSize) + " disagree with the central ones (" + std::to_string(m_entry.compressedSize) + "/" + std::to_string(m_entry.uncompressedSize) + ")");
        }
    }
    if (nameLength != m_entry.nameLength) {
        Fail(bad, "local header name length " + std::to_string(nameLength) + " disagrees with the central one (" + std::to_string(m_entry.nameLength) + ")");
    }
    return std::uint64_t(m_entry.localHeaderOffset) + kLocalHeaderSize + nameLength + extraLength;
}

voidpf CZipReader::Allocate(voidpf list, uInt items, uInt size)
{
    auto* allocations = static_cast<std::vector<void*>*>(list);
    if (size != 0 && items > SIZE_MAX / size)
        return Z_NULL;
    void* block = std::malloc(std::size_t(items) * size);
    if (!block)
        return Z_NULL;
    try {
        allocations->push_back(block);
    } catch (const std::bad_alloc&) {
        std::free(block);
        return Z_NULL;
    }
    return block;
}

void CZipReader::Free(voidpf list, voidpf block)
{
    auto* allocations = static_cast<std::vector<void*>*>(list);
    auto found = std::find(allocations->begin(), allocations->end(), block);
    if (found != allocations->end())
        allocations->erase(found);
    std::free(block);
}

void CZipReader::OpenEntry()
{
    if (!m_currentValid)
        Fail(CZipException::kStatusOutOfOrder, "no current entry");
    if (m_read)
        CloseEntry();
    std::uint64_t dataStart = CheckLocalHeader();

    auto state = std::make_unique<ReadState>();
    state->expectedCrc = m_entry.crc;
    state->method = m_entry.method;
    state->bytesBefore = m_bytesBefore;
    if (state->method == kDeflated) {
        state->stream.zalloc = &CZipReader::Allocate;
        state->stream.zfree = &CZipReader::Free;
        state->stream.opaque = &m_allocations;
        int status = inflateInit2(&state->stream, -MAX_WBITS);
        if (status != Z_OK)
            Fail(status, "inflateInit2 returned " + std::to_string(status));
        state->streamInitialised = true;
    }
    state->compressedLeft = m_entry.compressedSize;
    state->uncompressedLeft = m_entry.uncompressedSize;
    state->nextCompressed = dataStart;
    m_read = std::move(state);
}

std::uint32_t CZipReader::ReadEntry(void* buffer, std::uint32_t length)
{
    if (!m_read)
        Fail(CZipException::kStatusOutOfOrder, "no open entry");
    if (length == 0 || !buffer)
        return 0;
    ReadState& state = *m_read;
    z_stream& stream = state.stream;
    auto* out = static_cast<std::uint8_t*>(buffer);
    std::uint32_t want = std::min(length, state.uncompressedLeft);
    std::uint32_t count = 0;
    while (want > 0) {
        if (stream.avail_in == 0 && state.compressedLeft > 0) {
            std::uint32_t chunk = std::min<std::uint32_t>(kReadBufferSize, state.compressedLeft);
            ReadAt(state.nextCompressed + state.bytesBefore, state.buffer.get(), chunk);
            state.nextCompressed += chunk;
            state.compressedLeft -= chunk;
            stream.next_in = state.buffer.get();
            stream.avail_in = chunk;
        }
        if (state.method == kStored) {
            if (stream.avail_in == 0)
                Fail(CZipException::kStatusBadArchive, EndsShort(state.uncompressedLeft));
            std::uint32_t n = std::min(want, stream.avail_in);
            std::memcpy(out + count, stream.next_in, n);
            state.crc = static_cast<std::uint32_t>(crc32(state.crc, out + count, n));
            stream.next_in += n;
            stream.avail_in -= n;
            want -= n;
            state.uncompressedLeft -= n;
            count += n;
            continue;
        }
        stream.next_out = out + count;
        stream.avail_out = want;
        int status = inflate(&stream, Z_SYNC_FLUSH);
        std::uint32_t n = want - stream.avail_out;
        state.crc = static_cast<std::uint32_t>(crc32(state.crc, out + count, n));
        want -= n;
        state.uncompressedLeft -= n;
        count += n;
        if (status == Z_STREAM_END && state.uncompressedLeft > 0)
            Fail(CZipException::kStatusBadArchive, EndsShort(state.uncompressedLeft));
        if (status == Z_STREAM_END)
            return count;
        // All the compressed data was given and inflate wants more.
        if (status == Z_BUF_ERROR && stream.avail_in == 0 && state.compressedLeft == 0)
            Fail(CZipException::kStatusBadArchive, EndsShort(state.uncompressedLeft));
        if (status != Z_OK) {
            const std::string detail = stream.msg ? std::string(": ") + stream.msg : std::string();
            Fail(status, "inflate returned " + std::to_string(status) + detail);
        }
    }
    return count;
}

void CZipReader::CloseEntry()
{
    if (!m_read)
        return;
    if (m_read->uncompressedLeft == 0 && m_read->crc != m_read->expectedCrc)
        Fail(CZipException::kStatusBadCrc, "CRC-32 " + Hex32(m_read->crc) + ", expected " + Hex32(m_read->expectedCrc));
    if (m_read->streamInitialised)
        inflateEnd(&m_read->stream);
    m_read.reset();
}

void CZipReader::CloseArchive()
{
    CloseEntry();
    if (m_file.IsOpen())
        m_file.Close();
}
