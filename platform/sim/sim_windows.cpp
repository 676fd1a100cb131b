// The simulated Windows: construction, the log, the code page, the locale
// functions, version and arithmetic, and the common controls.
#include "platform/sim/sim_windows.hpp"

#include <cstdlib>

#include "platform/sim/fixture_locale_database.hpp"

namespace quibor15::sim {

namespace {

constexpr uint32_t kLcidInstalled = 0x1;
constexpr uint32_t kLcidSupported = 0x2;
constexpr uint32_t kLocaleUseCpAcp = 0x40000000;
constexpr uint32_t kOsVersionInfoSize = 148;
constexpr uint32_t kOsVersionInfoExSize = 156;
constexpr int32_t kInitCommonControlsExSize = 8;

String TimeArg(const SystemTime& t) {
    // The eight fields in SYSTEMTIME order.
    return u"{" + DecArg(t.year) + u"," + DecArg(t.month) + u"," + DecArg(t.dayOfWeek) + u"," + DecArg(t.day) + u"," +
           DecArg(t.hour) + u"," + DecArg(t.minute) + u"," + DecArg(t.second) + u"," + DecArg(t.milliseconds) + u"}";
}

}  // namespace

SimWindows::SimWindows()
    : locales_(FixtureLocaleDatabase::Standard()),
      code_page_(std::make_shared<SystemCodePage>(locales_)),
      library_path_(DefaultLibraryModulePath()) {
    SetVersion(2, 10, 0, 19045);
    desktop_.AddMonitor(Rect{0, 0, 1920, 1080}, Rect{0, 0, 1920, 1040});
}

// --- log

std::vector<MessageRecord> SimWindows::MessagesTo(Handle hwnd) const {
    std::vector<MessageRecord> out;
    for (const MessageRecord& m : messages_) {
        if (m.hwnd == hwnd) out.push_back(m);
    }
    return out;
}

void SimWindows::ClearLog() {
    log_.Clear();
    messages_.clear();
    mci_.ClearCalls();
}

// --- code page

void SimWindows::SetCodePage(int number) { code_page_->Pin(MakeAnsiCodePage(number)); }

void SimWindows::SetCodePage(std::shared_ptr<const AnsiCodePage> code_page) {
    if (code_page) code_page_->Pin(std::move(code_page));
}

String SimWindows::AnsiPrefix(std::u16string_view text, size_t max_bytes) const {
    size_t used = 0;
    size_t end = 0;
    while (end < text.size()) {
        size_t next = end + 1;
        if (text[end] >= 0xD800 && text[end] <= 0xDBFF && next < text.size() && text[next] >= 0xDC00 &&
            text[next] <= 0xDFFF) {
            ++next;
        }
        const size_t bytes = AnsiBytes(text.substr(end, next - end));
        if (used + bytes > max_bytes) break;
        used += bytes;
        end = next;
    }
    return Ansi(text.substr(0, end));
}

int32_t SimWindows::DeliverText(const std::optional<String>& text, String& out, int32_t buffer_chars) const {
    if (!text || buffer_chars < 0) return 0;
    const int32_t needed = static_cast<int32_t>(LocaleUnits(*text)) + 1;
    if (buffer_chars == 0) return needed;  // a size query writes nothing
    if (needed > buffer_chars) return 0;   // ERROR_INSUFFICIENT_BUFFER
    out = LocaleText(*text);
    return needed;
}

void SimWindows::WriteIntoBuffer(String& buffer, uint32_t length, const String& text) const {
    const size_t capacity = std::min<size_t>(length, buffer.size());
    if (capacity == 0) return;
    const String part = AnsiPrefix(text, capacity - 1);
    buffer.replace(0, part.size(), part);
    buffer[part.size()] = u'\0';
}

// --- locale

void SimWindows::SetLocaleDatabase(std::shared_ptr<LocaleDatabase> database) {
    if (!database) return;
    locales_ = std::move(database);
    code_page_->SetLocales(locales_);
}

int32_t SimWindows::GetSystemDefaultLCID() {
    log_.Add(u"GetSystemDefaultLCID", {});
    return locales_->SystemDefaultLcid();
}

int32_t SimWindows::IsValidLocale(int32_t lcid, uint32_t flags) {
    log_.Add(u"IsValidLocale", {HexArg(static_cast<uint32_t>(lcid)), HexArg(flags)});
    if (flags != kLcidInstalled && flags != kLcidSupported) return 0;
    return locales_->IsInstalled(lcid) ? 1 : 0;
}

int32_t SimWindows::GetLocaleInfoA(int32_t lcid, uint32_t lctype, String& out, int32_t buffer_chars) {
    log_.Add(u"GetLocaleInfoA", {HexArg(static_cast<uint32_t>(lcid)), HexArg(lctype), DecArg(buffer_chars)});
    return DeliverText(locales_->GetInfo(lcid, lctype), out, buffer_chars);
}

int32_t SimWindows::GetDateFormatA(int32_t lcid, uint32_t flags, const SystemTime& time, const String* picture,
                                   String& out, int32_t buffer_chars) {
    const std::optional<String> pict = picture ? std::optional(LocaleText(*picture)) : std::nullopt;
    log_.Add(u"GetDateFormatA", {HexArg(static_cast<uint32_t>(lcid)), HexArg(flags), TimeArg(time),
                                 TextArg(pict ? &*pict : nullptr), DecArg(buffer_chars)});
    return DeliverText(locales_->FormatDate(lcid, flags, time, pict ? &*pict : nullptr), out, buffer_chars);
}

int32_t SimWindows::GetTimeFormatA(int32_t lcid, uint32_t flags, const SystemTime& time, const String* picture,
                                   String& out, int32_t buffer_chars) {
    const std::optional<String> pict = picture ? std::optional(LocaleText(*picture)) : std::nullopt;
    log_.Add(u"GetTimeFormatA", {HexArg(static_cast<uint32_t>(lcid)), HexArg(flags), TimeArg(time),
                                 TextArg(pict ? &*pict : nullptr), DecArg(buffer_chars)});
    return DeliverText(locales_->FormatTime(lcid, flags, time, pict ? &*pict : nullptr), out, buffer_chars);
}

int32_t SimWindows::EnumDateFormatsA(const PictureCallback& callback, int32_t lcid, uint32_t flags) {
    log_.Add(u"EnumDateFormatsA", {HexArg(static_cast<uint32_t>(lcid)), HexArg(flags)});
    const uint32_t kind = flags & ~kLocaleUseCpAcp;
    if (!callback || !locales_->IsInstalled(lcid)) return 0;
    if (kind != lcflags::kDateShortDate && kind != lcflags::kDateLongDate) return 0;  // ERROR_INVALID_FLAGS
    for (const String& picture : locales_->DatePictures(lcid, kind)) {
        if (!callback(LocaleText(picture))) break;
    }
    return 1;
}

int32_t SimWindows::EnumTimeFormatsA(const PictureCallback& callback, int32_t lcid, uint32_t flags) {
    log_.Add(u"EnumTimeFormatsA", {HexArg(static_cast<uint32_t>(lcid)), HexArg(flags)});
    if (!callback || !locales_->IsInstalled(lcid)) return 0;
    for (const String& picture : locales_->TimePictures(lcid)) {
        if (!callback(LocaleText(picture))) break;
    }
    return 1;
}

int32_t SimWindows::CompareStringA(int32_t lcid, uint32_t flags, const String& a, const String& b) {
    const String left = LocaleText(a);
    const String right = LocaleText(b);
    log_.Add(u"CompareStringA", {HexArg(static_cast<uint32_t>(lcid)), HexArg(flags), left, right});
    return locales_->Compare(lcid, flags, left, right);
}

std::unique_ptr<ListComparison> SimWindows::CompareStringsA(int32_t lcid, uint32_t flags, std::vector<String> texts) {
    log_.Add(u"CompareStringsA",
             {HexArg(static_cast<uint32_t>(lcid)), HexArg(flags), DecArg(static_cast<int64_t>(texts.size()))});
    if (LocaleTextsCrossCodePage()) return WindowsServices::CompareStringsA(lcid, flags, std::move(texts));
    return locales_->CompareList(lcid, flags, std::move(texts));
}

int32_t SimWindows::LCMapStringA(int32_t lcid, uint32_t flags, const String& source, String& out) {
    const String text = LocaleText(source);
    log_.Add(u"LCMapStringA", {HexArg(static_cast<uint32_t>(lcid)), HexArg(flags), text});
    const std::optional<String> mapped = locales_->MapCase(lcid, flags, text);
    if (!mapped) return 0;
    out = LocaleText(*mapped);
    return static_cast<int32_t>(LocaleUnits(*mapped));
}

// --- version and arithmetic

void SimWindows::SetVersion(uint32_t platform_id, uint32_t major, uint32_t minor, uint32_t build, String csd_version) {
    version_.platform_id = platform_id;
    version_.major = major;
    version_.minor = minor;
    version_.build = build;
    version_.csd_version = std::move(csd_version);
}

int32_t SimWindows::GetVersionExA(OsVersionInfo& info) {
    log_.Add(u"GetVersionExA", {FieldArg(u"dwOSVersionInfoSize", DecArg(info.size))});
    if (version_fails_) return 0;
    if (info.size != kOsVersionInfoSize && info.size != kOsVersionInfoExSize) return 0;
    info.major = version_.major;
    info.minor = version_.minor;
    info.build = version_.build;
    info.platform_id = version_.platform_id;
    info.csd_version = AnsiPrefix(version_.csd_version, 127);
    return 1;
}

int32_t SimWindows::MulDiv(int32_t number, int32_t numerator, int32_t denominator) {
    log_.Add(u"MulDiv", {DecArg(number), DecArg(numerator), DecArg(denominator)});
    if (denominator == 0) return -1;
    // The product needs 64 bits; the quotient is rounded half away from
    // zero; a result outside 32 bits is reported as -1.
    const int64_t product = static_cast<int64_t>(number) * numerator;
    const bool negative = (product < 0) != (denominator < 0);
    const uint64_t p = product < 0 ? 0 - static_cast<uint64_t>(product) : static_cast<uint64_t>(product);
    const uint64_t d = denominator < 0 ? 0 - static_cast<uint64_t>(static_cast<int64_t>(denominator))
                                       : static_cast<uint64_t>(denominator);
    uint64_t q = p / d;
    if ((p % d) * 2 >= d) ++q;
    if (negative ? q > uint64_t{1} << 31 : q > static_cast<uint64_t>(INT32_MAX)) return -1;
    return negative ? static_cast<int32_t>(0 - static_cast<int64_t>(q)) : static_cast<int32_t>(q);
}

// --- common controls

void SimWindows::InitCommonControls() { log_.Add(u"InitCommonControls", {}); }

int32_t SimWindows::InitCommonControlsEx(const quibor15::InitCommonControlsEx& init) {
    log_.Add(u"InitCommonControlsEx",
             {FieldArg(u"dwSize", DecArg(init.size)), FieldArg(u"dwICC", HexArg(static_cast<uint32_t>(init.icc)))});
    if (init_ex_missing_) RaiseRuntimeError(rt::kDllEntryPointNotFound);
    if (init.size != kInitCommonControlsExSize) return 0;
    initialized_classes_ |= init.icc;
    return 1;
}

}  // namespace quibor15::sim
