// The per-host context: the host forms runtime and the Windows services a
// host injects, and the little module state the component keeps for that
// host. Every object of the component holds its context; nothing of this is
// global.
#pragma once

#include <any>
#include <memory>
#include <typeindex>
#include <unordered_map>

#include "quibor15/convert.hpp"
#include "quibor15/host_runtime.hpp"
#include "quibor15/windows_services.hpp"

namespace quibor15 {

class Context {
public:
    Context(std::shared_ptr<HostRuntime> host, std::shared_ptr<WindowsServices> windows);

    HostRuntime& Host() const noexcept { return *host_; }
    WindowsServices& Windows() const noexcept { return *windows_; }
    const std::shared_ptr<HostRuntime>& HostPtr() const noexcept { return host_; }
    const std::shared_ptr<WindowsServices>& WindowsPtr() const noexcept { return windows_; }

    // The system locale's decimal and group separators, read from the
    // platform on each call (they follow the system default locale).
    NumberFormat SystemNumberFormat() const;

    // Module state of type T for this host, created on first use. Used for
    // the few module-level variables of the component (the format-picture
    // scratch lists, the language dialog's last command).
    template <class T>
    T& ModuleState() {
        auto [it, inserted] = module_state_.try_emplace(std::type_index(typeid(T)));
        if (inserted) it->second = std::make_shared<T>();
        return *std::any_cast<std::shared_ptr<T>&>(it->second);
    }

private:
    std::shared_ptr<HostRuntime> host_;
    std::shared_ptr<WindowsServices> windows_;
    std::unordered_map<std::type_index, std::any> module_state_;
};

using ContextPtr = std::shared_ptr<Context>;

}  // namespace quibor15
