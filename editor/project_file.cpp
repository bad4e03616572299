#include "editor/project_file.h"

#include "comkit/message_text.h"
#include "comkit/replace_file.h"
#include "editor/editor_strings.h"
#include "editor/project.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char* const ZQE_EXTENSION = ".ZQE";

// A message about path (context "Files"), %1 the path and %2 what follows.
std::string FileText(const char* text, const std::string& path, const std::string& detail = std::string())
{
    return COMMON_EX::TrArgs("Files", text, {path, detail});
}

std::string DamagedText()
{
    return COMMON_EX::Tr("EditorStrings", CEditorStrings::Get(CEditorStrings::IDS_PROJECT_DAMAGED));
}

// The file a symbolic link leads to; any other path as it is.
std::string LinkTarget(const std::string& path)
{
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
        return path;
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (!resolved) // a dangling link: replaced like a plain name
        return path;
    const std::string target(resolved);
    std::free(resolved);
    return target;
}

} // namespace

std::unique_ptr<CProject> CProjectFile::Open(const std::string& path, std::string& error)
{
    std::vector<BYTE> bytes;
    if (!ReadFile(path, MAX_FILE_SIZE, bytes, error))
        return nullptr;
    return OpenBytes(bytes, error);
}

std::unique_ptr<CProject> CProjectFile::OpenBytes(const std::vector<BYTE>& bytes, std::string& error)
{
    const DWORD size = static_cast<DWORD>(bytes.size());
    if (bytes.size() > MAX_FILE_SIZE || !CProject::CheckSignature(bytes.data(), size)) {
        error = DamagedText();
        return nullptr;
    }
    std::vector<BYTE> data(bytes); // Load takes a writable buffer
    auto project = std::make_unique<CProject>();
    if (project->Load(data.data(), size) != size) {
        error = DamagedText();
        return nullptr;
    }
    return project;
}

bool CProjectFile::Save(const std::string& path, CProject& project, std::string& error)
{
    std::vector<BYTE> bytes;
    return SaveBytes(project, bytes, error) && WriteFileAtomically(path, bytes.data(), bytes.size(), error);
}

bool CProjectFile::SaveBytes(CProject& project, std::vector<BYTE>& bytes, std::string& error)
{
    const DWORD size = project.Save(nullptr, 0);
    bytes.assign(size, 0);
    if (size == 0 || project.Save(bytes.data(), size) != size) {
        bytes.clear();
        error =
            COMMON_EX::Tr("Project", QT_TRANSLATE_NOOP("Project", "the project has no complete panel model to save"));
        return false;
    }
    return true;
}

bool CProjectFile::ReadFile(const std::string& path, DWORD maxSize, std::vector<BYTE>& bytes, std::string& error)
{
    bytes.clear();
    // Opened without waiting, so a FIFO or a device without a writer cannot block the open;
    // only regular files are read, and those in the ordinary blocking way.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        error = COMMON_EX::TrSystemError("Files", QT_TRANSLATE_NOOP("Files", "cannot open %1: %2"), path);
        return false;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        error = FileText(QT_TRANSLATE_NOOP("Files", "cannot read %1: not a regular file"), path);
        ::close(fd);
        return false;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (static_cast<unsigned long long>(st.st_size) > maxSize) {
        error =
            FileText(QT_TRANSLATE_NOOP("Files", "cannot read %1: larger than %2 bytes"), path, std::to_string(maxSize));
        ::close(fd);
        return false;
    }
    // Read up to one byte more than the limit, in case the file grew since fstat.
    bytes.resize(std::min<size_t>(maxSize, static_cast<size_t>(st.st_size)) + 1);
    size_t got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            error = COMMON_EX::TrSystemError("Files", QT_TRANSLATE_NOOP("Files", "cannot read %1: %2"), path);
            ::close(fd);
            bytes.clear();
            return false;
        }
        if (n == 0)
            break;
        got += static_cast<size_t>(n);
    }
    ::close(fd);
    if (got > maxSize) {
        error =
            FileText(QT_TRANSLATE_NOOP("Files", "cannot read %1: larger than %2 bytes"), path, std::to_string(maxSize));
        bytes.clear();
        return false;
    }
    bytes.resize(got);
    return true;
}

bool CProjectFile::WriteFileAtomically(const std::string& linkOrPath, const BYTE* data, size_t size, std::string& error)
{
    // A link stays a link: the file it points to is the one replaced.
    const std::string path = LinkTarget(linkOrPath);
    // Only a regular file the user may write, or a new name, is replaced: the rename would
    // otherwise swap a device, a FIFO or a read-only file for a plain file.
    struct stat st;
    if (::lstat(path.c_str(), &st) == 0) {
        if (S_ISLNK(st.st_mode)) {
            error = FileText(QT_TRANSLATE_NOOP("Files", "will not write %1: it is a link to a missing file"), path);
            return false;
        }
        if (!S_ISREG(st.st_mode)) {
            error = FileText(QT_TRANSLATE_NOOP("Files", "will not write %1: not a regular file"), path);
            return false;
        }
        // Marked read-only for everyone: kept even from a user the system would let write it.
        if ((st.st_mode & 0222) == 0) {
            error = FileText(QT_TRANSLATE_NOOP("Files", "will not write %1: the file is read-only"), path);
            return false;
        }
    }
    return COMMON_EX::ReplaceFileContent(path, std::string(reinterpret_cast<const char*>(data), size), &error);
}

std::string CProjectFile::ProposeSaveName(const std::string& title)
{
    const size_t dot = title.rfind('.');
    return (dot == std::string::npos ? title : title.substr(0, dot)) + ZQE_EXTENSION;
}

std::string CProjectFile::NormalizeSavePath(const std::string& chosen)
{
    std::string path = chosen;
    while (!path.empty() && std::isspace(static_cast<unsigned char>(path.back())))
        path.pop_back();
    std::string tail = path.size() >= 4 ? path.substr(path.size() - 4) : std::string();
    for (char& c : tail)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (tail != ZQE_EXTENSION)
        path += ZQE_EXTENSION;
    return path;
}
