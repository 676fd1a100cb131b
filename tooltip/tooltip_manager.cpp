#include "tooltip/tooltip_manager.hpp"

#include <array>

#include "quibor15/codepage.hpp"
#include "quibor15/convert.hpp"
#include "quibor15/font.hpp"

namespace quibor15 {

namespace {

constexpr int32_t kIccBarClasses = 0x4;
constexpr uint32_t kWsExTopmost = 0x8;
constexpr uint32_t kTtsAlwaysTip = 0x1;
constexpr uint32_t kTtsNoPrefix = 0x2;
constexpr int32_t kTtsBalloon = 0x40;
constexpr int32_t kCwUseDefault = static_cast<int32_t>(0x80000000u);
constexpr char16_t kTooltipClass[] = u"tooltips_class32";
constexpr int32_t kGwlStyle = -16;
constexpr int32_t kLogPixelsY = 0x5A;
constexpr int32_t kPointsPerInch = 72;

constexpr uint32_t kWmSetFont = 0x30;
constexpr uint32_t kTtmSetDelayTime = 0x403;
constexpr uint32_t kTtmAddToolA = 0x404;
constexpr uint32_t kTtmDelToolA = 0x405;
constexpr uint32_t kTtmNewToolRectA = 0x406;
constexpr uint32_t kTtmGetToolInfoA = 0x408;
constexpr uint32_t kTtmSetTipBkColor = 0x413;
constexpr uint32_t kTtmSetTipTextColor = 0x414;
constexpr uint32_t kTtmSetMaxTipWidth = 0x418;
constexpr int32_t kTtdtAutoPop = 2;
constexpr int32_t kTtdtInitial = 3;

constexpr uint32_t kTtfIdIsHwnd = 0x1;
constexpr uint32_t kTtfCenterTip = 0x2;
constexpr uint32_t kTtfSubclass = 0x10;

// The defaults a new tooltip gets.
constexpr Long kDefaultStyle = ttStyleStandard;
constexpr Long kDefaultTipWidth = 300;
constexpr Long kDefaultBkColor = 0xEEFFFF;  // pale yellow
constexpr Long kDefaultTxtColor = 0;        // black
constexpr Long kDefaultDelayTime = 500;
constexpr Long kDefaultVisibleTime = 2000;

// LOGFONTA's face name holds 32 bytes, its NUL included.
constexpr size_t kFaceNameMaxBytes = 31;
constexpr Long kMaxCharset = 255;

Variant FontProperty(const ObjectRef& font, DispId id) {
    if (!font) RaiseRuntimeError(rt::kObjectNotSet);
    return font->Invoke(id, kInvokePropertyGet, {});
}

uint8_t FlagOf(const ObjectRef& font, DispId id) { return VariantToBoolean(FontProperty(font, id)) ? 1 : 0; }

// A tool record that names a tool: the window and the tool's number.
ToolInfo ToolRecord(Handle hwnd, int32_t id) {
    ToolInfo tool;
    tool.hwnd = hwnd;
    tool.id = id;
    return tool;
}

}  // namespace

clsQuiborWUITooltipA::clsQuiborWUITooltipA(ContextPtr context) : _clsQuiborWUITooltipA(std::move(context)) {
    // Systems before InitCommonControlsEx have only InitCommonControls.
    try {
        Windows().InitCommonControlsEx(quibor15::InitCommonControlsEx{8, kIccBarClasses});
    } catch (const AutomationError& e) {
        if (e.Number() != rt::kDllEntryPointNotFound) throw;
        Windows().InitCommonControls();
    }
    const Handle instance = VariantToLong(LateGet(Host().App(), u"hInstance"));
    tooltip_ = Windows().CreateWindowExA(kWsExTopmost, kTooltipClass, String(), kTtsAlwaysTip | kTtsNoPrefix,
                                         kCwUseDefault, kCwUseDefault, kCwUseDefault, kCwUseDefault, 0, 0, instance);
    try {
        let_Style(kDefaultStyle);
        let_TipWidth(kDefaultTipWidth);
        let_BkColor(kDefaultBkColor);
        let_TxtColor(kDefaultTxtColor);
        let_DelayTime(kDefaultDelayTime);
        let_VisibleTime(kDefaultVisibleTime);
    } catch (...) {
        // No destructor runs for an object that was never made.
        if (tooltip_ != 0) Windows().DestroyWindow(tooltip_);
        throw;
    }
}

clsQuiborWUITooltipA::~clsQuiborWUITooltipA() {
    // The window goes first, so the font is no longer in use when deleted.
    try {
        if (tooltip_ != 0) Windows().DestroyWindow(tooltip_);
    } catch (const AutomationError&) {
    }
    try {
        if (gdi_font_ != 0) Windows().DeleteObject(gdi_font_);
    } catch (const AutomationError&) {
    }
}

// --- properties

void clsQuiborWUITooltipA::let_TxtColor(Long value) {
    txt_color_ = value;
    Windows().SendMessageA(tooltip_, kTtmSetTipTextColor, value, 0);
}
Long clsQuiborWUITooltipA::get_TxtColor() { return txt_color_; }

void clsQuiborWUITooltipA::let_BkColor(Long value) {
    bk_color_ = value;
    Windows().SendMessageA(tooltip_, kTtmSetTipBkColor, value, 0);
}
Long clsQuiborWUITooltipA::get_BkColor() { return bk_color_; }

void clsQuiborWUITooltipA::let_VisibleTime(Long value) {
    visible_time_ = value;
    Windows().SendMessageA(tooltip_, kTtmSetDelayTime, kTtdtAutoPop, value);
}
Long clsQuiborWUITooltipA::get_VisibleTime() { return visible_time_; }

void clsQuiborWUITooltipA::let_DelayTime(Long value) {
    delay_time_ = value;
    Windows().SendMessageA(tooltip_, kTtmSetDelayTime, kTtdtInitial, value);
}
Long clsQuiborWUITooltipA::get_DelayTime() { return delay_time_; }

void clsQuiborWUITooltipA::let_TipWidth(Long value) {
    tip_width_ = value;
    Windows().SendMessageA(tooltip_, kTtmSetMaxTipWidth, 0, value);
}
Long clsQuiborWUITooltipA::get_TipWidth() { return tip_width_; }

void clsQuiborWUITooltipA::let_Style(Long value) {
    style_ = value;
    if (tooltip_ == 0) return;
    int32_t style = Windows().GetWindowLongA(tooltip_, kGwlStyle);
    if (value == ttStyleBalloon) {
        style |= kTtsBalloon;
    } else if (value == ttStyleStandard) {
        style &= ~kTtsBalloon;
    }
    Windows().SetWindowLongA(tooltip_, kGwlStyle, style);
}
Long clsQuiborWUITooltipA::get_Style() { return style_; }

// --- font

int32_t clsQuiborWUITooltipA::PixelHeight(Long points) {
    const Handle dc = Windows().GetDC(tooltip_);
    int32_t dots_per_inch = 0;
    try {
        dots_per_inch = Windows().GetDeviceCaps(dc, kLogPixelsY);
    } catch (...) {
        if (dc != 0) Windows().ReleaseDC(tooltip_, dc);
        throw;
    }
    // The display context is only borrowed for the question.
    if (dc != 0) Windows().ReleaseDC(tooltip_, dc);
    return Windows().MulDiv(points, dots_per_inch, kPointsPerInch);
}

Handle clsQuiborWUITooltipA::CreateFontFor(const ObjectRef& font) {
    LogFont log_font;
    // The size in points is a fixed-point value, rounded half to even.
    const Currency size = VariantToCurrency(FontProperty(font, StdFont::kDispIdSize));
    log_font.height = PixelHeight(ToLong(CurrencyToDouble(size)));

    const Long charset = VariantToLong(FontProperty(font, StdFont::kDispIdCharset));
    if (charset < 0 || charset > kMaxCharset) RaiseRuntimeError(rt::kOverflow);
    log_font.char_set = static_cast<uint8_t>(charset);
    log_font.italic = FlagOf(font, StdFont::kDispIdItalic);
    log_font.strike_out = FlagOf(font, StdFont::kDispIdStrikethrough);
    log_font.underline = FlagOf(font, StdFont::kDispIdUnderline);
    // The weight carries boldness; Bold itself is not read.
    log_font.weight = VariantToInteger(FontProperty(font, StdFont::kDispIdWeight));

    // The face name and its NUL must fit the record's 32 bytes; a longer
    // name is refused rather than cut or left without its NUL.
    const String name = VariantToString(FontProperty(font, StdFont::kDispIdName));
    if (Windows().CodePage().Encode(name).size() > kFaceNameMaxBytes) RaiseRuntimeError(rt::kSubscriptOutOfRange);
    log_font.face_name = name;

    return Windows().CreateFontIndirectA(log_font);
}

void clsQuiborWUITooltipA::set_Font(ObjectRef value) {
    const Handle made = CreateFontFor(value);
    Windows().SendMessageA(tooltip_, kWmSetFont, made, 1);  // redraw
    // The tooltip now uses the new font, so the one made before can go.
    const Handle previous = gdi_font_;
    gdi_font_ = made;
    font_ = std::move(value);
    if (previous != 0) Windows().DeleteObject(previous);
}

ObjectRef clsQuiborWUITooltipA::get_Font() { return font_; }

// --- tools

void clsQuiborWUITooltipA::SetToolTipObj(Long& objHwnd, String& sTipText, Boolean& bCenter) {
    ToolInfo tool = ToolRecord(objHwnd, objHwnd);
    tool.flags = kTtfIdIsHwnd | kTtfSubclass | (bCenter ? kTtfCenterTip : 0);
    tool.text = sTipText;
    Windows().SendMessageToolA(tooltip_, kTtmAddToolA, 0, tool);
}

void clsQuiborWUITooltipA::SetToolTipItem(Long& objHwnd, Long& nItem, Long& lft, Long& tp, Long& rght, Long& btm,
                                          String& sTipText, Boolean& bCenter) {
    ToolInfo tool = ToolRecord(objHwnd, nItem);
    tool.flags = kTtfSubclass | (bCenter ? kTtfCenterTip : 0);
    tool.rect = Rect{lft, tp, rght, btm};
    tool.text = sTipText;
    Windows().SendMessageToolA(tooltip_, kTtmAddToolA, 0, tool);
}

void clsQuiborWUITooltipA::DelToolTip(Long& objHwnd, Long& nItem) {
    // A negative item (the default -1) names the whole-window tool.
    ToolInfo tool = ToolRecord(objHwnd, nItem >= 0 ? nItem : objHwnd);
    Windows().SendMessageToolA(tooltip_, kTtmDelToolA, 0, tool);
}

void clsQuiborWUITooltipA::AjustItemRect(Long& objHwnd, Long& nItem, Long& lft, Long& tp, Long& rght, Long& btm) {
    // Read the tool without a text buffer, then give it its new rectangle.
    ToolInfo tool = ToolRecord(objHwnd, nItem);
    Windows().SendMessageToolA(tooltip_, kTtmGetToolInfoA, 0, tool);
    tool.rect = Rect{lft, tp, rght, btm};
    Windows().SendMessageToolA(tooltip_, kTtmNewToolRectA, 0, tool);
}

}  // namespace quibor15
