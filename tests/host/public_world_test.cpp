// The World a C++ program gets (quibor15/world.hpp): classes by ProgID,
// early-bound and by name, the script objects and the modal dialogs.
#include <gtest/gtest.h>

#include "quibor15/convert.hpp"
#include "quibor15/world.hpp"

namespace quibor15 {
namespace {

template <class F>
int32_t ErrorOf(F&& f) {
    try {
        f();
    } catch (const AutomationError& e) {
        return e.Number();
    }
    return 0;
}

TEST(PublicWorld, CreatesClassesEarlyAndLateBound) {
    World world;
    auto intl = world.Create<_clsQuiborInternationalA>(u"QUIBOR15.clsQuiborInternationalA");
    Variant key(u"DEU");
    Ref<_clsQuiborLocaleA> german = intl->get_Locales()->get_Item(key);
    EXPECT_EQ(german->get_FullName(), u"German (Germany)");
    EXPECT_EQ(VariantToString(world.Call(ObjectRef(german), u"FullName")), u"German (Germany)");
    EXPECT_EQ(world.Create(u"VBA.Collection")->TypeName(), u"Collection");
    EXPECT_EQ(ErrorOf([&] { world.Create(u"quibor15.NoSuchClass"); }), 429);
    EXPECT_EQ(ErrorOf([&] { world.Create<_clsQuiborWizardA>(u"quibor15.clsQuiborInternationalA"); }), 13);
    EXPECT_EQ(ErrorOf([&] { world.Call(ObjectRef(german), u"NoSuchMember"); }), 438);
}

TEST(PublicWorld, ReachesFormsUserAndSimAndAnswersModalDialogs) {
    World world;
    ObjectRef form = world.Call(world.Forms(), u"Add", {Variant(u"frmMain")}).ObjectOrThrow();
    ObjectRef controls = world.Call(form, u"Controls").ObjectOrThrow();
    ObjectRef frames =
        world.Call(controls, u"AddArray", {Variant(u"VB.Frame"), Variant(u"fraStep"), Variant(Integer{3})})
            .ObjectOrThrow();
    EXPECT_EQ(VariantToLong(world.Call(frames, u"UBound")), 2);
    world.Call(world.Sim(), u"SetScreen", {Variant(Long{19200}), Variant(Long{15360})});
    EXPECT_EQ(VariantToLong(LateGet(LateGet(form, u"Controls").ObjectOrThrow(), u"Count")), 3);

    auto lang = world.Create(u"quibor15.clsQuiborWUillsA");
    String seen;
    world.OnModal([&](const ObjectRef& dialog) {
        seen = VariantToString(LateGet(dialog, u"Name"));
        ObjectRef cancel =
            LateCall(LateGet(dialog, u"Controls").ObjectOrThrow(), u"Item", {Variant(u"Command1")}).ObjectOrThrow();
        world.Call(world.User(), u"Click", {LateCall(cancel, u"Item", {Variant(Integer{1})})});
    });
    world.Call(lang, u"UIShowLLS");
    EXPECT_FALSE(seen.empty());
    EXPECT_EQ(VariantToString(LateGet(lang, u"CommandButtonPress")), u"cancel");
    // OnModal by a Sub's name needs a script.
    EXPECT_EQ(ErrorOf([&] { world.Call(world.User(), u"OnModal", {Variant(u"Look")}); }), 5);
}

}  // namespace
}  // namespace quibor15
