// An object of the host or of any other automation server, reached
// late-bound through its IDispatch: what the component's classes see of
// the host's forms, controls, fonts and buddy objects on Windows.
#pragma once

#include <ocidl.h>

#include <vector>

#include "platform/win32/ole_bridge.hpp"

namespace quibor15::win32 {

class DispatchObject final : public Object {
public:
    // Takes a new reference to `dispatch`.
    explicit DispatchObject(IDispatch* dispatch) noexcept;
    ~DispatchObject() override;

    IDispatch* Get() const noexcept { return dispatch_; }
    // Whether the object answers QueryInterface for `iid`.
    bool Implements(REFIID iid) const noexcept;
    // An object of a script engine (a script's class instance), which
    // answers its names through IDispatchEx.
    bool IsScriptObject() const noexcept;

    // The name the object's type information gives ("Form", "Font", a
    // script's class name), or "Object".
    String TypeName() const override;
    DispId GetIdOfName(std::u16string_view name) override;
    // Arguments travel in reverse order as the dispatch interface wants;
    // a by-reference argument travels as a reference to a VARIANT, and the
    // value the callee leaves there comes back to the caller's variable.
    // A property assignment names its value DISPID_PROPERTYPUT.
    Variant Invoke(DispId id, uint16_t flags, std::span<Variant> args) override;

    // Connects a sink to the object's events: the default source interface
    // its class information names (IProvideClassInfo2, or the class's type
    // information), through its connection point. 0 when the object raises
    // no events that can be connected.
    uint32_t Advise(ObjectRef sink) override;
    void Unadvise(uint32_t cookie) override;

private:
    struct Connection {
        uint32_t cookie;
        IConnectionPoint* point;
    };
    IDispatch* dispatch_;
    std::vector<Connection> connections_;
};

}  // namespace quibor15::win32
