#include "platform/headless/app_object.hpp"

namespace quibor15::headless {

namespace {

const MemberTable<AppObject>& Members() {
    using A = AppObject;
    static const MemberTable<A> table{{
        Bind<A, &A::Title, &A::SetTitle>(u"Title"),
        Get<A, &A::Path>(u"Path"),
        Get<A, &A::ExeName>(u"EXEName"),
        Get<A, &A::Instance>(u"hInstance"),
    }};
    return table;
}

bool IsSeparator(char16_t c) { return c == u'/' || c == u'\\'; }

}  // namespace

AppObject::AppObject(String path, String exe_name, String title, Long instance)
    : exe_name_(std::move(exe_name)), title_(std::move(title)), instance_(instance) {
    SetPath(std::move(path));
}

void AppObject::SetPath(String path) {
    // "/srv/app/" reads "/srv/app"; a root ("/", "C:\") keeps its separator.
    while (path.size() > 1 && IsSeparator(path.back())) {
        bool drive_root = path.size() == 3 && path[1] == u':';
        if (drive_root) break;
        path.pop_back();
    }
    path_ = std::move(path);
}

DispId AppObject::GetIdOfName(std::u16string_view name) { return Members().IdOf(name); }

Variant AppObject::Invoke(DispId id, uint16_t flags, std::span<Variant> args) {
    SelfRef hold(this);
    return Members().Invoke(*this, id, flags, args);
}

}  // namespace quibor15::headless
