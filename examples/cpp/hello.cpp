#include <iostream>
#include <quibor15/world.hpp>
int main() {
    quibor15::World world;  // the headless forms, the simulated Windows, the ICU locale database
    auto intl = world.Create<quibor15::_clsQuiborInternationalA>(u"quibor15.clsQuiborInternationalA");
    std::cout << world.Utf8(intl->get_SystemDefault()->get_FullName()) << '\n';                        // early-bound
    std::cout << world.Utf8(VariantToString(world.Call(intl->get_SystemDefault(), u"LCID"))) << '\n';  // by name
}
