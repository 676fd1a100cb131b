// The thirteen-digit code: worked values, the refusal, the overflow cases,
// the code page's part and GuessInputString.
#include "codes/string_code.hpp"

#include <gtest/gtest.h>

#include <memory>

#include "platform/headless/headless_runtime.hpp"
#include "platform/sim/sim_windows.hpp"

namespace quibor15 {
namespace {

using headless::HeadlessRuntime;
using sim::SimWindows;

template <class F>
::testing::AssertionResult RaisesError(int32_t number, F&& call) {
    try {
        call();
    } catch (const AutomationError& e) {
        if (e.Number() == number) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "raised " << e.Number() << ", expected " << number;
    }
    return ::testing::AssertionFailure() << "raised nothing, expected " << number;
}
#define EXPECT_RAISES(number, ...) EXPECT_TRUE(RaisesError((number), [&] { __VA_ARGS__; }))

Variant Text(const char16_t* text) { return Variant(String(text)); }

class StringCode : public ::testing::Test {
protected:
    std::shared_ptr<HeadlessRuntime> runtime = std::make_shared<HeadlessRuntime>();
    std::shared_ptr<SimWindows> windows = std::make_shared<SimWindows>();
    ContextPtr context = std::make_shared<Context>(runtime, windows);
    Ref<clsQuiborWUIBCAT175A> code = MakeRef<clsQuiborWUIBCAT175A>(context);

    const std::vector<headless::MessageBoxCall>& Boxes() { return runtime->ScriptedUser().MessageBoxes(); }

    void ExpectCleared() {
        EXPECT_EQ(code->get_FirstCharacter(), u"");
        EXPECT_EQ(code->get_LastCharacter(), u"");
        EXPECT_EQ(code->get_Length(), 0);
        EXPECT_TRUE(code->get_Code1().IsEmpty());
        EXPECT_TRUE(code->get_Code2().IsEmpty());
        EXPECT_TRUE(code->get_Code3().IsEmpty());
        EXPECT_TRUE(code->get_OutputCode().IsEmpty());
    }
};

TEST_F(StringCode, NewObjectIsEmpty) {
    EXPECT_EQ(code->get_InputString(), u"");
    ExpectCleared();
}

struct Derivation {
    String input;
    String first, last;
    Integer length;
    String code1, code2, output;
};

TEST_F(StringCode, DerivesTheCodeFromTheText) {
    const String z75(75, u'z');       // 122 x 75; sum 122 x 2850
    const String y75(75, u'\u00FF');  // the highest code at the longest length
    const Derivation cases[] = {
        {u"abc", u"a", u"c", 3, u"1100102", u"000593", u"1100102000593"},
        {u"", u" ", u" ", 0, u"1032032", u"000000", u"1032032000000"},
        {u"A", u"A", u"A", 1, u"1066066", u"000066", u"1066066000066"},
        {u"Hi!", u"H", u"!", 3, u"1075036", u"000384", u"1075036000384"},  // 72 + 210 + 99 + 3
        {z75, u"z", u"z", 75, u"1197197", u"347775", u"1197197347775"},
        {y75, u"\u00FF", u"\u00FF", 75, u"1330330", u"726825", u"1330330726825"},
        // No form in the code page: the default character "?" (63).
        {u"\u4E9C", u"\u4E9C", u"\u4E9C", 1, u"1064064", u"000064", u"1064064000064"},
        // The euro sign is 128 in the Western code page.
        {u"\u20AC1", u"\u20AC", u"1", 2, u"1130051", u"000228", u"1130051000228"},
    };
    for (const Derivation& c : cases) {
        SCOPED_TRACE(testing::Message() << "length " << c.input.size());
        code->let_InputString(c.input);
        EXPECT_EQ(code->get_InputString(), c.input);
        EXPECT_EQ(code->get_FirstCharacter(), c.first);
        EXPECT_EQ(code->get_LastCharacter(), c.last);
        EXPECT_EQ(code->get_Length(), c.length);
        EXPECT_EQ(code->get_Code1(), Variant(c.code1));
        EXPECT_EQ(code->get_Code2(), Variant(c.code2));
        EXPECT_EQ(code->get_OutputCode(), Variant(c.output));
        EXPECT_EQ(c.output.size(), 13u);
    }
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(StringCode, SeventyFiveCharactersAreAcceptedSeventySixRefused) {
    code->let_InputString(String(75, u'a'));
    EXPECT_EQ(code->get_Length(), 75);
    EXPECT_TRUE(Boxes().empty());

    code->let_Code3(Text(u"kept until cleared"));
    const String too_long(76, u'a');
    code->let_InputString(too_long);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].prompt,
              u"Invalid string or characters entered are not allowed, it may be some special characters, please try "
              u"again with different characters.");
    EXPECT_EQ(Boxes()[0].title, u"Invalid Characters...");
    EXPECT_EQ(Boxes()[0].flags, 16);
    EXPECT_EQ(code->get_InputString(), too_long);  // the refused text stays
    ExpectCleared();
}

TEST_F(StringCode, RefusalAnsweredOtherwiseStillClears) {
    runtime->ScriptedUser().OnMessageBox([](const headless::MessageBoxCall&) { return 2; });
    code->let_InputString(u"abc");
    code->let_InputString(String(100, u'x'));
    EXPECT_EQ(Boxes().size(), 1u);
    ExpectCleared();
}

TEST_F(StringCode, ClearAllKeepsTheInput) {
    code->let_InputString(u"abc");
    code->let_Code3(Text(u"x"));
    code->ClearAll();
    EXPECT_EQ(code->get_InputString(), u"abc");
    ExpectCleared();
}

TEST_F(StringCode, PropertiesStoreWhatTheyAreGiven) {
    code->let_FirstCharacter(u"xyz");
    code->let_LastCharacter(u"");
    code->let_Length(-7);
    code->let_Code1(Variant(Long{42}));
    code->let_Code2(Variant::Null());
    code->let_Code3(Variant(Double{1.5}));
    code->let_OutputCode(Text(u"not a code"));
    EXPECT_EQ(code->get_FirstCharacter(), u"xyz");
    EXPECT_EQ(code->get_LastCharacter(), u"");
    EXPECT_EQ(code->get_Length(), -7);
    EXPECT_EQ(code->get_Code1(), Variant(Long{42}));
    EXPECT_TRUE(code->get_Code2().IsNull());
    EXPECT_EQ(code->get_Code3(), Variant(Double{1.5}));
    EXPECT_EQ(code->get_OutputCode(), Text(u"not a code"));
    // Code3 is never computed.
    code->let_InputString(u"abc");
    EXPECT_EQ(code->get_Code3(), Variant(Double{1.5}));
}

TEST_F(StringCode, TextLongerThanAnIntegerOverflowsAfterStoringIt) {
    code->let_InputString(u"abc");
    const String huge(32768, u'a');
    EXPECT_RAISES(rt::kOverflow, code->let_InputString(huge));
    EXPECT_EQ(code->get_InputString(), huge);
    EXPECT_EQ(code->get_Length(), 3);  // the later fields keep their values
    EXPECT_EQ(code->get_OutputCode(), Text(u"1100102000593"));

    // 32767 characters still count, and are refused as too long.
    code->let_InputString(String(32767, u'a'));
    EXPECT_EQ(Boxes().size(), 1u);
    ExpectCleared();
}

class DoubleByteCode : public StringCode {
protected:
    void SetUp() override { windows->SetCodePage(932); }
};

TEST_F(DoubleByteCode, DoubleByteCharacterAtEitherEndIsRefused) {
    for (const char16_t* text : {u"\u4E9Cbc", u"ab\u4E9C", u"\u4E9C", u"\u3042"}) {
        code->let_InputString(u"abc");
        code->let_InputString(text);
        EXPECT_EQ(code->get_InputString(), text);
        ExpectCleared();
    }
    EXPECT_EQ(Boxes().size(), 4u);
}

TEST_F(DoubleByteCode, SingleByteCharactersOfThePageAreCoded) {
    // Half-width katakana A is one byte, 0xB1.
    code->let_InputString(u"\uFF71");
    EXPECT_EQ(code->get_OutputCode(), Text(u"1178178000178"));
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(DoubleByteCode, DoubleByteCharacterInsideTheTextOverflows) {
    // U+4E9C is 0x889F: -30561, twice that leaves 16 bits. U+7199 is 0xEAA4:
    // -5468, whose product fits but would make the code negative; it is
    // refused the same way.
    for (const char16_t* text : {u"a\u4E9Cb", u"a\u7199b", u"ab\u7199\u7199\u7199b"}) {
        SCOPED_TRACE(testing::Message() << "text length " << String(text).size());
        code->let_InputString(u"abc");
        EXPECT_RAISES(rt::kOverflow, code->let_InputString(text));
        EXPECT_EQ(code->get_InputString(), text);
        EXPECT_EQ(code->get_FirstCharacter(), u"a");
        EXPECT_EQ(code->get_LastCharacter(), u"b");
        // Code1 is set; Code2 and OutputCode keep the previous text's values.
        const String length_part = String(text).size() == 3 ? u"1100101" : u"1103104";
        EXPECT_EQ(code->get_Code1(), Variant(length_part));
        EXPECT_EQ(code->get_Code2(), Text(u"000593"));
        EXPECT_EQ(code->get_OutputCode(), Text(u"1100102000593"));
    }
    EXPECT_TRUE(Boxes().empty());
}

struct Guess {
    String first;
    Integer length;
    String last;
    String result;
};

TEST_F(StringCode, GuessInputStringAfterAnInput) {
    code->let_InputString(u"123");
    EXPECT_EQ(code->GuessInputString(), u"0000000011233");
    code->let_InputString(u"7");
    EXPECT_EQ(code->GuessInputString(), u"0000000000717");
    code->let_InputString(u"9876543210");  // "9" "12345678910" "0": 13 digits already
    EXPECT_EQ(code->GuessInputString(), u"9123456789100");
}

TEST_F(StringCode, GuessInputStringFromFieldsSetByHand) {
    const Guess cases[] = {
        {u"0", 0, u"0", u"0000000000000"},
        {u"0", 3, u"5", u"0000000001235"},
        // More digits than a double holds: the digits are kept exactly.
        {u"1", 20, u"1", u"112345678910111213141516171819201"},
        {u"00", 12, u"9", u"1234567891011129"},
        // A sign in front.
        {u"-", 2, u"5", u"-0000000000125"},
        {u"-0", 0, u"0", u"0000000000000"},
        {u"+", 1, u"", u"0000000000001"},
        // Other number forms go through the number.
        {u" ", 3, u" ", u"0000000000123"},
        {u"2", 0, u".5", u"0000000000003"},
        {u"&H", 1, u"F", u"0000000000031"},
        // Not a number: the joined text itself.
        {u"a", 3, u"c", u"a123c"},
        {u" ", 0, u" ", u"  "},
        {u"", 0, u"", u""},
        {u"-", 0, u"", u"-"},
        // A negative length joins no counter digits.
        {u"4", -5, u"2", u"0000000000042"},
    };
    for (const Guess& c : cases) {
        SCOPED_TRACE(testing::Message() << "length " << c.length);
        code->let_FirstCharacter(c.first);
        code->let_Length(c.length);
        code->let_LastCharacter(c.last);
        EXPECT_EQ(code->GuessInputString(), c.result);
    }
}

TEST_F(StringCode, GuessInputStringCounterOverflowsAtTheLastInteger) {
    code->let_FirstCharacter(u"1");
    code->let_LastCharacter(u"1");
    code->let_Length(32767);
    EXPECT_RAISES(rt::kOverflow, code->GuessInputString());
    code->let_Length(32766);
    const String guess = code->GuessInputString();
    EXPECT_EQ(guess.substr(0, 12), u"112345678910");
    EXPECT_EQ(guess.substr(guess.size() - 6), u"327661");
}

TEST_F(StringCode, LateBoundCallsReachTheSameMembers) {
    Ref<Object> object(code);
    Variant input[] = {Text(u"abc")};
    object->Invoke(object->GetIdOfName(u"inputstring"), kInvokePropertyPut, input);
    EXPECT_EQ(object->GetIdOfName(u"OutputCode"), 0x68030000);
    EXPECT_EQ(LateGet(object, u"OutputCode"), Text(u"1100102000593"));
    EXPECT_EQ(LateGet(object, u"Length"), Variant(Integer{3}));
    EXPECT_EQ(LateCall(object, u"GuessInputString"), Text(u"a123c"));
    LateCall(object, u"ClearAll");
    EXPECT_TRUE(LateGet(object, u"Code1").IsEmpty());
}

}  // namespace
}  // namespace quibor15
