// The objects of the scripting runtime: created by ProgID
// (Scripting.Dictionary, Scripting.FileSystemObject, WScript.Shell) or with
// New (RegExp), and the base they share.
#pragma once

#include <string_view>
#include <vector>

#include "host/script/host_object.hpp"
#include "host/script/interpreter.hpp"

namespace quibor15::script {

// The runtime object a ProgID names; Nothing when it names none of them.
ObjectRef CreateRuntimeObject(Interpreter& interp, std::u16string_view progid);
// CreateObject: a runtime object, or else the world's.
ObjectRef CreateObjectByProgId(Interpreter& interp, std::u16string_view progid);

ObjectRef MakeDictionary(Interpreter& interp);
ObjectRef MakeRegExp(Interpreter& interp);
ObjectRef MakeFileSystemObject(Interpreter& interp);
ObjectRef MakeShell(Interpreter& interp);

// A host object that reads its arguments as the script's values: objects
// through their default member, numbers and texts in the system locale.
class RuntimeObject : public HostObject {
public:
    explicit RuntimeObject(Interpreter& interp) : interp_(interp), alive_(interp.AliveToken()) {}

protected:
    Interpreter& Interp() {
        if (!*alive_) RaiseRuntimeError(rt::kActionNotSupported);
        return interp_;
    }
    Variant Value(std::span<Variant> args, size_t i) { return Interp().Plain(Variant(args[i].Deref())); }
    String Text(std::span<Variant> args, size_t i) { return Interp().Text(Value(args, i)); }
    Long LongArg(std::span<Variant> args, size_t i) { return VariantToLong(Value(args, i), Interp().Format()); }
    bool BoolArg(std::span<Variant> args, size_t i) {
        return VariantToBoolean(Value(args, i), Interp().Format()).raw != 0;
    }
    // Optional arguments with their defaults.
    Long LongOr(std::span<Variant> args, size_t i, Long fallback) {
        return Given(args, i) ? LongArg(args, i) : fallback;
    }
    bool BoolOr(std::span<Variant> args, size_t i, bool fallback) {
        return Given(args, i) ? BoolArg(args, i) : fallback;
    }

private:
    Interpreter& interp_;  // valid while *alive_
    std::shared_ptr<bool> alive_;
};

// An enumerator over a fixed list of values.
class ValueEnumerator : public Enumerator {
public:
    explicit ValueEnumerator(std::vector<Variant> items) : items_(std::move(items)) {}
    bool Next(Variant& item) override {
        if (next_ >= items_.size()) return false;
        item = items_[next_++];
        return true;
    }
    void Reset() override { next_ = 0; }

private:
    std::vector<Variant> items_;
    size_t next_ = 0;
};

// A zero-based array of Variants.
Variant VariantArray(std::vector<Variant> items);

}  // namespace quibor15::script
