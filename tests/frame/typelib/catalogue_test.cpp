// The library identity, the class catalogue with instancing and ProgIDs, the
// enumerations and records, and the fixed identifiers.
#include <gtest/gtest.h>

#include <set>

#include "quibor15/typelib.hpp"
#include "support.hpp"

namespace quibor15 {
namespace {

using testing::Narrow;

const TypeLibrary& Lib() { return Quibor15TypeLibrary(); }

TEST(CatalogueTest, LibraryIdentity) {
    EXPECT_EQ(Lib().name, u"quibor15");
    EXPECT_EQ(Lib().major_version, 2);
    EXPECT_EQ(Lib().minor_version, 2);
    EXPECT_EQ(Lib().lcid, 1033u);
    // Assigned once; compiled hosts depend on them.
    EXPECT_EQ(Lib().libid.ToString(), "6C8AE599-C005-5338-9D9E-9772C0E16AAB");
    EXPECT_EQ(Lib().FindClass(u"clsQuiborWizardA")->clsid.ToString(), "B772D2E4-3B3E-5418-BA16-328A6198D5E7");
    EXPECT_EQ(Lib().FindClass(u"clsQuiborWizardA")->default_interface->iid.ToString(),
              "3F7B9846-5EA1-5A40-9555-7A2D5E87995F");
    EXPECT_EQ(Lib().FindClass(u"clsQuiborWizardA")->source_interface->iid.ToString(),
              "4760FABA-8FF5-591C-AB9C-BAFA278F8CD6");
}

TEST(CatalogueTest, ClassesInstancingAndProgIds) {
    struct Expected {
        std::u16string_view name;
        Instancing instancing;
    };
    const Expected expected[] = {
        {u"clsQuibor15A", Instancing::Creatable},           {u"clsQuiborDTFormatA", Instancing::NotCreatable},
        {u"clsQuiborDTFormatsA", Instancing::NotCreatable}, {u"clsQuiborInternationalA", Instancing::Creatable},
        {u"clsQuiborWUillsA", Instancing::Creatable},       {u"clsQuiborLocaleA", Instancing::NotCreatable},
        {u"clsQuiborLocalesA", Instancing::NotCreatable},   {u"clsQuiborInterplayA", Instancing::Creatable},
        {u"clsQuiborWUIRunTimeA", Instancing::Global},      {u"clsQuiborWUIXPManifestA", Instancing::Creatable},
        {u"clsQuiborWUIRunTimeB", Instancing::Global},      {u"clsQuiborWUITooltipA", Instancing::Creatable},
        {u"clsQuiborWUIBCAT175A", Instancing::Creatable},   {u"clsQuiborWUIMMMovieA", Instancing::Creatable},
        {u"clsQuiborWUIMMMP3A", Instancing::Creatable},     {u"clsQuiborWizardA", Instancing::CreatableWithEvents},
        {u"clsQuiborMonitorsA", Instancing::Creatable},     {u"clsQuiborMonitorA", Instancing::Creatable},
    };
    ASSERT_EQ(Lib().classes.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        const ClassDesc& c = Lib().classes[i];
        SCOPED_TRACE(Narrow(c.name));
        EXPECT_EQ(c.name, expected[i].name);
        EXPECT_EQ(c.instancing, expected[i].instancing);
        ASSERT_NE(c.default_interface, nullptr);
        EXPECT_EQ(c.default_interface->name, u"_" + std::u16string(c.name));
        EXPECT_EQ(c.default_interface->kind, InterfaceKind::Dual);
        EXPECT_EQ(c.source_interface != nullptr, c.name == u"clsQuiborWizardA");
        if (c.instancing == Instancing::NotCreatable) {
            EXPECT_EQ(c.ProgId(), u"");
        } else {
            EXPECT_EQ(c.ProgId(), u"quibor15." + std::u16string(c.name));
        }
    }
    EXPECT_EQ(Lib().FindClass(u"CLSQUIBORWIZARDA"), Lib().FindClass(u"clsQuiborWizardA"));
    EXPECT_EQ(Lib().FindClassByProgId(u"QUIBOR15.clsquiborwuirunTimeA"), Lib().FindClass(u"clsQuiborWUIRunTimeA"));
    EXPECT_EQ(Lib().FindClassByProgId(u"quibor15.clsQuiborLocaleA"), nullptr);
    EXPECT_EQ(Lib().FindClassByProgId(u"quibor15clsQuiborWizardA"), nullptr);
    EXPECT_EQ(Lib().FindClassByProgId(u"other.clsQuiborWizardA"), nullptr);
    EXPECT_EQ(Lib().FindClassByProgId(u"quibor15."), nullptr);
    EXPECT_EQ(Lib().FindClass(u"clsQuiborWizard"), nullptr);
}

TEST(CatalogueTest, IdentifiersAreDistinct) {
    std::set<std::string> seen;
    auto add = [&](const Guid& g, const std::string& what) { EXPECT_TRUE(seen.insert(g.ToString()).second) << what; };
    add(Lib().libid, "library");
    for (const ClassDesc& c : Lib().classes) {
        add(c.clsid, Narrow(c.name));
        add(c.default_interface->iid, Narrow(c.default_interface->name));
        if (c.source_interface) add(c.source_interface->iid, Narrow(c.source_interface->name));
    }
    for (const EnumDesc& e : Lib().enums) add(e.guid, Narrow(e.name));
    for (const RecordDesc& r : Lib().records) add(r.guid, Narrow(r.name));
    EXPECT_EQ(seen.size(), 1u + 18 * 2 + 1 + 5 + 2);
}

TEST(CatalogueTest, GuidText) {
    constexpr Guid g = Guid::Parse("0123abcd-4567-89AB-cdef-0011223344ff");
    EXPECT_EQ(g.data1, 0x0123abcdu);
    EXPECT_EQ(g.data2, 0x4567);
    EXPECT_EQ(g.data3, 0x89ab);
    EXPECT_EQ(g.data4[0], 0xcd);
    EXPECT_EQ(g.data4[7], 0xff);
    EXPECT_EQ(g.ToString(), "0123ABCD-4567-89AB-CDEF-0011223344FF");
}

TEST(CatalogueTest, Enumerations) {
    struct Expected {
        std::u16string_view name;
        std::vector<std::pair<std::u16string_view, int32_t>> members;
    };
    const Expected expected[] = {
        {u"DTFormatType", {{u"dtfLongDate", 0}, {u"dtfShortDate", 1}, {u"dtfTime", 2}}},
        {u"lDateFormat", {{u"lLongDate", 1}, {u"lShortDate", 2}}},
        {u"StartWindowState",
         {{u"START_HIDDEN", 0}, {u"START_NORMAL", 4}, {u"START_MINIMIZED", 2}, {u"START_MAXIMIZED", 3}}},
        {u"cnWin32Ver",
         {{u"UnknownOS", 0},
          {u"Win95", 1},
          {u"Win98", 2},
          {u"WinME", 3},
          {u"WinNT4", 4},
          {u"Win2k", 5},
          {u"WinXP", 6}}},
        {u"TTStyle", {{u"ttStyleStandard", 1}, {u"ttStyleBalloon", 2}}},
    };
    ASSERT_EQ(Lib().enums.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        const EnumDesc& e = Lib().enums[i];
        SCOPED_TRACE(Narrow(expected[i].name));
        EXPECT_EQ(e.name, expected[i].name);
        ASSERT_EQ(e.members.size(), expected[i].members.size());
        for (size_t j = 0; j < e.members.size(); ++j) {
            EXPECT_EQ(e.members[j].name, expected[i].members[j].first);
            EXPECT_EQ(e.members[j].value, expected[i].members[j].second);
        }
    }
}

TEST(CatalogueTest, Records) {
    ASSERT_EQ(Lib().records.size(), 2u);
    const RecordDesc* frm = Lib().FindRecord(u"FRMSIZE");
    ASSERT_NE(frm, nullptr);
    ASSERT_EQ(frm->fields.size(), 2u);
    EXPECT_EQ(frm->fields[0].name, u"Height");
    EXPECT_EQ(frm->fields[1].name, u"Width");
    const RecordDesc* icc = Lib().FindRecord(u"INITCOMMONCONTROLSEX_TYPE");
    ASSERT_NE(icc, nullptr);
    ASSERT_EQ(icc->fields.size(), 2u);
    EXPECT_EQ(icc->fields[0].name, u"dwSize");
    EXPECT_EQ(icc->fields[1].name, u"dwICC");
    for (const RecordDesc& r : Lib().records)
        for (const FieldDesc& f : r.fields) EXPECT_EQ(f.type.base, BaseType::Long);
}

TEST(CatalogueTest, NameLookupIgnoresCase) {
    const InterfaceDesc& movie = *Lib().FindClass(u"clsQuiborWUIMMMovieA")->default_interface;
    for (std::u16string_view name : {u"showMovie", u"SHOWMOVIE", u"showmovie", u"ShOwMoViE"}) {
        EXPECT_EQ(FindDispId(movie, name), 0x60030007) << Narrow(name);
    }
    EXPECT_EQ(FindDispId(movie, u"showMovies"), -1);
    EXPECT_EQ(FindDispId(movie, u""), -1);
    EXPECT_TRUE(NamesEqual(u"Resize_For_Resolution", u"RESIZE_FOR_RESOLUTION"));
    EXPECT_FALSE(NamesEqual(u"a_b", u"a b"));
    // Only A-Z fold: a character outside ASCII never matches a letter.
    EXPECT_FALSE(NamesEqual(u"K", u"\u212A"));
}

}  // namespace
}  // namespace quibor15
