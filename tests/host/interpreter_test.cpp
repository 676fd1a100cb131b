// The interpreter: values and their subtypes, calls and references, classes,
// errors and their positions, and the late-bound traffic with component
// objects in both directions (calls, by-reference arguments, events).
#include <gtest/gtest.h>

#include "script_fixture.hpp"

namespace quibor15::script {
namespace {

using testing::FakeHost;
using testing::Narrow;
using testing::RunScript;
using testing::ScriptRun;

// ---------------------------------------------------------------- values

struct ValueCase {
    const char16_t* expression;
    const char* printed;
    const char* type;
};

class ExpressionValues : public ::testing::TestWithParam<ValueCase> {};

TEST_P(ExpressionValues, PrintAndTypeAsTheLanguageDoes) {
    const String expr = GetParam().expression;
    auto run = RunScript(u"Dim v : v = " + expr + u"\nWScript.Echo v\nWScript.Echo TypeName(v)");
    ASSERT_TRUE(run.Ok()) << run.Error();
    ASSERT_EQ(run.lines.size(), 2u);
    EXPECT_EQ(run.lines[0], GetParam().printed) << Narrow(expr);
    EXPECT_EQ(run.lines[1], GetParam().type) << Narrow(expr);
}

INSTANTIATE_TEST_SUITE_P(
    Interpreter, ExpressionValues,
    ::testing::Values(
        ValueCase{u"1 + 1", "2", "Integer"}, ValueCase{u"32767 + 1", "32768", "Long"},
        ValueCase{u"-32768 - 1", "-32769", "Long"}, ValueCase{u"2147483647 + 1", "2147483648", "Double"},
        ValueCase{u"300 * 300", "90000", "Long"}, ValueCase{u"CByte(250) + CByte(5)", "255", "Byte"},
        ValueCase{u"CByte(250) + CByte(6)", "256", "Integer"}, ValueCase{u"CByte(1) - CByte(2)", "-1", "Integer"},
        ValueCase{u"7 / 2", "3.5", "Double"}, ValueCase{u"CSng(7) / 2", "3.5", "Single"},
        ValueCase{u"7 \\ 2", "3", "Integer"}, ValueCase{u"7& \\ 2", "3", "Long"},
        ValueCase{u"-7 Mod 3", "-1", "Integer"}, ValueCase{u"2 ^ 10", "1024", "Double"},
        ValueCase{u"-(-32768)", "32768", "Long"}, ValueCase{u"True + True", "-2", "Integer"},
        ValueCase{u"Empty + Empty", "0", "Integer"}, ValueCase{u"\"a\" + \"b\"", "ab", "String"},
        ValueCase{u"\"2\" + 3", "5", "Double"}, ValueCase{u"\"2\" & 3", "23", "String"},
        ValueCase{u"Null & \"x\"", "x", "String"}, ValueCase{u"CCur(0.1) * 3", "0.3", "Currency"},
        ValueCase{u"CCur(2) / 4", "0.5", "Double"}, ValueCase{u"#2010-11-26# + 1", "2010-11-27 00:00:00", "Date"},
        ValueCase{u"#2010-11-26# - #2010-11-25#", "1", "Double"}, ValueCase{u"1 = 1", "True", "Boolean"},
        ValueCase{u"\"a\" < \"b\"", "True", "Boolean"}, ValueCase{u"5 And 3", "1", "Integer"},
        ValueCase{u"Not 0", "-1", "Integer"}, ValueCase{u"True Xor False", "True", "Boolean"},
        ValueCase{u"CByte(5) And CByte(3)", "1", "Byte"}, ValueCase{u"1E300 * 10", "1E+301", "Double"},
        ValueCase{u"0.1 + 0.2", "0.3", "Double"}, ValueCase{u"1 / 3", "0.333333333333333", "Double"},
        ValueCase{u"CSng(1) / 3", "0.3333333", "Single"},
        ValueCase{u"123456789 * 1000000000", "1.23456789E+17", "Double"}, ValueCase{u"Null + 1", "Null", "Null"},
        ValueCase{u"Empty", "", "Empty"}, ValueCase{u"&HFFFF", "-1", "Integer"}, ValueCase{u"CLng(2.5)", "2", "Long"},
        ValueCase{u"CLng(3.5)", "4", "Long"}, ValueCase{u"Int(-2.5)", "-3", "Double"},
        ValueCase{u"Fix(-2.5)", "-2", "Double"}, ValueCase{u"Round(2.5)", "2", "Double"},
        ValueCase{u"Abs(-32768)", "32768", "Long"}, ValueCase{u"Len(\"abc\")", "3", "Long"},
        ValueCase{u"Split(\"a,b\", \",\")(1)", "b", "String"}, ValueCase{u"Array(1, 2)(0)", "1", "Integer"}));

struct ErrorCase {
    const char16_t* statement;
    int32_t number;
};

class RuntimeErrors : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(RuntimeErrors, HaveTheirNumber) {
    auto run = RunScript(u"Dim v, a(2), o\nOn Error Resume Next\n" + String(GetParam().statement) +
                         u"\nWScript.Echo Err.Number");
    ASSERT_TRUE(run.Ok()) << run.Error();
    ASSERT_EQ(run.lines.size(), 1u);
    EXPECT_EQ(run.lines[0], std::to_string(GetParam().number)) << Narrow(GetParam().statement);
}

INSTANTIATE_TEST_SUITE_P(
    Interpreter, RuntimeErrors,
    ::testing::Values(
        ErrorCase{u"v = 1 / 0", 11}, ErrorCase{u"v = 0 / 0", 6}, ErrorCase{u"v = 1 \\ 0", 11},
        ErrorCase{u"v = 1 Mod 0", 11}, ErrorCase{u"v = \"x\" * 2", 13}, ErrorCase{u"v = CInt(32768)", 6},
        ErrorCase{u"v = CLng(\"2147483648\")", 6}, ErrorCase{u"v = a(3)", 9}, ErrorCase{u"a(-1) = 1", 9},
        ErrorCase{u"v = o.Name", 424}, ErrorCase{u"o.Name = 1", 424}, ErrorCase{u"Set v = 5", 424},
        ErrorCase{u"v = Nowhere(1)", 13}, ErrorCase{u"v = CStr(Null)", 94}, ErrorCase{u"v = Left(\"a\", -1)", 5},
        ErrorCase{u"v = Mid(\"a\", 0)", 5}, ErrorCase{u"v = Len(1, 2)", 450}, ErrorCase{u"v = UBound(5)", 13},
        ErrorCase{u"v = UBound(a, 2)", 9}, ErrorCase{u"v = Chr(256)", 5}, ErrorCase{u"v = Asc(\"\")", 5},
        ErrorCase{u"v = Sqr(-1)", 5}, ErrorCase{u"v = 1E308 * 10", 6}, ErrorCase{u"v = Space(-1)", 5},
        ErrorCase{u"v = Space(67108864) & \"x\"", 14}, ErrorCase{u"v = Replace(Space(1048577), \" \", Space(64))", 14},
        ErrorCase{u"v = Join(Array(Space(67108864), \"\"))", 14}, ErrorCase{u"ReDim v(-2)", 9},
        ErrorCase{u"ReDim a(3)", 10}, ErrorCase{u"v = CreateObject(\"No.Such\")", 429},
        ErrorCase{u"Err.Raise 1234", 1234}, ErrorCase{u"v = DateSerial(10000, 1, 1)", 5},
        ErrorCase{u"v = CDate(\"never\")", 13}, ErrorCase{u"For Each v In 5 : Next", 451},
        ErrorCase{u"v = vbCrLf(1)", 13}, ErrorCase{u"vbCrLf = 1", 501}, ErrorCase{u"v = New NoClass", 506}));

TEST(Interpreter, ErrorsReportWhereTheyArose) {
    auto run = RunScript(u"WScript.Echo 1\nSub Inner()\n  Dim x\n  x = 1 / 0\nEnd Sub\nInner\n");
    EXPECT_EQ(run.outcome.kind, RunOutcome::Kind::Failed);
    EXPECT_EQ(run.Error(), "4,9 quibor15 script runtime error: Division by zero");
    EXPECT_EQ(run.lines, std::vector<std::string>{"1"});
}

TEST(Interpreter, OptionExplicitRefusesUndeclaredNames) {
    auto run = RunScript(u"Option Explicit\nDim a\na = 1\nb = 2\n");
    EXPECT_EQ(run.Error(), "4,1 quibor15 script runtime error: Variable is undefined: 'b'");
    auto redim = RunScript(u"Option Explicit\nReDim list(2)\nlist(2) = 5\nWScript.Echo UBound(list), list(2)");
    EXPECT_EQ(redim.Output(), "2 5\n");
}

// What one interpreter learnt about the names of a program must not steer
// the next one that runs it, whose globals lie elsewhere.
TEST(Interpreter, AProgramRunsAgainInAnotherInterpreter) {
    const std::shared_ptr<const Program> program =
        Parse(u"Dim a\na = 2\nFor i = 1 To 3\n  a = a & Other.Arguments.Count\nNext\nWScript.Echo a\n");
    for (bool other_first : {false, true, false}) {
        FakeHost host;
        {
            Interpreter interp(program, host);
            ObjectRef own = MakeWScriptObject(interp, u"test.vbs", {});
            ObjectRef other = MakeWScriptObject(interp, u"other.vbs", {u"x", u"y", u"z"});
            interp.AddNamedObject(other_first ? u"Other" : u"WScript", other_first ? other : own);
            interp.AddNamedObject(other_first ? u"WScript" : u"Other", other_first ? own : other);
            EXPECT_EQ(interp.Run().kind, RunOutcome::Kind::Completed);
        }
        EXPECT_EQ(host.lines, std::vector<std::string>{"2333"}) << other_first;
    }
}

TEST(Interpreter, DeepRecursionEndsWithOutOfStackSpace) {
    auto run = RunScript(u"Function Down(n)\n  Down = Down(n + 1)\nEnd Function\nWScript.Echo Down(0)");
    EXPECT_EQ(run.outcome.kind, RunOutcome::Kind::Failed);
    EXPECT_EQ(run.outcome.number, 28);
    EXPECT_EQ(Narrow(run.outcome.description), "Out of stack space");

    // Each level deep in parentheses as well: the stack itself is watched.
    String nested = u"Function Nest(n)\n  Nest = 1 + ";
    for (int i = 0; i < 150; ++i) nested += u"(";
    nested += u"Nest(n + 1)";
    for (int i = 0; i < 150; ++i) nested += u")";
    nested += u"\nEnd Function\nWScript.Echo Nest(0)";
    auto deep = RunScript(nested);
    EXPECT_EQ(deep.outcome.number, 28);
}

TEST(Interpreter, AStatementBudgetEndsEndlessScripts) {
    const char16_t* endless[] = {
        u"Do : Loop",
        u"While True : Wend",
        u"For i = 1 To 2 : i = 1 : Next",
        u"On Error Resume Next\nDo : x = 1 / 0 : Loop",
        u"Sub Down : Down : End Sub\nOn Error Resume Next\nDo : Down : Loop",
        u"Class C\nSub Class_Terminate : Do : Loop : End Sub\nEnd Class\nDo : Set o = New C : Loop",
    };
    for (const char16_t* source : endless) {
        FakeHost host;
        Interpreter interp(Parse(source), host);
        interp.SetStatementBudget(20000);
        const RunOutcome outcome = interp.Run();
        EXPECT_EQ(outcome.kind, RunOutcome::Kind::Failed) << Narrow(source);
        EXPECT_EQ(Narrow(outcome.description), "Script execution time was exceeded") << Narrow(source);
    }
    FakeHost host;
    Interpreter interp(Parse(u"For i = 1 To 100 : Next : WScript.Echo i"), host);
    interp.AddNamedObject(u"WScript", MakeWScriptObject(interp, u"test.vbs", {}));
    interp.SetStatementBudget(1000);
    EXPECT_EQ(interp.Run().kind, RunOutcome::Kind::Completed);
    EXPECT_EQ(host.lines, std::vector<std::string>{"101"});
}

TEST(Interpreter, NumbersReadAndPrintInTheSystemFormat) {
    FakeHost host;
    host.format = NumberFormat{u',', u'.'};
    auto run = RunScript(u"WScript.Echo 1.5, CDbl(\"2,25\") * 2, \"x\" & 0.5, IsNumeric(\"1.5\")", host);
    // "." groups digits here: "1.5" reads as 15.
    EXPECT_EQ(run.Output(), "1,5 4,5 x0,5 True\n");
}

TEST(Interpreter, ByReferenceAndByValue) {
    auto run = RunScript(
        u"Sub S(a, ByVal b, ByRef c) : a = a + 1 : b = b + 1 : c = c + 1 : End Sub\n"
        u"Dim x, y, z, arr(1) : x = 1 : y = 1 : z = 1\n"
        u"S x, y, z : WScript.Echo x, y, z\n"
        u"S (x), y, (z) : WScript.Echo x, y, z\n"
        u"S arr(0), arr(1), arr(1) : WScript.Echo arr(0), arr(1)\n"
        u"Sub Resize(list) : ReDim list(5) : list(5) = \"new\" : End Sub\n"
        u"Dim grow() : ReDim grow(1) : Sub PassElement(e) : ReDim grow(0) : e = \"lost\" : End Sub\n"
        u"Resize arr : WScript.Echo UBound(arr), arr(5)\n"
        u"PassElement grow(1) : WScript.Echo UBound(grow)\n");
    ASSERT_TRUE(run.Ok()) << run.Error();
    EXPECT_EQ(run.Output(), "2 1 2\n2 1 2\n1 1\n5 new\n0\n");
}

TEST(Interpreter, ClassInstancesAndTheirLifetime) {
    auto run = RunScript(
        u"Class T\n"
        u"  Public Name\n"
        u"  Private Sub Class_Initialize : WScript.Echo \"init\" : End Sub\n"
        u"  Private Sub Class_Terminate : WScript.Echo \"term\", Name : Set x = Me : End Sub\n"
        u"End Class\n"
        u"Dim a, b : Set a = New T : a.Name = \"first\" : Set b = a\n"
        u"Set a = Nothing : WScript.Echo \"one reference left\"\n"
        u"Set b = Nothing : WScript.Echo \"gone\"\n"
        u"Set a = New T : a.Name = \"held at the end\"\n");
    ASSERT_TRUE(run.Ok()) << run.Error();
    EXPECT_EQ(run.Output(), "init\none reference left\nterm first\ngone\ninit\nterm held at the end\n");
}

TEST(Interpreter, ReleasingALongChainOfObjectsDoesNotNest) {
    auto run = RunScript(
        u"Class Node : Public Kid : End Class\n"
        u"Dim root, cur, i : Set root = New Node : Set cur = root\n"
        u"For i = 1 To 200000 : Set cur.Kid = New Node : Set cur = cur.Kid : Next\n"
        u"Set cur = Nothing : Set root = Nothing : WScript.Echo \"released\"\n");
    ASSERT_TRUE(run.Ok()) << run.Error();
    EXPECT_EQ(run.Output(), "released\n");
}

TEST(Interpreter, QuitEndsTheRunWithItsCode) {
    auto run = RunScript(u"WScript.Echo 1\nOn Error Resume Next\nWScript.Quit 7\nWScript.Echo 2");
    EXPECT_EQ(run.outcome.kind, RunOutcome::Kind::Quit);
    EXPECT_EQ(run.outcome.exit_code, 7);
    EXPECT_EQ(run.Output(), "1\n");
}

TEST(Interpreter, BuiltInsSeeTheHost) {
    FakeHost host;
    auto run = RunScript(u"WScript.Echo Now, Date, Time, MsgBox(\"Sure?\", vbYesNo, \"Ask\")", host);
    EXPECT_EQ(run.Output(), "2010-11-26 12:00:00 2010-11-26 00:00:00 1899-12-30 12:00:00 1\n");
    EXPECT_EQ(host.boxes, std::vector<std::string>{"Ask|Sure?|4"});
}

// ---------------------------------------------------------------- the component side

// A component-like object: members by name and DISPID, by-reference
// arguments, a default member, an error of its own, and an event with a
// by-reference Cancel.
class Probe : public Object {
public:
    enum : DispId { kValue = 0, kDouble = 1, kFail, kItems, kCallBack, kFire, kFireQuietly, kKept, kKeep };
    static constexpr DispId kBeforeShow = 6;

    String TypeName() const override { return u"Probe"; }
    DispId GetIdOfName(std::u16string_view name) override {
        static const std::pair<const char16_t*, DispId> kNames[] = {{u"Value", kValue},
                                                                    {u"Double", kDouble},
                                                                    {u"Fail", kFail},
                                                                    {u"Items", kItems},
                                                                    {u"CallBack", kCallBack},
                                                                    {u"Fire", kFire},
                                                                    {u"FireQuietly", kFireQuietly},
                                                                    {u"Kept", kKept},
                                                                    {u"Keep", kKeep}};
        for (auto& [n, id] : kNames) {
            if (EqualsIgnoreCase(name, n)) return id;
        }
        return kDispIdUnknown;
    }
    Variant Invoke(DispId id, uint16_t flags, std::span<Variant> args) override {
        SelfRef hold(this);
        switch (id) {
            case kValue:
                if (flags & kInvokePropertyPut) {
                    value_ = args.back().Deref();
                    return Variant();
                }
                if (!args.empty()) RaiseRuntimeError(rt::kWrongArgumentCount);
                return value_;
            case kDouble:
                // Double(ByRef x): doubles the caller's variable.
                if (args.size() != 1) RaiseRuntimeError(rt::kWrongArgumentCount);
                args[0].Assign(Variant(VariantToDouble(args[0]) * 2));
                return Variant();
            case kFail:
                throw AutomationError(kObjectErrorBase + 1, u"Probe", u"Deliberate failure");
            case kItems: {
                if (!args.empty()) RaiseRuntimeError(rt::kWrongArgumentCount);
                auto items = Collection::Create();
                items->Add(Variant(String(u"first")), Variant(String(u"a")));
                items->Add(Variant(String(u"second")), Variant(String(u"b")));
                return Variant(ObjectRef(items));
            }
            case kCallBack: {
                // CallBack(obj, name): calls obj.name(local) with a variable
                // of its own and returns what the callee left in it.
                ObjectRef target = args[0].Deref().ObjectOrThrow();
                Variant local(String(u"from the probe"));
                Variant call_args[1] = {Variant::ByRef(local)};
                LateCall(target, VariantToString(args[1]), call_args);
                return local;
            }
            case kFire:
            case kFireQuietly: {
                Integer index = static_cast<Integer>(VariantToInteger(args[0]));
                Variant event_args[2] = {Variant(index), Variant(Integer{0})};
                if (id == kFire) {
                    sinks_.Raise(kBeforeShow, event_args);
                } else {
                    try {
                        sinks_.Raise(kBeforeShow, event_args);
                    } catch (const AutomationError&) {
                        // A component that carries on whatever its host does.
                    }
                }
                return Variant(VariantToInteger(event_args[1]));
            }
            case kKeep:
                kept_ = args[0].Deref();
                return Variant();
            case kKept:
                return kept_;
            default:
                RaiseRuntimeError(rt::kMemberNotSupported);
        }
    }
    uint32_t Advise(ObjectRef sink) override { return sinks_.Add(std::move(sink)); }
    void Unadvise(uint32_t cookie) override { sinks_.Remove(cookie); }
    String EventName(DispId id) const override { return id == kBeforeShow ? u"BeforeShow" : u""; }

private:
    Variant value_{Integer{42}};
    Variant kept_;
    EventSinks sinks_;
};

ScriptRun RunWithProbe(std::u16string_view source, Ref<Probe>* probe_out = nullptr) {
    FakeHost host;
    host.factories["Test.Probe"] = [probe_out] {
        auto p = MakeRef<Probe>();
        if (probe_out) *probe_out = p;
        return ObjectRef(p);
    };
    return RunScript(source, host);
}

TEST(LateBinding, DefaultMemberAndPropertyArgumentsGoToTheResult) {
    auto run = RunWithProbe(
        u"Dim p : Set p = CreateObject(\"Test.Probe\")\n"
        u"WScript.Echo p, p.Value, p + 1\n"
        u"p.Value = 7 : WScript.Echo p, TypeName(p)\n"
        u"WScript.Echo p.Items(\"b\"), p.Items(1), p.Items.Count\n");
    ASSERT_TRUE(run.Ok()) << run.Error();
    EXPECT_EQ(run.Output(), "42 42 43\n7 Probe\nsecond first 2\n");
}

TEST(LateBinding, ArgumentsGoToTheResultOnlyWhenItIsAnObject) {
    auto run = RunWithProbe(
        u"Dim p : Set p = CreateObject(\"Test.Probe\")\nOn Error Resume Next\n"
        u"WScript.Echo p.Value(1)\nWScript.Echo Err.Number, Err.Source\nErr.Clear\n"
        u"WScript.Echo p.Items(\"zz\")\nWScript.Echo Err.Number\n");
    ASSERT_TRUE(run.Ok()) << run.Error();
    // Value is a number, so the refusal of the argument stands; Items is a
    // collection, whose own error for a missing key comes through.
    EXPECT_EQ(run.Output(), "450 quibor15\n5\n");
}

TEST(LateBinding, ScriptPropertiesPassArgumentsToTheirResult) {
    auto run = RunScript(
        u"Class Shelf\n"
        u"  Private mItems\n"
        u"  Private Sub Class_Initialize : Set mItems = CreateObject(\"VBA.Collection\") : mItems.Add \"book\", \"b\" "
        u": End Sub\n"
        u"  Public Property Get Items() : Set Items = mItems : End Property\n"
        u"  Public Sub Touch() : WScript.Echo \"touched\" : End Sub\n"
        u"End Class\n"
        u"Dim s : Set s = New Shelf\n"
        u"WScript.Echo s.Items(\"b\"), s.Items(1), s.Items.Count\n"
        u"On Error Resume Next\n"
        u"s.Touch 1\n"
        u"WScript.Echo Err.Number\n");
    ASSERT_TRUE(run.Ok()) << run.Error();
    // A Sub given an argument it does not take is refused before it runs.
    EXPECT_EQ(run.Output(), "book book 1\n450\n");
}

TEST(LateBinding, VariablesGoByReferenceExpressionsByValue) {
    auto run = RunWithProbe(
        u"Dim p, x, arr(0) : Set p = CreateObject(\"Test.Probe\") : x = 5 : arr(0) = 1\n"
        u"p.Double x : WScript.Echo x\n"
        u"p.Double (x) : WScript.Echo x\n"
        u"p.Double x + 0 : WScript.Echo x\n"
        u"p.Double arr(0) : WScript.Echo arr(0)\n");
    ASSERT_TRUE(run.Ok()) << run.Error();
    EXPECT_EQ(run.Output(), "10\n10\n10\n2\n");
}

TEST(LateBinding, ComponentErrorsKeepTheirSource) {
    auto run = RunWithProbe(
        u"Dim p : Set p = CreateObject(\"Test.Probe\")\nOn Error Resume Next\np.Fail\n"
        u"WScript.Echo Hex(Err.Number), Err.Source, Err.Description\nOn Error GoTo 0\np.Missing\n");
    EXPECT_EQ(run.lines, std::vector<std::string>{"80040001 Probe Deliberate failure"});
    EXPECT_EQ(run.Error(),
              "6,3 quibor15 script runtime error: Object doesn't support this property or method: 'Missing'");
    auto uncaught = RunWithProbe(u"Set p = CreateObject(\"Test.Probe\")\n  p.Fail\n");
    EXPECT_EQ(uncaught.Error(), "2,5 Probe: Deliberate failure");
}

TEST(LateBinding, ScriptObjectsAreCalledByTheComponentWithReferences) {
    auto run = RunWithProbe(
        u"Class Buddy\n"
        u"  Public Sub Touch(text) : WScript.Echo \"got\", text : text = \"changed by the script\" : End Sub\n"
        u"  Private Sub Hidden(text) : End Sub\n"
        u"End Class\n"
        u"Dim p : Set p = CreateObject(\"Test.Probe\")\n"
        u"WScript.Echo p.CallBack(New Buddy, \"touch\")\n"
        u"On Error Resume Next\n"
        u"WScript.Echo p.CallBack(New Buddy, \"Hidden\")\n"
        u"WScript.Echo Err.Number\n");
    ASSERT_TRUE(run.Ok()) << run.Error();
    EXPECT_EQ(run.Output(), "got from the probe\nchanged by the script\n438\n");
}

TEST(LateBinding, ScriptObjectsKeptByTheComponentStayUsable) {
    Ref<Probe> probe;
    auto run = RunWithProbe(
        u"Class Box : Public Content : End Class\n"
        u"Dim p, b : Set p = CreateObject(\"Test.Probe\") : Set b = New Box : b.Content = \"inside\"\n"
        u"p.Keep b : Set b = Nothing\n"
        u"WScript.Echo p.Kept.Content, TypeName(p.Kept)\n",
        &probe);
    ASSERT_TRUE(run.Ok()) << run.Error();
    EXPECT_EQ(run.Output(), "inside Box\n");
    // The script has ended: its object no longer runs code but is safe to call.
    ASSERT_TRUE(probe);
    Variant kept = probe->Invoke(Probe::kKept, kInvokeMethod, {});
    ObjectRef box = kept.ObjectOrThrow();
    ASSERT_TRUE(box);
    EXPECT_EQ(box->TypeName(), u"Box");
    EXPECT_THROW(LateGet(box, u"Content"), AutomationError);
}

TEST(Events, HandlersGetTheArgumentsByReference) {
    auto run = RunWithProbe(
        u"Dim p : Set p = WScript.CreateObject(\"Test.Probe\", \"p_\")\n"
        u"Sub p_BeforeShow(Index, Cancel)\n"
        u"  WScript.Echo \"before\", Index, Cancel\n"
        u"  If Index = 2 Then Cancel = True\n"
        u"End Sub\n"
        u"WScript.Echo p.Fire(1), p.Fire(2)\n");
    ASSERT_TRUE(run.Ok()) << run.Error();
    EXPECT_EQ(run.Output(), "before 1 0\nbefore 2 0\n0 -1\n");
}

TEST(Events, ObjectsWithoutAPrefixOrHandlerRaiseIntoNothing) {
    auto run = RunWithProbe(
        u"Dim p, q : Set p = WScript.CreateObject(\"Test.Probe\") : Set q = WScript.CreateObject(\"Test.Probe\", "
        u"\"q_\")\n"
        u"WScript.Echo p.Fire(1), q.Fire(1)\n");
    ASSERT_TRUE(run.Ok()) << run.Error();
    EXPECT_EQ(run.Output(), "0 0\n");
}

TEST(Events, AnErrorInAHandlerEndsTheScriptEvenWhenTheComponentCarriesOn) {
    auto run = RunWithProbe(
        u"Dim p : Set p = WScript.CreateObject(\"Test.Probe\", \"p_\")\n"
        u"Sub p_BeforeShow(Index, Cancel)\n"
        u"  WScript.Echo \"handler\"\n"
        u"  Cancel = 1 / 0\n"
        u"End Sub\n"
        u"On Error Resume Next\n"
        u"WScript.Echo p.FireQuietly(1)\n"
        u"WScript.Echo \"never printed\"\n");
    EXPECT_EQ(run.lines, std::vector<std::string>{"handler"});
    EXPECT_EQ(run.Error(), "4,14 quibor15 script runtime error: Division by zero");
}

TEST(Events, QuitInsideAHandlerEndsTheScript) {
    auto run = RunWithProbe(
        u"Dim p : Set p = WScript.CreateObject(\"Test.Probe\", \"p_\")\n"
        u"Sub p_BeforeShow(Index, Cancel) : WScript.Quit 4 : End Sub\n"
        u"p.FireQuietly 1\nWScript.Echo \"never printed\"\n");
    EXPECT_EQ(run.outcome.kind, RunOutcome::Kind::Quit);
    EXPECT_EQ(run.outcome.exit_code, 4);
    EXPECT_TRUE(run.lines.empty());
}

TEST(Enumeration, ForEachOverACollectionSeesItAsItWas) {
    auto run = RunScript(
        u"Dim c, x : Set c = CreateObject(\"VBA.Collection\")\n"
        u"c.Add 1 : c.Add 2\n"
        u"For Each x In c : c.Add x * 10 : WScript.Echo x : Next\n"
        u"WScript.Echo c.Count\n");
    ASSERT_TRUE(run.Ok()) << run.Error();
    EXPECT_EQ(run.Output(), "1\n2\n4\n");
}

}  // namespace
}  // namespace quibor15::script
