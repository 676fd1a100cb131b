// The language dialog on the real locale database of an English (United
// States) system.
#include "dialog_view.hpp"
#include "locale/international.hpp"

namespace quibor15::testing {
namespace {

class LanguageDialogOnIcu : public LanguageWorld {
protected:
    LanguageDialogOnIcu() { UseLocales(std::make_shared<icu_backend::IcuLocaleDatabase>(0x0409)); }

    // The full names of a fresh catalogue, in catalogue order.
    std::vector<String> CatalogueNames() {
        auto catalogue = MakeRef<clsQuiborInternationalA>(context);
        const Ref<_clsQuiborLocalesA> locales = catalogue->get_Locales();
        std::vector<String> names;
        for (Long i = 1; i <= locales->get_Count(); ++i) {
            Variant index(i);
            names.push_back(locales->get_Item(index)->get_FullName());
        }
        return names;
    }
};

TEST_F(LanguageDialogOnIcu, ListsEveryCataloguedLocaleAndPicksGermanByClickAndByTyping) {
    const std::vector<String> expected_names = CatalogueNames();
    ASSERT_GT(expected_names.size(), 50u);
    auto dialog = MakeRef<clsQuiborWUillsA>(context);
    headless::User& user = runtime->ScriptedUser();
    DialogSnapshot opened, clicked, typed;
    std::vector<String> items;
    ShowAndAct(*runtime, *dialog, [&](DialogView& v) {
        opened = Snapshot(v);
        items = v.Items();
        user.Select(v.combo, v.IndexOf(u"German (Germany)"));
        clicked = Snapshot(v);
        user.Select(v.combo, v.IndexOf(u"English (United States)"));
        user.Type(v.combo, u"Ge");
        typed = Snapshot(v);
        user.Click(v.ok);
    });
    EXPECT_EQ(opened, (DialogSnapshot{u"Select Language", u"English (United States)", u"1033", u"&H409", u""}));
    EXPECT_EQ(items, expected_names);
    const DialogSnapshot german{u"Select Language : German", u"German (Germany)", u"1031", u"&H407",
                                u"Name   :German , LCID1  : 1031 , LCID2  : &H407"};
    EXPECT_EQ(clicked, german);
    EXPECT_EQ(typed, german);
    EXPECT_EQ(dialog->get_CommandButtonPress(), u"ok");
    EXPECT_EQ(dialog->get_LCIDSelected(), 1031);
}

}  // namespace
}  // namespace quibor15::testing
