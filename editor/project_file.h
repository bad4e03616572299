// The project's file flow without the windows: open with the signature check, save without ever
// destroying the user's file, and the save-name rules of the save command.
#pragma once

#include "editor/editor_api.h"

#include "comkit/types.h"

#include <memory>
#include <string>
#include <vector>

class CProject;

class EDITOR_API CProjectFile {
public:
    // Files larger than this are no project the editor can make; they are refused unread.
    static constexpr DWORD MAX_FILE_SIZE = 64u << 20;

    // Reads a project (COMMON_EX::ReadWholeFile: a regular file or "-", at most MAX_FILE_SIZE
    // bytes). The header is checked before any project is created; a file that fails
    // the check, or does not load to its exact length, gives the text of string 3002. Returns the
    // new project or null with the reason in `error` (UTF-8).
    static std::unique_ptr<CProject> Open(const std::string& path, std::string& error);
    // The same from bytes already in memory (the clipboard of a drop, tests).
    static std::unique_ptr<CProject> OpenBytes(const std::vector<BYTE>& bytes, std::string& error);

    // Writes the project's file image beside `path` and renames it over the old file, so a failed
    // save leaves the old file as it was; through a symbolic link, the file it points to is
    // replaced and the link kept (COMMON_EX::ReplaceWholeFile: a FIFO, a device, a read-only file
    // or a link to a missing file are refused). False with the reason in `error`.
    static bool Save(const std::string& path, CProject& project, std::string& error);
    // The file image of the project; false (error set) when it cannot be made.
    static bool SaveBytes(CProject& project, std::vector<BYTE>& bytes, std::string& error);

    // The save command's rules: the name proposed for a document title ("abc.txt" -> "abc.ZQE",
    // "abc" -> "abc.ZQE"), and the path taken from the dialog (trailing white space trimmed,
    // ".ZQE" appended unless the name already ends in it, in any letter case).
    static std::string ProposeSaveName(const std::string& title);
    static std::string NormalizeSavePath(const std::string& chosen);
};
