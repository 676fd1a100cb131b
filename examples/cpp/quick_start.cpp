// The component from C++: an amount in three locales through the generated
// interfaces (early-bound), then a wizard on a form of the program, walked
// by the scripted user (late-bound, as a script would do it).
#include <iostream>
#include <quibor15/world.hpp>

using quibor15::ObjectRef;
using quibor15::Variant;
using quibor15::World;

int main() {
    World world;

    auto intl = world.Create<quibor15::_clsQuiborInternationalA>(u"quibor15.clsQuiborInternationalA");
    for (const char16_t* abbreviation : {u"ENU", u"DEU", u"FRA"}) {
        Variant key(abbreviation);
        auto locale = intl->get_Locales()->get_Item(key);
        double amount = -1234.5;
        quibor15::Boolean grouping = quibor15::kTrue, symbol = quibor15::kTrue;
        std::cout << World::Utf8(locale->get_FullName()) << ": "
                  << World::Utf8(locale->FormatCurrency(amount, grouping, symbol)) << '\n';
    }

    ObjectRef form = world.Call(world.Forms(), u"Add", {Variant(u"frmSetup")}).ObjectOrThrow();
    ObjectRef controls = world.Call(form, u"Controls").ObjectOrThrow();
    ObjectRef steps =
        world.Call(controls, u"AddArray", {Variant(u"VB.Frame"), Variant(u"fraStep"), Variant(int16_t{5})})
            .ObjectOrThrow();
    auto wizard = world.Create<quibor15::_clsQuiborWizardA>(u"quibor15.clsQuiborWizardA");
    wizard->set_WindowObject(form);
    wizard->set_FrameObject(steps);
    wizard->let_MaxFrameIndex(4);
    wizard->let_Title(u"Setup");
    wizard->Create();
    world.Call(form, u"Show");

    ObjectRef next = world.Call(controls, u"Item", {Variant(u"moNextFrameButton")}).ObjectOrThrow();
    auto loaded = [&] { return quibor15::VariantToLong(world.Call(world.Forms(), u"Count")) > 0; };
    for (int clicks = 0; loaded() && clicks < 10; ++clicks) {
        std::cout << "step " << wizard->get_CurrentFrame() << ", Next reads "
                  << World::Utf8(quibor15::VariantToString(world.Call(next, u"Caption"))) << '\n';
        world.Call(world.User(), u"Click", {Variant(next)});
    }
    std::cout << (loaded() ? "the wizard is still open\n" : "Finish closed the wizard\n");
    return loaded() ? 1 : 0;
}
