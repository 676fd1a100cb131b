#include "quibor15/context.hpp"

#include <gtest/gtest.h>

#include <map>

namespace quibor15 {
namespace {

// Windows services that know only the locale information the test gives
// them; everything else fails as the system would without the feature.
class LocaleOnlyWindows : public WindowsServices {
public:
    int32_t system_lcid = 1033;
    std::map<std::pair<int32_t, uint32_t>, String> info;
    std::vector<std::pair<int32_t, uint32_t>> asked;

    const AnsiCodePage& CodePage() const override { return *page_; }
    int32_t GetSystemDefaultLCID() override { return system_lcid; }
    int32_t IsValidLocale(int32_t, uint32_t) override { return 0; }
    int32_t GetLocaleInfoA(int32_t lcid, uint32_t lctype, String& out, int32_t buffer_chars) override {
        asked.emplace_back(lcid, lctype);
        auto it = info.find({lcid, lctype});
        if (it == info.end() || static_cast<int32_t>(it->second.size()) + 1 > buffer_chars) return 0;
        out = it->second;
        return static_cast<int32_t>(out.size()) + 1;
    }
    int32_t GetDateFormatA(int32_t, uint32_t, const SystemTime&, const String*, String&, int32_t) override { return 0; }
    int32_t GetTimeFormatA(int32_t, uint32_t, const SystemTime&, const String*, String&, int32_t) override { return 0; }
    int32_t EnumDateFormatsA(const PictureCallback&, int32_t, uint32_t) override { return 0; }
    int32_t EnumTimeFormatsA(const PictureCallback&, int32_t, uint32_t) override { return 0; }
    int32_t CompareStringA(int32_t, uint32_t, const String&, const String&) override { return 0; }
    int32_t LCMapStringA(int32_t, uint32_t, const String&, String&) override { return 0; }
    Handle LoadLibraryA(const String&) override { return 0; }
    Handle FindResourceExA(Handle, int32_t, int32_t, int32_t) override { return 0; }
    Handle LoadResource(Handle, Handle) override { return 0; }
    std::vector<uint8_t> LockResource(Handle) override { return {}; }
    uint32_t SizeofResource(Handle, Handle) override { return 0; }
    int32_t FreeResource(Handle) override { return 0; }
    int32_t FreeLibrary(Handle) override { return 0; }
    int32_t GetVersionExA(OsVersionInfo&) override { return 0; }
    int32_t MulDiv(int32_t, int32_t, int32_t) override { return -1; }
    int32_t GetSystemMetrics(int32_t) override { return 0; }
    Handle MonitorFromRect(const Rect&, uint32_t) override { return 0; }
    Handle MonitorFromWindow(Handle, uint32_t) override { return 0; }
    int32_t GetMonitorInfoA(Handle, MonitorInfo&) override { return 0; }
    int32_t SetWindowPos(Handle, Handle, int32_t, int32_t, int32_t, int32_t, uint32_t) override { return 0; }
    int32_t SetForegroundWindow(Handle) override { return 0; }
    int32_t SendMessageA(Handle, uint32_t, int32_t, int32_t) override { return 0; }
    int32_t SendMessageTextA(Handle, uint32_t, int32_t, const String&) override { return 0; }
    int32_t SendMessageToolA(Handle, uint32_t, int32_t, ToolInfo&) override { return 0; }
    Handle CreateWindowExA(uint32_t, const String&, const String&, uint32_t, int32_t, int32_t, int32_t, int32_t, Handle,
                           Handle, Handle) override {
        return 0;
    }
    int32_t DestroyWindow(Handle) override { return 0; }
    int32_t GetWindowLongA(Handle, int32_t) override { return 0; }
    int32_t SetWindowLongA(Handle, int32_t, int32_t) override { return 0; }
    Handle GetDC(Handle) override { return 0; }
    int32_t ReleaseDC(Handle, Handle) override { return 0; }
    int32_t GetDeviceCaps(Handle, int32_t) override { return 0; }
    Handle CreateFontIndirectA(const LogFont&) override { return 0; }
    int32_t DeleteObject(Handle) override { return 0; }
    uint32_t GetLastError() override { return 0; }
    void SHAddToRecentDocs(uint32_t, const String&) override {}
    int32_t ShellExecuteA(Handle, const String&, const String&, const String&, const String&, int32_t) override {
        return 0;
    }
    void InitCommonControls() override {}
    int32_t InitCommonControlsEx(const quibor15::InitCommonControlsEx&) override { return 0; }
    uint32_t mciSendStringA(const String&, String*, uint32_t, Handle) override { return 0; }
    int32_t mciGetErrorStringA(uint32_t, String&, uint32_t) override { return 0; }

private:
    std::unique_ptr<AnsiCodePage> page_ = MakeAnsiCodePage(1252);
};

constexpr uint32_t kDecimal = 0x0E;
constexpr uint32_t kThousand = 0x0F;

TEST(ContextTest, SystemNumberFormatReadsTheSystemLocale) {
    auto windows = std::make_shared<LocaleOnlyWindows>();
    windows->system_lcid = 1031;
    windows->info[{1031, kDecimal}] = u",";
    windows->info[{1031, kThousand}] = u".";
    windows->info[{1033, kDecimal}] = u".";
    Context context(nullptr, windows);
    NumberFormat fmt = context.SystemNumberFormat();
    EXPECT_EQ(fmt.decimal, u',');
    EXPECT_EQ(fmt.thousands, u'.');
    ASSERT_EQ(windows->asked.size(), 2u);
    EXPECT_EQ(windows->asked[0], (std::pair<int32_t, uint32_t>{1031, kDecimal}));
    EXPECT_EQ(windows->asked[1], (std::pair<int32_t, uint32_t>{1031, kThousand}));
}

TEST(ContextTest, FollowsTheSystemLocaleOnEachCall) {
    auto windows = std::make_shared<LocaleOnlyWindows>();
    windows->info[{1033, kDecimal}] = u".";
    windows->info[{1036, kDecimal}] = u",";
    windows->info[{1036, kThousand}] = u"\u00a0";
    Context context(nullptr, windows);
    EXPECT_EQ(context.SystemNumberFormat().decimal, u'.');
    windows->system_lcid = 1036;
    EXPECT_EQ(context.SystemNumberFormat().decimal, u',');
    EXPECT_EQ(context.SystemNumberFormat().thousands, u'\u00a0');
}

TEST(ContextTest, FallsBackToPeriodAndComma) {
    auto windows = std::make_shared<LocaleOnlyWindows>();
    windows->info[{1033, kThousand}] = u"";  // an empty answer counts as none
    Context context(nullptr, windows);
    NumberFormat fmt = context.SystemNumberFormat();
    EXPECT_EQ(fmt.decimal, u'.');
    EXPECT_EQ(fmt.thousands, u',');
}

TEST(ContextTest, WithoutWindowsServicesUsesTheDefaults) {
    Context context(nullptr, nullptr);
    NumberFormat fmt = context.SystemNumberFormat();
    EXPECT_EQ(fmt.decimal, u'.');
    EXPECT_EQ(fmt.thousands, u',');
}

TEST(ContextTest, ModuleStateIsPerContextAndKeptBetweenCalls) {
    struct Counter {
        int value = 0;
    };
    Context a(nullptr, nullptr), b(nullptr, nullptr);
    a.ModuleState<Counter>().value = 5;
    EXPECT_EQ(a.ModuleState<Counter>().value, 5);
    EXPECT_EQ(b.ModuleState<Counter>().value, 0);
}

TEST(ContextTest, KeepsItsServices) {
    auto windows = std::make_shared<LocaleOnlyWindows>();
    Context context(nullptr, windows);
    EXPECT_EQ(&context.Windows(), windows.get());
    EXPECT_EQ(context.WindowsPtr(), windows);
    EXPECT_EQ(context.Windows().CodePage().Number(), 1252);
}

}  // namespace
}  // namespace quibor15
