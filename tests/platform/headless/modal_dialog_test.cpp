#include <gtest/gtest.h>

#include "event_log.hpp"

namespace quibor15::headless {
namespace {

using testing::ErrorNumberOf;
using testing::Listen;
using testing::Log;

// A dialog the component would build on a new form: a caption, two
// buttons in an array, OK disabled until something is picked.
struct Dialog {
    Ref<Form> form;
    Ref<ControlArray> actions;
    Ref<ListBox> list;
};

Dialog BuildDialog(HeadlessRuntime& runtime, std::shared_ptr<Log> log, std::shared_ptr<Long> result) {
    Dialog d;
    d.form = RefCast<Form>(runtime.NewForm(u"frmQUIBORMonitorA"));
    ObjectRef form = d.form;
    d.actions = RefCast<ControlArray>(
        LateCall(form, u"AddControlArray", {Variant(u"VB.CommandButton"), Variant(u"cmdAction"), Variant(Integer{2})})
            .ObjectOrThrow());
    d.list = d.form->Add<ListBox>(u"lstChoices");
    for (const char16_t* item : {u"Monitor 1", u"Monitor 2"}) d.list->AddItem(item);
    Form* raw_form = d.form.Get();
    ListBox* raw_list = d.list.Get();
    ControlArray* raw_actions = d.actions.Get();
    Listen(form, log, "dlg", [raw_form](const std::string& event, std::span<Variant>) {
        if (event == "Load") raw_form->SetCaption(u"Choose a monitor");
    });
    Listen(d.list, log, "lst", [raw_actions](const std::string& event, std::span<Variant>) {
        if (event == "Click") raw_actions->Item(0)->SetEnabled(true);
    });
    Listen(d.actions, log, "cmdAction", [=](const std::string& event, std::span<Variant> args) {
        if (event != "Click") return;
        *result = VariantToLong(args[0]) == 0 ? raw_list->ListIndex() + 1 : 0;
        raw_form->Hide();
    });
    d.actions->Item(0)->SetEnabled(false);
    return d;
}

TEST(ModalDialog, TheScriptedUserAnswersItAndShowModalReturnsWhenItIsHidden) {
    HeadlessRuntime runtime;
    auto log = std::make_shared<Log>();
    auto result = std::make_shared<Long>(-1);
    Dialog d = BuildDialog(runtime, log, result);
    User& user = runtime.ScriptedUser();
    std::vector<String> captions_seen;
    user.OnModal([&](const Ref<Form>& dialog) {
        captions_seen.push_back(dialog->Caption());
        EXPECT_TRUE(dialog->IsModal());
        EXPECT_FALSE(user.Click(d.actions->Item(0)));  // OK is still disabled
        EXPECT_TRUE(user.Select(d.list, 1));
        EXPECT_TRUE(user.Click(d.actions->Item(0)));
    });
    runtime.ShowModal(d.form);
    EXPECT_EQ(captions_seen, (std::vector<String>{u"Choose a monitor"}));
    EXPECT_EQ(*result, 2);
    EXPECT_FALSE(d.form->Visible());
    EXPECT_TRUE(d.form->IsLoaded());  // hidden, not unloaded
    EXPECT_FALSE(d.form->IsModal());
    runtime.Unload(d.form);
    EXPECT_FALSE(d.form->IsLoaded());
    EXPECT_EQ((*log)[0], "dlg.Load");
    EXPECT_EQ(log->back(), "dlg.Unload(0)");
}

TEST(ModalDialog, ADialogTheUserLeavesOpenIsClosedThroughItsCloseBox) {
    HeadlessRuntime runtime;
    auto log = std::make_shared<Log>();
    auto result = std::make_shared<Long>(-1);
    Dialog d = BuildDialog(runtime, log, result);
    int opened = 0;
    runtime.ScriptedUser().OnModal([&](const Ref<Form>&) { ++opened; });
    runtime.ShowModal(d.form);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(*result, -1);  // no button set a result
    EXPECT_FALSE(d.form->IsLoaded());
    Log tail(log->end() - 2, log->end());
    EXPECT_EQ(tail, (Log{"dlg.QueryUnload(0,0)", "dlg.Unload(0)"}));
    EXPECT_TRUE(runtime.Forms().empty());
}

TEST(ModalDialog, WithoutAHandlerTheDialogClosesAtOnceAndACancelledCloseStillEndsIt) {
    HeadlessRuntime runtime;
    Ref<Form> dialog = RefCast<Form>(runtime.NewForm(u"frmQUIBORWuillsA"));
    auto log = std::make_shared<Log>();
    Listen(dialog, log, "dlg", [](const std::string& event, std::span<Variant> args) {
        if (event == "QueryUnload") args[0].Assign(Variant(Integer{1}));
    });
    runtime.ShowModal(dialog);
    EXPECT_EQ(*log, (Log{"dlg.Load", "dlg.Resize", "dlg.QueryUnload(0,0)"}));
    EXPECT_TRUE(dialog->IsLoaded());
    EXPECT_FALSE(dialog->Visible());
}

TEST(ModalDialog, OtherFormsAreOutOfReachWhileItIsOpen) {
    HeadlessRuntime runtime;
    Ref<Form> main = runtime.AddForm(u"frmMain");
    Ref<CommandButton> go = main->Add<CommandButton>(u"cmdGo");
    main->Show();
    Ref<Form> dialog = RefCast<Form>(runtime.NewForm(u"frmDialog"));
    User& user = runtime.ScriptedUser();
    bool clicked_main = true, closed_main = true;
    int show_error = 0;
    user.OnModal([&](const Ref<Form>&) {
        clicked_main = user.Click(go);
        closed_main = user.Close(main);
        show_error = ErrorNumberOf([&] { runtime.ShowModal(dialog); });
    });
    runtime.ShowModal(dialog);
    EXPECT_FALSE(clicked_main);
    EXPECT_FALSE(closed_main);
    EXPECT_EQ(show_error, 400);  // already displayed
    EXPECT_TRUE(user.Click(go));
}

TEST(ModalDialog, NestedDialogsEachReachTheHandler) {
    HeadlessRuntime runtime;
    Ref<Form> outer = RefCast<Form>(runtime.NewForm(u"frmOuter"));
    Ref<Form> inner = RefCast<Form>(runtime.NewForm(u"frmInner"));
    std::vector<String> opened;
    runtime.ScriptedUser().OnModal([&](const Ref<Form>& f) {
        opened.push_back(f->Name());
        if (f == outer) {
            // Late-bound Show 1, as a form's code writes it.
            LateCall(ObjectRef(inner), u"Show", {Variant(Integer{1})});
            EXPECT_FALSE(inner->IsLoaded());
        }
    });
    runtime.ShowModal(outer);
    EXPECT_EQ(opened, (std::vector<String>{u"frmOuter", u"frmInner"}));
    EXPECT_FALSE(outer->IsLoaded());
}

TEST(ModalDialog, AnErrorInTheHandlerEndsTheModalLoopAndReachesTheCaller) {
    HeadlessRuntime runtime;
    Ref<Form> dialog = RefCast<Form>(runtime.NewForm(u"frmDialog"));
    Ref<CommandButton> ok = dialog->Add<CommandButton>(u"cmdOK");
    Listen(ok, std::make_shared<Log>(), "ok", [](const std::string& event, std::span<Variant>) {
        if (event == "Click") RaiseRuntimeError(rt::kDivisionByZero);
    });
    runtime.ScriptedUser().OnModal([&](const Ref<Form>&) { runtime.ScriptedUser().Click(ok); });
    EXPECT_EQ(ErrorNumberOf([&] { runtime.ShowModal(dialog); }), 11);
    EXPECT_FALSE(dialog->IsModal());
    Ref<Form> other = runtime.AddForm(u"frmOther");
    other->Show();  // no modal dialog blocks it any more
    EXPECT_TRUE(other->Visible());
}

TEST(ModalDialog, ShowingANonModalFormOverAModalOneFails) {
    HeadlessRuntime runtime;
    Ref<Form> dialog = RefCast<Form>(runtime.NewForm(u"frmDialog"));
    Ref<Form> other = runtime.AddForm(u"frmOther");
    int error = 0;
    runtime.ScriptedUser().OnModal([&](const Ref<Form>&) { error = ErrorNumberOf([&] { other->Show(); }); });
    runtime.ShowModal(dialog);
    EXPECT_EQ(error, 401);
}

TEST(ModalDialog, ShowModalWantsAForm) {
    HeadlessRuntime runtime;
    Ref<Form> form = runtime.AddForm(u"frmMain");
    Ref<Label> label = form->Add<Label>(u"lbl");
    EXPECT_EQ(ErrorNumberOf([&] { runtime.ShowModal(label); }), 13);
    EXPECT_EQ(ErrorNumberOf([&] { runtime.ShowModal(ObjectRef()); }), 91);
    EXPECT_EQ(ErrorNumberOf([&] { LateCall(ObjectRef(form), u"Show", {Variant(Integer{2})}); }), 5);
}

}  // namespace
}  // namespace quibor15::headless
