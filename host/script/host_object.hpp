// A base for the objects the script host itself offers (WScript, Err, the
// headless world's Forms, User and Sim): members found by name through a
// fixed table, arguments read the way late-bound calls pass them.
#pragma once

#include <span>
#include <string_view>

#include "quibor15/convert.hpp"
#include "quibor15/object.hpp"
#include "quibor15/primitives.hpp"

namespace quibor15::script {

class HostObject : public Object {
public:
    struct Member {
        const char16_t* name;
        DispId id;
    };

    DispId GetIdOfName(std::u16string_view name) override {
        for (const Member& m : Members()) {
            if (EqualsIgnoreCase(name, m.name)) return m.id;
        }
        return kDispIdUnknown;
    }

protected:
    virtual std::span<const Member> Members() const = 0;

    // Argument helpers: a left-out optional argument is Missing.
    static bool Given(std::span<Variant> args, size_t i) { return i < args.size() && !args[i].Deref().IsMissing(); }
    static void ExpectArgs(std::span<Variant> args, size_t min, size_t max) {
        if (args.size() < min || args.size() > max) RaiseRuntimeError(rt::kWrongArgumentCount);
        for (size_t i = 0; i < min; ++i) {
            if (args[i].Deref().IsMissing()) RaiseRuntimeError(rt::kArgumentNotOptional);
        }
    }
    static bool IsGet(uint16_t flags) { return (flags & (kInvokeMethod | kInvokePropertyGet)) != 0; }
    static bool IsPut(uint16_t flags) { return (flags & (kInvokePropertyPut | kInvokePropertyPutRef)) != 0; }
};

}  // namespace quibor15::script
