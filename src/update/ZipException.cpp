#include "update/ZipException.h"

#include <zlib.h>

CZipException::CZipException(int cause, std::string archivePath, std::string reason)
    : m_nCause(cause)
    , m_strArchive(std::move(archivePath))
    , m_strReason(std::move(reason))
{
}

int CZipException::CauseFromStatus(int status)
{
    switch (status) {
    case Z_STREAM_END:
        return kStreamEnd;
    case Z_NEED_DICT:
        return kNeedDictionary;
    case Z_ERRNO:
        return kSystemError;
    case Z_STREAM_ERROR:
        return kStreamError;
    case Z_DATA_ERROR:
        return kDataError;
    case Z_MEM_ERROR:
        return kMemoryError;
    case Z_BUF_ERROR:
        return kBufferError;
    case Z_VERSION_ERROR:
        return kVersionError;
    case kStatusOutOfOrder:
        return kOutOfOrder;
    case kStatusBadArchive:
        return kBadArchive;
    case kStatusBadCrc:
        return kBadCrc;
    default:
        return kGeneric;
    }
}

void CZipException::Throw(int status, const std::string& archivePath, std::string reason)
{
    throw CZipException(CauseFromStatus(status), archivePath, std::move(reason));
}
