// The public World: the script host's world (host/world.hpp), which is the
// one place the headless world is put together, with the objects scripts
// reach it through.
#include "quibor15/world.hpp"

#include <iostream>
#include <optional>
#include <vector>

#include "host/script/text.hpp"
#include "host/world.hpp"

namespace quibor15 {

class World::Impl {
public:
    // Scripts' WScript.Echo has no counterpart here; what the world writes
    // goes to standard output.
    host::World world{std::cout};
    ObjectRef forms, user, sim;
};

World::World() : impl_(std::make_unique<Impl>()) {}

World::~World() {
    impl_->world.Runtime().ScriptedUser().OnModal(nullptr);
    impl_->world.Runtime().ScriptedUser().OnMessageBox(nullptr);
}

ObjectRef World::Create(std::u16string_view progid) { return impl_->world.CreateObject(progid); }

ObjectRef World::Forms() {
    if (!impl_->forms) impl_->forms = host::MakeFormsObject(impl_->world);
    return impl_->forms;
}

ObjectRef World::User() {
    if (!impl_->user) impl_->user = host::MakeUserObject(impl_->world);
    return impl_->user;
}

ObjectRef World::Sim() {
    if (!impl_->sim) impl_->sim = host::MakeSimObject(impl_->world);
    return impl_->sim;
}

Variant World::Call(const ObjectRef& object, std::u16string_view name, std::initializer_list<Variant> args) {
    if (!object) RaiseRuntimeError(rt::kObjectNotSet);
    std::vector<Variant> values(args);
    if (object->GetIdOfName(name) != kDispIdUnknown) return LateCall(object, name, values);
    std::optional<Variant> extra = impl_->world.ExtraMember(object, name, kInvokeMethod | kInvokePropertyGet, values);
    if (!extra) RaiseRuntimeError(rt::kMemberNotSupported);
    return *std::move(extra);
}

void World::OnModal(std::function<void(const ObjectRef& dialog)> handler) {
    headless::User& user = impl_->world.Runtime().ScriptedUser();
    if (!handler) return user.OnModal(nullptr);
    user.OnModal([handler = std::move(handler)](const Ref<headless::Form>& form) { handler(ObjectRef(form)); });
}

void World::OnMessageBox(std::function<int32_t(std::u16string_view prompt)> handler) {
    headless::User& user = impl_->world.Runtime().ScriptedUser();
    if (!handler) return user.OnMessageBox(nullptr);
    user.OnMessageBox(
        [handler = std::move(handler)](const headless::MessageBoxCall& box) { return handler(box.prompt); });
}

std::string World::Utf8(std::u16string_view text) { return script::ToUtf8(text); }

const ContextPtr& World::GetContext() const noexcept { return impl_->world.GetContext(); }

}  // namespace quibor15
