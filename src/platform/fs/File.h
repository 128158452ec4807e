#pragma once

// An open file addressed by a Windows path, read and written without
// buffering, and the exception that reports its failures. Operations that
// fail throw FileException; Open reports failure through its result instead.

#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

namespace plat {

class FileException : public std::exception {
public:
    enum class Cause {
        None,
        Generic,
        FileNotFound,
        BadPath,
        TooManyOpenFiles,
        AccessDenied,
        BadSeek,
        HardIO,
        DiskFull,
        EndOfFile,
    };

    FileException() = default;
    FileException(Cause cause, int osError, std::string fileName);

    // The cause that fits an errno value.
    static Cause CauseFromErrno(int error);

    Cause m_cause = Cause::None;
    int m_osError = 0;
    std::string m_fileName;

    const char* what() const noexcept override { return m_message.c_str(); }

private:
    std::string m_message;
};

class File {
public:
    enum class Mode {
        Read,        // existing regular file, others may read it too
        CreateWrite, // created, or truncated when it exists
        // Created afresh: a file or link at the name is removed first and
        // no link is ever followed, so the data cannot land elsewhere.
        CreateNew,
    };
    enum class SeekFrom { Begin,
        Current,
        End };

    File() = default;
    // Opens or throws FileException.
    File(std::string_view path, Mode mode);
    ~File();
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    // False (and `error` filled when given) when the file cannot be opened.
    bool Open(std::string_view path, Mode mode, FileException* error = nullptr);
    // Closes; a failure to close (data not written) throws.
    void Close();
    // Closes and ignores any failure.
    void Abort();
    bool IsOpen() const { return m_fd >= 0; }

    // Reads until `count` bytes or the end of the file; returns the bytes read.
    std::size_t Read(void* buffer, std::size_t count);
    void Write(const void* buffer, std::size_t count);
    // Returns the new position.
    std::uint64_t Seek(std::int64_t offset, SeekFrom from);
    std::uint64_t GetLength() const;
    // The full path in Windows form, as the file was opened.
    const std::string& GetFilePath() const { return m_path; }

private:
    [[noreturn]] void Throw(int error) const;

    int m_fd = -1;
    std::string m_path;
};

}
