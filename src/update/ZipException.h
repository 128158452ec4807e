#pragma once

// The zip reader's error: a cause from the table below, the archive that was
// open and what the failing check found (what(), for tests and debug logs).
// Thrown and caught only inside the zip module.

#include <exception>
#include <string>

class CZipException : public std::exception {
public:
    // Causes.
    static constexpr int kGeneric = 1;
    static constexpr int kStreamEnd = 2;
    static constexpr int kNeedDictionary = 3;
    static constexpr int kSystemError = 4;
    static constexpr int kStreamError = 5;
    static constexpr int kDataError = 6;
    static constexpr int kMemoryError = 7;
    static constexpr int kBufferError = 8;
    static constexpr int kVersionError = 9;
    static constexpr int kOutOfOrder = 10;
    static constexpr int kBadArchive = 11;
    static constexpr int kBadCrc = 12;

    // Statuses of the reader itself; zlib's statuses keep their own values.
    static constexpr int kStatusOutOfOrder = -102;
    static constexpr int kStatusBadArchive = -103;
    static constexpr int kStatusBadCrc = -105;

    CZipException(int cause, std::string archivePath, std::string reason = {});

    // The cause for a zlib or reader status.
    static int CauseFromStatus(int status);
    [[noreturn]] static void Throw(int status, const std::string& archivePath, std::string reason);

    const char* what() const noexcept override { return m_strReason.c_str(); }

    int m_nCause = kGeneric;
    std::string m_strArchive;
    std::string m_strReason;
};
