// The MIDL listing of the type library: golden blocks and key lines.
#include <gtest/gtest.h>

#include <string>

#include "quibor15/typelib.hpp"

namespace quibor15 {
namespace {

const std::string& Idl() {
    static const std::string idl = TypeLibraryToIdl(Quibor15TypeLibrary());
    return idl;
}

size_t Count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t pos = text.find(what); pos != std::string::npos; pos = text.find(what, pos + what.size())) ++n;
    return n;
}

void ExpectContains(const std::string& block) {
    EXPECT_NE(Idl().find(block), std::string::npos) << "missing:\n" << block;
}

TEST(IdlTest, LibraryHeader) {
    ExpectContains(
        "[\n"
        "  uuid(6C8AE599-C005-5338-9D9E-9772C0E16AAB),\n"
        "  version(2.2),\n"
        "  lcid(0x00000409)\n"
        "]\n"
        "library quibor15\n"
        "{\n"
        "    importlib(\"stdole2.tlb\");\n");
    EXPECT_EQ(Idl().substr(Idl().size() - 3), "};\n");
}

TEST(IdlTest, InterplayInterfaceAndCoclass) {
    ExpectContains(
        "    [\n"
        "      odl,\n"
        "      uuid(2C7F9123-EACC-500C-950F-D3F91E8C71D9),\n"
        "      hidden,\n"
        "      dual,\n"
        "      nonextensible,\n"
        "      oleautomation\n"
        "    ]\n"
        "    interface _clsQuiborInterplayA : IDispatch {\n"
        "        [id(0x68030000), propget]\n"
        "        HRESULT PlayMethod([out, retval] long* retval);\n"
        "        [id(0x68030000), propput]\n"
        "        HRESULT PlayMethod([in] long value);\n"
        "        [id(0x60030001)]\n"
        "        HRESULT ActiveUI([out, retval] VARIANT* retval);\n"
        "        [id(0x60030002)]\n"
        "        HRESULT PlayUI([out, retval] VARIANT* retval);\n"
        "    };\n"
        "\n"
        "    [\n"
        "      uuid(FA3300B9-C372-53FC-8030-7A8F291749BD)\n"
        "    ]\n"
        "    coclass clsQuiborInterplayA {\n"
        "        [default] interface _clsQuiborInterplayA;\n"
        "    };\n");
}

TEST(IdlTest, DTFormatInterfaceWithUiDefaultAndByRefLet) {
    ExpectContains(
        "    interface _clsQuiborDTFormatA : IDispatch {\n"
        "        [id(0x40030001), propget]\n"
        "        HRESULT DTFType([out, retval] DTFormatType* retval);\n"
        "        [id(0x40030001), propput]\n"
        "        HRESULT DTFType([in] DTFormatType value);\n"
        "        [id(0x68030000), propput, uidefault]\n"
        "        HRESULT DTFormat([in, out] BSTR* value);\n"
        "        [id(0x68030000), propget, uidefault]\n"
        "        HRESULT DTFormat([out, retval] BSTR* retval);\n"
        "    };\n"
        "\n"
        "    [\n"
        "      uuid(BB7EB865-E23B-56CE-9910-01EB21EC1591),\n"
        "      noncreatable\n"
        "    ]\n"
        "    coclass clsQuiborDTFormatA {\n");
}

TEST(IdlTest, WizardEventInterfaceAndCoclass) {
    ExpectContains(
        "    [\n"
        "      uuid(4760FABA-8FF5-591C-AB9C-BAFA278F8CD6)\n"
        "    ]\n"
        "    dispinterface __clsQuiborWizardA {\n"
        "        properties:\n"
        "        methods:\n"
        "            [id(0x00000001)]\n"
        "            void FirstFrameButtonClick();\n");
    ExpectContains(
        "            [id(0x00000021)]\n"
        "            void FinishFrameButtonClick([in, out] short* Cancel);\n"
        "            [id(0x00000006)]\n"
        "            void BeforeFrameShow([in, out] short* Index, [in, out] short* Cancel);\n");
    ExpectContains(
        "            [id(0x00000020)]\n"
        "            void BottomPaneMouseUp([in, out] short* Button, [in, out] short* Shift, [in, out] float* X, "
        "[in, out] float* Y);\n"
        "    };\n");
    ExpectContains(
        "    coclass clsQuiborWizardA {\n"
        "        [default] interface _clsQuiborWizardA;\n"
        "        [default, source] dispinterface __clsQuiborWizardA;\n"
        "    };\n");
    ExpectContains(
        "        [id(0x40030051), propputref]\n"
        "        HRESULT mcolFrameObjectTitles([in] IDispatch* value);\n");
    ExpectContains(
        "        [id(0x68030052), propget]\n"
        "        HRESULT TopPaneTitleFont([out, retval] Font** retval);\n");
    ExpectContains(
        "        [id(0x68030066), propputref]\n"
        "        HRESULT TopPanePicture([in] Picture* value);\n");
    ExpectContains(
        "        [id(0x60030098)]\n"
        "        HRESULT GoToFrame([in, out] long* iIndex, [out, retval] long* retval);\n");
}

TEST(IdlTest, ParametersWithDefaults) {
    ExpectContains(
        "        HRESULT FormatNumber([in, out] double* FNumber, [in, out, optional, defaultvalue(2)] short* "
        "NumDecimalPlaces, [in, out, optional, defaultvalue(-1)] VARIANT_BOOL* UseGrouping, [out, retval] BSTR* "
        "retval);\n");
    ExpectContains(
        "        HRESULT FormatDate([in, out] DATE* DateVar, [in, out, optional, defaultvalue(2)] VARIANT* DateFormat, "
        "[out, retval] BSTR* retval);\n");
    // An empty text default behind a pointer is what a left-out String reads
    // as anyway, and is not written.
    ExpectContains(
        "        HRESULT FormatTime([in, out] DATE* TimeVar, [in, out, optional] BSTR* TimeFormat, [out, retval] BSTR* "
        "retval);\n");
    ExpectContains(
        "        HRESULT ShellDocument([in, out] BSTR* sDocName, [in, optional, defaultvalue(\"Open\")] BSTR Action, "
        "[in, optional, defaultvalue(\"\")] BSTR Parameters, [in, optional, defaultvalue(\"\")] BSTR Directory, "
        "[in, optional] StartWindowState WindowState, [out, retval] VARIANT_BOOL* retval);\n");
    ExpectContains(
        "        HRESULT CenterFormOnMonitor([in, out] IDispatch** FormToCenter, [in, out, optional] VARIANT* "
        "ReferenceForm, [out, retval] VARIANT_BOOL* retval);\n");
    ExpectContains(
        "        HRESULT DelToolTip([in, out] long* objHwnd, [in, out, optional, defaultvalue(-1)] long* nItem);\n");
    ExpectContains(
        "        HRESULT ListSort([in, out] SAFEARRAY(BSTR)* List, [in, out, optional, defaultvalue(-1)] VARIANT_BOOL* "
        "Ascending, [in, out, optional, defaultvalue(-1)] VARIANT_BOOL* CaseSensitive, [out, retval] "
        "SAFEARRAY(BSTR)* retval);\n");
    ExpectContains(
        "        HRESULT Resize_For_Resolution([in] float SFX, [in] float SFY, [in, out] IDispatch** MyForm);\n");
    ExpectContains("        HRESULT LocaleCCur([in, out] BSTR* CurrencyString, [out, retval] CURRENCY* retval);\n");
}

TEST(IdlTest, CollectionsItemAndEnumerator) {
    ExpectContains(
        "        [id(0x00000000), propget]\n"
        "        HRESULT Item([in, out] VARIANT* vntIndexKey, [out, retval] _clsQuiborLocaleA** retval);\n");
    ExpectContains(
        "        [id(0xfffffffc), propget, restricted, hidden]\n"
        "        HRESULT NewEnum([out, retval] IUnknown** retval);\n");
    ExpectContains("        HRESULT AddObj([in, out] _clsQuiborLocaleA** nLocale);\n");
}

TEST(IdlTest, GlobalClassesAreAppObjects) {
    for (const char* cls : {"clsQuiborWUIRunTimeA", "clsQuiborWUIRunTimeB"}) {
        std::string name = cls;
        size_t pos = Idl().find("    coclass " + name + " {");
        ASSERT_NE(pos, std::string::npos);
        size_t attrs = Idl().rfind("    [\n", pos);
        EXPECT_NE(Idl().substr(attrs, pos - attrs).find("appobject"), std::string::npos) << name;
    }
    EXPECT_EQ(Count(Idl(), "appobject"), 2u);
    EXPECT_EQ(Count(Idl(), "noncreatable"), 4u);
}

TEST(IdlTest, EveryClassHasInterfaceAndCoclass) {
    EXPECT_EQ(Count(Idl(), " : IDispatch {\n"), 18u);
    EXPECT_EQ(Count(Idl(), "    coclass "), 18u);
    EXPECT_EQ(Count(Idl(), "    dispinterface __clsQuiborWizardA {"), 1u);
    EXPECT_EQ(Count(Idl(), "      dual,\n"), 18u);
    for (const ClassDesc& c : Quibor15TypeLibrary().classes) {
        std::string iface = NarrowName(c.default_interface->name);
        ExpectContains("    interface " + iface + ";\n");  // forward declaration
        ExpectContains("    interface " + iface + " : IDispatch {\n");
        ExpectContains("        [default] interface " + iface + ";\n");
    }
    // One function per interface entry.
    size_t entries = 0;
    for (const ClassDesc& c : Quibor15TypeLibrary().classes) entries += c.default_interface->members.size();
    EXPECT_EQ(Count(Idl(), "        HRESULT "), entries);
}

TEST(IdlTest, EnumerationsAndRecords) {
    ExpectContains(
        "    typedef [uuid(255855C6-5A6F-54B9-A1E0-3A85583A12C9)]\n"
        "    enum {\n"
        "        START_HIDDEN = 0,\n"
        "        START_NORMAL = 4,\n"
        "        START_MINIMIZED = 2,\n"
        "        START_MAXIMIZED = 3\n"
        "    } StartWindowState;\n");
    ExpectContains(
        "    typedef [uuid(609D4CD3-ACD1-5E44-AFEE-6B9CE887A5EB)]\n"
        "    struct tagFRMSIZE {\n"
        "        long Height;\n"
        "        long Width;\n"
        "    } FRMSIZE;\n");
    // Types are declared before the interfaces that use them.
    EXPECT_LT(Idl().find("} TTStyle;"), Idl().find("interface _clsQuiborWUITooltipA : IDispatch"));
}

TEST(IdlTest, OutputIsDeterministic) { EXPECT_EQ(TypeLibraryToIdl(Quibor15TypeLibrary()), Idl()); }

}  // namespace
}  // namespace quibor15
