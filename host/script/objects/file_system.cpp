// Scripting.FileSystemObject: paths as text, files and folders by path, and
// text files through TextStream. Paths may use either slash; a path the
// object builds uses the separator its input did, or '/'.
#include "host/script/objects/file_system.hpp"

#include <sys/stat.h>

#include <random>

#include "host/script/script_error.hpp"
#include "host/script/text.hpp"

namespace quibor15::script::fso {

namespace fs = std::filesystem;

std::filesystem::path NativePath(std::u16string_view text) {
    String s(text);
    for (char16_t& c : s) {
        if (c == u'\\') c = u'/';
    }
    return fs::path(ToUtf8(s));
}

String PathText(const std::filesystem::path& path) {
    String out;
    if (!FromUtf8(path.string(), out)) out = FromWindows1252(path.string());
    return out;
}

void RaiseFileError(const std::error_code& ec, bool is_folder) {
    if (ec == std::errc::no_such_file_or_directory) RaiseScriptError(is_folder ? rt::kPathNotFound : rt::kFileNotFound);
    if (ec == std::errc::file_exists || ec == std::errc::directory_not_empty) RaiseScriptError(kFileAlreadyExists);
    if (ec == std::errc::permission_denied || ec == std::errc::operation_not_permitted) {
        RaiseScriptError(kPermissionDenied);
    }
    RaiseScriptError(rt::kPathFileAccessError);
}

Date FileTime(const std::filesystem::path& path, bool accessed) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) RaiseFileError(std::error_code(errno, std::generic_category()));
    const std::time_t t = accessed ? st.st_atim.tv_sec : st.st_mtim.tv_sec;
    std::tm local{};
    localtime_r(&t, &local);
    const double day = DateFromParts(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday).serial;
    return Date{day + (local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec) / 86400.0};
}

void CopyPath(const fs::path& from, const fs::path& to, bool overwrite) {
    std::error_code ec;
    const bool folder = fs::is_directory(from, ec);
    if (!fs::exists(from, ec)) RaiseScriptError(folder ? rt::kPathNotFound : rt::kFileNotFound);
    if (fs::exists(to, ec) && !overwrite) RaiseScriptError(kFileAlreadyExists);
    fs::copy_options options = fs::copy_options::recursive;
    if (overwrite) options |= fs::copy_options::overwrite_existing;
    fs::copy(from, to, options, ec);
    if (ec) RaiseFileError(ec, folder);
}

void MovePath(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    const bool folder = fs::is_directory(from, ec);
    if (!fs::exists(from, ec)) RaiseScriptError(folder ? rt::kPathNotFound : rt::kFileNotFound);
    if (fs::exists(to, ec)) RaiseScriptError(kFileAlreadyExists);
    fs::rename(from, to, ec);
    if (ec == std::errc::cross_device_link) {
        ec.clear();
        CopyPath(from, to, false);
        fs::remove_all(from, ec);
    }
    if (ec) RaiseFileError(ec, folder);
}

void DeletePath(const fs::path& path, bool is_folder) {
    std::error_code ec;
    if (is_folder ? !fs::is_directory(path, ec) : !fs::is_regular_file(path, ec)) {
        RaiseScriptError(is_folder ? rt::kPathNotFound : rt::kFileNotFound);
    }
    fs::remove_all(path, ec);
    if (ec) RaiseFileError(ec, is_folder);
}

namespace {

bool IsSeparator(char16_t c) { return c == u'/' || c == u'\\'; }

// The length of a leading drive ("C:"), if any.
size_t DriveLength(std::u16string_view p) {
    return p.size() >= 2 && p[1] == u':' && ((p[0] | 0x20) >= u'a' && (p[0] | 0x20) <= u'z') ? 2 : 0;
}

// The path without trailing separators (a root keeps its own).
std::u16string_view TrimEnd(std::u16string_view p) {
    const size_t drive = DriveLength(p);
    while (p.size() > drive + 1 && IsSeparator(p.back())) p.remove_suffix(1);
    return p;
}

std::u16string_view LastComponent(std::u16string_view p) {
    p = TrimEnd(p);
    const size_t drive = DriveLength(p);
    size_t start = drive;
    for (size_t i = drive; i < p.size(); ++i) {
        if (IsSeparator(p[i])) start = i + 1;
    }
    return p.substr(start);
}

String ParentOf(std::u16string_view p) {
    p = TrimEnd(p);
    const size_t drive = DriveLength(p);
    size_t last = String::npos;
    for (size_t i = drive; i < p.size(); ++i) {
        if (IsSeparator(p[i])) last = i;
    }
    if (last == String::npos) return String(p.substr(0, drive));
    // The root's separator stays: the parent of "/a" is "/".
    size_t end = last;
    while (end > drive && IsSeparator(p[end - 1])) --end;
    return String(p.substr(0, end == drive ? last + 1 : end));
}

size_t ExtensionDot(std::u16string_view name) {
    const size_t dot = name.rfind(u'.');
    return dot == String::npos ? name.size() : dot;
}

// '*' and '?' as in file names.
bool Wildcard(std::u16string_view pattern, std::u16string_view name) {
    if (pattern.empty()) return name.empty();
    if (pattern[0] == u'*') {
        for (size_t i = 0; i <= name.size(); ++i) {
            if (Wildcard(pattern.substr(1), name.substr(i))) return true;
        }
        return false;
    }
    if (name.empty()) return false;
    if (pattern[0] != u'?' && LowerCase(pattern.substr(0, 1)) != LowerCase(name.substr(0, 1))) return false;
    return Wildcard(pattern.substr(1), name.substr(1));
}

bool HasWildcard(std::u16string_view p) { return LastComponent(p).find_first_of(u"*?") != String::npos; }

class FileSystemObject : public RuntimeObject {
public:
    using RuntimeObject::RuntimeObject;

    String TypeName() const override { return u"FileSystemObject"; }

    Variant Invoke(DispId id, uint16_t flags, std::span<Variant> args) override {
        Interp();
        if (!IsGet(flags)) RaiseRuntimeError(rt::kMemberNotSupported);
        std::error_code ec;
        switch (id) {
            case kBuildPath: {
                ExpectArgs(args, 2, 2);
                const String folder = Text(args, 0);
                const String name = Text(args, 1);
                if (folder.empty()) return Variant(name);
                if (IsSeparator(folder.back()) || (!name.empty() && IsSeparator(name[0])) ||
                    folder.size() == DriveLength(folder)) {
                    return Variant(folder + name);
                }
                const char16_t sep = folder.find(u'\\') != String::npos ? u'\\' : u'/';
                return Variant(folder + sep + name);
            }
            case kGetFileName:
                ExpectArgs(args, 1, 1);
                return Variant(String(LastComponent(Text(args, 0))));
            case kGetBaseName: {
                ExpectArgs(args, 1, 1);
                const String text = Text(args, 0);
                const std::u16string_view name = LastComponent(text);
                return Variant(String(name.substr(0, ExtensionDot(name))));
            }
            case kGetExtensionName: {
                ExpectArgs(args, 1, 1);
                const String text = Text(args, 0);
                const std::u16string_view name = LastComponent(text);
                const size_t dot = ExtensionDot(name);
                return Variant(dot < name.size() ? String(name.substr(dot + 1)) : String());
            }
            case kGetParentFolderName:
                ExpectArgs(args, 1, 1);
                return Variant(ParentOf(Text(args, 0)));
            case kGetDriveName: {
                ExpectArgs(args, 1, 1);
                const String text = Text(args, 0);
                return Variant(text.substr(0, DriveLength(text)));
            }
            case kGetAbsolutePathName: {
                ExpectArgs(args, 1, 1);
                fs::path full = fs::absolute(NativePath(Text(args, 0)), ec).lexically_normal();
                String text = PathText(full);
                while (text.size() > 1 && text.back() == u'/') text.pop_back();
                return Variant(text);
            }
            case kGetTempName: {
                ExpectArgs(args, 0, 0);
                static constexpr char16_t kHex[] = u"0123456789ABCDEF";
                String name = u"rad";
                std::uniform_int_distribution<int> digit(0, 15);
                for (int i = 0; i < 5; ++i) name += kHex[digit(random_)];
                return Variant(name + u".tmp");
            }
            case kGetSpecialFolder: {
                ExpectArgs(args, 1, 1);
                // Only the temporary folder has a meaning off Windows.
                if (LongArg(args, 0) != 2) {
                    RaiseRuntimeError(rt::kActionNotSupported, u"Only the temporary folder (2) exists outside Windows");
                }
                return Variant(MakeFolder(Interp(), fs::temp_directory_path(ec)));
            }
            case kFileExists:
                ExpectArgs(args, 1, 1);
                return Variant(Boolean::From(fs::is_regular_file(NativePath(Text(args, 0)), ec)));
            case kFolderExists:
                ExpectArgs(args, 1, 1);
                return Variant(Boolean::From(fs::is_directory(NativePath(Text(args, 0)), ec)));
            case kGetFile: {
                ExpectArgs(args, 1, 1);
                fs::path path = fs::absolute(NativePath(Text(args, 0)), ec);
                if (!fs::is_regular_file(path, ec)) RaiseScriptError(rt::kFileNotFound);
                return Variant(MakeFile(Interp(), path.lexically_normal()));
            }
            case kGetFolder: {
                ExpectArgs(args, 1, 1);
                fs::path path = fs::absolute(NativePath(Text(args, 0)), ec);
                if (!fs::is_directory(path, ec)) RaiseScriptError(rt::kPathNotFound);
                return Variant(MakeFolder(Interp(), path.lexically_normal()));
            }
            case kCreateFolder: {
                ExpectArgs(args, 1, 1);
                const fs::path path = NativePath(Text(args, 0));
                if (fs::exists(path, ec)) RaiseScriptError(kFileAlreadyExists);
                const fs::path parent = fs::absolute(path, ec).parent_path();
                if (!fs::is_directory(parent, ec)) RaiseScriptError(rt::kPathNotFound);
                fs::create_directory(path, ec);
                if (ec) RaiseFileError(ec, true);
                return Variant(MakeFolder(Interp(), fs::absolute(path, ec).lexically_normal()));
            }
            case kDeleteFile:
            case kDeleteFolder: {
                ExpectArgs(args, 1, 2);
                const bool folder = id == kDeleteFolder;
                for (const fs::path& p : Expand(Text(args, 0), folder)) DeletePath(p, folder);
                return Variant();
            }
            case kCopyFile:
            case kCopyFolder:
            case kMoveFile:
            case kMoveFolder: {
                const bool copy = id == kCopyFile || id == kCopyFolder;
                ExpectArgs(args, 2, copy ? 3 : 2);
                const bool folder = id == kCopyFolder || id == kMoveFolder;
                const String dest_text = Text(args, 1);
                const bool overwrite = BoolOr(args, 2, true);
                const std::vector<fs::path> sources = Expand(Text(args, 0), folder);
                // A destination ending in a separator, or a source that names
                // several, means "into this folder".
                const bool into = (!dest_text.empty() && IsSeparator(dest_text.back())) || sources.size() > 1 ||
                                  HasWildcard(Text(args, 0));
                const fs::path dest = NativePath(dest_text);
                for (const fs::path& from : sources) {
                    const fs::path to = into ? dest / from.filename() : dest;
                    if (copy) {
                        CopyPath(from, to, overwrite);
                    } else {
                        MovePath(from, to);
                    }
                }
                return Variant();
            }
            case kCreateTextFile: {
                ExpectArgs(args, 1, 3);
                const fs::path path = NativePath(Text(args, 0));
                if (!BoolOr(args, 1, true) && fs::exists(path, ec)) RaiseScriptError(kFileAlreadyExists);
                return Variant(OpenTextStream(Interp(), path, IoMode::Writing, true,
                                              BoolOr(args, 2, false) ? Format::Unicode : Format::Ansi));
            }
            case kOpenTextFile: {
                ExpectArgs(args, 1, 4);
                const Long mode = LongOr(args, 1, 1);
                const Long format = LongOr(args, 3, 0);
                if ((mode != 1 && mode != 2 && mode != 8) || format < -2 || format > 0) {
                    RaiseScriptError(rt::kInvalidProcedureCall);
                }
                return Variant(OpenTextStream(Interp(), NativePath(Text(args, 0)), static_cast<IoMode>(mode),
                                              BoolOr(args, 2, false), static_cast<Format>(format)));
            }
            default:
                RaiseRuntimeError(rt::kMemberNotSupported);
        }
    }

private:
    enum : DispId {
        kBuildPath = 1,
        kGetFileName,
        kGetBaseName,
        kGetExtensionName,
        kGetParentFolderName,
        kGetDriveName,
        kGetAbsolutePathName,
        kGetTempName,
        kGetSpecialFolder,
        kFileExists,
        kFolderExists,
        kGetFile,
        kGetFolder,
        kCreateFolder,
        kDeleteFile,
        kDeleteFolder,
        kCopyFile,
        kCopyFolder,
        kMoveFile,
        kMoveFolder,
        kCreateTextFile,
        kOpenTextFile,
    };
    std::span<const Member> Members() const override {
        static constexpr Member kMembers[] = {
            {u"BuildPath", kBuildPath},
            {u"GetFileName", kGetFileName},
            {u"GetBaseName", kGetBaseName},
            {u"GetExtensionName", kGetExtensionName},
            {u"GetParentFolderName", kGetParentFolderName},
            {u"GetDriveName", kGetDriveName},
            {u"GetAbsolutePathName", kGetAbsolutePathName},
            {u"GetTempName", kGetTempName},
            {u"GetSpecialFolder", kGetSpecialFolder},
            {u"FileExists", kFileExists},
            {u"FolderExists", kFolderExists},
            {u"GetFile", kGetFile},
            {u"GetFolder", kGetFolder},
            {u"CreateFolder", kCreateFolder},
            {u"DeleteFile", kDeleteFile},
            {u"DeleteFolder", kDeleteFolder},
            {u"CopyFile", kCopyFile},
            {u"CopyFolder", kCopyFolder},
            {u"MoveFile", kMoveFile},
            {u"MoveFolder", kMoveFolder},
            {u"CreateTextFile", kCreateTextFile},
            {u"OpenTextFile", kOpenTextFile},
        };
        return kMembers;
    }

    // The files (or folders) a path names; its last part may hold wildcards,
    // and then at least one must match.
    static std::vector<fs::path> Expand(const String& spec, bool folders) {
        if (!HasWildcard(spec)) return {NativePath(spec)};
        const String parent = ParentOf(spec);
        const fs::path dir = parent.empty() ? fs::path(".") : NativePath(parent);
        const std::u16string_view pattern = LastComponent(spec);
        std::vector<fs::path> out;
        std::error_code ec;
        for (const fs::directory_entry& e : fs::directory_iterator(dir, ec)) {
            if (e.is_directory(ec) != folders) continue;
            if (Wildcard(pattern, PathText(e.path().filename()))) out.push_back(e.path());
        }
        if (out.empty()) RaiseScriptError(folders ? rt::kPathNotFound : rt::kFileNotFound);
        return out;
    }

    std::minstd_rand random_{std::random_device{}()};
};

}  // namespace

}  // namespace quibor15::script::fso

namespace quibor15::script {

ObjectRef MakeFileSystemObject(Interpreter& interp) { return ObjectRef(MakeRef<fso::FileSystemObject>(interp)); }

}  // namespace quibor15::script
