// The ready world for a C++ program: the component with the forms runtime
// without a screen, the simulated Windows and the locale database on ICU,
// the same world `quibor15 run` gives scripts.
//
//     quibor15::World world;
//     auto intl = world.Create<quibor15::_clsQuiborInternationalA>(u"quibor15.clsQuiborInternationalA");
//     quibor15::Variant key(u"DEU");
//     double amount = 1234.5;
//     quibor15::Boolean yes = quibor15::kTrue;
//     intl->get_Locales()->get_Item(key)->FormatCurrency(amount, yes, yes);   // early-bound
//     quibor15::LateGet(intl, u"SystemDefault");                               // late-bound by name
//
// Forms, User and Sim are the objects scripts know by those names, reached
// late-bound as scripts call them: world.Call(world.Forms(), u"Add",
// {Variant(u"frmSetup")}), world.Call(world.User(), u"Click", {Variant(button)}).
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

#include "quibor15/context.hpp"
#include "quibor15/error.hpp"
#include "quibor15/interfaces.hpp"
#include "quibor15/object.hpp"

namespace quibor15 {

class Library;

class World {
public:
    World();
    ~World();
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    // A new object by ProgID: a class of the component
    // ("quibor15.clsQuiborWizardA", letters in any case) or
    // "VBA.Collection". Error 429 for anything else.
    ObjectRef Create(std::u16string_view progid);
    // The same through the class's interface; error 13 when the object
    // does not have it.
    template <class Interface>
    Ref<Interface> Create(std::u16string_view progid) {
        Ref<Interface> typed = RefCast<Interface>(Create(progid));
        if (!typed) RaiseRuntimeError(rt::kTypeMismatch);
        return typed;
    }

    // Forms: Add(name) gives a loaded form of the program, Count, Item(i).
    ObjectRef Forms();
    // User: the person at the screen (Click, DblClick, Type, Press, KeyDown,
    // Select, Focus, Close, ...).
    ObjectRef User();
    // Sim: the simulated Windows (SetScreen, AddMonitor, SystemLCID,
    // Snapshot form, "file.png", ...).
    ObjectRef Sim();

    // A method or property get by name, as a script calls it: the object's
    // own members, then the few the world adds to the headless forms
    // (form.Controls.AddArray(progid, name, count) makes a control array).
    // Error 438 for a name that neither knows.
    Variant Call(const ObjectRef& object, std::u16string_view name, std::initializer_list<Variant> args = {});

    // The program's answer to each modal dialog, called as the dialog opens
    // (reach its controls late-bound); when it returns with the dialog still
    // open, the dialog is closed through its close box. Empty: no handler.
    void OnModal(std::function<void(const ObjectRef& dialog)> handler);
    // The answer to each message box (the button's number); without a
    // handler every box is answered OK.
    void OnMessageBox(std::function<int32_t(std::u16string_view prompt)> handler);

    // For a program that builds on the component's context directly.
    const ContextPtr& GetContext() const noexcept;

    // UTF-8 of a text, for printing.
    static std::string Utf8(std::u16string_view text);

private:
    class Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace quibor15
