// The quibor15 type library: every class, interface member, enumeration and
// record, in the order and with the identifiers that compiled hosts depend
// on. The identifiers below were assigned once and must never change.
//
// A let or set entry lists the assigned value as its last parameter, named
// "value"; it is ByVal unless the property takes its value by reference.
#include "quibor15/typelib.hpp"

namespace quibor15 {
namespace {

// ---- types -----------------------------------------------------------------

constexpr TypeDesc kVoid{BaseType::Void};
constexpr TypeDesc kString{BaseType::String};
constexpr TypeDesc kInteger{BaseType::Integer};
constexpr TypeDesc kLong{BaseType::Long};
constexpr TypeDesc kSingle{BaseType::Single};
constexpr TypeDesc kDouble{BaseType::Double};
constexpr TypeDesc kBoolean{BaseType::Boolean};
constexpr TypeDesc kDate{BaseType::Date};
constexpr TypeDesc kCurrency{BaseType::Currency};
constexpr TypeDesc kVariant{BaseType::Variant};
constexpr TypeDesc kObject{BaseType::Object};
constexpr TypeDesc kCollection{BaseType::Collection};
constexpr TypeDesc kFont{BaseType::Font};
constexpr TypeDesc kPicture{BaseType::Picture};
constexpr TypeDesc kEnumerator{BaseType::Enumerator};
constexpr TypeDesc kStringArray{BaseType::StringArray};

constexpr TypeDesc Cls(std::u16string_view name) { return {BaseType::Class, name}; }
constexpr TypeDesc Enm(std::u16string_view name) { return {BaseType::Enum, name}; }

// ---- parameters --------------------------------------------------------------

constexpr DefaultValue kNoDefault{};
constexpr DefaultValue kDefaultTrue{DefaultKind::Boolean, -1};
constexpr DefaultValue kDefaultFalse{DefaultKind::Boolean, 0};
constexpr DefaultValue Num(int32_t n) { return {DefaultKind::Number, n}; }
constexpr DefaultValue Text(std::u16string_view t) { return {DefaultKind::Text, 0, t}; }

constexpr ParamDesc ByVal(std::u16string_view name, TypeDesc type) { return {name, type, false, false, {}}; }
constexpr ParamDesc ByRef(std::u16string_view name, TypeDesc type) { return {name, type, true, false, {}}; }
constexpr ParamDesc OptByVal(std::u16string_view name, TypeDesc type, DefaultValue d) {
    return {name, type, false, true, d};
}
constexpr ParamDesc OptByRef(std::u16string_view name, TypeDesc type, DefaultValue d) {
    return {name, type, true, true, d};
}

// The assigned value of property lets and sets.
constexpr ParamDesc kValString[] = {ByVal(u"value", kString)};
constexpr ParamDesc kValInteger[] = {ByVal(u"value", kInteger)};
constexpr ParamDesc kValLong[] = {ByVal(u"value", kLong)};
constexpr ParamDesc kValBoolean[] = {ByVal(u"value", kBoolean)};
constexpr ParamDesc kValVariant[] = {ByVal(u"value", kVariant)};
constexpr ParamDesc kValObject[] = {ByVal(u"value", kObject)};
constexpr ParamDesc kValCollection[] = {ByVal(u"value", kCollection)};
constexpr ParamDesc kValFont[] = {ByVal(u"value", kFont)};
constexpr ParamDesc kValPicture[] = {ByVal(u"value", kPicture)};
constexpr ParamDesc kValDTFormatType[] = {ByVal(u"value", Enm(u"DTFormatType"))};
constexpr ParamDesc kValTTStyle[] = {ByVal(u"value", Enm(u"TTStyle"))};
constexpr ParamDesc kRefValString[] = {ByRef(u"value", kString)};
constexpr ParamDesc kRefValLong[] = {ByRef(u"value", kLong)};

// ---- members -----------------------------------------------------------------

constexpr MemberDesc Method(std::u16string_view name, MemberDispId id, std::span<const ParamDesc> params = {},
                            TypeDesc result = kVoid, uint8_t flags = 0) {
    return {name, MemberKind::Method, id, params, result, flags};
}
constexpr MemberDesc Get(std::u16string_view name, MemberDispId id, TypeDesc result,
                         std::span<const ParamDesc> params = {}, uint8_t flags = 0) {
    return {name, MemberKind::Get, id, params, result, flags};
}
constexpr MemberDesc Let(std::u16string_view name, MemberDispId id, std::span<const ParamDesc> params,
                         uint8_t flags = 0) {
    return {name, MemberKind::Let, id, params, kVoid, flags};
}
constexpr MemberDesc Set(std::u16string_view name, MemberDispId id, std::span<const ParamDesc> params,
                         uint8_t flags = 0) {
    return {name, MemberKind::Set, id, params, kVoid, flags};
}

consteval Guid G(std::string_view text) { return Guid::Parse(text); }

// ---- enumerations and records ------------------------------------------------

constexpr EnumMemberDesc kDTFormatType[] = {{u"dtfLongDate", 0}, {u"dtfShortDate", 1}, {u"dtfTime", 2}};
constexpr EnumMemberDesc kLDateFormat[] = {{u"lLongDate", 1}, {u"lShortDate", 2}};
constexpr EnumMemberDesc kStartWindowState[] = {
    {u"START_HIDDEN", 0}, {u"START_NORMAL", 4}, {u"START_MINIMIZED", 2}, {u"START_MAXIMIZED", 3}};
constexpr EnumMemberDesc kCnWin32Ver[] = {{u"UnknownOS", 0}, {u"Win95", 1}, {u"Win98", 2}, {u"WinME", 3},
                                          {u"WinNT4", 4},    {u"Win2k", 5}, {u"WinXP", 6}};
constexpr EnumMemberDesc kTTStyle[] = {{u"ttStyleStandard", 1}, {u"ttStyleBalloon", 2}};

constexpr EnumDesc kEnums[] = {
    {u"DTFormatType", G("0E8D11C9-163C-5A9E-AA6E-D45348C6784D"), kDTFormatType},
    {u"lDateFormat", G("A0ABD01B-9E58-5C67-A13C-C3BB6779EFD1"), kLDateFormat},
    {u"StartWindowState", G("255855C6-5A6F-54B9-A1E0-3A85583A12C9"), kStartWindowState},
    {u"cnWin32Ver", G("F418BC76-D898-5DD4-B70D-B1CAE18FDC00"), kCnWin32Ver},
    {u"TTStyle", G("CA085E58-DE32-5980-B748-FEADD87D890C"), kTTStyle},
};

constexpr FieldDesc kFrmSize[] = {{u"Height", kLong}, {u"Width", kLong}};
constexpr FieldDesc kInitCommonControlsEx[] = {{u"dwSize", kLong}, {u"dwICC", kLong}};

constexpr RecordDesc kRecords[] = {
    {u"FRMSIZE", G("609D4CD3-ACD1-5E44-AFEE-6B9CE887A5EB"), kFrmSize},
    {u"INITCOMMONCONTROLSEX_TYPE", G("8747FF0A-0C9F-53C5-ACBA-2734280E3094"), kInitCommonControlsEx},
};

// ---- clsQuibor15A, clsQuiborWUIRunTimeB: no members ----------------------------

constexpr InterfaceDesc kIQuibor15A{u"_clsQuibor15A", G("0E2FFB51-8D2D-5EAD-B8BC-DC2BA0B02A00")};
constexpr InterfaceDesc kIWUIRunTimeB{u"_clsQuiborWUIRunTimeB", G("A661DC41-84AD-5370-9AE2-868C627DF6CC")};

// ---- clsQuiborDTFormatA --------------------------------------------------------

constexpr MemberDesc kDTFormatMembers[] = {
    Get(u"DTFType", 0x40030001, Enm(u"DTFormatType")),
    Let(u"DTFType", 0x40030001, kValDTFormatType),
    Let(u"DTFormat", 0x68030000, kRefValString, kMemberUiDefault),
    Get(u"DTFormat", 0x68030000, kString, {}, kMemberUiDefault),
};
constexpr InterfaceDesc kIDTFormatA{u"_clsQuiborDTFormatA", G("3CEAC16A-FE42-5D8D-9FA5-DC0C8C7FFEED"),
                                    InterfaceKind::Dual, kDTFormatMembers};

// ---- clsQuiborDTFormatsA -------------------------------------------------------

constexpr ParamDesc kNewFormat[] = {ByRef(u"NewFormat", Cls(u"clsQuiborDTFormatA"))};
constexpr ParamDesc kIndexKey[] = {ByRef(u"vntIndexKey", kVariant)};

constexpr MemberDesc kDTFormatsMembers[] = {
    Method(u"Add", 0x60030001, kNewFormat, Cls(u"clsQuiborDTFormatA")),
    Get(u"Item", 0x0, Cls(u"clsQuiborDTFormatA"), kIndexKey),
    Get(u"Count", 0x68030000, kLong),
    Method(u"Remove", 0x60030002, kIndexKey),
    Get(u"NewEnum", -4, kEnumerator, {}, kMemberHidden | kMemberRestricted),
};
constexpr InterfaceDesc kIDTFormatsA{u"_clsQuiborDTFormatsA", G("62B6E513-DE11-563B-9BB4-28045DCC3BA9"),
                                     InterfaceKind::Dual, kDTFormatsMembers};

// ---- clsQuiborInternationalA -----------------------------------------------------

constexpr MemberDesc kInternationalMembers[] = {
    Get(u"Locales", 0x68030001, Cls(u"clsQuiborLocalesA")),
    Get(u"SystemDefault", 0x68030000, Cls(u"clsQuiborLocaleA")),
};
constexpr InterfaceDesc kIInternationalA{u"_clsQuiborInternationalA", G("CB666667-EB9D-505D-894F-7667981BFA9C"),
                                         InterfaceKind::Dual, kInternationalMembers};

// ---- clsQuiborWUillsA ------------------------------------------------------------

constexpr MemberDesc kWUillsMembers[] = {
    Get(u"CommandButtonPress", 0x40030002, kString), Let(u"CommandButtonPress", 0x40030002, kValString),
    Get(u"LCIDDefault", 0x68030001, kLong),          Let(u"LCIDDefault", 0x68030001, kValLong),
    Get(u"LCIDSelected", 0x68030000, kLong),         Let(u"LCIDSelected", 0x68030000, kValLong),
    Method(u"UIShowLLS", 0x60030002, {}, kVariant),  Method(u"UIHideLLS", 0x60030003, {}, kVariant),
};
constexpr InterfaceDesc kIWUillsA{u"_clsQuiborWUillsA", G("809AE7D0-4EF4-521F-8549-3A2DF44E8209"), InterfaceKind::Dual,
                                  kWUillsMembers};

// ---- clsQuiborLocaleA --------------------------------------------------------------

constexpr ParamDesc kFormatCurrency[] = {ByRef(u"CurVal", kDouble), OptByRef(u"UseGrouping", kBoolean, kDefaultTrue),
                                         OptByRef(u"ShowCSymbol", kBoolean, kDefaultTrue)};
constexpr ParamDesc kFormatNumber[] = {ByRef(u"FNumber", kDouble), OptByRef(u"NumDecimalPlaces", kInteger, Num(2)),
                                       OptByRef(u"UseGrouping", kBoolean, kDefaultTrue)};
constexpr ParamDesc kFormatDate[] = {ByRef(u"DateVar", kDate), OptByRef(u"DateFormat", kVariant, Num(2))};
constexpr ParamDesc kFormatTime[] = {ByRef(u"TimeVar", kDate), OptByRef(u"TimeFormat", kString, Text(u""))};
constexpr ParamDesc kDayName[] = {ByRef(u"DayIndex", kInteger), OptByRef(u"Abbreviate", kBoolean, kDefaultFalse)};
constexpr ParamDesc kMonthName[] = {ByRef(u"MonthIndex", kInteger), OptByRef(u"Abbreviate", kBoolean, kDefaultFalse)};
constexpr ParamDesc kListSort[] = {ByRef(u"List", kStringArray), OptByRef(u"Ascending", kBoolean, kDefaultTrue),
                                   OptByRef(u"CaseSensitive", kBoolean, kDefaultTrue)};
constexpr ParamDesc kLocaleCCur[] = {ByRef(u"CurrencyString", kString)};
constexpr ParamDesc kLocaleCDate[] = {ByRef(u"DateExpression", kString)};
constexpr ParamDesc kLocaleDTime[] = {ByRef(u"TimeExpression", kString)};
constexpr ParamDesc kInputString[] = {ByRef(u"InputString", kString)};

constexpr MemberDesc kLocaleMembers[] = {
    Get(u"AbbrevLangName", 0x6803000d, kString),
    Get(u"CurrencyString", 0x6803000c, kString),
    Get(u"DateFormats", 0x6803000b, Cls(u"clsQuiborDTFormatsA")),
    Method(u"FormatCurrency", 0x6003000f, kFormatCurrency, kString),
    Method(u"FormatNumber", 0x60030010, kFormatNumber, kString),
    Method(u"FormatDate", 0x60030011, kFormatDate, kString),
    Method(u"FormatTime", 0x60030012, kFormatTime, kString),
    Get(u"FullName", 0x6803000a, kString),
    Get(u"GenericLangName", 0x68030009, kString),
    Method(u"GetDayName", 0x60030013, kDayName, kString),
    Method(u"GetMonthName", 0x60030014, kMonthName, kString),
    Get(u"IntlCurrencyCode", 0x68030008, kString),
    Get(u"isValid", 0x68030007, kBoolean),
    Get(u"LCID", 0x68030006, kLong),
    Method(u"ListSort", 0x60030015, kListSort, kStringArray),
    Method(u"LocaleCCur", 0x60030016, kLocaleCCur, kCurrency),
    Method(u"LocaleCDate", 0x60030017, kLocaleCDate, kDate),
    Method(u"LocaleDTime", 0x60030018, kLocaleDTime, kDate),
    Method(u"LocaleLCase", 0x60030019, kInputString, kString),
    Method(u"LocaleUCase", 0x6003001a, kInputString, kString),
    Get(u"LongDateFormat", 0x68030005, kString),
    Get(u"NativeCountryName", 0x68030004, kString),
    Get(u"NativeLangName", 0x68030003, kString),
    Method(u"pfGetUsedMN", 0x6003001d, kMonthName, kString),
    Get(u"ShortDateFormat", 0x68030002, kString),
    Get(u"DecimalSeparator", 0x68030001, kString),
    Get(u"TimeFormats", 0x68030000, Cls(u"clsQuiborDTFormatsA")),
};
constexpr InterfaceDesc kILocaleA{u"_clsQuiborLocaleA", G("5CD5EAB8-1BF2-50D4-9E6C-4E26E97677B0"), InterfaceKind::Dual,
                                  kLocaleMembers};

// ---- clsQuiborLocalesA -------------------------------------------------------------

constexpr ParamDesc kAddObj[] = {ByRef(u"nLocale", Cls(u"clsQuiborLocaleA"))};

constexpr MemberDesc kLocalesMembers[] = {
    Method(u"AddObj", 0x60030001, kAddObj),
    Get(u"Item", 0x0, Cls(u"clsQuiborLocaleA"), kIndexKey),
    Get(u"Count", 0x68030000, kLong),
    Method(u"Remove", 0x60030002, kIndexKey),
    Get(u"NewEnum", -4, kEnumerator, {}, kMemberHidden | kMemberRestricted),
};
constexpr InterfaceDesc kILocalesA{u"_clsQuiborLocalesA", G("B9E3B69E-C969-5F36-94DD-DECE71336180"),
                                   InterfaceKind::Dual, kLocalesMembers};

// ---- clsQuiborInterplayA -----------------------------------------------------------

constexpr MemberDesc kInterplayMembers[] = {
    Get(u"PlayMethod", 0x68030000, kLong),
    Let(u"PlayMethod", 0x68030000, kValLong),
    Method(u"ActiveUI", 0x60030001, {}, kVariant),
    Method(u"PlayUI", 0x60030002, {}, kVariant),
};
constexpr InterfaceDesc kIInterplayA{u"_clsQuiborInterplayA", G("2C7F9123-EACC-500C-950F-D3F91E8C71D9"),
                                     InterfaceKind::Dual, kInterplayMembers};

// ---- clsQuiborWUIRunTimeA ----------------------------------------------------------

constexpr ParamDesc kComboBoxIncLookup[] = {ByRef(u"ControlName", kObject), ByRef(u"acKeyCode", kVariant)};
constexpr ParamDesc kObjectSelectedAll[] = {ByRef(u"Objectname", kObject)};
constexpr ParamDesc kFormParam[] = {ByRef(u"Form", kObject)};
constexpr ParamDesc kAddToDocumentsList[] = {ByVal(u"Filename", kString)};
constexpr ParamDesc kResizeForResolution[] = {ByVal(u"SFX", kSingle), ByVal(u"SFY", kSingle),
                                              ByRef(u"MyForm", kObject)};
constexpr ParamDesc kTheForm[] = {ByRef(u"TheForm", kObject)};
constexpr ParamDesc kOnTop[] = {ByRef(u"frm", kObject), ByRef(u"bAction", kBoolean)};

constexpr MemberDesc kRunTimeAMembers[] = {
    Method(u"ComboBoxIncLookup", 0x60030000, kComboBoxIncLookup, kVariant),
    Method(u"ObjectSelectedAll", 0x60030001, kObjectSelectedAll),
    Method(u"FormExitDown", 0x60030002, kFormParam),
    Method(u"FormExitLeft", 0x60030003, kFormParam),
    Method(u"FormExitRight", 0x60030004, kFormParam),
    Method(u"FormExitUp", 0x60030005, kFormParam),
    Method(u"FormCenter", 0x60030006, kFormParam),
    Method(u"AddToDocumentsList", 0x60030007, kAddToDocumentsList, kBoolean),
    Method(u"Resize_For_Resolution", 0x60030008, kResizeForResolution),
    Method(u"FormResize", 0x60030009, kTheForm),
    Method(u"AdjustForm", 0x6003000a, kTheForm),
    Method(u"OnTop", 0x6003000b, kOnTop),
};
constexpr InterfaceDesc kIWUIRunTimeA{u"_clsQuiborWUIRunTimeA", G("A599F96D-53EE-51FF-987F-6640FF5CC145"),
                                      InterfaceKind::Dual, kRunTimeAMembers};

// ---- clsQuiborWUIXPManifestA -------------------------------------------------------

constexpr ParamDesc kMakeManifestFile[] = {OptByRef(u"sPathWithSlash", kString, kNoDefault)};
constexpr ParamDesc kShellDocument[] = {
    ByRef(u"sDocName", kString),
    OptByVal(u"Action", kString, Text(u"Open")),
    OptByVal(u"Parameters", kString, Text(u"")),
    OptByVal(u"Directory", kString, Text(u"")),
    OptByVal(u"WindowState", Enm(u"StartWindowState"), kNoDefault),
};

constexpr MemberDesc kManifestMembers[] = {
    Get(u"intVer_major", 0x40030000, kInteger),
    Let(u"intVer_major", 0x40030000, kValInteger),
    Get(u"intVer_minor", 0x40030001, kInteger),
    Let(u"intVer_minor", 0x40030001, kValInteger),
    Method(u"MainXp", 0x60030001),
    Method(u"MakeMANIFESTfile", 0x60030002, kMakeManifestFile, kBoolean),
    Get(u"IsManifestFile", 0x68030000, kBoolean),
    Method(u"ShellDocument", 0x60030003, kShellDocument, kBoolean),
    Method(u"Win32Ver", 0x60030004, {}, Enm(u"cnWin32Ver")),
    Method(u"isNT", 0x60030005, {}, kBoolean),
    Method(u"is9x", 0x60030006, {}, kBoolean),
    Method(u"isWinXP", 0x60030007, {}, kBoolean),
    Method(u"isWin2k", 0x60030008, {}, kBoolean),
    Method(u"isWinNT4", 0x60030009, {}, kBoolean),
    Method(u"isWinME", 0x6003000a, {}, kBoolean),
    Method(u"isWin98", 0x6003000b, {}, kBoolean),
    Method(u"isWin95", 0x6003000c, {}, kBoolean),
    Method(u"GetOSVersion", 0x6003000d, {}, kString),
};
constexpr InterfaceDesc kIWUIXPManifestA{u"_clsQuiborWUIXPManifestA", G("19400D8B-E07C-5382-9088-DBB5AB107A01"),
                                         InterfaceKind::Dual, kManifestMembers};

// ---- clsQuiborWUITooltipA ----------------------------------------------------------

constexpr ParamDesc kSetToolTipObj[] = {ByRef(u"objHwnd", kLong), ByRef(u"sTipText", kString),
                                        OptByRef(u"bCenter", kBoolean, kDefaultFalse)};
constexpr ParamDesc kSetToolTipItem[] = {
    ByRef(u"objHwnd", kLong),    ByRef(u"nItem", kLong),
    ByRef(u"lft", kLong),        ByRef(u"tp", kLong),
    ByRef(u"rght", kLong),       ByRef(u"btm", kLong),
    ByRef(u"sTipText", kString), OptByRef(u"bCenter", kBoolean, kDefaultFalse),
};
constexpr ParamDesc kDelToolTip[] = {ByRef(u"objHwnd", kLong), OptByRef(u"nItem", kLong, Num(-1))};
constexpr ParamDesc kAjustItemRect[] = {ByRef(u"objHwnd", kLong), ByRef(u"nItem", kLong), ByRef(u"lft", kLong),
                                        ByRef(u"tp", kLong),      ByRef(u"rght", kLong),  ByRef(u"btm", kLong)};

constexpr MemberDesc kTooltipMembers[] = {
    Set(u"Font", 0x68030006, kValFont),
    Get(u"Font", 0x68030006, kFont),
    Let(u"TxtColor", 0x68030005, kValLong),
    Get(u"TxtColor", 0x68030005, kLong),
    Let(u"BkColor", 0x68030004, kValLong),
    Get(u"BkColor", 0x68030004, kLong),
    Let(u"VisibleTime", 0x68030003, kValLong),
    Get(u"VisibleTime", 0x68030003, kLong),
    Let(u"DelayTime", 0x68030002, kValLong),
    Get(u"DelayTime", 0x68030002, kLong),
    Let(u"TipWidth", 0x68030001, kValLong),
    Get(u"TipWidth", 0x68030001, kLong),
    Let(u"Style", 0x68030000, kValTTStyle),
    Get(u"Style", 0x68030000, Enm(u"TTStyle")),
    Method(u"SetToolTipObj", 0x60030008, kSetToolTipObj),
    Method(u"SetToolTipItem", 0x60030009, kSetToolTipItem),
    Method(u"DelToolTip", 0x6003000a, kDelToolTip),
    Method(u"AjustItemRect", 0x6003000b, kAjustItemRect),
};
constexpr InterfaceDesc kIWUITooltipA{u"_clsQuiborWUITooltipA", G("00E6FC9A-CB9E-5EBE-8DE2-B3AE7EB63835"),
                                      InterfaceKind::Dual, kTooltipMembers};

// ---- clsQuiborWUIBCAT175A ----------------------------------------------------------

constexpr MemberDesc kBcatMembers[] = {
    Get(u"InputString", 0x68030007, kString),
    Let(u"InputString", 0x68030007, kValString),
    Method(u"ClearAll", 0x60030008),
    Get(u"FirstCharacter", 0x68030006, kString),
    Let(u"FirstCharacter", 0x68030006, kValString),
    Get(u"LastCharacter", 0x68030005, kString),
    Let(u"LastCharacter", 0x68030005, kValString),
    Get(u"Length", 0x68030004, kInteger),
    Let(u"Length", 0x68030004, kValInteger),
    Get(u"Code1", 0x68030003, kVariant),
    Let(u"Code1", 0x68030003, kValVariant),
    Get(u"Code2", 0x68030002, kVariant),
    Let(u"Code2", 0x68030002, kValVariant),
    Get(u"Code3", 0x68030001, kVariant),
    Let(u"Code3", 0x68030001, kValVariant),
    Method(u"GuessInputString", 0x60030009, {}, kString),
    Get(u"OutputCode", 0x68030000, kVariant),
    Let(u"OutputCode", 0x68030000, kValVariant),
};
constexpr InterfaceDesc kIWUIBCAT175A{u"_clsQuiborWUIBCAT175A", G("9BAB96D8-A40D-5E16-B748-22AB2219DA30"),
                                      InterfaceKind::Dual, kBcatMembers};

// ---- clsQuiborWUIMMMovieA ----------------------------------------------------------
// Two public fields, then 68 methods whose DISPIDs count up from 0x60030000
// in table order, skipping 0x60030028 (from getVolume on they are one higher).

constexpr ParamDesc kValue[] = {ByRef(u"Value", kLong)};
constexpr ParamDesc kSecond[] = {ByRef(u"Second", kLong)};
constexpr ParamDesc kNumMS[] = {ByRef(u"numMS", kLong)};
constexpr ParamDesc kNumFrames[] = {ByRef(u"numFrames", kLong)};
constexpr ParamDesc kNumSec[] = {ByRef(u"numSec", kLong)};
constexpr ParamDesc kOpenMovieWindow[] = {ByRef(u"hWnd", kLong), ByRef(u"WindowStyle", kString)};
constexpr ParamDesc kExtractCurrentMovieSize[] = {ByRef(u"wLeft", kLong), ByRef(u"wTop", kLong),
                                                  ByRef(u"wWidth", kLong), ByRef(u"wHeight", kLong)};
constexpr ParamDesc kExtractDefaultMovieSize[] = {ByRef(u"wWidth", kLong), ByRef(u"wHeight", kLong)};
constexpr ParamDesc kSizeLocateMovie[] = {ByRef(u"Left", kLong), ByRef(u"Top", kLong), ByRef(u"Width", kLong),
                                          ByRef(u"Height", kLong)};
constexpr ParamDesc kTimeOut[] = {ByRef(u"duration", kVariant)};

constexpr MemberDesc kMovieMembers[] = {
    Get(u"Error", 0x40030001, kLong),
    Let(u"Error", 0x40030001, kValLong),
    Get(u"Filename", 0x40030002, kString),
    Let(u"Filename", 0x40030002, kValString),
    Method(u"stepFrames", 0x60030000, kValue, kVariant),
    Method(u"restoreSizeDefault", 0x60030001, {}, kVariant),
    Method(u"openMovie", 0x60030002, {}, kVariant),
    Method(u"openMovieWindow", 0x60030003, kOpenMovieWindow, kVariant),
    Method(u"minimizeMovie", 0x60030004, {}, kVariant),
    Method(u"playMovie", 0x60030005, {}, kVariant),
    Method(u"hideMovie", 0x60030006, {}, kVariant),
    Method(u"showMovie", 0x60030007, {}, kVariant),
    Method(u"restoreMovie", 0x60030008, {}, kVariant),
    Method(u"stopMovie", 0x60030009, {}, kVariant),
    Method(u"extractCurrentMovieSize", 0x6003000a, kExtractCurrentMovieSize, kVariant),
    Method(u"extractDefaultMovieSize", 0x6003000b, kExtractDefaultMovieSize, kVariant),
    Method(u"getBitsPerPixel", 0x6003000c, {}, kVariant),
    Method(u"getMovieInput", 0x6003000d, {}, kString),
    Method(u"getMovieOutput", 0x6003000e, {}, kString),
    Method(u"getAudioStatus", 0x6003000f, {}, kString),
    Method(u"sizeLocateMovie", 0x60030010, kSizeLocateMovie, kVariant),
    Method(u"isMoviePlaying", 0x60030011, {}, kBoolean),
    Method(u"checkError", 0x60030012, {}, kString),
    Method(u"getDeviceName", 0x60030013, {}, kString),
    Method(u"getDeviceVersion", 0x60030014, {}, kString),
    Method(u"getNominalFrameRate", 0x60030015, {}, kLong),
    Method(u"getFramePerSecRate", 0x60030016, {}, kLong),
    Method(u"getCurrentSize", 0x60030017, {}, kString),
    Method(u"getDefaultSize", 0x60030018, {}, kString),
    Method(u"getLengthInFrames", 0x60030019, {}, kLong),
    Method(u"getLengthInMS", 0x6003001a, {}, kLong),
    Method(u"playFullScreen", 0x6003001b, {}, kVariant),
    Method(u"getLengthInSec", 0x6003001c, {}, kLong),
    Method(u"setVideoOff", 0x6003001d, {}, kVariant),
    Method(u"setVideoOn", 0x6003001e, {}, kVariant),
    Method(u"pauseMovie", 0x6003001f, {}, kVariant),
    Method(u"resumeMovie", 0x60030020, {}, kVariant),
    Method(u"getPositionInMS", 0x60030021, {}, kLong),
    Method(u"getRate", 0x60030022, {}, kLong),
    Method(u"getPositionInFrames", 0x60030023, {}, kLong),
    Method(u"getStatus", 0x60030024, {}, kString),
    Method(u"closeMovie", 0x60030025, {}, kVariant),
    Method(u"getFormatPosition", 0x60030026, {}, kString),
    Method(u"getFormatLength", 0x60030027, {}, kString),
    Method(u"getVolume", 0x60030029, {}, kLong),
    Method(u"getVideoStatus", 0x6003002a, {}, kString),
    Method(u"getTimeFormat", 0x6003002b, {}, kString),
    Method(u"getLeftVolume", 0x6003002c, {}, kLong),
    Method(u"getPositionInSec", 0x6003002d, {}, kLong),
    Method(u"getRightVolume", 0x6003002e, {}, kLong),
    Method(u"setAudioOff", 0x6003002f, {}, kVariant),
    Method(u"setAudioOn", 0x60030030, {}, kVariant),
    Method(u"setLeftOff", 0x60030031, {}, kVariant),
    Method(u"setRightOff", 0x60030032, {}, kVariant),
    Method(u"setLeftOn", 0x60030033, {}, kVariant),
    Method(u"setRightOn", 0x60030034, {}, kVariant),
    Method(u"setDoorOpen", 0x60030035, {}, kVariant),
    Method(u"setDoorClosed", 0x60030036, {}, kVariant),
    Method(u"setVolume", 0x60030037, kValue, kVariant),
    Method(u"setPositionTo", 0x60030038, kSecond, kVariant),
    Method(u"restartMovie", 0x60030039, {}, kVariant),
    Method(u"rewindByMS", 0x6003003a, kNumMS, kVariant),
    Method(u"rewindByFrames", 0x6003003b, kNumFrames, kVariant),
    Method(u"rewindBySeconds", 0x6003003c, kNumSec, kVariant),
    Method(u"forwardByFrames", 0x6003003d, kNumFrames, kVariant),
    Method(u"forwardByMS", 0x6003003e, kNumMS, kVariant),
    Method(u"forwardBySeconds", 0x6003003f, kNumSec, kVariant),
    Method(u"checkDeviceReady", 0x60030040, {}, kString),
    Method(u"setSpeed", 0x60030041, kValue, kVariant),
    Method(u"setLeftVolume", 0x60030042, kValue, kVariant),
    Method(u"setRightVolume", 0x60030043, kValue, kVariant),
    Method(u"timeOut", 0x60030044, kTimeOut),
};
constexpr InterfaceDesc kIWUIMMMovieA{u"_clsQuiborWUIMMMovieA", G("6E41534A-3A8B-5DAB-AA94-8E288B59A867"),
                                      InterfaceKind::Dual, kMovieMembers};

// ---- clsQuiborWUIMMMP3A ------------------------------------------------------------

constexpr ParamDesc kGetLastBackSlash[] = {ByRef(u"text", kString)};
constexpr ParamDesc kListNoChar[] = {ByRef(u"List1", kObject), ByRef(u"List2", kObject)};
constexpr ParamDesc kMp3ChangePositionTo[] = {ByRef(u"Second", kVariant)};
constexpr ParamDesc kPlayList[] = {ByRef(u"TheFile", kString), ByRef(u"TheListBox", kVariant)};

constexpr MemberDesc kMp3Members[] = {
    Get(u"MP3File", 0x40030000, kString),
    Let(u"MP3File", 0x40030000, kValString),
    Method(u"GetLastBackSlash", 0x60030000, kGetLastBackSlash, kString),
    Method(u"ListNoChar", 0x60030001, kListNoChar),
    Method(u"MP3Playing", 0x60030005, {}, kBoolean),
    Method(u"MP3ChangePositionTo", 0x60030006, kMp3ChangePositionTo, kVariant),
    Method(u"MP3PositionInSec", 0x60030007, {}, kVariant),
    Method(u"MP3PositionInMS", 0x60030008, {}, kVariant),
    Method(u"MP3Duration", 0x60030009, {}, kVariant),
    Method(u"MP3DurationInSec", 0x6003000a, {}, kVariant),
    Method(u"MP3DurationInMs", 0x6003000b, {}, kVariant),
    Method(u"MP3Position", 0x6003000d, {}, kVariant),
    Method(u"MP3OpenPlayList", 0x6003000e, kPlayList, kVariant),
    Method(u"MP3SavePlayList", 0x6003000f, kPlayList, kVariant),
    Method(u"MP3Play", 0x60030010),
    Method(u"MP3Stop", 0x60030011),
    Method(u"MP3Resume", 0x60030012),
    Method(u"MP3Pause", 0x60030013),
};
constexpr InterfaceDesc kIWUIMMMP3A{u"_clsQuiborWUIMMMP3A", G("2176377D-D0F1-51CD-9AC3-4BBEF5DB109C"),
                                    InterfaceKind::Dual, kMp3Members};

// ---- clsQuiborWizardA --------------------------------------------------------------

constexpr ParamDesc kGoToFrame[] = {ByRef(u"iIndex", kLong)};

constexpr MemberDesc kWizardMembers[] = {
    Get(u"mcolFrameObjectTitles", 0x40030051, kCollection),
    Set(u"mcolFrameObjectTitles", 0x40030051, kValCollection),
    Get(u"mcolFrameObjectMessages", 0x40030052, kCollection),
    Set(u"mcolFrameObjectMessages", 0x40030052, kValCollection),
    Get(u"GetProStdProperties", 0x6803006e, kObject),
    Method(u"About", 0x6003006f, {}, kLong),
    Get(u"AppObject", 0x6803006d, kObject),
    Set(u"AppObject", 0x6803006d, kValObject),
    Get(u"BuddyObject", 0x6803006c, kObject),
    Set(u"BuddyObject", 0x6803006c, kValObject),
    Get(u"WindowObject", 0x6803006b, kObject),
    Set(u"WindowObject", 0x6803006b, kValObject),
    Get(u"FrameObject", 0x6803006a, kObject),
    Set(u"FrameObject", 0x6803006a, kValObject),
    Get(u"AddTopPane", 0x68030069, kBoolean),
    Let(u"AddTopPane", 0x68030069, kValBoolean),
    Get(u"KeyPreview", 0x68030068, kBoolean),
    Let(u"KeyPreview", 0x68030068, kValBoolean),
    Get(u"AddBottomPane", 0x68030067, kBoolean),
    Let(u"AddBottomPane", 0x68030067, kValBoolean),
    Get(u"TopPanePicture", 0x68030066, kPicture),
    Set(u"TopPanePicture", 0x68030066, kValPicture),
    Get(u"TopPaneBackPicture", 0x68030065, kPicture),
    Set(u"TopPaneBackPicture", 0x68030065, kValPicture),
    Get(u"BottomPaneBackPicture", 0x68030064, kPicture),
    Set(u"BottomPaneBackPicture", 0x68030064, kValPicture),
    Get(u"Title", 0x68030063, kString),
    Let(u"Title", 0x68030063, kValString),
    Get(u"Height", 0x68030062, kLong),
    Let(u"Height", 0x68030062, kValLong),
    Get(u"Width", 0x68030061, kLong),
    Let(u"Width", 0x68030061, kValLong),
    Get(u"FirstFrameButtonCaption", 0x68030060, kString),
    Let(u"FirstFrameButtonCaption", 0x68030060, kValString),
    Get(u"PreviousFrameButtonCaption", 0x6803005f, kString),
    Let(u"PreviousFrameButtonCaption", 0x6803005f, kValString),
    Get(u"NextFrameButtonCaption", 0x6803005e, kString),
    Let(u"NextFrameButtonCaption", 0x6803005e, kValString),
    Get(u"LastFrameButtonCaption", 0x6803005d, kString),
    Let(u"LastFrameButtonCaption", 0x6803005d, kValString),
    Get(u"CancelButtonCaption", 0x6803005c, kString),
    Let(u"CancelButtonCaption", 0x6803005c, kValString),
    Get(u"TopPaneBackcolor", 0x6803005b, kLong),
    Let(u"TopPaneBackcolor", 0x6803005b, kValLong),
    Get(u"BottomPaneBackcolor", 0x6803005a, kLong),
    Let(u"BottomPaneBackcolor", 0x6803005a, kValLong),
    Get(u"ShowFirstFrameButton", 0x68030059, kBoolean),
    Let(u"ShowFirstFrameButton", 0x68030059, kValBoolean),
    Get(u"ShowLastFrameButton", 0x68030058, kBoolean),
    Let(u"ShowLastFrameButton", 0x68030058, kValBoolean),
    Get(u"DontShowTopPaneinFirstFrame", 0x68030057, kBoolean),
    Let(u"DontShowTopPaneinFirstFrame", 0x68030057, kValBoolean),
    Get(u"TopPaneObject", 0x68030056, kObject),
    Set(u"TopPaneObject", 0x68030056, kValObject),
    Get(u"TopPaneTitleObject", 0x68030055, kObject),
    Set(u"TopPaneTitleObject", 0x68030055, kValObject),
    Get(u"TopPaneMessageObject", 0x68030054, kObject),
    Set(u"TopPaneMessageObject", 0x68030054, kValObject),
    Get(u"TopPanePictureObject", 0x68030053, kObject),
    Set(u"TopPanePictureObject", 0x68030053, kValObject),
    Get(u"TopPaneTitleFont", 0x68030052, kFont),
    Set(u"TopPaneTitleFont", 0x68030052, kValFont),
    Get(u"TopPaneMessageFont", 0x68030051, kFont),
    Set(u"TopPaneMessageFont", 0x68030051, kValFont),
    Get(u"BottomPaneObject", 0x68030050, kObject),
    Set(u"BottomPaneObject", 0x68030050, kValObject),
    Get(u"MaxFrameIndex", 0x6803004f, kInteger),
    Let(u"MaxFrameIndex", 0x6803004f, kValInteger),
    Get(u"CurrentFrame", 0x6803004e, kInteger),
    Let(u"CurrentFrame", 0x6803004e, kValInteger),
    Get(u"BottomPaneButtonXDistance", 0x6803004d, kLong),
    Let(u"BottomPaneButtonXDistance", 0x6803004d, kValLong),
    Method(u"ShowFirstFrame", 0x60030094, {}, kLong),
    Method(u"ShowPreviousFrame", 0x60030095, {}, kLong),
    Method(u"ShowNextFrame", 0x60030096, {}, kLong),
    Method(u"ShowLastFrame", 0x60030097, {}, kLong),
    Method(u"GoToFrame", 0x60030098, kGoToFrame, kLong),
    Method(u"Create", 0x60030099, {}, kLong),
};
constexpr InterfaceDesc kIWizardA{u"_clsQuiborWizardA", G("3F7B9846-5EA1-5A40-9555-7A2D5E87995F"), InterfaceKind::Dual,
                                  kWizardMembers};

// The wizard's events: every parameter ByRef, so a handler can change it.
constexpr ParamDesc kCancel[] = {ByRef(u"Cancel", kInteger)};
constexpr ParamDesc kBeforeFrameShow[] = {ByRef(u"Index", kInteger), ByRef(u"Cancel", kInteger)};
constexpr ParamDesc kAfterFrameShow[] = {ByRef(u"Index", kInteger)};
constexpr ParamDesc kMouse[] = {ByRef(u"Button", kInteger), ByRef(u"Shift", kInteger), ByRef(u"X", kSingle),
                                ByRef(u"Y", kSingle)};

constexpr MemberDesc kWizardEvents[] = {
    Method(u"FirstFrameButtonClick", 1),
    Method(u"PreviousFrameButtonClick", 2),
    Method(u"NextFrameButtonClick", 3),
    Method(u"LastFrameButtonClick", 4),
    Method(u"CancelFrameButtonClick", 5),
    Method(u"FinishFrameButtonClick", 33, kCancel),
    Method(u"BeforeFrameShow", 6, kBeforeFrameShow),
    Method(u"AfterFrameShow", 7, kAfterFrameShow),
    Method(u"TopPaneTitleClick", 8),
    Method(u"TopPaneTitleDoubleClick", 9),
    Method(u"TopPaneTitleMouseDown", 10, kMouse),
    Method(u"TopPaneTitleMouseMove", 11, kMouse),
    Method(u"TopPaneTitleMouseUp", 12, kMouse),
    Method(u"TopPaneMessageClick", 13),
    Method(u"TopPaneMessageDoubleClick", 14),
    Method(u"TopPaneMessageMouseDown", 15, kMouse),
    Method(u"TopPaneMessageMouseMove", 16, kMouse),
    Method(u"TopPaneMessageMouseUp", 17, kMouse),
    Method(u"TopPanePictureClick", 18),
    Method(u"TopPanePictureDoubleClick", 19),
    Method(u"TopPanePictureMouseDown", 20, kMouse),
    Method(u"TopPanePictureMouseMove", 21, kMouse),
    Method(u"TopPanePictureMouseUp", 22, kMouse),
    Method(u"TopPaneClick", 23),
    Method(u"TopPaneDoubleClick", 24),
    Method(u"TopPaneMouseDown", 25, kMouse),
    Method(u"TopPaneMouseMove", 26, kMouse),
    Method(u"TopPaneMouseUp", 27, kMouse),
    Method(u"BottomPaneClick", 28),
    Method(u"BottomPaneDoubleClick", 29),
    Method(u"BottomPaneMouseDown", 30, kMouse),
    Method(u"BottomPaneMouseMove", 31, kMouse),
    Method(u"BottomPaneMouseUp", 32, kMouse),
};
constexpr InterfaceDesc kEWizardA{u"__clsQuiborWizardA", G("4760FABA-8FF5-591C-AB9C-BAFA278F8CD6"),
                                  InterfaceKind::DispatchOnly, kWizardEvents};

// ---- clsQuiborMonitorsA ------------------------------------------------------------

constexpr ParamDesc kMonitorFromWindow[] = {ByRef(u"hWnd", kLong), ByRef(u"dwFlags", kLong)};
constexpr ParamDesc kCenterFormOnMonitor[] = {ByRef(u"FormToCenter", kObject),
                                              OptByRef(u"ReferenceForm", kVariant, kNoDefault)};
constexpr ParamDesc kMonitorFromXYPoint[] = {ByRef(u"X", kLong), ByRef(u"y", kLong), ByRef(u"dwFlags", kLong)};
constexpr ParamDesc kShowMonitorDialog[] = {ByRef(u"Prompt", kString), ByRef(u"Caption", kString),
                                            OptByRef(u"OwnerForm", kVariant, kNoDefault)};

constexpr MemberDesc kMonitorsMembers[] = {
    Get(u"Monitors", 0x40030000, kCollection),
    Set(u"Monitors", 0x40030000, kValCollection),
    Get(u"DesktopLeft", 0x68030003, kLong),
    Get(u"DesktopTop", 0x68030002, kLong),
    Get(u"DesktopWidth", 0x68030001, kLong),
    Get(u"DesktopHeight", 0x68030000, kLong),
    Method(u"GetMonitorFromWindow", 0x60030005, kMonitorFromWindow, kLong),
    Method(u"CenterFormOnMonitor", 0x60030006, kCenterFormOnMonitor, kBoolean),
    Method(u"GetMonitorFromXYPoint", 0x60030007, kMonitorFromXYPoint, kLong),
    Method(u"Refresh", 0x60030008),
    Method(u"ShowMonitorDialog", 0x60030009, kShowMonitorDialog, kLong),
};
constexpr InterfaceDesc kIMonitorsA{u"_clsQuiborMonitorsA", G("67AAFC7F-3325-5554-A3CE-B1142F7FB868"),
                                    InterfaceKind::Dual, kMonitorsMembers};

// ---- clsQuiborMonitorA: eleven Long properties, each let taking its value ByRef -------

constexpr MemberDesc kMonitorMembers[] = {
    Get(u"Handle", 0x6803000a, kLong),     Let(u"Handle", 0x6803000a, kRefValLong),
    Get(u"Height", 0x68030009, kLong),     Let(u"Height", 0x68030009, kRefValLong),
    Get(u"Width", 0x68030008, kLong),      Let(u"Width", 0x68030008, kRefValLong),
    Get(u"Left", 0x68030007, kLong),       Let(u"Left", 0x68030007, kRefValLong),
    Get(u"Right", 0x68030006, kLong),      Let(u"Right", 0x68030006, kRefValLong),
    Get(u"Top", 0x68030005, kLong),        Let(u"Top", 0x68030005, kRefValLong),
    Get(u"Bottom", 0x68030004, kLong),     Let(u"Bottom", 0x68030004, kRefValLong),
    Get(u"WorkLeft", 0x68030003, kLong),   Let(u"WorkLeft", 0x68030003, kRefValLong),
    Get(u"WorkRight", 0x68030002, kLong),  Let(u"WorkRight", 0x68030002, kRefValLong),
    Get(u"WorkTop", 0x68030001, kLong),    Let(u"WorkTop", 0x68030001, kRefValLong),
    Get(u"WorkBottom", 0x68030000, kLong), Let(u"WorkBottom", 0x68030000, kRefValLong),
};
constexpr InterfaceDesc kIMonitorA{u"_clsQuiborMonitorA", G("B68EDA5D-D7A4-5F3A-B04C-A5FBD0A76E58"),
                                   InterfaceKind::Dual, kMonitorMembers};

// ---- the class catalogue -------------------------------------------------------------

constexpr ClassDesc kClasses[] = {
    {u"clsQuibor15A", G("BFBBD554-D675-5195-9BCC-B01D283156E6"), Instancing::Creatable, &kIQuibor15A},
    {u"clsQuiborDTFormatA", G("BB7EB865-E23B-56CE-9910-01EB21EC1591"), Instancing::NotCreatable, &kIDTFormatA},
    {u"clsQuiborDTFormatsA", G("5C15EDF6-B8D6-5449-95D7-74B4DD3879A9"), Instancing::NotCreatable, &kIDTFormatsA},
    {u"clsQuiborInternationalA", G("8255AA42-F0AF-5D0D-8B80-936CE5028E3C"), Instancing::Creatable, &kIInternationalA},
    {u"clsQuiborWUillsA", G("B0A63E82-38A3-5FD8-8486-CBB4DFDE561A"), Instancing::Creatable, &kIWUillsA},
    {u"clsQuiborLocaleA", G("3D7DD78B-3B25-5B4D-919D-C7C2F3017AD6"), Instancing::NotCreatable, &kILocaleA},
    {u"clsQuiborLocalesA", G("1FA6B60D-CB57-5544-A6CE-B0655198FBF7"), Instancing::NotCreatable, &kILocalesA},
    {u"clsQuiborInterplayA", G("FA3300B9-C372-53FC-8030-7A8F291749BD"), Instancing::Creatable, &kIInterplayA},
    {u"clsQuiborWUIRunTimeA", G("81F77009-0BE0-598A-8833-BB4E540CC3B1"), Instancing::Global, &kIWUIRunTimeA},
    {u"clsQuiborWUIXPManifestA", G("EDAF1D58-27D8-5363-9F84-711043C50628"), Instancing::Creatable, &kIWUIXPManifestA},
    {u"clsQuiborWUIRunTimeB", G("B5832FBB-FF66-5C6C-AB16-ED6DEC468D05"), Instancing::Global, &kIWUIRunTimeB},
    {u"clsQuiborWUITooltipA", G("19341362-7D3D-5C14-B913-9E57E1AAC58A"), Instancing::Creatable, &kIWUITooltipA},
    {u"clsQuiborWUIBCAT175A", G("7241CB0D-E465-59DD-B9CF-92B31026EEE0"), Instancing::Creatable, &kIWUIBCAT175A},
    {u"clsQuiborWUIMMMovieA", G("D6485E29-F119-5F9C-98EB-4A6C4F1C3C4A"), Instancing::Creatable, &kIWUIMMMovieA},
    {u"clsQuiborWUIMMMP3A", G("569CE2D6-49A6-5B74-97D5-3C71BEACAC9E"), Instancing::Creatable, &kIWUIMMMP3A},
    {u"clsQuiborWizardA", G("B772D2E4-3B3E-5418-BA16-328A6198D5E7"), Instancing::CreatableWithEvents, &kIWizardA,
     &kEWizardA},
    {u"clsQuiborMonitorsA", G("1D86ACC5-D41E-51D3-BD09-4118D8545A4F"), Instancing::Creatable, &kIMonitorsA},
    {u"clsQuiborMonitorA", G("5B4F7085-D49D-5C81-812B-3CBA72A05B6F"), Instancing::Creatable, &kIMonitorA},
};

constexpr TypeLibrary kLibrary{
    u"quibor15", G("6C8AE599-C005-5338-9D9E-9772C0E16AAB"), 2, 2, 1033, kEnums, kRecords, kClasses,
};

}  // namespace

const TypeLibrary& Quibor15TypeLibrary() noexcept { return kLibrary; }

}  // namespace quibor15
