// The App object of the running component: Title, Path, EXEName, hInstance.
#pragma once

#include "platform/headless/member_table.hpp"

namespace quibor15::headless {

class AppObject final : public Object {
public:
    AppObject(String path, String exe_name, String title, Long instance);

    String TypeName() const override { return u"App"; }
    DispId GetIdOfName(std::u16string_view name) override;
    Variant Invoke(DispId id, uint16_t flags, std::span<Variant> args) override;

    const String& Title() const noexcept { return title_; }
    void SetTitle(String title) { title_ = std::move(title); }
    // The folder, without a trailing separator (except a root).
    const String& Path() const noexcept { return path_; }
    void SetPath(String path);
    // The file name without its extension.
    const String& ExeName() const noexcept { return exe_name_; }
    void SetExeName(String name) { exe_name_ = std::move(name); }
    Long Instance() const noexcept { return instance_; }
    void SetInstance(Long instance) { instance_ = instance; }

private:
    String path_;
    String exe_name_;
    String title_;
    Long instance_;
};

}  // namespace quibor15::headless
