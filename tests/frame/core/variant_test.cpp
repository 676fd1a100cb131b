#include "quibor15/variant.hpp"

#include <gtest/gtest.h>

#include "frame/core/expect_error.hpp"
#include "frame/core/test_objects.hpp"
#include "quibor15/object.hpp"

namespace quibor15 {
namespace {

using testing::PropertyBag;

struct TypeCase {
    Variant value;
    VarType type;
    bool is_number;
};

class VariantTypeTest : public ::testing::TestWithParam<TypeCase> {};

TEST_P(VariantTypeTest, ReportsItsType) {
    EXPECT_EQ(GetParam().value.Type(), GetParam().type);
    EXPECT_EQ(GetParam().value.IsNumber(), GetParam().is_number);
}

INSTANTIATE_TEST_SUITE_P(
    AllKinds, VariantTypeTest,
    ::testing::Values(
        TypeCase{Variant(), VarType::Empty, false}, TypeCase{Variant::Null(), VarType::Null, false},
        TypeCase{Variant(Integer{1}), VarType::Integer, true}, TypeCase{Variant(Long{1}), VarType::Long, true},
        TypeCase{Variant(Single{1}), VarType::Single, true}, TypeCase{Variant(Double{1}), VarType::Double, true},
        TypeCase{Variant(Currency{1}), VarType::Currency, true}, TypeCase{Variant(Date{1}), VarType::Date, false},
        TypeCase{Variant(u"x"), VarType::String, false}, TypeCase{Variant::Nothing(), VarType::Object, false},
        TypeCase{Variant::Missing(), VarType::Error, false}, TypeCase{Variant(kTrue), VarType::Boolean, false},
        TypeCase{Variant(Byte{1}), VarType::Byte, true},
        TypeCase{Variant(SafeArray::OneDim(VarType::Variant, 0, 2)), VarType::Array, false}));

TEST(VariantTest, MissingIsTheParamNotFoundError) {
    EXPECT_TRUE(Variant::Missing().IsMissing());
    EXPECT_FALSE(Variant(ErrorValue{5}).IsMissing());
    EXPECT_FALSE(Variant().IsMissing());
    EXPECT_EQ(Variant::Missing().As<ErrorValue>()->scode, static_cast<int32_t>(0x80020004u));
}

TEST(VariantTest, ByRefAnswersForItsTarget) {
    Variant target(Long{5});
    Variant ref = Variant::ByRef(target);
    EXPECT_TRUE(ref.IsByRef());
    EXPECT_EQ(ref.Type(), VarType::Long);
    EXPECT_EQ(*ref.As<Long>(), 5);
    EXPECT_EQ(&ref.Deref(), &target);
    target = Variant(u"changed");
    EXPECT_EQ(ref.Type(), VarType::String);
}

TEST(VariantTest, AssignThroughByRefReachesTheCallersVariable) {
    Variant target(Long{5});
    Variant ref = Variant::ByRef(target);
    ref.Assign(Variant(u"new"));
    EXPECT_EQ(*target.As<String>(), u"new");
    EXPECT_TRUE(ref.IsByRef());
}

TEST(VariantTest, AssignOfAReferenceStoresTheValueNotTheReference) {
    Variant a(Long{1}), b(Long{2});
    Variant ref_a = Variant::ByRef(a);
    ref_a.Assign(Variant::ByRef(b));
    EXPECT_FALSE(a.IsByRef());
    EXPECT_EQ(*a.As<Long>(), 2);
    b = Variant(Long{3});
    EXPECT_EQ(*a.As<Long>(), 2);
}

TEST(VariantTest, ByRefOfAByRefPointsAtTheVariable) {
    Variant target(Long{1});
    Variant ref1 = Variant::ByRef(target);
    Variant ref2 = Variant::ByRef(ref1);
    ref2.Assign(Variant(Long{9}));
    EXPECT_EQ(*target.As<Long>(), 9);
    EXPECT_EQ(&ref2.Deref(), &target);
}

TEST(VariantTest, AssignOnAPlainVariantReplacesIt) {
    Variant v(Long{1});
    v.Assign(Variant(u"x"));
    EXPECT_EQ(*v.As<String>(), u"x");
}

TEST(VariantTest, ObjectOrThrow) {
    auto bag = MakeRef<PropertyBag>();
    EXPECT_EQ(Variant(bag).ObjectOrThrow().Get(), bag.Get());
    EXPECT_FALSE(Variant::Nothing().ObjectOrThrow());
    EXPECT_RAISES(13, Variant(Long{1}).ObjectOrThrow());
    EXPECT_RAISES(13, Variant().ObjectOrThrow());
}

TEST(VariantTest, ObjectReferencesAreCounted) {
    int destroyed = 0;
    {
        Variant a(MakeRef<testing::Tracked>(&destroyed));
        Variant b = a;
        a = Variant();
        EXPECT_EQ(destroyed, 0);
    }
    EXPECT_EQ(destroyed, 1);
}

TEST(VariantEqualityTest, SameTypeAndValue) {
    EXPECT_EQ(Variant(Long{1}), Variant(Long{1}));
    EXPECT_NE(Variant(Long{1}), Variant(Integer{1}));  // different types
    EXPECT_NE(Variant(Long{1}), Variant(Long{2}));
    EXPECT_EQ(Variant(u"a"), Variant(u"a"));
    EXPECT_NE(Variant(u"a"), Variant(u"A"));
    EXPECT_EQ(Variant(), Variant());
    EXPECT_EQ(Variant::Null(), Variant::Null());
    EXPECT_NE(Variant(), Variant::Null());
    EXPECT_EQ(Variant::Missing(), Variant::Missing());
}

TEST(VariantEqualityTest, ObjectsByIdentity) {
    auto a = MakeRef<PropertyBag>();
    auto b = MakeRef<PropertyBag>();
    EXPECT_EQ(Variant(a), Variant(a));
    EXPECT_NE(Variant(a), Variant(b));
    EXPECT_EQ(Variant::Nothing(), Variant::Nothing());
}

TEST(VariantEqualityTest, ByRefComparesTheTarget) {
    Variant target(Long{4});
    EXPECT_EQ(Variant::ByRef(target), Variant(Long{4}));
}

TEST(VariantEqualityTest, ArraysByContent) {
    SafeArray a = SafeArray::OneDim(VarType::Long, 1, 2);
    a.At(1) = Variant(Long{7});
    Variant x(a), y(a);
    EXPECT_EQ(x, y);
    y.Array()->At(2) = Variant(Long{8});
    EXPECT_NE(x, y);
    EXPECT_NE(Variant(SafeArray::OneDim(VarType::Long, 0, 1)), Variant(SafeArray::OneDim(VarType::Long, 1, 2)));
}

// --- SafeArray

TEST(SafeArrayTest, OneDimensionalBounds) {
    SafeArray a = SafeArray::OneDim(VarType::String, 1, 3);
    EXPECT_EQ(a.Rank(), 1);
    EXPECT_EQ(a.LowerBound(), 1);
    EXPECT_EQ(a.UpperBound(), 3);
    EXPECT_EQ(a.ElementCount(), 3u);
    EXPECT_EQ(a.ElementType(), VarType::String);
    // Elements of a typed array start as that type's empty value.
    EXPECT_EQ(a.At(1), Variant(u""));
    EXPECT_RAISES(9, a.At(0));
    EXPECT_RAISES(9, a.At(4));
    EXPECT_RAISES(9, a.LowerBound(2));
    EXPECT_RAISES(9, a.UpperBound(0));
}

TEST(SafeArrayTest, EmptyArray) {
    SafeArray a = SafeArray::OneDim(VarType::Variant, 0, -1);
    EXPECT_EQ(a.ElementCount(), 0u);
    EXPECT_EQ(a.LowerBound(), 0);
    EXPECT_EQ(a.UpperBound(), -1);
    EXPECT_RAISES(9, a.At(0));
}

TEST(SafeArrayTest, DefaultElements) {
    EXPECT_EQ(SafeArray::OneDim(VarType::Long, 0, 0).At(0), Variant(Long{0}));
    EXPECT_EQ(SafeArray::OneDim(VarType::Boolean, 0, 0).At(0), Variant(kFalse));
    EXPECT_EQ(SafeArray::OneDim(VarType::Object, 0, 0).At(0), Variant::Nothing());
    EXPECT_EQ(SafeArray::OneDim(VarType::Variant, 0, 0).At(0), Variant());
}

TEST(SafeArrayTest, MultiDimensionalFirstIndexFastest) {
    SafeArray a(VarType::Long, {{0, 2}, {1, 3}});  // (0 To 1, 1 To 3)
    EXPECT_EQ(a.Rank(), 2);
    EXPECT_EQ(a.UpperBound(2), 3);
    a.At({1, 1}) = Variant(Long{11});
    a.At({0, 2}) = Variant(Long{2});
    EXPECT_EQ(a.Data()[1], Variant(Long{11}));
    EXPECT_EQ(a.Data()[2], Variant(Long{2}));
    EXPECT_RAISES(9, a.At({2, 1}));
    EXPECT_RAISES(9, a.At({0, 0}));
    EXPECT_RAISES(9, a.At(std::vector<int32_t>{0}));  // wrong number of indices
    EXPECT_RAISES(9, a.At(0));
    EXPECT_RAISES(9, a.At({0, 1, 1}));
}

TEST(SafeArrayTest, BadBounds) {
    EXPECT_RAISES(9, SafeArray(VarType::Long, {{0, -1}}));
    EXPECT_RAISES(9, SafeArray(VarType::Long, {{2147483647, 2}}));  // upper bound beyond Long
    EXPECT_RAISES(7, SafeArray(VarType::Long, {{0, 65536}, {0, 65536}}));
}

TEST(SafeArrayTest, RedimWithoutPreserveClears) {
    SafeArray a = SafeArray::OneDim(VarType::Long, 0, 2);
    a.At(0) = Variant(Long{5});
    a.Redim({{1, 5}}, false);
    EXPECT_EQ(a.LowerBound(), 1);
    EXPECT_EQ(a.UpperBound(), 5);
    EXPECT_EQ(a.At(1), Variant(Long{0}));
    a.Redim({{0, 2}, {0, 2}}, false);
    EXPECT_EQ(a.Rank(), 2);
}

TEST(SafeArrayTest, RedimPreserveKeepsElements) {
    SafeArray a = SafeArray::OneDim(VarType::Long, 0, 2);
    for (int i = 0; i <= 2; ++i) a.At(i) = Variant(Long{i + 10});
    a.Redim({{0, 5}}, true);
    EXPECT_EQ(a.At(2), Variant(Long{12}));
    EXPECT_EQ(a.At(4), Variant(Long{0}));
    a.Redim({{0, 2}}, true);
    EXPECT_EQ(a.UpperBound(), 1);
    EXPECT_EQ(a.At(1), Variant(Long{11}));
}

TEST(SafeArrayTest, RedimPreserveOfLastDimensionInTwoDimensions) {
    SafeArray a(VarType::Long, {{0, 2}, {0, 2}});
    a.At({1, 1}) = Variant(Long{42});
    a.Redim({{0, 2}, {0, 4}}, true);
    EXPECT_EQ(a.At({1, 1}), Variant(Long{42}));
    EXPECT_EQ(a.At({1, 3}), Variant(Long{0}));
}

TEST(SafeArrayTest, RedimPreserveRefusesOtherChangesAndKeepsTheArray) {
    SafeArray a(VarType::Long, {{0, 2}, {0, 2}});
    a.At({1, 1}) = Variant(Long{42});
    EXPECT_RAISES(9, a.Redim({{0, 3}, {0, 2}}, true));  // first dimension
    EXPECT_RAISES(9, a.Redim({{0, 4}}, true));          // rank
    EXPECT_RAISES(9, a.Redim({{0, 2}, {1, 2}}, true));  // lower bound of the last
    EXPECT_EQ(a.Rank(), 2);
    EXPECT_EQ(a.UpperBound(1), 1);
    EXPECT_EQ(a.At({1, 1}), Variant(Long{42}));
}

TEST(SafeArrayTest, RedimPreserveOfAnUnallocatedArray) {
    SafeArray a(VarType::String, {});
    EXPECT_EQ(a.Rank(), 0);
    EXPECT_RAISES(9, a.LowerBound());
    a.Redim({{0, 2}}, true);
    EXPECT_EQ(a.At(1), Variant(u""));
}

TEST(ArrayValueTest, CopyIsDeep) {
    Variant a(SafeArray::OneDim(VarType::Variant, 0, 1));
    a.Array()->At(0) = Variant(u"first");
    Variant b = a;
    b.Array()->At(0) = Variant(u"changed");
    EXPECT_EQ(a.Array()->At(0), Variant(u"first"));
    EXPECT_EQ(b.Array()->At(0), Variant(u"changed"));
    Variant c;
    c = a;
    a.Array()->At(1) = Variant(Long{1});
    EXPECT_EQ(c.Array()->At(1), Variant());
}

TEST(ArrayValueTest, NestedArraysAreCopiedToo) {
    Variant inner(SafeArray::OneDim(VarType::Long, 0, 0));
    Variant outer(SafeArray::OneDim(VarType::Variant, 0, 0));
    outer.Array()->At(0) = inner;
    Variant copy = outer;
    copy.Array()->At(0).Array()->At(0) = Variant(Long{9});
    EXPECT_EQ(outer.Array()->At(0).Array()->At(0), Variant(Long{0}));
}

TEST(ArrayValueTest, SelfAssignmentKeepsTheArray) {
    ArrayValue a(SafeArray::OneDim(VarType::Long, 0, 1));
    a.Get().At(1) = Variant(Long{3});
    ArrayValue& same = a;
    a = same;
    EXPECT_EQ(a.Get().At(1), Variant(Long{3}));
}

}  // namespace
}  // namespace quibor15
