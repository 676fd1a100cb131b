// What the FileSystemObject, its File and Folder objects and TextStream
// share: paths as scripts write them (either slash), file errors as the
// script's run-time errors, file times as dates.
#pragma once

#include <filesystem>
#include <system_error>

#include "host/script/objects/runtime_object.hpp"

namespace quibor15::script::fso {

inline constexpr int32_t kFileAlreadyExists = 58;
inline constexpr int32_t kPermissionDenied = 70;

// A script's path as the file system's: backslashes are separators.
std::filesystem::path NativePath(std::u16string_view text);
String PathText(const std::filesystem::path& path);

// The run-time error for a failed file operation: 53 (file not found),
// 76 (path not found), 58 (already exists), 70 (permission denied) or 75.
[[noreturn]] void RaiseFileError(const std::error_code& ec, bool is_folder = false);

// The time a file was last written (or read: `accessed`), as a local date.
Date FileTime(const std::filesystem::path& path, bool accessed);

// Text file modes and formats, as OpenTextFile takes them.
enum class IoMode { Reading = 1, Writing = 2, Appending = 8 };
enum class Format { Default = -2, Unicode = -1, Ansi = 0 };

// A TextStream on a file; raises the documented errors when the file cannot
// be opened that way.
ObjectRef OpenTextStream(Interpreter& interp, const std::filesystem::path& path, IoMode mode, bool create,
                         Format format);

// File and Folder objects for existing paths.
ObjectRef MakeFile(Interpreter& interp, std::filesystem::path path);
ObjectRef MakeFolder(Interpreter& interp, std::filesystem::path path);

// The copy/move/delete operations FileSystemObject and File/Folder share.
void CopyPath(const std::filesystem::path& from, const std::filesystem::path& to, bool overwrite);
void MovePath(const std::filesystem::path& from, const std::filesystem::path& to);
void DeletePath(const std::filesystem::path& path, bool is_folder);

}  // namespace quibor15::script::fso
