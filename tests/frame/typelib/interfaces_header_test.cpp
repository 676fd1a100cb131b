// The generated C++ interfaces: one pure virtual function per interface
// entry, in function-table order, typed from the type library.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "quibor15/interfaces.hpp"
#include "support.hpp"

namespace quibor15 {
namespace {

using testing::Narrow;

// The declarations of each interface class in the generated header, in order.
std::map<std::string, std::vector<std::string>> DeclarationsByInterface() {
    std::ifstream in(QUIBOR15_INTERFACES_HEADER);
    std::map<std::string, std::vector<std::string>> out;
    std::string line, current;
    while (std::getline(in, line)) {
        if (line.rfind("class _cls", 0) == 0 && line.find(" : public ComponentObject {") != std::string::npos) {
            current = line.substr(6, line.find(' ', 6) - 6);
            out[current];
        } else if (line == "};") {
            current.clear();
        } else if (!current.empty() && line.rfind("    virtual ", 0) == 0) {
            out[current].push_back(line.substr(12));
        }
    }
    return out;
}

std::string CppName(const MemberDesc& m) {
    switch (m.kind) {
        case MemberKind::Get:
            return "get_" + Narrow(m.name);
        case MemberKind::Let:
            return "let_" + Narrow(m.name);
        case MemberKind::Set:
            return "set_" + Narrow(m.name);
        case MemberKind::Method:
            break;
    }
    return Narrow(m.name);
}

TEST(InterfacesHeaderTest, OnePureVirtualPerEntryInTableOrder) {
    auto declarations = DeclarationsByInterface();
    ASSERT_EQ(declarations.size(), 18u);
    for (const ClassDesc& c : Quibor15TypeLibrary().classes) {
        const std::string iface = Narrow(c.default_interface->name);
        SCOPED_TRACE(iface);
        const auto& decls = declarations[iface];
        ASSERT_EQ(decls.size(), c.default_interface->members.size());
        for (size_t i = 0; i < decls.size(); ++i) {
            const std::string name = CppName(c.default_interface->members[i]);
            EXPECT_NE(decls[i].find(" " + name + "("), std::string::npos) << decls[i];
            EXPECT_EQ(decls[i].substr(decls[i].size() - 5), " = 0;") << decls[i];
        }
    }
}

TEST(InterfacesHeaderTest, ParameterAndResultTypes) {
    auto declarations = DeclarationsByInterface();
    auto has = [&](const std::string& iface, const std::string& decl) {
        const auto& d = declarations[iface];
        return std::find(d.begin(), d.end(), decl) != d.end();
    };
    EXPECT_TRUE(has("_clsQuiborLocaleA",
                    "String FormatNumber(Double& FNumber, Integer& NumDecimalPlaces, Boolean& UseGrouping) = 0;"));
    EXPECT_TRUE(
        has("_clsQuiborLocaleA", "Variant ListSort(Variant& List, Boolean& Ascending, Boolean& CaseSensitive) = 0;"));
    EXPECT_TRUE(has("_clsQuiborLocaleA", "Ref<_clsQuiborDTFormatsA> get_DateFormats() = 0;"));
    EXPECT_TRUE(has("_clsQuiborLocaleA", "Currency LocaleCCur(String& CurrencyString) = 0;"));
    EXPECT_TRUE(has("_clsQuiborDTFormatA", "void let_DTFormat(String& value) = 0;"));
    EXPECT_TRUE(has("_clsQuiborDTFormatA", "Long get_DTFType() = 0;"));
    EXPECT_TRUE(has("_clsQuiborDTFormatsA", "Ref<_clsQuiborDTFormatA> Add(Ref<_clsQuiborDTFormatA>& NewFormat) = 0;"));
    EXPECT_TRUE(has("_clsQuiborDTFormatsA", "ObjectRef get_NewEnum() = 0;"));
    EXPECT_TRUE(
        has("_clsQuiborWUIRunTimeA", "void Resize_For_Resolution(Single SFX, Single SFY, ObjectRef& MyForm) = 0;"));
    EXPECT_TRUE(has("_clsQuiborWUIXPManifestA",
                    "Boolean ShellDocument(String& sDocName, String Action, String Parameters, String Directory, Long "
                    "WindowState) = 0;"));
    EXPECT_TRUE(has("_clsQuiborWUIMMMovieA", "void timeOut(Variant& duration) = 0;"));
    EXPECT_TRUE(has("_clsQuiborWizardA", "void set_TopPaneTitleFont(ObjectRef value) = 0;"));
    EXPECT_TRUE(has("_clsQuiborWizardA", "void let_MaxFrameIndex(Integer value) = 0;"));
    EXPECT_TRUE(has("_clsQuiborMonitorA", "void let_Left(Long& value) = 0;"));
}

TEST(InterfacesHeaderTest, EnumerationsAndRecordsAreDeclared) {
    static_assert(dtfTime == 2 && lShortDate == 2 && START_NORMAL == 4 && START_MINIMIZED == 2 && WinXP == 6 &&
                  ttStyleBalloon == 2);
    static_assert(sizeof(FRMSIZE) == 8 && sizeof(INITCOMMONCONTROLSEX_TYPE) == 8);
    FRMSIZE size;
    EXPECT_EQ(size.Height, 0);
    EXPECT_EQ(size.Width, 0);
    EXPECT_EQ(_clsQuiborWizardA::kClassName, u"clsQuiborWizardA");
}

#if (defined(__GNUC__) || defined(__clang__)) && defined(__x86_64__)
// The function-table slot of a virtual member function: under the Itanium
// C++ ABI a pointer to one holds 1 + its byte offset in the table.
template <class F>
std::ptrdiff_t Slot(F f) {
    std::ptrdiff_t raw;
    static_assert(sizeof(f) >= sizeof(raw));
    std::memcpy(&raw, &f, sizeof raw);
    return (raw - 1) / static_cast<std::ptrdiff_t>(sizeof(void*));
}

TEST(InterfacesHeaderTest, FunctionTableSlotsFollowTheInterfaceOrder) {
    const std::ptrdiff_t first = Slot(&_clsQuiborInterplayA::get_PlayMethod);
    EXPECT_EQ(Slot(&_clsQuiborInterplayA::let_PlayMethod), first + 1);
    EXPECT_EQ(Slot(&_clsQuiborInterplayA::ActiveUI), first + 2);
    EXPECT_EQ(Slot(&_clsQuiborInterplayA::PlayUI), first + 3);

    const std::ptrdiff_t dt = Slot(&_clsQuiborDTFormatA::get_DTFType);
    EXPECT_EQ(Slot(&_clsQuiborDTFormatA::let_DTFType), dt + 1);
    EXPECT_EQ(Slot(&_clsQuiborDTFormatA::let_DTFormat), dt + 2);  // let before get
    EXPECT_EQ(Slot(&_clsQuiborDTFormatA::get_DTFormat), dt + 3);

    const std::ptrdiff_t tip = Slot(&_clsQuiborWUITooltipA::set_Font);
    EXPECT_EQ(Slot(&_clsQuiborWUITooltipA::get_Font), tip + 1);
    EXPECT_EQ(Slot(&_clsQuiborWUITooltipA::let_TxtColor), tip + 2);
    EXPECT_EQ(Slot(&_clsQuiborWUITooltipA::AjustItemRect), tip + 17);

    const std::ptrdiff_t wizard = Slot(&_clsQuiborWizardA::get_mcolFrameObjectTitles);
    EXPECT_EQ(Slot(&_clsQuiborWizardA::About), wizard + 5);
    EXPECT_EQ(Slot(&_clsQuiborWizardA::get_AppObject), wizard + 6);
    EXPECT_EQ(Slot(&_clsQuiborWizardA::let_BottomPaneButtonXDistance), wizard + 71);
    EXPECT_EQ(Slot(&_clsQuiborWizardA::ShowFirstFrame), wizard + 72);
    EXPECT_EQ(Slot(&_clsQuiborWizardA::Create), wizard + 77);

    const std::ptrdiff_t movie = Slot(&_clsQuiborWUIMMMovieA::get_Error);
    EXPECT_EQ(Slot(&_clsQuiborWUIMMMovieA::stepFrames), movie + 4);
    EXPECT_EQ(Slot(&_clsQuiborWUIMMMovieA::getVolume), movie + 4 + 40);
    EXPECT_EQ(Slot(&_clsQuiborWUIMMMovieA::timeOut), movie + 4 + 67);
}
#endif

}  // namespace
}  // namespace quibor15
