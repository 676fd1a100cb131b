// TextStream: a text file opened for reading, writing or appending, as ANSI
// (the world's code page) or Unicode (UTF-16 little-endian, with its byte
// order mark). A file read is decoded whole when it is opened; a file
// written gets each Write as it is made. Lines end in CR LF when written
// and in CR LF, LF or CR when read.
#include <fstream>
#include <sstream>

#include "host/script/objects/file_system.hpp"
#include "host/script/script_error.hpp"

namespace quibor15::script::fso {
namespace {

constexpr char kBom[] = "\xFF\xFE";

String DecodeUtf16(std::string_view bytes) {
    if (bytes.size() >= 2 && bytes.substr(0, 2) == std::string_view(kBom, 2)) bytes.remove_prefix(2);
    String out;
    out.reserve(bytes.size() / 2);
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        out += static_cast<char16_t>(static_cast<uint8_t>(bytes[i]) | (static_cast<uint8_t>(bytes[i + 1]) << 8));
    }
    return out;
}

std::string EncodeUtf16(std::u16string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (char16_t c : text) {
        out += static_cast<char>(c & 0xFF);
        out += static_cast<char>(c >> 8);
    }
    return out;
}

class TextStream : public RuntimeObject {
public:
    TextStream(Interpreter& interp, IoMode mode, Format format) : RuntimeObject(interp), mode_(mode), format_(format) {}
    ~TextStream() override { Flush(); }

    void Load(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        if (!in) RaiseScriptError(kPermissionDenied);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        const std::string raw = std::move(bytes).str();
        text_ = format_ == Format::Unicode ? DecodeUtf16(raw) : Interp().Host().CodePage().Decode(raw);
    }

    void Create(const std::filesystem::path& path, bool append) {
        std::error_code ec;
        const bool empty = !append || !std::filesystem::exists(path, ec) || std::filesystem::file_size(path, ec) == 0;
        out_.open(path, std::ios::binary | (append ? std::ios::app : std::ios::trunc));
        if (!out_) RaiseScriptError(kPermissionDenied);
        if (format_ == Format::Unicode && empty) out_.write(kBom, 2);
    }

    String TypeName() const override { return u"TextStream"; }

    Variant Invoke(DispId id, uint16_t flags, std::span<Variant> args) override {
        Interp();
        if (!IsGet(flags)) RaiseRuntimeError(rt::kMemberNotSupported);
        if (closed_ && id != kClose) RaiseScriptError(rt::kBadFileNameOrNumber);
        switch (id) {
            case kLine:
                ExpectArgs(args, 0, 0);
                return Variant(line_);
            case kColumn:
                ExpectArgs(args, 0, 0);
                return Variant(column_);
            case kAtEndOfStream:
                ExpectArgs(args, 0, 0);
                Reading();
                return Variant(Boolean::From(pos_ >= text_.size()));
            case kAtEndOfLine:
                ExpectArgs(args, 0, 0);
                Reading();
                return Variant(Boolean::From(pos_ >= text_.size() || text_[pos_] == u'\r' || text_[pos_] == u'\n'));
            case kRead: {
                ExpectArgs(args, 1, 1);
                const Long n = LongArg(args, 0);
                if (n < 0) RaiseScriptError(rt::kInvalidProcedureCall);
                Reading();
                if (pos_ >= text_.size() && n > 0) RaiseScriptError(rt::kInputPastEndOfFile);
                return Variant(Take(std::min<size_t>(static_cast<size_t>(n), text_.size() - pos_)));
            }
            case kReadLine:
                ExpectArgs(args, 0, 0);
                Reading();
                if (pos_ >= text_.size()) RaiseScriptError(rt::kInputPastEndOfFile);
                return Variant(ReadLine());
            case kReadAll:
                ExpectArgs(args, 0, 0);
                Reading();
                if (pos_ >= text_.size()) RaiseScriptError(rt::kInputPastEndOfFile);
                return Variant(Take(text_.size() - pos_));
            case kSkip: {
                ExpectArgs(args, 1, 1);
                const Long n = LongArg(args, 0);
                if (n < 0) RaiseScriptError(rt::kInvalidProcedureCall);
                Reading();
                Take(std::min<size_t>(static_cast<size_t>(n), text_.size() - pos_));
                return Variant();
            }
            case kSkipLine:
                ExpectArgs(args, 0, 0);
                Reading();
                if (pos_ >= text_.size()) RaiseScriptError(rt::kInputPastEndOfFile);
                ReadLine();
                return Variant();
            case kWrite:
                ExpectArgs(args, 1, 1);
                Put(Text(args, 0));
                return Variant();
            case kWriteLine:
                ExpectArgs(args, 0, 1);
                Put((Given(args, 0) ? Text(args, 0) : String()) + u"\r\n");
                return Variant();
            case kWriteBlankLines: {
                ExpectArgs(args, 1, 1);
                const Long n = LongArg(args, 0);
                if (n < 0 || n > 1000000) RaiseScriptError(rt::kInvalidProcedureCall);
                String lines;
                for (Long i = 0; i < n; ++i) lines += u"\r\n";
                Put(lines);
                return Variant();
            }
            case kClose:
                ExpectArgs(args, 0, 0);
                Flush();
                closed_ = true;
                return Variant();
            default:
                RaiseRuntimeError(rt::kMemberNotSupported);
        }
    }

private:
    enum : DispId {
        kLine = 1,
        kColumn,
        kAtEndOfStream,
        kAtEndOfLine,
        kRead,
        kReadLine,
        kReadAll,
        kSkip,
        kSkipLine,
        kWrite,
        kWriteLine,
        kWriteBlankLines,
        kClose,
    };
    std::span<const Member> Members() const override {
        static constexpr Member kMembers[] = {
            {u"Line", kLine},
            {u"Column", kColumn},
            {u"AtEndOfStream", kAtEndOfStream},
            {u"AtEndOfLine", kAtEndOfLine},
            {u"Read", kRead},
            {u"ReadLine", kReadLine},
            {u"ReadAll", kReadAll},
            {u"Skip", kSkip},
            {u"SkipLine", kSkipLine},
            {u"Write", kWrite},
            {u"WriteLine", kWriteLine},
            {u"WriteBlankLines", kWriteBlankLines},
            {u"Close", kClose},
        };
        return kMembers;
    }

    void Reading() const {
        if (mode_ != IoMode::Reading) RaiseScriptError(rt::kBadFileMode);
    }

    // Moves the line and column on over `text`.
    void Count(std::u16string_view text) {
        for (size_t i = 0; i < text.size(); ++i) {
            const char16_t c = text[i];
            if (c == u'\n' || (c == u'\r' && (i + 1 == text.size() || text[i + 1] != u'\n'))) {
                ++line_;
                column_ = 1;
            } else if (c != u'\r') {
                ++column_;
            }
        }
    }

    String Take(size_t n) {
        String part = text_.substr(pos_, n);
        pos_ += n;
        Count(part);
        return part;
    }

    String ReadLine() {
        size_t end = pos_;
        while (end < text_.size() && text_[end] != u'\r' && text_[end] != u'\n') ++end;
        String line = text_.substr(pos_, end - pos_);
        if (end < text_.size())
            end += (text_[end] == u'\r' && end + 1 < text_.size() && text_[end + 1] == u'\n') ? 2 : 1;
        pos_ = end;
        ++line_;
        column_ = 1;
        return line;
    }

    void Put(const String& text) {
        if (mode_ == IoMode::Reading) RaiseScriptError(rt::kBadFileMode);
        const std::string bytes =
            format_ == Format::Unicode ? EncodeUtf16(text) : Interp().Host().CodePage().Encode(text);
        out_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out_) RaiseScriptError(kDeviceIoError);
        Count(text);
    }

    void Flush() {
        if (out_.is_open()) out_.close();
    }

    static constexpr int32_t kDeviceIoError = 57;

    IoMode mode_;
    Format format_;
    String text_;
    size_t pos_ = 0;
    std::ofstream out_;
    Long line_ = 1;
    Long column_ = 1;
    bool closed_ = false;
};

}  // namespace

ObjectRef OpenTextStream(Interpreter& interp, const std::filesystem::path& path, IoMode mode, bool create,
                         Format format) {
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(path, ec);
    if (std::filesystem::is_directory(status)) RaiseScriptError(kPermissionDenied);
    const bool exists = std::filesystem::exists(status);
    if (!exists) {
        const std::filesystem::path parent = path.parent_path();
        if (!parent.empty() && !std::filesystem::is_directory(parent, ec)) RaiseScriptError(rt::kPathNotFound);
        if (!create) RaiseScriptError(rt::kFileNotFound);
    }
    Ref<TextStream> stream = MakeRef<TextStream>(interp, mode, format);
    if (mode == IoMode::Reading) {
        if (exists)
            stream->Load(path);
        else
            stream->Create(path, false);  // an empty new file, read from its end
    } else {
        stream->Create(path, mode == IoMode::Appending);
    }
    return ObjectRef(std::move(stream));
}

}  // namespace quibor15::script::fso
