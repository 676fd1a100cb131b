#include "host/script/builtins.hpp"

#include <unordered_map>

#include "host/script/builtins_impl.hpp"
#include "host/script/objects/runtime_object.hpp"

namespace quibor15::script {

void CheckTextLength(size_t length) {
    if (length > kMaxTextLength) RaiseScriptError(14);
}

namespace builtins {
namespace {

Variant CreateObjectFn(Interpreter& in, Args a) { return Variant(CreateObjectByProgId(in, TextArg(in, a, 0))); }

Variant MsgBoxFn(Interpreter& in, Args a) {
    const String prompt = Arg(a, 0).IsNull() ? String(u"Null") : TextArg(in, a, 0);
    const Long flags = Given(a, 1) ? LongArg(in, a, 1) : 0;
    const String title = Given(a, 2) ? TextArg(in, a, 2) : String(u"quibor15");
    const int32_t pressed = in.Host().MessageBox(prompt, flags, title);
    in.ForgetFormat();
    return Variant(static_cast<Integer>(pressed));
}

Variant ErrFn(Interpreter& in, Args) { return Variant(in.ErrObject()); }

Variant EvalFn(Interpreter& in, Args a) { return in.EvalText(TextArg(in, a, 0)); }
Variant ExecuteFn(Interpreter& in, Args a) {
    in.ExecuteText(TextArg(in, a, 0), false);
    return Variant();
}
Variant ExecuteGlobalFn(Interpreter& in, Args a) {
    in.ExecuteText(TextArg(in, a, 0), true);
    return Variant();
}
Variant GetRefFn(Interpreter& in, Args a) { return Variant(in.ProcedureRef(TextArg(in, a, 0))); }

const Builtin kTable[] = {
    {u"CreateObject", 1, 2, CreateObjectFn, true},
    {u"Err", 0, 0, ErrFn},
    {u"Eval", 1, 1, EvalFn, true},
    {u"Execute", 1, 1, ExecuteFn, true},
    {u"ExecuteGlobal", 1, 1, ExecuteGlobalFn, true},
    {u"GetRef", 1, 1, GetRefFn},
    {u"MsgBox", 1, 5, MsgBoxFn, true},
};

}  // namespace
}  // namespace builtins

const Builtin* FindBuiltin(std::u16string_view key) {
    static const std::unordered_map<String, const Builtin*> table = [] {
        std::unordered_map<String, const Builtin*> t;
        for (auto family :
             {builtins::ConversionBuiltins(), builtins::TextBuiltins(), builtins::ArrayBuiltins(),
              builtins::NumberBuiltins(), builtins::DateBuiltins(), builtins::DateMathBuiltins(),
              builtins::FormatBuiltins(), builtins::MiscBuiltins(), std::span<const Builtin>(builtins::kTable)}) {
            for (const Builtin& b : family) t[NameKey(b.name)] = &b;
        }
        return t;
    }();
    auto it = table.find(String(key));
    return it == table.end() ? nullptr : it->second;
}

const Variant* FindBuiltinConstant(std::u16string_view key) {
    static const std::unordered_map<String, Variant> table = [] {
        std::unordered_map<String, Variant> t;
        auto i = [&t](const char16_t* name, int value) { t[NameKey(name)] = Variant(static_cast<Integer>(value)); };
        auto l = [&t](const char16_t* name, int64_t value) {
            t[NameKey(name)] = Variant(static_cast<Long>(static_cast<int32_t>(value)));
        };
        auto s = [&t](const char16_t* name, String value) { t[NameKey(name)] = Variant(std::move(value)); };
        s(u"vbCrLf", u"\r\n");
        s(u"vbNewLine", u"\r\n");
        s(u"vbCr", u"\r");
        s(u"vbLf", u"\n");
        s(u"vbTab", u"\t");
        s(u"vbBack", u"\b");
        s(u"vbFormFeed", u"\f");
        s(u"vbVerticalTab", u"\v");
        s(u"vbNullChar", String(1, u'\0'));
        s(u"vbNullString", u"");
        i(u"vbEmpty", 0);
        i(u"vbNull", 1);
        i(u"vbInteger", 2);
        i(u"vbLong", 3);
        i(u"vbSingle", 4);
        i(u"vbDouble", 5);
        i(u"vbCurrency", 6);
        i(u"vbDate", 7);
        i(u"vbString", 8);
        i(u"vbObject", 9);
        i(u"vbError", 10);
        i(u"vbBoolean", 11);
        i(u"vbVariant", 12);
        i(u"vbDataObject", 13);
        i(u"vbDecimal", 14);
        i(u"vbByte", 17);
        i(u"vbArray", 8192);
        i(u"vbOKOnly", 0);
        i(u"vbOKCancel", 1);
        i(u"vbAbortRetryIgnore", 2);
        i(u"vbYesNoCancel", 3);
        i(u"vbYesNo", 4);
        i(u"vbRetryCancel", 5);
        i(u"vbCritical", 16);
        i(u"vbQuestion", 32);
        i(u"vbExclamation", 48);
        i(u"vbInformation", 64);
        i(u"vbDefaultButton1", 0);
        i(u"vbDefaultButton2", 256);
        i(u"vbDefaultButton3", 512);
        i(u"vbDefaultButton4", 768);
        i(u"vbApplicationModal", 0);
        i(u"vbSystemModal", 4096);
        i(u"vbOK", 1);
        i(u"vbCancel", 2);
        i(u"vbAbort", 3);
        i(u"vbRetry", 4);
        i(u"vbIgnore", 5);
        i(u"vbYes", 6);
        i(u"vbNo", 7);
        i(u"vbTrue", -1);
        i(u"vbFalse", 0);
        i(u"vbUseDefault", -2);
        i(u"vbBinaryCompare", 0);
        i(u"vbTextCompare", 1);
        i(u"vbSunday", 1);
        i(u"vbMonday", 2);
        i(u"vbTuesday", 3);
        i(u"vbWednesday", 4);
        i(u"vbThursday", 5);
        i(u"vbFriday", 6);
        i(u"vbSaturday", 7);
        i(u"vbUseSystemDayOfWeek", 0);
        i(u"vbUseSystem", 0);
        i(u"vbFirstJan1", 1);
        i(u"vbFirstFourDays", 2);
        i(u"vbFirstFullWeek", 3);
        i(u"vbGeneralDate", 0);
        i(u"vbLongDate", 1);
        i(u"vbShortDate", 2);
        i(u"vbLongTime", 3);
        i(u"vbShortTime", 4);
        l(u"vbObjectError", 0x80040000LL);
        l(u"vbBlack", 0x0);
        l(u"vbRed", 0xFF);
        l(u"vbGreen", 0xFF00);
        l(u"vbYellow", 0xFFFF);
        l(u"vbBlue", 0xFF0000);
        l(u"vbMagenta", 0xFF00FF);
        l(u"vbCyan", 0xFFFF00);
        l(u"vbWhite", 0xFFFFFF);
        return t;
    }();
    auto it = table.find(String(key));
    return it == table.end() ? nullptr : &it->second;
}

}  // namespace quibor15::script
