// The class catalogue: creation by ProgID, classes callers cannot create,
// the implicit instances of global classes, and the factory table.
#include <gtest/gtest.h>

#include "library/classes.hpp"
#include "quibor15/library.hpp"
#include "support.hpp"

namespace quibor15 {
namespace {

using testing::WorldContext;

class RegistryTest : public ::testing::Test {
protected:
    Library library{WorldContext()};
};

TEST_F(RegistryTest, EveryCreatableClassByProgId) {
    int created = 0;
    for (const ClassDesc& c : Library::Types().classes) {
        if (!c.IsCreatable()) continue;
        ObjectRef obj = library.CreateObject(c.ProgId());
        ASSERT_TRUE(obj) << testing::Narrow(c.name);
        EXPECT_EQ(obj->TypeName(), String(c.name));
        ++created;
    }
    EXPECT_EQ(created, 14);
}

TEST_F(RegistryTest, ProgIdsIgnoreCase) {
    EXPECT_EQ(library.CreateObject(u"QUIBOR15.CLSQUIBORINTERPLAYA")->TypeName(), u"clsQuiborInterplayA");
    EXPECT_EQ(library.CreateObject(u"Quibor15.clsquiborwizarda")->TypeName(), u"clsQuiborWizardA");
}

TEST_F(RegistryTest, EachCreationIsANewObject) {
    ObjectRef a = library.CreateObject(u"quibor15.clsQuiborInterplayA");
    ObjectRef b = library.CreateObject(u"quibor15.clsQuiborInterplayA");
    EXPECT_NE(a.Get(), b.Get());
}

TEST_F(RegistryTest, NotCreatableAndUnknownProgIdsRaise429) {
    for (std::u16string_view progid :
         {u"quibor15.clsQuiborDTFormatA", u"quibor15.clsQuiborDTFormatsA", u"quibor15.clsQuiborLocaleA",
          u"quibor15.clsQuiborLocalesA", u"quibor15.clsNoSuchClass", u"clsQuiborWizardA", u"other.clsQuiborWizardA",
          u"", u"quibor15."}) {
        auto e = testing::ErrorOf([&] { library.CreateObject(progid); });
        ASSERT_TRUE(e) << testing::Narrow(progid);
        EXPECT_EQ(e->Number(), rt::kCannotCreateObject);
        EXPECT_EQ(e->Description(), u"ActiveX component can't create object");
    }
}

TEST_F(RegistryTest, GlobalInstanceIsOnePerLibrary) {
    ObjectRef a = library.GlobalInstance(u"clsQuiborWUIRunTimeA");
    ObjectRef b = library.GlobalInstance(u"CLSQUIBORWUIRUNTIMEA");
    EXPECT_EQ(a.Get(), b.Get());
    EXPECT_EQ(a->TypeName(), u"clsQuiborWUIRunTimeA");
    ObjectRef c = library.GlobalInstance(u"clsQuiborWUIRunTimeB");
    EXPECT_NE(a.Get(), c.Get());
    EXPECT_EQ(c.Get(), library.GlobalInstance(u"clsQuiborWUIRunTimeB").Get());

    // Explicit instances are independent of the implicit one.
    ObjectRef explicit_instance = library.CreateObject(u"quibor15.clsQuiborWUIRunTimeA");
    EXPECT_NE(explicit_instance.Get(), a.Get());

    // Another host has its own implicit instance.
    Library other(WorldContext());
    EXPECT_NE(other.GlobalInstance(u"clsQuiborWUIRunTimeA").Get(), a.Get());
}

TEST_F(RegistryTest, GlobalInstanceLivesAsLongAsTheLibrary) {
    Object* raw = nullptr;
    {
        Library scoped(WorldContext());
        raw = scoped.GlobalInstance(u"clsQuiborWUIRunTimeB").Get();
        EXPECT_EQ(raw->RefCount(), 1u);  // held by the library alone
    }
    SUCCEED();
}

TEST_F(RegistryTest, GlobalInstanceOfAnotherClassRaises429) {
    EXPECT_RAISES(rt::kCannotCreateObject, library.GlobalInstance(u"clsQuiborWizardA"));
    EXPECT_RAISES(rt::kCannotCreateObject, library.GlobalInstance(u"clsQuiborLocaleA"));
    EXPECT_RAISES(rt::kCannotCreateObject, library.GlobalInstance(u"clsNoSuchClass"));
}

TEST_F(RegistryTest, TheLibraryCreatesEveryClassInside) {
    for (const ClassDesc& c : Library::Types().classes) {
        ObjectRef obj = Library::CreateInstance(c.name, WorldContext());
        ASSERT_TRUE(obj);
        EXPECT_EQ(obj->TypeName(), String(c.name));
    }
    Ref<_clsQuiborLocaleA> locale = Library::CreateInstance<_clsQuiborLocaleA>(WorldContext());
    EXPECT_TRUE(locale);
    EXPECT_RAISES(rt::kCannotCreateObject, Library::CreateInstance(u"clsNoSuchClass", WorldContext()));
}

TEST_F(RegistryTest, CreatedObjectsHoldTheLibrarysContext) {
    ContextPtr context = WorldContext();
    Library lib(context);
    auto obj = RefCast<ComponentObject>(lib.CreateObject(u"quibor15.clsQuiborInterplayA"));
    ASSERT_TRUE(obj);
    EXPECT_EQ(obj->GetContext(), context);
}

TEST(ClassFactoryTableTest, OneEntryPerClassInCatalogueOrder) {
    auto factories = ClassFactories();
    const auto& classes = Library::Types().classes;
    ASSERT_EQ(factories.size(), classes.size());
    for (size_t i = 0; i < classes.size(); ++i) {
        EXPECT_EQ(factories[i].class_name, classes[i].name);
        EXPECT_NE(factories[i].create, nullptr);
    }
    EXPECT_EQ(FindClassFactory(u"CLSQUIBOR15A"), factories[0].create);
    EXPECT_EQ(FindClassFactory(u"nothing"), nullptr);
}

}  // namespace
}  // namespace quibor15
