// The File and Folder objects of the FileSystemObject and the Files and
// SubFolders collections. Each holds its path and reads the file system
// when asked, so it sees changes made since it was got.
#include <algorithm>

#include "host/script/objects/file_system.hpp"
#include "host/script/script_error.hpp"

namespace quibor15::script::fso {

namespace fs = std::filesystem;

namespace {

constexpr Long kReadOnly = 1;
constexpr Long kHidden = 2;
constexpr Long kDirectory = 16;
constexpr Long kArchive = 32;

Long AttributesOf(const fs::path& path, bool folder) {
    std::error_code ec;
    const fs::perms p = fs::status(path, ec).permissions();
    if (ec) RaiseFileError(ec, folder);
    Long a = folder ? kDirectory : kArchive;
    if ((p & fs::perms::owner_write) == fs::perms::none) a |= kReadOnly;
    const std::string name = path.filename().string();
    if (!name.empty() && name[0] == '.') a |= kHidden;
    return a;
}

double FolderSize(const fs::path& path) {
    std::error_code ec;
    double total = 0;
    for (auto it = fs::recursive_directory_iterator(path, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec)) {
        if (it->is_regular_file(ec)) total += static_cast<double>(it->file_size(ec));
    }
    return total;
}

// A size is a Long while it fits, else a Double.
Variant SizeValue(double size) {
    if (size <= 2147483647.0) return Variant(static_cast<Long>(size));
    return Variant(size);
}

// Files or SubFolders of a folder, in name order.
class EntriesObject : public RuntimeObject {
public:
    EntriesObject(Interpreter& interp, fs::path folder, bool folders)
        : RuntimeObject(interp), folder_(std::move(folder)), folders_(folders) {}

    String TypeName() const override { return folders_ ? u"Folders" : u"Files"; }

    Variant Invoke(DispId id, uint16_t flags, std::span<Variant> args) override {
        Interp();
        if (!IsGet(flags)) RaiseRuntimeError(rt::kMemberNotSupported);
        switch (id) {
            case kItem: {
                ExpectArgs(args, 1, 1);
                const String name = Text(args, 0);
                for (const fs::path& p : List()) {
                    if (EqualsIgnoreCase(PathText(p.filename()), name)) return Variant(Make(p));
                }
                RaiseScriptError(folders_ ? rt::kPathNotFound : rt::kFileNotFound);
            }
            case kCount:
                ExpectArgs(args, 0, 0);
                return Variant(static_cast<Long>(List().size()));
            case kDispIdNewEnum: {
                std::vector<Variant> items;
                for (const fs::path& p : List()) items.emplace_back(Make(p));
                return Variant(ObjectRef(MakeRef<ValueEnumerator>(std::move(items))));
            }
            default:
                RaiseRuntimeError(rt::kMemberNotSupported);
        }
    }

private:
    static constexpr DispId kItem = kDispIdValue;
    static constexpr DispId kCount = 1;
    std::span<const Member> Members() const override {
        static constexpr Member kMembers[] = {{u"Item", kItem}, {u"Count", kCount}, {u"_NewEnum", kDispIdNewEnum}};
        return kMembers;
    }

    std::vector<fs::path> List() const {
        std::vector<fs::path> out;
        std::error_code ec;
        for (const fs::directory_entry& e : fs::directory_iterator(folder_, ec)) {
            if (folders_ ? e.is_directory(ec) : e.is_regular_file(ec)) out.push_back(e.path());
        }
        if (ec) RaiseFileError(ec, true);
        std::sort(out.begin(), out.end());
        return out;
    }
    ObjectRef Make(const fs::path& p) { return folders_ ? MakeFolder(Interp(), p) : MakeFile(Interp(), p); }

    fs::path folder_;
    bool folders_;
};

// File and Folder: one class, since most members are the same.
class PathObject : public RuntimeObject {
public:
    PathObject(Interpreter& interp, fs::path path, bool folder)
        : RuntimeObject(interp), path_(std::move(path)), folder_(folder) {}

    String TypeName() const override { return folder_ ? u"Folder" : u"File"; }

    Variant Invoke(DispId id, uint16_t flags, std::span<Variant> args) override {
        Interp();
        if (IsPut(flags)) {
            if (id != kName) RaiseRuntimeError(rt::kMemberNotSupported);
            ExpectArgs(args, 1, 1);
            Rename(Text(args, 0));
            return Variant();
        }
        std::error_code ec;
        switch (id) {
            case kPath:
            case kShortPath:
                ExpectArgs(args, 0, 0);
                return Variant(PathText(path_));
            case kName:
            case kShortName:
                ExpectArgs(args, 0, 0);
                return Variant(PathText(path_.filename()));
            case kSize:
                ExpectArgs(args, 0, 0);
                Exists();
                return SizeValue(folder_ ? FolderSize(path_) : static_cast<double>(fs::file_size(path_, ec)));
            case kDateLastModified:
                ExpectArgs(args, 0, 0);
                return Variant(FileTime(path_, false));
            case kDateLastAccessed:
                ExpectArgs(args, 0, 0);
                return Variant(FileTime(path_, true));
            case kDateCreated:
                RaiseRuntimeError(rt::kActionNotSupported,
                                  u"DateCreated: this file system does not record when a file was created");
            case kAttributes:
                ExpectArgs(args, 0, 0);
                return Variant(AttributesOf(path_, folder_));
            case kParentFolder: {
                ExpectArgs(args, 0, 0);
                if (IsRoot()) return Variant(ObjectRef());
                return Variant(MakeFolder(Interp(), path_.parent_path()));
            }
            case kIsRootFolder:
                if (!folder_) RaiseRuntimeError(rt::kMemberNotSupported);
                ExpectArgs(args, 0, 0);
                return Variant(Boolean::From(IsRoot()));
            case kFiles:
            case kSubFolders:
                if (!folder_) RaiseRuntimeError(rt::kMemberNotSupported);
                ExpectArgs(args, 0, 0);
                Exists();
                return Variant(ObjectRef(MakeRef<EntriesObject>(Interp(), path_, id == kSubFolders)));
            case kDelete:
                ExpectArgs(args, 0, 1);
                DeletePath(path_, folder_);
                return Variant();
            case kCopy: {
                ExpectArgs(args, 1, 2);
                const String dest = Text(args, 0);
                fs::path to = NativePath(dest);
                if (!dest.empty() && (dest.back() == u'\\' || dest.back() == u'/')) to /= path_.filename();
                CopyPath(path_, to, BoolOr(args, 1, true));
                return Variant();
            }
            case kMove: {
                ExpectArgs(args, 1, 1);
                const String dest = Text(args, 0);
                fs::path to = NativePath(dest);
                if (!dest.empty() && (dest.back() == u'\\' || dest.back() == u'/')) to /= path_.filename();
                MovePath(path_, to);
                path_ = fs::absolute(to, ec).lexically_normal();
                return Variant();
            }
            case kOpenAsTextStream: {
                if (folder_) RaiseRuntimeError(rt::kMemberNotSupported);
                ExpectArgs(args, 0, 2);
                const Long mode = LongOr(args, 0, 1);
                const Long format = LongOr(args, 1, 0);
                if ((mode != 1 && mode != 2 && mode != 8) || format < -2 || format > 0) {
                    RaiseScriptError(rt::kInvalidProcedureCall);
                }
                return Variant(
                    OpenTextStream(Interp(), path_, static_cast<IoMode>(mode), false, static_cast<Format>(format)));
            }
            case kCreateTextFile: {
                if (!folder_) RaiseRuntimeError(rt::kMemberNotSupported);
                ExpectArgs(args, 1, 3);
                const fs::path file = path_ / NativePath(Text(args, 0));
                if (!BoolOr(args, 1, true) && fs::exists(file, ec)) RaiseScriptError(kFileAlreadyExists);
                return Variant(OpenTextStream(Interp(), file, IoMode::Writing, true,
                                              BoolOr(args, 2, false) ? Format::Unicode : Format::Ansi));
            }
            default:
                RaiseRuntimeError(rt::kMemberNotSupported);
        }
    }

private:
    enum : DispId {
        kPath = kDispIdValue,
        kName = 1,
        kShortPath,
        kShortName,
        kSize,
        kDateLastModified,
        kDateLastAccessed,
        kDateCreated,
        kAttributes,
        kParentFolder,
        kIsRootFolder,
        kFiles,
        kSubFolders,
        kDelete,
        kCopy,
        kMove,
        kOpenAsTextStream,
        kCreateTextFile,
    };
    std::span<const Member> Members() const override {
        static constexpr Member kMembers[] = {
            {u"Path", kPath},
            {u"Name", kName},
            {u"ShortPath", kShortPath},
            {u"ShortName", kShortName},
            {u"Size", kSize},
            {u"DateLastModified", kDateLastModified},
            {u"DateLastAccessed", kDateLastAccessed},
            {u"DateCreated", kDateCreated},
            {u"Attributes", kAttributes},
            {u"ParentFolder", kParentFolder},
            {u"IsRootFolder", kIsRootFolder},
            {u"Files", kFiles},
            {u"SubFolders", kSubFolders},
            {u"Delete", kDelete},
            {u"Copy", kCopy},
            {u"Move", kMove},
            {u"OpenAsTextStream", kOpenAsTextStream},
            {u"CreateTextFile", kCreateTextFile},
        };
        return kMembers;
    }

    bool IsRoot() const { return path_ == path_.root_path() || !path_.has_parent_path(); }

    void Exists() const {
        std::error_code ec;
        if (folder_ ? !fs::is_directory(path_, ec) : !fs::is_regular_file(path_, ec)) {
            RaiseScriptError(folder_ ? rt::kPathNotFound : rt::kFileNotFound);
        }
    }

    void Rename(const String& name) {
        if (name.empty() || name.find_first_of(u"/\\") != String::npos) RaiseScriptError(rt::kInvalidProcedureCall);
        const fs::path to = path_.parent_path() / NativePath(name);
        MovePath(path_, to);
        path_ = to;
    }

    fs::path path_;
    bool folder_;
};

}  // namespace

ObjectRef MakeFile(Interpreter& interp, fs::path path) {
    return ObjectRef(MakeRef<PathObject>(interp, std::move(path), false));
}

ObjectRef MakeFolder(Interpreter& interp, fs::path path) {
    return ObjectRef(MakeRef<PathObject>(interp, std::move(path), true));
}

}  // namespace quibor15::script::fso
