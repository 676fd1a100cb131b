// Every class's interface, entry by entry, against the member tables the
// component's users compile against: order, kind, DISPID, parameters
// (passing, optional, default, type) and result.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "quibor15/typelib.hpp"
#include "support.hpp"

namespace quibor15 {
namespace {

using testing::Narrow;

struct Row {
    std::string name;
    std::string kind;  // get, let, set, method
    uint32_t dispid;
    std::string params;  // "ByRef X Long; opt ByVal Y String = \"a\""; a let/set value as "ByVal Long"
    std::string result;  // "-" for none
};

std::string RenderParam(const ParamDesc& p, bool assigned_value) {
    std::string s = p.optional ? "opt " : "";
    s += p.by_ref ? "ByRef " : "ByVal ";
    if (!assigned_value) s += Narrow(p.name) + " ";
    s += Narrow(TypeDescName(p.type));
    switch (p.default_value.kind) {
        case DefaultKind::None:
            break;
        case DefaultKind::Number:
            s += " = " + std::to_string(p.default_value.number);
            break;
        case DefaultKind::Boolean:
            s += p.default_value.number == -1 ? " = True" : (p.default_value.number == 0 ? " = False" : " = ?");
            break;
        case DefaultKind::Text:
            s += " = \"" + Narrow(p.default_value.text) + "\"";
            break;
    }
    return s;
}

Row RenderMember(const MemberDesc& m) {
    Row r{Narrow(m.name), Narrow(MemberKindName(m.kind)), static_cast<uint32_t>(m.dispid), "", ""};
    bool assigning = m.kind == MemberKind::Let || m.kind == MemberKind::Set;
    for (size_t i = 0; i < m.params.size(); ++i) {
        if (i) r.params += "; ";
        r.params += RenderParam(m.params[i], assigning && i + 1 == m.params.size());
    }
    r.result = Narrow(TypeDescName(m.result));
    return r;
}

std::string Describe(const Row& r) {
    char id[16];
    std::snprintf(id, sizeof id, "0x%08x", r.dispid);
    return r.name + " " + r.kind + " " + id + " (" + r.params + ") -> " + r.result;
}

void ExpectInterface(const InterfaceDesc& iface, const std::vector<Row>& expected) {
    SCOPED_TRACE(Narrow(iface.name));
    ASSERT_EQ(iface.members.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(Describe(RenderMember(iface.members[i])), Describe(expected[i])) << "entry " << i;
    }
}

const ClassDesc& ClassNamed(std::u16string_view name) {
    const ClassDesc* c = Quibor15TypeLibrary().FindClass(name);
    if (!c) throw std::runtime_error("no class " + Narrow(name));
    return *c;
}

// A property row: get then let (or the order given), sharing a DISPID.
std::vector<Row> Prop(const std::string& kinds, const std::string& name, uint32_t id, const std::string& type,
                      const std::string& value_passing = "ByVal") {
    std::vector<Row> rows;
    size_t pos = 0;
    while (pos <= kinds.size()) {
        size_t slash = kinds.find('/', pos);
        std::string kind = kinds.substr(pos, slash == std::string::npos ? std::string::npos : slash - pos);
        if (kind == "get") rows.push_back({name, "get", id, "", type});
        if (kind == "let" || kind == "set") rows.push_back({name, kind, id, value_passing + " " + type, "-"});
        if (slash == std::string::npos) break;
        pos = slash + 1;
    }
    return rows;
}

std::vector<Row> Join(std::initializer_list<std::vector<Row>> parts) {
    std::vector<Row> all;
    for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

std::vector<Row> One(Row r) { return {std::move(r)}; }

TEST(MemberTablesTest, DTFormatA) {
    ExpectInterface(*ClassNamed(u"clsQuiborDTFormatA").default_interface,
                    Join({Prop("get/let", "DTFType", 0x40030001, "DTFormatType"),
                          Prop("let/get", "DTFormat", 0x68030000, "String", "ByRef")}));
}

TEST(MemberTablesTest, DTFormatsA) {
    ExpectInterface(*ClassNamed(u"clsQuiborDTFormatsA").default_interface,
                    {
                        {"Add", "method", 0x60030001, "ByRef NewFormat clsQuiborDTFormatA", "clsQuiborDTFormatA"},
                        {"Item", "get", 0x0, "ByRef vntIndexKey Variant", "clsQuiborDTFormatA"},
                        {"Count", "get", 0x68030000, "", "Long"},
                        {"Remove", "method", 0x60030002, "ByRef vntIndexKey Variant", "-"},
                        {"NewEnum", "get", 0xfffffffc, "", "enumerator"},
                    });
}

TEST(MemberTablesTest, InternationalA) {
    ExpectInterface(*ClassNamed(u"clsQuiborInternationalA").default_interface,
                    {
                        {"Locales", "get", 0x68030001, "", "clsQuiborLocalesA"},
                        {"SystemDefault", "get", 0x68030000, "", "clsQuiborLocaleA"},
                    });
}

TEST(MemberTablesTest, WUillsA) {
    ExpectInterface(
        *ClassNamed(u"clsQuiborWUillsA").default_interface,
        Join({Prop("get/let", "CommandButtonPress", 0x40030002, "String"),
              Prop("get/let", "LCIDDefault", 0x68030001, "Long"), Prop("get/let", "LCIDSelected", 0x68030000, "Long"),
              One({"UIShowLLS", "method", 0x60030002, "", "Variant"}),
              One({"UIHideLLS", "method", 0x60030003, "", "Variant"})}));
}

TEST(MemberTablesTest, LocaleA) {
    ExpectInterface(
        *ClassNamed(u"clsQuiborLocaleA").default_interface,
        {
            {"AbbrevLangName", "get", 0x6803000d, "", "String"},
            {"CurrencyString", "get", 0x6803000c, "", "String"},
            {"DateFormats", "get", 0x6803000b, "", "clsQuiborDTFormatsA"},
            {"FormatCurrency", "method", 0x6003000f,
             "ByRef CurVal Double; opt ByRef UseGrouping Boolean = True; opt ByRef ShowCSymbol Boolean = True",
             "String"},
            {"FormatNumber", "method", 0x60030010,
             "ByRef FNumber Double; opt ByRef NumDecimalPlaces Integer = 2; opt ByRef UseGrouping Boolean = True",
             "String"},
            {"FormatDate", "method", 0x60030011, "ByRef DateVar Date; opt ByRef DateFormat Variant = 2", "String"},
            {"FormatTime", "method", 0x60030012, "ByRef TimeVar Date; opt ByRef TimeFormat String = \"\"", "String"},
            {"FullName", "get", 0x6803000a, "", "String"},
            {"GenericLangName", "get", 0x68030009, "", "String"},
            {"GetDayName", "method", 0x60030013, "ByRef DayIndex Integer; opt ByRef Abbreviate Boolean = False",
             "String"},
            {"GetMonthName", "method", 0x60030014, "ByRef MonthIndex Integer; opt ByRef Abbreviate Boolean = False",
             "String"},
            {"IntlCurrencyCode", "get", 0x68030008, "", "String"},
            {"isValid", "get", 0x68030007, "", "Boolean"},
            {"LCID", "get", 0x68030006, "", "Long"},
            {"ListSort", "method", 0x60030015,
             "ByRef List String(); opt ByRef Ascending Boolean = True; opt ByRef CaseSensitive Boolean = True",
             "String()"},
            {"LocaleCCur", "method", 0x60030016, "ByRef CurrencyString String", "Currency"},
            {"LocaleCDate", "method", 0x60030017, "ByRef DateExpression String", "Date"},
            {"LocaleDTime", "method", 0x60030018, "ByRef TimeExpression String", "Date"},
            {"LocaleLCase", "method", 0x60030019, "ByRef InputString String", "String"},
            {"LocaleUCase", "method", 0x6003001a, "ByRef InputString String", "String"},
            {"LongDateFormat", "get", 0x68030005, "", "String"},
            {"NativeCountryName", "get", 0x68030004, "", "String"},
            {"NativeLangName", "get", 0x68030003, "", "String"},
            {"pfGetUsedMN", "method", 0x6003001d, "ByRef MonthIndex Integer; opt ByRef Abbreviate Boolean = False",
             "String"},
            {"ShortDateFormat", "get", 0x68030002, "", "String"},
            {"DecimalSeparator", "get", 0x68030001, "", "String"},
            {"TimeFormats", "get", 0x68030000, "", "clsQuiborDTFormatsA"},
        });
}

TEST(MemberTablesTest, LocalesA) {
    ExpectInterface(*ClassNamed(u"clsQuiborLocalesA").default_interface,
                    {
                        {"AddObj", "method", 0x60030001, "ByRef nLocale clsQuiborLocaleA", "-"},
                        {"Item", "get", 0x0, "ByRef vntIndexKey Variant", "clsQuiborLocaleA"},
                        {"Count", "get", 0x68030000, "", "Long"},
                        {"Remove", "method", 0x60030002, "ByRef vntIndexKey Variant", "-"},
                        {"NewEnum", "get", 0xfffffffc, "", "enumerator"},
                    });
}

TEST(MemberTablesTest, InterplayA) {
    ExpectInterface(
        *ClassNamed(u"clsQuiborInterplayA").default_interface,
        Join({Prop("get/let", "PlayMethod", 0x68030000, "Long"), One({"ActiveUI", "method", 0x60030001, "", "Variant"}),
              One({"PlayUI", "method", 0x60030002, "", "Variant"})}));
}

TEST(MemberTablesTest, WUIRunTimeA) {
    ExpectInterface(
        *ClassNamed(u"clsQuiborWUIRunTimeA").default_interface,
        {
            {"ComboBoxIncLookup", "method", 0x60030000, "ByRef ControlName Object; ByRef acKeyCode Variant", "Variant"},
            {"ObjectSelectedAll", "method", 0x60030001, "ByRef Objectname Object", "-"},
            {"FormExitDown", "method", 0x60030002, "ByRef Form Object", "-"},
            {"FormExitLeft", "method", 0x60030003, "ByRef Form Object", "-"},
            {"FormExitRight", "method", 0x60030004, "ByRef Form Object", "-"},
            {"FormExitUp", "method", 0x60030005, "ByRef Form Object", "-"},
            {"FormCenter", "method", 0x60030006, "ByRef Form Object", "-"},
            {"AddToDocumentsList", "method", 0x60030007, "ByVal Filename String", "Boolean"},
            {"Resize_For_Resolution", "method", 0x60030008, "ByVal SFX Single; ByVal SFY Single; ByRef MyForm Object",
             "-"},
            {"FormResize", "method", 0x60030009, "ByRef TheForm Object", "-"},
            {"AdjustForm", "method", 0x6003000a, "ByRef TheForm Object", "-"},
            {"OnTop", "method", 0x6003000b, "ByRef frm Object; ByRef bAction Boolean", "-"},
        });
}

TEST(MemberTablesTest, WUIXPManifestA) {
    ExpectInterface(
        *ClassNamed(u"clsQuiborWUIXPManifestA").default_interface,
        Join({Prop("get/let", "intVer_major", 0x40030000, "Integer"),
              Prop("get/let", "intVer_minor", 0x40030001, "Integer"),
              {
                  {"MainXp", "method", 0x60030001, "", "-"},
                  {"MakeMANIFESTfile", "method", 0x60030002, "opt ByRef sPathWithSlash String", "Boolean"},
                  {"IsManifestFile", "get", 0x68030000, "", "Boolean"},
                  {"ShellDocument", "method", 0x60030003,
                   "ByRef sDocName String; opt ByVal Action String = \"Open\"; opt ByVal Parameters String = \"\"; "
                   "opt ByVal Directory String = \"\"; opt ByVal WindowState StartWindowState",
                   "Boolean"},
                  {"Win32Ver", "method", 0x60030004, "", "cnWin32Ver"},
                  {"isNT", "method", 0x60030005, "", "Boolean"},
                  {"is9x", "method", 0x60030006, "", "Boolean"},
                  {"isWinXP", "method", 0x60030007, "", "Boolean"},
                  {"isWin2k", "method", 0x60030008, "", "Boolean"},
                  {"isWinNT4", "method", 0x60030009, "", "Boolean"},
                  {"isWinME", "method", 0x6003000a, "", "Boolean"},
                  {"isWin98", "method", 0x6003000b, "", "Boolean"},
                  {"isWin95", "method", 0x6003000c, "", "Boolean"},
                  {"GetOSVersion", "method", 0x6003000d, "", "String"},
              }}));
}

TEST(MemberTablesTest, WUITooltipA) {
    ExpectInterface(
        *ClassNamed(u"clsQuiborWUITooltipA").default_interface,
        Join({Prop("set/get", "Font", 0x68030006, "Font"),
              Prop("let/get", "TxtColor", 0x68030005, "Long"),
              Prop("let/get", "BkColor", 0x68030004, "Long"),
              Prop("let/get", "VisibleTime", 0x68030003, "Long"),
              Prop("let/get", "DelayTime", 0x68030002, "Long"),
              Prop("let/get", "TipWidth", 0x68030001, "Long"),
              Prop("let/get", "Style", 0x68030000, "TTStyle"),
              {
                  {"SetToolTipObj", "method", 0x60030008,
                   "ByRef objHwnd Long; ByRef sTipText String; opt ByRef bCenter Boolean = False", "-"},
                  {"SetToolTipItem", "method", 0x60030009,
                   "ByRef objHwnd Long; ByRef nItem Long; ByRef lft Long; ByRef tp Long; ByRef rght Long; "
                   "ByRef btm Long; ByRef sTipText String; opt ByRef bCenter Boolean = False",
                   "-"},
                  {"DelToolTip", "method", 0x6003000a, "ByRef objHwnd Long; opt ByRef nItem Long = -1", "-"},
                  {"AjustItemRect", "method", 0x6003000b,
                   "ByRef objHwnd Long; ByRef nItem Long; ByRef lft Long; ByRef tp Long; ByRef rght Long; "
                   "ByRef btm Long",
                   "-"},
              }}));
}

TEST(MemberTablesTest, WUIBCAT175A) {
    ExpectInterface(
        *ClassNamed(u"clsQuiborWUIBCAT175A").default_interface,
        Join({Prop("get/let", "InputString", 0x68030007, "String"), One({"ClearAll", "method", 0x60030008, "", "-"}),
              Prop("get/let", "FirstCharacter", 0x68030006, "String"),
              Prop("get/let", "LastCharacter", 0x68030005, "String"), Prop("get/let", "Length", 0x68030004, "Integer"),
              Prop("get/let", "Code1", 0x68030003, "Variant"), Prop("get/let", "Code2", 0x68030002, "Variant"),
              Prop("get/let", "Code3", 0x68030001, "Variant"),
              One({"GuessInputString", "method", 0x60030009, "", "String"}),
              Prop("get/let", "OutputCode", 0x68030000, "Variant")}));
}

// The movie controller's methods are listed by name; DISPIDs count up from
// 0x60030000 in that order and are one higher from getVolume on.
TEST(MemberTablesTest, WUIMMMovieA) {
    const std::vector<std::string> methods = {
        "stepFrames",
        "restoreSizeDefault",
        "openMovie",
        "openMovieWindow",
        "minimizeMovie",
        "playMovie",
        "hideMovie",
        "showMovie",
        "restoreMovie",
        "stopMovie",
        "extractCurrentMovieSize",
        "extractDefaultMovieSize",
        "getBitsPerPixel",
        "getMovieInput",
        "getMovieOutput",
        "getAudioStatus",
        "sizeLocateMovie",
        "isMoviePlaying",
        "checkError",
        "getDeviceName",
        "getDeviceVersion",
        "getNominalFrameRate",
        "getFramePerSecRate",
        "getCurrentSize",
        "getDefaultSize",
        "getLengthInFrames",
        "getLengthInMS",
        "playFullScreen",
        "getLengthInSec",
        "setVideoOff",
        "setVideoOn",
        "pauseMovie",
        "resumeMovie",
        "getPositionInMS",
        "getRate",
        "getPositionInFrames",
        "getStatus",
        "closeMovie",
        "getFormatPosition",
        "getFormatLength",
        "getVolume",
        "getVideoStatus",
        "getTimeFormat",
        "getLeftVolume",
        "getPositionInSec",
        "getRightVolume",
        "setAudioOff",
        "setAudioOn",
        "setLeftOff",
        "setRightOff",
        "setLeftOn",
        "setRightOn",
        "setDoorOpen",
        "setDoorClosed",
        "setVolume",
        "setPositionTo",
        "restartMovie",
        "rewindByMS",
        "rewindByFrames",
        "rewindBySeconds",
        "forwardByFrames",
        "forwardByMS",
        "forwardBySeconds",
        "checkDeviceReady",
        "setSpeed",
        "setLeftVolume",
        "setRightVolume",
        "timeOut",
    };
    ASSERT_EQ(methods.size(), 68u);

    std::map<std::string, std::pair<std::string, std::string>> signature;  // name -> params, result
    auto group = [&](std::initializer_list<const char*> names, const std::string& params, const std::string& result) {
        for (const char* n : names) signature[n] = {params, result};
    };
    group({"stepFrames", "setVolume", "setSpeed", "setLeftVolume", "setRightVolume"}, "ByRef Value Long", "Variant");
    group({"setPositionTo"}, "ByRef Second Long", "Variant");
    group({"rewindByMS", "forwardByMS"}, "ByRef numMS Long", "Variant");
    group({"rewindByFrames", "forwardByFrames"}, "ByRef numFrames Long", "Variant");
    group({"rewindBySeconds", "forwardBySeconds"}, "ByRef numSec Long", "Variant");
    group({"openMovieWindow"}, "ByRef hWnd Long; ByRef WindowStyle String", "Variant");
    group({"extractCurrentMovieSize"}, "ByRef wLeft Long; ByRef wTop Long; ByRef wWidth Long; ByRef wHeight Long",
          "Variant");
    group({"extractDefaultMovieSize"}, "ByRef wWidth Long; ByRef wHeight Long", "Variant");
    group({"sizeLocateMovie"}, "ByRef Left Long; ByRef Top Long; ByRef Width Long; ByRef Height Long", "Variant");
    group({"timeOut"}, "ByRef duration Variant", "-");
    group({"isMoviePlaying"}, "", "Boolean");
    group({"getNominalFrameRate", "getFramePerSecRate", "getLengthInFrames", "getLengthInMS", "getLengthInSec",
           "getPositionInMS", "getRate", "getPositionInFrames", "getVolume", "getLeftVolume", "getPositionInSec",
           "getRightVolume"},
          "", "Long");
    group({"getMovieInput", "getMovieOutput", "getAudioStatus", "checkError", "getDeviceName", "getDeviceVersion",
           "getCurrentSize", "getDefaultSize", "getStatus", "getFormatPosition", "getFormatLength", "getVideoStatus",
           "getTimeFormat", "checkDeviceReady"},
          "", "String");

    std::vector<Row> rows =
        Join({Prop("get/let", "Error", 0x40030001, "Long"), Prop("get/let", "Filename", 0x40030002, "String")});
    bool past_jump = false;
    for (size_t i = 0; i < methods.size(); ++i) {
        past_jump = past_jump || methods[i] == "getVolume";
        auto it = signature.find(methods[i]);
        std::string params = it == signature.end() ? "" : it->second.first;
        std::string result = it == signature.end() ? "Variant" : it->second.second;
        rows.push_back(
            {methods[i], "method", static_cast<uint32_t>(0x60030000 + i + (past_jump ? 1 : 0)), params, result});
    }
    ExpectInterface(*ClassNamed(u"clsQuiborWUIMMMovieA").default_interface, rows);

    // The identifiers written out where the table gives them.
    const InterfaceDesc& movie = *ClassNamed(u"clsQuiborWUIMMMovieA").default_interface;
    EXPECT_EQ(FindDispId(movie, u"showMovie"), 0x60030007);
    EXPECT_EQ(FindDispId(movie, u"getFormatLength"), 0x60030027);
    EXPECT_EQ(FindDispId(movie, u"getVolume"), 0x60030029);
    EXPECT_EQ(FindDispId(movie, u"timeOut"), 0x60030044);
    EXPECT_EQ(FindMember(movie, 0x60030028, MemberKind::Method), nullptr);
}

TEST(MemberTablesTest, WUIMMMP3A) {
    ExpectInterface(
        *ClassNamed(u"clsQuiborWUIMMMP3A").default_interface,
        Join(
            {Prop("get/let", "MP3File", 0x40030000, "String"),
             {
                 {"GetLastBackSlash", "method", 0x60030000, "ByRef text String", "String"},
                 {"ListNoChar", "method", 0x60030001, "ByRef List1 Object; ByRef List2 Object", "-"},
                 {"MP3Playing", "method", 0x60030005, "", "Boolean"},
                 {"MP3ChangePositionTo", "method", 0x60030006, "ByRef Second Variant", "Variant"},
                 {"MP3PositionInSec", "method", 0x60030007, "", "Variant"},
                 {"MP3PositionInMS", "method", 0x60030008, "", "Variant"},
                 {"MP3Duration", "method", 0x60030009, "", "Variant"},
                 {"MP3DurationInSec", "method", 0x6003000a, "", "Variant"},
                 {"MP3DurationInMs", "method", 0x6003000b, "", "Variant"},
                 {"MP3Position", "method", 0x6003000d, "", "Variant"},
                 {"MP3OpenPlayList", "method", 0x6003000e, "ByRef TheFile String; ByRef TheListBox Variant", "Variant"},
                 {"MP3SavePlayList", "method", 0x6003000f, "ByRef TheFile String; ByRef TheListBox Variant", "Variant"},
                 {"MP3Play", "method", 0x60030010, "", "-"},
                 {"MP3Stop", "method", 0x60030011, "", "-"},
                 {"MP3Resume", "method", 0x60030012, "", "-"},
                 {"MP3Pause", "method", 0x60030013, "", "-"},
             }}));
}

TEST(MemberTablesTest, WizardA) {
    ExpectInterface(*ClassNamed(u"clsQuiborWizardA").default_interface,
                    Join({
                        Prop("get/set", "mcolFrameObjectTitles", 0x40030051, "Collection"),
                        Prop("get/set", "mcolFrameObjectMessages", 0x40030052, "Collection"),
                        Prop("get", "GetProStdProperties", 0x6803006e, "Object"),
                        One({"About", "method", 0x6003006f, "", "Long"}),
                        Prop("get/set", "AppObject", 0x6803006d, "Object"),
                        Prop("get/set", "BuddyObject", 0x6803006c, "Object"),
                        Prop("get/set", "WindowObject", 0x6803006b, "Object"),
                        Prop("get/set", "FrameObject", 0x6803006a, "Object"),
                        Prop("get/let", "AddTopPane", 0x68030069, "Boolean"),
                        Prop("get/let", "KeyPreview", 0x68030068, "Boolean"),
                        Prop("get/let", "AddBottomPane", 0x68030067, "Boolean"),
                        Prop("get/set", "TopPanePicture", 0x68030066, "Picture"),
                        Prop("get/set", "TopPaneBackPicture", 0x68030065, "Picture"),
                        Prop("get/set", "BottomPaneBackPicture", 0x68030064, "Picture"),
                        Prop("get/let", "Title", 0x68030063, "String"),
                        Prop("get/let", "Height", 0x68030062, "Long"),
                        Prop("get/let", "Width", 0x68030061, "Long"),
                        Prop("get/let", "FirstFrameButtonCaption", 0x68030060, "String"),
                        Prop("get/let", "PreviousFrameButtonCaption", 0x6803005f, "String"),
                        Prop("get/let", "NextFrameButtonCaption", 0x6803005e, "String"),
                        Prop("get/let", "LastFrameButtonCaption", 0x6803005d, "String"),
                        Prop("get/let", "CancelButtonCaption", 0x6803005c, "String"),
                        Prop("get/let", "TopPaneBackcolor", 0x6803005b, "Long"),
                        Prop("get/let", "BottomPaneBackcolor", 0x6803005a, "Long"),
                        Prop("get/let", "ShowFirstFrameButton", 0x68030059, "Boolean"),
                        Prop("get/let", "ShowLastFrameButton", 0x68030058, "Boolean"),
                        Prop("get/let", "DontShowTopPaneinFirstFrame", 0x68030057, "Boolean"),
                        Prop("get/set", "TopPaneObject", 0x68030056, "Object"),
                        Prop("get/set", "TopPaneTitleObject", 0x68030055, "Object"),
                        Prop("get/set", "TopPaneMessageObject", 0x68030054, "Object"),
                        Prop("get/set", "TopPanePictureObject", 0x68030053, "Object"),
                        Prop("get/set", "TopPaneTitleFont", 0x68030052, "Font"),
                        Prop("get/set", "TopPaneMessageFont", 0x68030051, "Font"),
                        Prop("get/set", "BottomPaneObject", 0x68030050, "Object"),
                        Prop("get/let", "MaxFrameIndex", 0x6803004f, "Integer"),
                        Prop("get/let", "CurrentFrame", 0x6803004e, "Integer"),
                        Prop("get/let", "BottomPaneButtonXDistance", 0x6803004d, "Long"),
                        {
                            {"ShowFirstFrame", "method", 0x60030094, "", "Long"},
                            {"ShowPreviousFrame", "method", 0x60030095, "", "Long"},
                            {"ShowNextFrame", "method", 0x60030096, "", "Long"},
                            {"ShowLastFrame", "method", 0x60030097, "", "Long"},
                            {"GoToFrame", "method", 0x60030098, "ByRef iIndex Long", "Long"},
                            {"Create", "method", 0x60030099, "", "Long"},
                        },
                    }));
}

TEST(MemberTablesTest, WizardEvents) {
    const ClassDesc& wizard = ClassNamed(u"clsQuiborWizardA");
    ASSERT_NE(wizard.source_interface, nullptr);
    EXPECT_EQ(wizard.source_interface->name, u"__clsQuiborWizardA");
    EXPECT_EQ(wizard.source_interface->kind, InterfaceKind::DispatchOnly);

    const std::string mouse = "ByRef Button Integer; ByRef Shift Integer; ByRef X Single; ByRef Y Single";
    std::vector<Row> rows = {
        {"FirstFrameButtonClick", "method", 1, "", "-"},
        {"PreviousFrameButtonClick", "method", 2, "", "-"},
        {"NextFrameButtonClick", "method", 3, "", "-"},
        {"LastFrameButtonClick", "method", 4, "", "-"},
        {"CancelFrameButtonClick", "method", 5, "", "-"},
        {"FinishFrameButtonClick", "method", 33, "ByRef Cancel Integer", "-"},
        {"BeforeFrameShow", "method", 6, "ByRef Index Integer; ByRef Cancel Integer", "-"},
        {"AfterFrameShow", "method", 7, "ByRef Index Integer", "-"},
    };
    uint32_t id = 8;
    for (const char* source : {"TopPaneTitle", "TopPaneMessage", "TopPanePicture", "TopPane", "BottomPane"}) {
        std::string s = source;
        rows.push_back({s + "Click", "method", id++, "", "-"});
        rows.push_back({s + "DoubleClick", "method", id++, "", "-"});
        rows.push_back({s + "MouseDown", "method", id++, mouse, "-"});
        rows.push_back({s + "MouseMove", "method", id++, mouse, "-"});
        rows.push_back({s + "MouseUp", "method", id++, mouse, "-"});
    }
    EXPECT_EQ(id, 33u);
    ExpectInterface(*wizard.source_interface, rows);
}

TEST(MemberTablesTest, MonitorsA) {
    ExpectInterface(
        *ClassNamed(u"clsQuiborMonitorsA").default_interface,
        Join({Prop("get/set", "Monitors", 0x40030000, "Collection"),
              {
                  {"DesktopLeft", "get", 0x68030003, "", "Long"},
                  {"DesktopTop", "get", 0x68030002, "", "Long"},
                  {"DesktopWidth", "get", 0x68030001, "", "Long"},
                  {"DesktopHeight", "get", 0x68030000, "", "Long"},
                  {"GetMonitorFromWindow", "method", 0x60030005, "ByRef hWnd Long; ByRef dwFlags Long", "Long"},
                  {"CenterFormOnMonitor", "method", 0x60030006,
                   "ByRef FormToCenter Object; opt ByRef ReferenceForm Variant", "Boolean"},
                  {"GetMonitorFromXYPoint", "method", 0x60030007, "ByRef X Long; ByRef y Long; ByRef dwFlags Long",
                   "Long"},
                  {"Refresh", "method", 0x60030008, "", "-"},
                  {"ShowMonitorDialog", "method", 0x60030009,
                   "ByRef Prompt String; ByRef Caption String; opt ByRef OwnerForm Variant", "Long"},
              }}));
}

TEST(MemberTablesTest, MonitorA) {
    std::vector<Row> rows;
    uint32_t id = 0x6803000a;
    for (const char* name : {"Handle", "Height", "Width", "Left", "Right", "Top", "Bottom", "WorkLeft", "WorkRight",
                             "WorkTop", "WorkBottom"}) {
        auto prop = Prop("get/let", name, id--, "Long", "ByRef");
        rows.insert(rows.end(), prop.begin(), prop.end());
    }
    ExpectInterface(*ClassNamed(u"clsQuiborMonitorA").default_interface, rows);
}

TEST(MemberTablesTest, ClassesWithoutMembers) {
    EXPECT_TRUE(ClassNamed(u"clsQuibor15A").default_interface->members.empty());
    EXPECT_TRUE(ClassNamed(u"clsQuiborWUIRunTimeB").default_interface->members.empty());
}

TEST(MemberTablesTest, MemberFlags) {
    for (const char* cls : {"clsQuiborDTFormatsA", "clsQuiborLocalesA"}) {
        SCOPED_TRACE(cls);
        const InterfaceDesc& iface = *ClassNamed(std::u16string(cls, cls + std::strlen(cls))).default_interface;
        const MemberDesc* new_enum = FindMember(iface, -4, MemberKind::Get);
        ASSERT_NE(new_enum, nullptr);
        EXPECT_TRUE(new_enum->flags & kMemberHidden);
        EXPECT_TRUE(new_enum->flags & kMemberRestricted);
        EXPECT_EQ(FindDispId(iface, u"Item"), 0);
    }
    const InterfaceDesc& dtformat = *ClassNamed(u"clsQuiborDTFormatA").default_interface;
    EXPECT_TRUE(FindMember(dtformat, 0x68030000, MemberKind::Get)->flags & kMemberUiDefault);
    EXPECT_TRUE(FindMember(dtformat, 0x68030000, MemberKind::Let)->flags & kMemberUiDefault);
    EXPECT_FALSE(FindMember(dtformat, 0x40030001, MemberKind::Get)->flags & kMemberUiDefault);
    // No other member is hidden, restricted or the user-interface default.
    int flagged = 0;
    for (const ClassDesc& c : Quibor15TypeLibrary().classes)
        for (const MemberDesc& m : c.default_interface->members) flagged += m.flags != 0;
    EXPECT_EQ(flagged, 4);
}

}  // namespace
}  // namespace quibor15
