#include "quibor15/error.hpp"

#include <gtest/gtest.h>

#include <string>

namespace quibor15 {
namespace {

struct DescriptionCase {
    int32_t number;
    const char16_t* description;
};

class RuntimeErrorDescriptionTest : public ::testing::TestWithParam<DescriptionCase> {};

TEST_P(RuntimeErrorDescriptionTest, GivesTheRuntimeText) {
    EXPECT_EQ(RuntimeErrorDescription(GetParam().number), GetParam().description);
}

INSTANTIATE_TEST_SUITE_P(
    KnownNumbers, RuntimeErrorDescriptionTest,
    ::testing::Values(DescriptionCase{5, u"Invalid procedure call or argument"}, DescriptionCase{6, u"Overflow"},
                      DescriptionCase{9, u"Subscript out of range"}, DescriptionCase{11, u"Division by zero"},
                      DescriptionCase{13, u"Type mismatch"}, DescriptionCase{52, u"Bad file name or number"},
                      DescriptionCase{53, u"File not found"}, DescriptionCase{54, u"Bad file mode"},
                      DescriptionCase{55, u"File already open"}, DescriptionCase{62, u"Input past end of file"},
                      DescriptionCase{75, u"Path/File access error"}, DescriptionCase{76, u"Path not found"},
                      DescriptionCase{91, u"Object variable or With block variable not set"},
                      DescriptionCase{94, u"Invalid use of Null"}, DescriptionCase{424, u"Object required"},
                      DescriptionCase{429, u"ActiveX component can't create object"},
                      DescriptionCase{438, u"Object doesn't support this property or method"},
                      DescriptionCase{445, u"Object doesn't support this action"},
                      DescriptionCase{446, u"Object doesn't support named arguments"},
                      DescriptionCase{449, u"Argument not optional"},
                      DescriptionCase{450, u"Wrong number of arguments or invalid property assignment"},
                      DescriptionCase{453, u"Specified DLL function not found"},
                      DescriptionCase{457, u"This key is already associated with an element of this collection"},
                      DescriptionCase{0, u"Application-defined or object-defined error"},
                      DescriptionCase{1000, u"Application-defined or object-defined error"},
                      DescriptionCase{-1, u"Application-defined or object-defined error"}));

TEST(AutomationErrorTest, KeepsNumberSourceAndDescription) {
    AutomationError e(kObjectErrorBase + 1, u"Locale en", u"Unable to parse date");
    EXPECT_EQ(e.Number(), static_cast<int32_t>(0x80040001u));
    EXPECT_EQ(e.Source(), u"Locale en");
    EXPECT_EQ(e.Description(), u"Unable to parse date");
    EXPECT_EQ(std::string(e.what()), "Locale en: Unable to parse date (-2147221503)");
}

TEST(AutomationErrorTest, WhatIsUtf8) {
    AutomationError e(5, u"Gr\u00fc\u00dfe", u"\u65e5\U0001F600");
    EXPECT_EQ(std::string(e.what()),
              "Gr\xC3\xBC\xC3\x9F"
              "e: \xE6\x97\xA5\xF0\x9F\x98\x80 (5)");
}

TEST(AutomationErrorTest, UnpairedSurrogateBecomesReplacementCharacter) {
    std::u16string bad = u"a";
    bad += static_cast<char16_t>(0xD800);
    AutomationError e(1, bad, u"x");
    EXPECT_EQ(std::string(e.what()), "a\xEF\xBF\xBD: x (1)");
}

TEST(RaiseRuntimeErrorTest, UsesComponentSourceAndUsualText) {
    try {
        RaiseRuntimeError(rt::kOverflow);
        FAIL();
    } catch (const AutomationError& e) {
        EXPECT_EQ(e.Number(), 6);
        EXPECT_EQ(e.Source(), u"quibor15");
        EXPECT_EQ(e.Description(), u"Overflow");
    }
    try {
        RaiseRuntimeError(5, u"Bad start");
        FAIL();
    } catch (const AutomationError& e) {
        EXPECT_EQ(e.Number(), 5);
        EXPECT_EQ(e.Description(), u"Bad start");
    }
}

TEST(RaiseNotAvailableTest, NamesClassAndMember) {
    try {
        RaiseNotAvailable(u"clsQuiborWizardA", u"Create");
        FAIL();
    } catch (const AutomationError& e) {
        EXPECT_EQ(e.Number(), 445);
        EXPECT_EQ(e.Source(), u"clsQuiborWizardA");
        EXPECT_EQ(e.Description(), u"Create is not available in this build of clsQuiborWizardA");
    }
}

}  // namespace
}  // namespace quibor15
