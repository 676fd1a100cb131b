#include "quibor15/collection.hpp"

#include <gtest/gtest.h>

#include "frame/core/expect_error.hpp"
#include "frame/core/test_objects.hpp"
#include "quibor15/primitives.hpp"

namespace quibor15 {
namespace {

std::vector<Variant> Enumerate(const ObjectRef& obj) {
    std::vector<Variant> items;
    Ref<Enumerator> e = EnumerateObject(obj);
    Variant item;
    while (e->Next(item)) items.push_back(item);
    return items;
}

TEST(CollectionTest, OneBasedInOrder) {
    auto c = Collection::Create();
    EXPECT_EQ(c->Count(), 0);
    c->Add(Variant(u"a"));
    c->Add(Variant(u"b"));
    c->Add(Variant(Long{3}));
    EXPECT_EQ(c->Count(), 3);
    EXPECT_EQ(c->Item(1), Variant(u"a"));
    EXPECT_EQ(c->Item(2), Variant(u"b"));
    EXPECT_EQ(c->Item(3), Variant(Long{3}));
    EXPECT_EQ(c->TypeName(), u"Collection");
}

TEST(CollectionTest, PositionOutOfRangeRaises9) {
    auto c = Collection::Create();
    EXPECT_RAISES(9, c->Item(1));
    c->Add(Variant(u"a"));
    EXPECT_RAISES(9, c->Item(0));
    EXPECT_RAISES(9, c->Item(2));
    EXPECT_RAISES(9, c->Item(-1));
    EXPECT_RAISES(9, c->Item(Variant(Double{1e12})));
    EXPECT_EQ(c->Item(Variant(Double{1.4})), Variant(u"a"));  // positions round
    EXPECT_EQ(c->Item(Variant(Integer{1})), Variant(u"a"));
}

TEST(CollectionTest, KeysWithoutRegardToCase) {
    auto c = Collection::Create();
    c->Add(Variant(u"first"), u"One");
    c->Add(Variant(u"second"), u"TWO");
    EXPECT_EQ(c->Item(u"one"), Variant(u"first"));
    EXPECT_EQ(c->Item(u"ONE"), Variant(u"first"));
    EXPECT_EQ(c->Item(u"two"), Variant(u"second"));
    EXPECT_TRUE(c->HasKey(u"tWo"));
    EXPECT_FALSE(c->HasKey(u"three"));
}

// A key is taken exactly when the runtime's comparison calls it equal to one
// already present, whatever the letters: non-ASCII case, pairs of surrogates,
// lone ones.
TEST(CollectionTest, KeyTakenExactlyWhenTheComparisonSaysEqual) {
    const struct {
        std::u16string first, second;
    } kPairs[] = {
        {u"\u00C4pfel", u"\u00E4PFEL"},
        {u"\u03A3", u"\u03C3"},
        {u"\u03C2", u"\u03C3"},
        {u"\u00DF", u"SS"},
        {u"\U00010400", u"\U00010428"},
        {u"\xD801", u"\xD802"},
        {u"\xD801", u"\xD801"},
        {u"ab", u"abc"},
        {u"", u""},
    };
    for (const auto& pair : kPairs) {
        // Plain references: clang 14 lets no lambda capture a structured binding.
        const std::u16string& first = pair.first;
        const std::u16string& second = pair.second;
        auto c = Collection::Create();
        c->Add(Variant(u"1"), Variant(first));
        const bool equal = EqualsIgnoreCase(first, second);
        EXPECT_EQ(c->HasKey(second), equal);
        if (equal) {
            EXPECT_RAISES(457, c->Add(Variant(u"2"), Variant(second)));
            EXPECT_EQ(c->Item(Variant(second)), Variant(u"1"));
        } else {
            c->Add(Variant(u"2"), Variant(second));
            EXPECT_EQ(c->Item(Variant(second)), Variant(u"2"));
        }
    }
}

TEST(CollectionTest, MissingKeyRaises5) {
    auto c = Collection::Create();
    c->Add(Variant(u"x"), u"k");
    EXPECT_RAISES(5, c->Item(u"nope"));
    EXPECT_RAISES(5, c->Item(u""));
    EXPECT_RAISES(5, c->Remove(u"nope"));
}

TEST(CollectionTest, BadIndexTypes) {
    auto c = Collection::Create();
    c->Add(Variant(u"x"));
    EXPECT_RAISES(94, c->Item(Variant::Null()));
    EXPECT_RAISES(449, c->Item(Variant::Missing()));
    EXPECT_RAISES(13, c->Item(Variant::Nothing()));
    EXPECT_RAISES(13, c->Item(Variant(SafeArray::OneDim(VarType::Long, 0, 0))));
    EXPECT_RAISES(9, c->Item(Variant()));  // Empty reads as position 0
}

TEST(CollectionTest, DuplicateKeyRaises457AndLeavesItUnchanged) {
    auto c = Collection::Create();
    c->Add(Variant(u"first"), u"key");
    c->Add(Variant(u"second"));
    try {
        c->Add(Variant(u"third"), u"KEY");
        FAIL();
    } catch (const AutomationError& e) {
        EXPECT_EQ(e.Number(), 457);
        EXPECT_EQ(e.Description(), u"This key is already associated with an element of this collection");
    }
    EXPECT_EQ(c->Count(), 2);
    EXPECT_EQ(c->Item(u"key"), Variant(u"first"));
    EXPECT_EQ(c->Item(2), Variant(u"second"));
}

TEST(CollectionTest, KeyTypes) {
    auto c = Collection::Create();
    c->Add(Variant(u"no key"), Variant());  // Empty: no key
    EXPECT_RAISES(13, c->Add(Variant(u"x"), Variant(Long{5})));
    EXPECT_RAISES(94, c->Add(Variant(u"x"), Variant::Null()));
    EXPECT_EQ(c->Count(), 1);
    Variant key(u"byref");
    c->Add(Variant(Long{1}), Variant::ByRef(key));
    EXPECT_EQ(c->Item(u"BYREF"), Variant(Long{1}));
}

TEST(CollectionTest, BeforeAndAfter) {
    auto c = Collection::Create();
    c->Add(Variant(u"b"), u"kb");
    c->Add(Variant(u"a"), Variant::Missing(), Variant(Long{1}));
    c->Add(Variant(u"d"), Variant::Missing(), Variant::Missing(), Variant(u"KB"));
    c->Add(Variant(u"c"), u"kc", Variant(Long{3}));
    c->Add(Variant(u"e"), Variant::Missing(), Variant::Missing(), Variant(Long{4}));
    std::vector<Variant> expected = {Variant(u"a"), Variant(u"b"), Variant(u"c"), Variant(u"d"), Variant(u"e")};
    EXPECT_EQ(c->Items(), expected);
    EXPECT_EQ(c->Item(u"kc"), Variant(u"c"));
}

TEST(CollectionTest, BeforeAndAfterErrorsLeaveItUnchanged) {
    auto c = Collection::Create();
    c->Add(Variant(u"a"));
    EXPECT_RAISES(5, c->Add(Variant(u"x"), Variant::Missing(), Variant(Long{1}), Variant(Long{1})));
    EXPECT_RAISES(9, c->Add(Variant(u"x"), Variant::Missing(), Variant(Long{2})));
    EXPECT_RAISES(9, c->Add(Variant(u"x"), u"newkey", Variant::Missing(), Variant(Long{0})));
    EXPECT_RAISES(5, c->Add(Variant(u"x"), Variant::Missing(), Variant(u"nokey")));
    EXPECT_EQ(c->Count(), 1);
    EXPECT_FALSE(c->HasKey(u"newkey"));
}

TEST(CollectionTest, Remove) {
    auto c = Collection::Create();
    c->Add(Variant(u"a"), u"ka");
    c->Add(Variant(u"b"), u"kb");
    c->Add(Variant(u"c"), u"kc");
    c->Remove(Variant(Long{2}));
    EXPECT_EQ(c->Count(), 2);
    EXPECT_EQ(c->Item(2), Variant(u"c"));
    EXPECT_FALSE(c->HasKey(u"kb"));
    c->Remove(u"KA");
    EXPECT_EQ(c->Count(), 1);
    EXPECT_EQ(c->Item(1), Variant(u"c"));
    EXPECT_RAISES(9, c->Remove(Variant(Long{2})));
    c->Add(Variant(u"b again"), u"kb");  // a removed key is free again
    EXPECT_EQ(c->Item(u"kb"), Variant(u"b again"));
}

TEST(CollectionTest, ObjectsAreHeldByReference) {
    int destroyed = 0;
    auto c = Collection::Create();
    {
        auto t = MakeRef<testing::Tracked>(&destroyed);
        c->Add(Variant(t), u"t");
        EXPECT_EQ(c->Item(u"t").ObjectOrThrow().Get(), t.Get());
    }
    EXPECT_EQ(destroyed, 0);
    c->Remove(u"t");
    EXPECT_EQ(destroyed, 1);
}

TEST(CollectionTest, ValuesAreCopies) {
    auto c = Collection::Create();
    Variant v(Long{1});
    c->Add(Variant::ByRef(v));
    v = Variant(Long{2});
    EXPECT_EQ(c->Item(1), Variant(Long{1}));
    EXPECT_FALSE(c->Item(1).IsByRef());
}

TEST(CollectionTest, EnumerationInOrder) {
    auto c = Collection::Create();
    c->Add(Variant(u"x"), u"k1");
    c->Add(Variant(u"y"));
    c->Add(Variant(u"z"), Variant::Missing(), Variant(Long{1}));
    std::vector<Variant> expected = {Variant(u"z"), Variant(u"x"), Variant(u"y")};
    EXPECT_EQ(Enumerate(c), expected);
    EXPECT_TRUE(Enumerate(Collection::Create()).empty());
}

TEST(CollectionTest, EnumerationSurvivesChanges) {
    auto c = Collection::Create();
    for (Long i = 1; i <= 3; ++i) c->Add(Variant(i));
    Ref<Enumerator> e = c->NewEnum();
    Variant item;
    ASSERT_TRUE(e->Next(item));
    EXPECT_EQ(item, Variant(Long{1}));
    c->Remove(Variant(Long{1}));
    c->Remove(Variant(Long{1}));
    c->Add(Variant(Long{99}));
    std::vector<Variant> rest;
    while (e->Next(item)) rest.push_back(item);
    EXPECT_EQ(rest, (std::vector<Variant>{Variant(Long{2}), Variant(Long{3})}));
    e->Reset();
    ASSERT_TRUE(e->Next(item));
    EXPECT_EQ(item, Variant(Long{1}));
}

TEST(CollectionTest, LateBoundByName) {
    auto c = Collection::Create();
    ObjectRef obj = c;
    LateCall(obj, u"add", {Variant(u"first"), Variant(u"K")});
    LateCall(obj, u"ADD", {Variant(u"second")});
    EXPECT_EQ(LateGet(obj, u"Count"), Variant(Long{2}));
    Variant key[1] = {Variant(u"k")};
    EXPECT_EQ(LateGet(obj, u"Item", key), Variant(u"first"));
    Variant position[1] = {Variant(Long{2})};
    EXPECT_EQ(LateDefault(obj, position), Variant(u"second"));
    LateCall(obj, u"Remove", {Variant(Long{1})});
    EXPECT_EQ(c->Count(), 1);
    EXPECT_RAISES(438, LateGet(obj, u"Keys"));
}

TEST(CollectionTest, DispIds) {
    auto c = Collection::Create();
    EXPECT_EQ(c->GetIdOfName(u"Item"), 0);
    EXPECT_EQ(c->GetIdOfName(u"Add"), 1);
    EXPECT_EQ(c->GetIdOfName(u"Count"), 2);
    EXPECT_EQ(c->GetIdOfName(u"Remove"), 3);
    EXPECT_EQ(c->GetIdOfName(u"_NewEnum"), kDispIdNewEnum);
    EXPECT_EQ(c->GetIdOfName(u"Clear"), kDispIdUnknown);
    Variant add_args[1] = {Variant(Long{5})};
    c->Invoke(1, kInvokeMethod, add_args);
    EXPECT_EQ(c->Invoke(2, kInvokePropertyGet, {}), Variant(Long{1}));
    Variant e = c->Invoke(kDispIdNewEnum, kInvokePropertyGet | kInvokeMethod, {});
    EXPECT_TRUE(RefCast<Enumerator>(e.ObjectOrThrow()));
}

TEST(CollectionTest, DispatchArgumentErrors) {
    auto c = Collection::Create();
    c->Add(Variant(u"a"));
    EXPECT_RAISES(449, c->Invoke(0, kInvokePropertyGet, {}));
    Variant two[2] = {Variant(Long{1}), Variant(Long{1})};
    EXPECT_RAISES(450, c->Invoke(0, kInvokePropertyGet, two));
    EXPECT_RAISES(450, c->Invoke(2, kInvokePropertyGet, two));
    Variant five[5];
    EXPECT_RAISES(450, c->Invoke(1, kInvokeMethod, five));
    Variant missing[1] = {Variant::Missing()};
    EXPECT_RAISES(449, c->Invoke(1, kInvokeMethod, missing));
    Variant value[2] = {Variant(Long{1}), Variant(u"v")};
    EXPECT_RAISES(438, c->Invoke(0, kInvokePropertyPut, value));
    EXPECT_RAISES(438, c->Invoke(42, kInvokeMethod, {}));
    EXPECT_EQ(c->Count(), 1);
}

TEST(CollectionTest, Clear) {
    auto c = Collection::Create();
    c->Add(Variant(u"a"), u"k");
    c->Clear();
    EXPECT_EQ(c->Count(), 0);
    c->Add(Variant(u"b"), u"k");
    EXPECT_EQ(c->Count(), 1);
}

}  // namespace
}  // namespace quibor15
