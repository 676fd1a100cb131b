#include "quibor15/font.hpp"

#include <gtest/gtest.h>

#include "frame/core/expect_error.hpp"
#include "quibor15/primitives.hpp"

namespace quibor15 {
namespace {

TEST(StdFontTest, PlatformDefaults) {
    auto f = StdFont::Create();
    EXPECT_EQ(f->Name(), u"MS Sans Serif");
    EXPECT_EQ(f->Size(), Currency{82500});
    EXPECT_FALSE(f->Bold());
    EXPECT_FALSE(f->Italic());
    EXPECT_FALSE(f->Underline());
    EXPECT_FALSE(f->Strikethrough());
    EXPECT_EQ(f->Weight(), 400);
    EXPECT_EQ(f->Charset(), 0);
    EXPECT_EQ(f->TypeName(), u"Font");
}

struct Member {
    const char16_t* name;
    DispId id;
};

class StdFontDispIdTest : public ::testing::TestWithParam<Member> {};

TEST_P(StdFontDispIdTest, NameAndDispIdAgree) {
    auto f = StdFont::Create();
    EXPECT_EQ(f->GetIdOfName(GetParam().name), GetParam().id);
    EXPECT_EQ(f->GetIdOfName(UpperCase(GetParam().name)), GetParam().id);
    EXPECT_EQ(LateGet(f, GetParam().name), f->Invoke(GetParam().id, kInvokePropertyGet, {}));
}

INSTANTIATE_TEST_SUITE_P(AllMembers, StdFontDispIdTest,
                         ::testing::Values(Member{u"Name", 0}, Member{u"Size", 2}, Member{u"Bold", 3},
                                           Member{u"Italic", 4}, Member{u"Underline", 5}, Member{u"Strikethrough", 6},
                                           Member{u"Weight", 7}, Member{u"Charset", 8}));

Variant Get(StdFont& f, DispId id) { return f.Invoke(id, kInvokePropertyGet, {}); }

void Put(StdFont& f, DispId id, Variant value) {
    Variant args[1] = {std::move(value)};
    f.Invoke(id, kInvokePropertyPut, args);
}

TEST(StdFontTest, ValuesByDispId) {
    auto f = StdFont::Create();
    EXPECT_EQ(Get(*f, 0), Variant(u"MS Sans Serif"));
    EXPECT_EQ(Get(*f, 2), Variant(Currency{82500}));
    EXPECT_EQ(Get(*f, 3), Variant(kFalse));
    EXPECT_EQ(Get(*f, 7), Variant(Integer{400}));
    EXPECT_EQ(Get(*f, 8), Variant(Integer{0}));
    Put(*f, 0, Variant(u"Tahoma"));
    Put(*f, 2, Variant(Double{12}));
    Put(*f, 4, Variant(kTrue));
    Put(*f, 5, Variant(Long{1}));
    Put(*f, 6, Variant(u"True"));
    Put(*f, 8, Variant(Long{128}));
    EXPECT_EQ(f->Name(), u"Tahoma");
    EXPECT_EQ(f->Size(), Currency{120000});
    EXPECT_TRUE(f->Italic());
    EXPECT_TRUE(f->Underline());
    EXPECT_TRUE(f->Strikethrough());
    EXPECT_EQ(f->Charset(), 128);
    EXPECT_EQ(Get(*f, 4), Variant(kTrue));
}

TEST(StdFontTest, DefaultMemberIsTheName) {
    auto f = StdFont::Create();
    EXPECT_EQ(LateDefault(f, {}), Variant(u"MS Sans Serif"));
}

TEST(StdFontTest, BoldAndWeightAreLinked) {
    auto f = StdFont::Create();
    Put(*f, StdFont::kDispIdBold, Variant(kTrue));
    EXPECT_EQ(f->Weight(), 700);
    EXPECT_EQ(Get(*f, StdFont::kDispIdWeight), Variant(Integer{700}));
    Put(*f, StdFont::kDispIdBold, Variant(kFalse));
    EXPECT_EQ(f->Weight(), 400);
    Put(*f, StdFont::kDispIdWeight, Variant(Long{700}));
    EXPECT_EQ(Get(*f, StdFont::kDispIdBold), Variant(kTrue));
    f->SetWeight(551);
    EXPECT_TRUE(f->Bold());
    f->SetWeight(550);
    EXPECT_FALSE(f->Bold());
    f->SetWeight(900);
    EXPECT_TRUE(f->Bold());
}

TEST(StdFontTest, InvalidValuesRaise380AndChangeNothing) {
    auto f = StdFont::Create();
    EXPECT_RAISES(380, Put(*f, StdFont::kDispIdSize, Variant(Long{0})));
    EXPECT_RAISES(380, Put(*f, StdFont::kDispIdSize, Variant(Double{-1})));
    EXPECT_RAISES(380, Put(*f, StdFont::kDispIdWeight, Variant(Long{1001})));
    EXPECT_RAISES(380, Put(*f, StdFont::kDispIdCharset, Variant(Long{256})));
    EXPECT_RAISES(380, Put(*f, StdFont::kDispIdName, Variant(u"")));
    EXPECT_RAISES(13, Put(*f, StdFont::kDispIdSize, Variant(u"big")));
    EXPECT_RAISES(6, Put(*f, StdFont::kDispIdWeight, Variant(Long{70000})));
    EXPECT_EQ(f->Size(), Currency{82500});
    EXPECT_EQ(f->Weight(), 400);
    EXPECT_EQ(f->Charset(), 0);
    EXPECT_EQ(f->Name(), u"MS Sans Serif");
}

TEST(StdFontTest, DispatchErrors) {
    auto f = StdFont::Create();
    EXPECT_EQ(f->GetIdOfName(u"Color"), kDispIdUnknown);
    EXPECT_RAISES(438, f->Invoke(1, kInvokePropertyGet, {}));
    EXPECT_RAISES(438, f->Invoke(9, kInvokePropertyGet, {}));
    Variant one[1] = {Variant(Long{1})};
    EXPECT_RAISES(450, f->Invoke(0, kInvokePropertyGet, one));
    EXPECT_RAISES(450, f->Invoke(0, kInvokePropertyPut, {}));
    EXPECT_RAISES(438, f->Invoke(0, kInvokePropertyPutRef, one));
    EXPECT_RAISES(438, LateGet(f, u"Color"));
}

TEST(StdFontTest, LateBoundLet) {
    auto f = StdFont::Create();
    LateLet(f, u"size", Variant(Double{9.75}));
    LateLet(f, u"BOLD", Variant(kTrue));
    EXPECT_EQ(f->Size(), Currency{97500});
    EXPECT_TRUE(f->Bold());
}

}  // namespace
}  // namespace quibor15
