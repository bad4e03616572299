#include "comkit/file_info.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Opens a regular file; -1 otherwise.
int OpenRegular(const char* path, int flags, struct stat& st)
{
    if (!path)
        return -1;
    int fd = ::open(path, flags | O_CLOEXEC, 0666);
    if (fd < 0)
        return -1;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

bool ReadFully(int fd, BYTE* dest, size_t n)
{
    while (n) {
        ssize_t r = ::read(fd, dest, n);
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0)
            return false;
        dest += r;
        n -= size_t(r);
    }
    return true;
}

bool WriteFully(int fd, const BYTE* data, size_t n)
{
    while (n) {
        ssize_t r = ::write(fd, data, n);
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0)
            return false;
        data += r;
        n -= size_t(r);
    }
    return true;
}

} // namespace

int CFileInfo::CheckExist(const char* path)
{
    struct stat st;
    return (path && ::stat(path, &st) == 0) ? 1 : 0;
}

DWORD CFileInfo::GetFileSize(const char* path)
{
    struct stat st;
    int fd = OpenRegular(path, O_RDONLY, st);
    if (fd < 0)
        return 0;
    ::close(fd);
    return DWORD(st.st_size);
}

int CFileInfo::SetFileContentToPointer(const char* path, void*& buffer, int allocate, int extraBytes)
{
    struct stat st;
    int fd = OpenRegular(path, O_RDONLY, st);
    if (fd < 0)
        return 0;
    size_t size = size_t(st.st_size);
    if (size == 0 || (!allocate && !buffer) || extraBytes < 0) {
        ::close(fd);
        return 0;
    }
    BYTE* target = static_cast<BYTE*>(buffer);
    BYTE* fresh = nullptr;
    if (allocate) {
        fresh = static_cast<BYTE*>(std::malloc(size + size_t(extraBytes)));
        if (!fresh) {
            ::close(fd);
            return 0;
        }
        target = fresh;
    }
    bool ok = ReadFully(fd, target, size);
    ::close(fd);
    if (!ok) {
        std::free(fresh);
        return 0;
    }
    if (extraBytes)
        target[size] = 0;
    if (allocate) {
        std::free(buffer);
        buffer = fresh;
    }
    return 1;
}

int CFileInfo::SetFilePointerToContent(const char* path, const void* data, DWORD length)
{
    if (length && !data)
        return 0;
    struct stat st;
    int fd = OpenRegular(path, O_RDWR | O_CREAT, st);
    if (fd < 0)
        return 0;
    bool ok = (length > 0 || st.st_size > 0) && WriteFully(fd, static_cast<const BYTE*>(data), length);
    ok = (::close(fd) == 0) && ok;
    return ok ? 1 : 0;
}
