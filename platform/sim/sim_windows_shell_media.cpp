// The simulated Windows: the shell and the multimedia command service.
#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/sim/sim_text.hpp"
#include "platform/sim/sim_windows.hpp"

namespace quibor15::sim {

namespace {

// A Windows path as a path of this file system: either separator works.
std::filesystem::path LocalPath(std::u16string_view path) {
    String slashed(path);
    std::replace(slashed.begin(), slashed.end(), u'\\', u'/');
    return std::filesystem::path(ToUtf8(slashed));
}

bool LocalFileExists(const std::filesystem::path& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::exists(path, error);
}

}  // namespace

// --- shell

uint32_t SimWindows::GetLastError() {
    log_.Add(u"GetLastError", {});
    return last_error_;
}

void SimWindows::SHAddToRecentDocs(uint32_t flags, const String& path) {
    const String file = Ansi(path);
    log_.Add(u"SHAddToRecentDocs", {HexArg(flags), file});
    last_error_ = recent_docs_error_;
    if (last_error_ != 0 || flags != kShardPathA || file.empty()) return;
    // The list keeps one entry per document, the most recent last.
    std::erase_if(recent_documents_, [&](const String& d) { return PathKey(d) == PathKey(file); });
    recent_documents_.push_back(file);
}

void SimWindows::AddKnownDocument(const String& path) { known_documents_.insert(PathKey(path)); }

bool SimWindows::DocumentExists(const String& file, const String& directory) const {
    if (file.empty()) return false;
    if (known_documents_.count(PathKey(file))) return true;
    const std::filesystem::path local = LocalPath(file);
    if (LocalFileExists(local)) return true;
    // A relative name is looked for in the given working folder too.
    if (!directory.empty() && local.is_relative()) {
        if (known_documents_.count(PathKey(directory + u"\\" + file))) return true;
        return LocalFileExists(LocalPath(directory) / local);
    }
    return false;
}

int32_t SimWindows::ShellExecuteA(Handle hwnd, const String& verb, const String& file, const String& parameters,
                                  const String& directory, int32_t show) {
    const String v = Ansi(verb);
    const String f = Ansi(file);
    const String p = Ansi(parameters);
    const String d = Ansi(directory);
    log_.Add(u"ShellExecuteA", {HandleArg(hwnd), v, f, p, d, DecArg(show)});
    if (shell_execute_result_) return *shell_execute_result_;
    return DocumentExists(f, d) ? kShellExecuteSuccess : kErrorFileNotFound;
}

// --- multimedia

void SimWindows::SetMciReply(const String& command, String reply, uint32_t code) {
    mci_.SetReply(command, MciReply{std::move(reply), code});
}

void SimWindows::QueueMciReplies(const String& command, std::vector<MciReply> answers) {
    mci_.QueueReplies(command, std::move(answers));
}

void SimWindows::SetMciDefault(String reply, uint32_t code) { mci_.SetDefault(MciReply{std::move(reply), code}); }

uint32_t SimWindows::mciSendStringA(const String& command, String* reply, uint32_t reply_length, Handle callback) {
    const String text = Ansi(command);
    log_.Add(u"mciSendStringA", {text, DecArg(reply_length), HandleArg(callback)});
    const MciReply answer = mci_.Send(text, reply != nullptr, reply_length, callback);
    if (reply && reply_length > 0) WriteIntoBuffer(*reply, reply_length, answer.reply);
    return answer.code;
}

int32_t SimWindows::mciGetErrorStringA(uint32_t code, String& buffer, uint32_t length) {
    log_.Add(u"mciGetErrorStringA", {DecArg(code), DecArg(length)});
    const std::optional<String> text = MciRecorder::ErrorText(code);
    if (length == 0 || buffer.empty()) return 0;
    WriteIntoBuffer(buffer, length, text.value_or(MciRecorder::UnknownErrorText()));
    return text ? 1 : 0;
}

}  // namespace quibor15::sim
