#include "record/RecordFile.h"

#include <cerrno>

FileError FileErrorFromErrno(int error) {
    switch (error) {
    case 0:
        return FileError::None;
    case EEXIST:
        return FileError::Exists;
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
    case EFBIG:
        return FileError::NoSpace;
    case EACCES:
    case EPERM:
    case EROFS:
        return FileError::NoPermission;
    default:
        return FileError::Other;
    }
}

StdioRecordFile::~StdioRecordFile() {
    close();
}

FileError StdioRecordFile::create(const std::string& path) {
    close();
    if (std::FILE* existing = std::fopen(path.c_str(), "rb")) {
        std::fclose(existing);
        return FileError::Exists;
    }
    errno = 0;
    file_ = std::fopen(path.c_str(), "wb");
    if (!file_) return errno ? FileErrorFromErrno(errno) : FileError::Other;
    return FileError::None;
}

FileError StdioRecordFile::openAppend(const std::string& path) {
    close();
    errno = 0;
    if (std::FILE* existing = std::fopen(path.c_str(), "rb")) {
        std::fclose(existing);
    } else {
        return errno ? FileErrorFromErrno(errno) : FileError::Other;
    }
    errno = 0;
    file_ = std::fopen(path.c_str(), "ab");
    if (!file_) return errno ? FileErrorFromErrno(errno) : FileError::Other;
    return FileError::None;
}

FileError StdioRecordFile::append(const uint8_t* data, std::size_t size) {
    if (!file_) return FileError::Other;
    errno = 0;
    if (std::fwrite(data, 1, size, file_) == size) return FileError::None;
    return errno ? FileErrorFromErrno(errno) : FileError::Other;
}

FileError StdioRecordFile::flush() {
    if (!file_) return FileError::Other;
    errno = 0;
    if (std::fflush(file_) == 0) return FileError::None;
    return errno ? FileErrorFromErrno(errno) : FileError::Other;
}

void StdioRecordFile::close() {
    if (file_) std::fclose(file_);
    file_ = nullptr;
}
