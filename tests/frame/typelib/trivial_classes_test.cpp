// The classes without behaviour of their own.
#include <gtest/gtest.h>

#include <limits>

#include "quibor15/library.hpp"
#include "support.hpp"

namespace quibor15 {
namespace {

constexpr uint16_t kCall = kInvokeMethod | kInvokePropertyGet;

class TrivialClassesTest : public ::testing::Test {
protected:
    Library library{testing::WorldContext()};

    Ref<_clsQuiborInterplayA> NewInterplay() {
        return RefCast<_clsQuiborInterplayA>(library.CreateObject(u"quibor15.clsQuiborInterplayA"));
    }
};

TEST_F(TrivialClassesTest, PlayMethodStartsAtZero) {
    auto interplay = NewInterplay();
    ASSERT_TRUE(interplay);
    EXPECT_EQ(interplay->get_PlayMethod(), 0);
    std::vector<Variant> none;
    EXPECT_EQ(interplay->Invoke(0x68030000, kCall, none), Variant(static_cast<Long>(0)));
}

TEST_F(TrivialClassesTest, PlayMethodStoresAnyLong) {
    auto interplay = NewInterplay();
    for (Long value : {1, -1, 42, std::numeric_limits<Long>::min(), std::numeric_limits<Long>::max(), 0}) {
        interplay->let_PlayMethod(value);
        EXPECT_EQ(interplay->get_PlayMethod(), value);

        std::vector<Variant> put = {Variant(static_cast<Long>(value ^ 0x5a5a))};
        interplay->Invoke(interplay->GetIdOfName(u"playmethod"), kInvokePropertyPut, put);
        std::vector<Variant> none;
        EXPECT_EQ(interplay->Invoke(0x68030000, kCall, none), Variant(static_cast<Long>(value ^ 0x5a5a)));
        EXPECT_EQ(interplay->get_PlayMethod(), value ^ 0x5a5a);
    }
}

TEST_F(TrivialClassesTest, PlayMethodLateBoundConvertsOrRefuses) {
    auto interplay = NewInterplay();
    const DispId id = interplay->GetIdOfName(u"PlayMethod");
    std::vector<Variant> text = {Variant(u"-123")};
    interplay->Invoke(id, kInvokePropertyPut, text);
    EXPECT_EQ(interplay->get_PlayMethod(), -123);
    std::vector<Variant> rounded = {Variant(2.5)};
    interplay->Invoke(id, kInvokePropertyPut, rounded);
    EXPECT_EQ(interplay->get_PlayMethod(), 2);

    std::vector<Variant> bad = {Variant(u"abc")};
    EXPECT_RAISES(rt::kTypeMismatch, interplay->Invoke(id, kInvokePropertyPut, bad));
    std::vector<Variant> too_big = {Variant(4e9)};
    EXPECT_RAISES(rt::kOverflow, interplay->Invoke(id, kInvokePropertyPut, too_big));
    EXPECT_EQ(interplay->get_PlayMethod(), 2);  // unchanged by the failed assignments
}

TEST_F(TrivialClassesTest, ActiveUIAndPlayUIReturnEmptyAndChangeNothing) {
    auto interplay = NewInterplay();
    interplay->let_PlayMethod(77);
    EXPECT_TRUE(interplay->ActiveUI().IsEmpty());
    EXPECT_TRUE(interplay->PlayUI().IsEmpty());
    std::vector<Variant> none;
    EXPECT_TRUE(interplay->Invoke(interplay->GetIdOfName(u"ActiveUI"), kCall, none).IsEmpty());
    EXPECT_TRUE(interplay->Invoke(interplay->GetIdOfName(u"PLAYUI"), kInvokeMethod, none).IsEmpty());
    EXPECT_EQ(interplay->get_PlayMethod(), 77);
    std::vector<Variant> extra = {Variant(static_cast<Long>(1))};
    EXPECT_RAISES(rt::kWrongArgumentCount, interplay->Invoke(0x60030001, kCall, extra));
}

TEST_F(TrivialClassesTest, InstancesAreIndependent) {
    auto a = NewInterplay();
    auto b = NewInterplay();
    a->let_PlayMethod(5);
    EXPECT_EQ(b->get_PlayMethod(), 0);
}

TEST_F(TrivialClassesTest, ClassesWithoutMembers) {
    for (std::u16string_view progid : {u"quibor15.clsQuibor15A", u"quibor15.clsQuiborWUIRunTimeB"}) {
        ObjectRef obj = library.CreateObject(progid);
        ASSERT_TRUE(obj);
        EXPECT_EQ(obj->GetIdOfName(u"PlayMethod"), kDispIdUnknown);
        EXPECT_EQ(obj->GetIdOfName(u""), kDispIdUnknown);
        std::vector<Variant> none;
        EXPECT_RAISES(rt::kMemberNotSupported, obj->Invoke(0, kCall, none));
        EXPECT_RAISES(rt::kMemberNotSupported, obj->Invoke(0x60030000, kCall, none));
    }
    EXPECT_EQ(library.GlobalInstance(u"clsQuiborWUIRunTimeB")->TypeName(), u"clsQuiborWUIRunTimeB");
}

}  // namespace
}  // namespace quibor15
