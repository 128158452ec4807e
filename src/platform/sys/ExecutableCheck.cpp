#include "platform/sys/ExecutableCheck.h"

#include "platform/fs/PathMap.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace plat {

namespace {

constexpr std::size_t kIdentSize = 16;
constexpr unsigned char kClass64 = 2;
constexpr unsigned char kLittleEndian = 1;
constexpr std::uint16_t kTypeExecutable = 2;
constexpr std::uint16_t kTypeShared = 3; // position-independent executables and shared libraries
constexpr std::uint32_t kSegmentInterpreter = 3;

// Reads exactly `size` bytes at `offset`; false on a short read.
bool ReadAt(int fd, std::uint64_t offset, void* buffer, std::size_t size)
{
    auto* out = static_cast<char*>(buffer);
    while (size > 0) {
        ssize_t n = ::pread(fd, out, size, static_cast<off_t>(offset));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        out += n;
        offset += static_cast<std::uint64_t>(n);
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

// Header fields in the file's byte order and word size; a read past the end
// of the bytes yields 0 and marks the cursor as failed.
class HeaderCursor {
public:
    HeaderCursor(const unsigned char* bytes, std::size_t size, bool wide, bool little)
        : m_bytes(bytes)
        , m_size(size)
        , m_wide(wide)
        , m_little(little)
    {
    }

    std::uint64_t Field(std::size_t offset, std::size_t width)
    {
        if (offset > m_size || width > m_size - offset) {
            m_failed = true;
            return 0;
        }
        std::uint64_t value = 0;
        for (std::size_t i = 0; i < width; ++i) {
            std::size_t at = m_little ? width - 1 - i : i;
            value = (value << 8) | m_bytes[offset + at];
        }
        return value;
    }
    // A field that is 4 bytes in 32-bit files and 8 in 64-bit ones.
    std::uint64_t Word(std::size_t offset32, std::size_t offset64)
    {
        return m_wide ? Field(offset64, 8) : Field(offset32, 4);
    }
    bool Failed() const { return m_failed; }

private:
    const unsigned char* m_bytes;
    std::size_t m_size;
    bool m_wide;
    bool m_little;
    bool m_failed = false;
};

struct Machine {
    unsigned char wordClass = 0;
    unsigned char byteOrder = 0;
    std::uint16_t machine = 0;
    bool operator==(const Machine&) const = default;
};

std::optional<Machine> MachineOf(const unsigned char* header, std::size_t size)
{
    if (size < kIdentSize + 4 || std::memcmp(header, "\177ELF", 4) != 0)
        return std::nullopt;
    Machine m { header[4], header[5], 0 };
    if ((m.wordClass != 1 && m.wordClass != 2) || (m.byteOrder != 1 && m.byteOrder != 2) || header[6] != 1)
        return std::nullopt;
    HeaderCursor cursor(header, size, m.wordClass == kClass64, m.byteOrder == kLittleEndian);
    std::uint16_t type = static_cast<std::uint16_t>(cursor.Field(16, 2));
    m.machine = static_cast<std::uint16_t>(cursor.Field(18, 2));
    if (type != kTypeExecutable && type != kTypeShared)
        return std::nullopt;
    return m;
}

// The kind of executable this process is, read from its own image once.
const std::optional<Machine>& ThisMachine()
{
    static const std::optional<Machine> machine = []() -> std::optional<Machine> {
        int fd = ::open("/proc/self/exe", O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return std::nullopt;
        std::array<unsigned char, 64> header {};
        bool read = ReadAt(fd, 0, header.data(), header.size());
        ::close(fd);
        return read ? MachineOf(header.data(), header.size()) : std::nullopt;
    }();
    return machine;
}

// Every program header and every segment's bytes, and the section headers
// when there are any, must lie inside the file. A shared object is a program
// only when it names a program interpreter: a library has none and crashes
// when started.
ExecutableCheck CheckLayout(int fd, const unsigned char* header, std::size_t headerSize, bool wide, bool little,
    std::uint64_t fileSize)
{
    HeaderCursor h(header, headerSize, wide, little);
    const bool shared = h.Field(16, 2) == kTypeShared;
    std::uint64_t phoff = h.Word(28, 32);
    std::uint64_t shoff = h.Word(32, 40);
    std::uint64_t phentsize = h.Field(wide ? 54 : 42, 2);
    std::uint64_t phnum = h.Field(wide ? 56 : 44, 2);
    std::uint64_t shentsize = h.Field(wide ? 58 : 46, 2);
    std::uint64_t shnum = h.Field(wide ? 60 : 48, 2);
    if (h.Failed())
        return ExecutableCheck::Truncated;
    auto inside = [fileSize](std::uint64_t offset, std::uint64_t length) {
        return offset <= fileSize && length <= fileSize - offset;
    };
    std::uint64_t minEntry = wide ? 56 : 32;
    if (phnum == 0 || phentsize < minEntry)
        return ExecutableCheck::NotExecutable;
    if (!inside(phoff, phentsize * phnum) || (shoff != 0 && !inside(shoff, shentsize * shnum)))
        return ExecutableCheck::Truncated;
    std::vector<unsigned char> table(phentsize * phnum);
    if (!ReadAt(fd, phoff, table.data(), table.size()))
        return ExecutableCheck::Truncated;
    bool interpreter = false;
    for (std::uint64_t i = 0; i < phnum; ++i) {
        HeaderCursor p(table.data() + i * phentsize, phentsize, wide, little);
        interpreter = interpreter || p.Field(0, 4) == kSegmentInterpreter;
        std::uint64_t offset = p.Word(4, 8);
        std::uint64_t size = p.Word(16, 32);
        if (p.Failed() || !inside(offset, size))
            return ExecutableCheck::Truncated;
    }
    return shared && !interpreter ? ExecutableCheck::NotExecutable : ExecutableCheck::Ok;
}

}

ExecutableCheck CheckExecutable(std::string_view path, std::uint64_t maxSize)
{
    auto native = NativePath(path);
    struct stat info { };
    if (!native || ::lstat(native->c_str(), &info) != 0)
        return ExecutableCheck::Missing;
    if (S_ISLNK(info.st_mode))
        return ExecutableCheck::SymbolicLink;
    if (S_ISDIR(info.st_mode))
        return ExecutableCheck::Folder;
    if (!S_ISREG(info.st_mode))
        return ExecutableCheck::NotRegular;
    int fd = ::open(native->c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0)
        return ExecutableCheck::Unreadable;
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer { fd };
    // The file may have changed since lstat: judge the one that is open.
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
        return ExecutableCheck::NotRegular;
    std::uint64_t size = static_cast<std::uint64_t>(info.st_size);
    if (size == 0)
        return ExecutableCheck::Empty;
    if (size > maxSize)
        return ExecutableCheck::TooLarge;
    std::array<unsigned char, 64> header {};
    std::size_t headerSize = static_cast<std::size_t>(std::min<std::uint64_t>(size, header.size()));
    if (!ReadAt(fd, 0, header.data(), headerSize))
        return ExecutableCheck::Unreadable;
    if (headerSize < 4 || std::memcmp(header.data(), "\177ELF", 4) != 0)
        return ExecutableCheck::NotExecutable;
    std::optional<Machine> machine = MachineOf(header.data(), headerSize);
    if (!machine) {
        // Starts like an executable but its header is cut short or invalid.
        return headerSize < header.size() ? ExecutableCheck::Truncated : ExecutableCheck::NotExecutable;
    }
    if (!ThisMachine() || !(*machine == *ThisMachine()))
        return ExecutableCheck::OtherMachine;
    bool wide = machine->wordClass == kClass64;
    std::size_t needed = wide ? 64 : 52;
    if (headerSize < needed)
        return ExecutableCheck::Truncated;
    return CheckLayout(fd, header.data(), headerSize, wide, machine->byteOrder == kLittleEndian, size);
}

}
