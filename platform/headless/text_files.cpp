#include "platform/headless/text_files.hpp"

#include <fstream>
#include <iterator>
#include <system_error>

#include "platform/headless/names.hpp"

namespace quibor15::headless {

namespace {

constexpr int32_t kHighestNumber = 511;
constexpr int32_t kHighestFreeFile = 255;

[[noreturn]] void BadFileMode() { RaiseRuntimeError(rt::kBadFileMode); }

bool MissingFolder(const std::filesystem::path& p) {
    std::error_code ec;
    std::filesystem::path parent = p.parent_path();
    return !parent.empty() && !std::filesystem::is_directory(parent, ec);
}

}  // namespace

TextFiles::~TextFiles() { CloseAll(); }

std::filesystem::path TextFiles::NativePath(const String& path) {
    String native = path;
    for (char16_t& c : native) {
        if (c == u'\\') c = u'/';
    }
    return std::filesystem::path(native);
}

void TextFiles::CheckNumber(int32_t number) {
    if (number < 1 || number > kHighestNumber) RaiseRuntimeError(rt::kBadFileNameOrNumber);
}

int32_t TextFiles::FreeFile() const {
    for (int32_t n = 1; n <= kHighestFreeFile; ++n) {
        if (!files_.count(n)) return n;
    }
    Fail(err::kTooManyFiles, u"Too many files");
}

void TextFiles::Open(int32_t number, const String& path, FileMode mode) {
    CheckNumber(number);
    if (files_.count(number)) RaiseRuntimeError(rt::kFileAlreadyOpen);
    if (path.empty()) RaiseRuntimeError(rt::kPathFileAccessError);
    std::filesystem::path p = NativePath(path);
    std::error_code ec;
    if (std::filesystem::is_directory(p, ec)) RaiseRuntimeError(rt::kPathFileAccessError);
    if (MissingFolder(p)) RaiseRuntimeError(rt::kPathNotFound);
    OpenFile file{mode, {}, 0, nullptr};
    if (mode == FileMode::Input) {
        if (!std::filesystem::exists(p, ec)) RaiseRuntimeError(rt::kFileNotFound);
        std::ifstream in(p, std::ios::binary);
        if (!in) RaiseRuntimeError(rt::kPathFileAccessError);
        file.data.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        if (in.bad()) RaiseRuntimeError(rt::kPathFileAccessError);
    } else {
        file.out = std::fopen(p.c_str(), "wb");
        if (!file.out) RaiseRuntimeError(rt::kPathFileAccessError);
    }
    files_.emplace(number, std::move(file));
}

const TextFiles::OpenFile& TextFiles::Get(int32_t number) const {
    CheckNumber(number);
    auto it = files_.find(number);
    if (it == files_.end()) RaiseRuntimeError(rt::kBadFileNameOrNumber);
    return it->second;
}

TextFiles::OpenFile& TextFiles::Get(int32_t number, FileMode mode) {
    auto& file = const_cast<OpenFile&>(static_cast<const TextFiles*>(this)->Get(number));
    if (file.mode != mode) BadFileMode();
    return file;
}

bool TextFiles::Eof(int32_t number) const {
    const OpenFile& file = Get(number);
    if (file.mode != FileMode::Input) BadFileMode();
    return file.position >= file.data.size();
}

String TextFiles::ReadLine(int32_t number) {
    OpenFile& file = Get(number, FileMode::Input);
    if (file.position >= file.data.size()) RaiseRuntimeError(rt::kInputPastEndOfFile);
    size_t end = file.data.find('\r', file.position);
    if (end == std::string::npos) end = file.data.size();
    std::string_view line(file.data.data() + file.position, end - file.position);
    file.position = end;
    if (file.position < file.data.size()) {
        ++file.position;  // the CR
        if (file.position < file.data.size() && file.data[file.position] == '\n') ++file.position;
    }
    return code_page_->Decode(line);
}

void TextFiles::WriteLine(int32_t number, const String& text) {
    OpenFile& file = Get(number, FileMode::Output);
    std::string bytes = code_page_->Encode(text);
    bytes += "\r\n";
    if (std::fwrite(bytes.data(), 1, bytes.size(), file.out) != bytes.size()) {
        Fail(err::kDeviceIoError, u"Device I/O error");
    }
}

void TextFiles::Close(int32_t number) {
    CheckNumber(number);
    auto it = files_.find(number);
    if (it == files_.end()) return;
    std::FILE* out = it->second.out;
    files_.erase(it);
    if (out && std::fclose(out) != 0) Fail(err::kDeviceIoError, u"Device I/O error");
}

void TextFiles::CloseAll() noexcept {
    for (auto& [number, file] : files_) {
        if (file.out) std::fclose(file.out);
    }
    files_.clear();
}

}  // namespace quibor15::headless
