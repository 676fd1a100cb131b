#include "quibor15/object.hpp"

#include <gtest/gtest.h>

#include "frame/core/expect_error.hpp"
#include "frame/core/test_objects.hpp"

namespace quibor15 {
namespace {

using testing::PropertyBag;
using testing::RecordingSink;

TEST(LateBindingTest, GetAndLetByNameWithoutRegardToCase) {
    auto bag = MakeRef<PropertyBag>();
    ObjectRef obj = bag;
    LateLet(obj, u"VALUE", Variant(Long{42}));
    EXPECT_EQ(LateGet(obj, u"value"), Variant(Long{42}));
    EXPECT_EQ(bag->flags_seen.front(), kInvokePropertyPut);
    EXPECT_EQ(bag->flags_seen.back(), kInvokeMethod | kInvokePropertyGet);
}

TEST(LateBindingTest, LetPassesIndexFirstAndValueLast) {
    auto bag = MakeRef<PropertyBag>();
    Variant index[1] = {Variant(Long{3})};
    LateLet(bag, u"Value", Variant(u"v"), index);
    EXPECT_EQ(bag->value, Variant(u"v"));
}

TEST(LateBindingTest, SetStoresTheSameObject) {
    auto bag = MakeRef<PropertyBag>();
    auto other = MakeRef<PropertyBag>();
    LateSet(bag, u"Target", other);
    EXPECT_EQ(bag->target.Get(), other.Get());
    EXPECT_EQ(bag->flags_seen.back(), kInvokePropertyPutRef);
    EXPECT_EQ(LateGet(bag, u"Target").ObjectOrThrow().Get(), other.Get());
}

TEST(LateBindingTest, CallWithByRefArgumentChangesTheCallersVariable) {
    auto bag = MakeRef<PropertyBag>();
    Variant mine(Long{21});
    Variant args[1] = {Variant::ByRef(mine)};
    Variant old = LateCall(bag, u"Double", args);
    EXPECT_EQ(old, Variant(Long{21}));
    EXPECT_EQ(mine, Variant(Double{42}));
}

TEST(LateBindingTest, CallWithAValueArgumentLeavesTheCallersVariable) {
    auto bag = MakeRef<PropertyBag>();
    Variant mine(Long{21});
    Variant old = LateCall(bag, u"Double", {mine});
    EXPECT_EQ(old, Variant(Long{21}));
    EXPECT_EQ(mine, Variant(Long{21}));
}

TEST(LateBindingTest, DefaultMember) {
    auto bag = MakeRef<PropertyBag>();
    bag->value = Variant(u"default");
    EXPECT_EQ(LateDefault(bag, {}), Variant(u"default"));
}

TEST(LateBindingTest, UnknownNameRaises438) {
    auto bag = MakeRef<PropertyBag>();
    EXPECT_RAISES(438, LateGet(bag, u"Nope"));
    EXPECT_RAISES(438, LateLet(bag, u"Nope", Variant()));
    EXPECT_RAISES(438, LateSet(bag, u"Nope", ObjectRef()));
    EXPECT_RAISES(438, LateCall(bag, u"Nope", {}));
    EXPECT_TRUE(bag->flags_seen.empty());
}

TEST(LateBindingTest, NothingRaises91) {
    ObjectRef nothing;
    EXPECT_RAISES(91, LateGet(nothing, u"Value"));
    EXPECT_RAISES(91, LateLet(nothing, u"Value", Variant()));
    EXPECT_RAISES(91, LateSet(nothing, u"Target", ObjectRef()));
    EXPECT_RAISES(91, LateCall(nothing, u"Double", {}));
    EXPECT_RAISES(91, LateDefault(nothing, {}));
}

TEST(LateBindingTest, MemberErrorsPassThroughUnchanged) {
    auto bag = MakeRef<PropertyBag>();
    EXPECT_RAISES(450, LateCall(bag, u"Double", {}));
}

TEST(LateBindingTest, ErrorKeepsNumberSourceAndDescriptionAcrossTheCall) {
    class Failing : public PropertyBag {
        Variant Invoke(DispId, uint16_t, std::span<Variant>) override {
            throw AutomationError(kObjectErrorBase, u"Locale", u"Day index out of range (1-7 only)");
        }
    };
    auto failing = MakeRef<Failing>();
    try {
        LateCall(failing, u"Value", {});
        FAIL();
    } catch (const AutomationError& e) {
        EXPECT_EQ(e.Number(), kObjectErrorBase);
        EXPECT_EQ(e.Source(), u"Locale");
        EXPECT_EQ(e.Description(), u"Day index out of range (1-7 only)");
    }
}

TEST(ObjectDefaultsTest, NoEvents) {
    class Plain : public PropertyBag {
    public:
        uint32_t Advise(ObjectRef sink) override { return Object::Advise(std::move(sink)); }
        void Unadvise(uint32_t cookie) override { Object::Unadvise(cookie); }
    };
    auto plain = MakeRef<Plain>();
    EXPECT_EQ(plain->Advise(MakeRef<RecordingSink>()), 0u);
    plain->Unadvise(0);
    EXPECT_EQ(plain->EventName(1), u"");
}

// --- events

TEST(EventSinksTest, RaisesToEverySinkInOrderWithByRefArguments) {
    auto bag = MakeRef<PropertyBag>();
    auto first = MakeRef<RecordingSink>();
    auto second = MakeRef<RecordingSink>();
    uint32_t c1 = bag->Advise(first);
    uint32_t c2 = bag->Advise(second);
    EXPECT_NE(c1, 0u);
    EXPECT_NE(c1, c2);
    Variant result = LateCall(bag, u"Fire", {});
    EXPECT_EQ(first->events, std::vector<DispId>{7});
    EXPECT_EQ(second->events, std::vector<DispId>{7});
    EXPECT_EQ(result, Variant(Long{21}));  // 1 + 10 + 10
}

TEST(EventSinksTest, UnadviseStopsEvents) {
    auto bag = MakeRef<PropertyBag>();
    auto sink = MakeRef<RecordingSink>();
    uint32_t cookie = bag->Advise(sink);
    bag->Unadvise(cookie);
    EXPECT_TRUE(bag->sinks.Empty());
    LateCall(bag, u"Fire", {});
    EXPECT_TRUE(sink->events.empty());
    bag->Unadvise(12345);  // unknown cookies are ignored
}

TEST(EventSinksTest, NothingIsNotConnected) {
    EventSinks sinks;
    EXPECT_EQ(sinks.Add(ObjectRef()), 0u);
    EXPECT_TRUE(sinks.Empty());
}

TEST(EventSinksTest, SinkDisconnectedDuringAnEventIsNotCalledAfterwards) {
    auto bag = MakeRef<PropertyBag>();
    auto first = MakeRef<RecordingSink>();
    auto second = MakeRef<RecordingSink>();
    bag->Advise(first);
    uint32_t c2 = bag->Advise(second);
    first->on_event = [&] { bag->Unadvise(c2); };
    LateCall(bag, u"Fire", {});
    EXPECT_EQ(first->events.size(), 1u);
    EXPECT_TRUE(second->events.empty());
}

TEST(EventSinksTest, SinkConnectedDuringAnEventWaitsForTheNext) {
    auto bag = MakeRef<PropertyBag>();
    auto first = MakeRef<RecordingSink>();
    auto late = MakeRef<RecordingSink>();
    bag->Advise(first);
    first->on_event = [&] {
        if (late->events.empty() && first->events.size() == 1) bag->Advise(late);
    };
    LateCall(bag, u"Fire", {});
    EXPECT_TRUE(late->events.empty());
    LateCall(bag, u"Fire", {});
    EXPECT_EQ(late->events.size(), 1u);
}

TEST(EventSinksTest, SinkReleasedByItsOwnHandlerSurvivesTheCall) {
    int destroyed = 0;
    class SelfRemoving : public RecordingSink {
    public:
        explicit SelfRemoving(int* d) : d_(d) {}
        ~SelfRemoving() override { ++*d_; }
        int* d_;
    };
    auto bag = MakeRef<PropertyBag>();
    uint32_t cookie = 0;
    {
        auto sink = MakeRef<SelfRemoving>(&destroyed);
        cookie = bag->Advise(sink);
        sink->on_event = [&bag, &cookie, &destroyed] {
            bag->Unadvise(cookie);
            EXPECT_EQ(destroyed, 0);
        };
    }
    LateCall(bag, u"Fire", {});
    EXPECT_EQ(destroyed, 1);
}

// --- enumeration

class ListEnumerator : public Enumerator {
public:
    explicit ListEnumerator(std::vector<Variant> items) : items_(std::move(items)) {}
    bool Next(Variant& item) override {
        if (pos_ >= items_.size()) return false;
        item = items_[pos_++];
        return true;
    }
    void Reset() override { pos_ = 0; }

private:
    std::vector<Variant> items_;
    size_t pos_ = 0;
};

TEST(EnumeratorTest, OwnDispatch) {
    auto e = MakeRef<ListEnumerator>(std::vector<Variant>{Variant(Long{1}), Variant(Long{2})});
    DispId next = e->GetIdOfName(u"NEXT");
    DispId reset = e->GetIdOfName(u"reset");
    EXPECT_NE(next, kDispIdUnknown);
    EXPECT_NE(reset, kDispIdUnknown);
    EXPECT_EQ(e->GetIdOfName(u"Skip"), kDispIdUnknown);
    EXPECT_EQ(e->TypeName(), u"Enumerator");

    Variant item;
    Variant args[1] = {Variant::ByRef(item)};
    EXPECT_EQ(e->Invoke(next, kInvokeMethod, args), Variant(kTrue));
    EXPECT_EQ(item, Variant(Long{1}));
    EXPECT_EQ(LateCall(e, u"Next", args), Variant(kTrue));
    EXPECT_EQ(item, Variant(Long{2}));
    EXPECT_EQ(LateCall(e, u"Next", args), Variant(kFalse));
    EXPECT_EQ(item, Variant());
    LateCall(e, u"Reset", {});
    EXPECT_EQ(LateCall(e, u"Next", args), Variant(kTrue));
    EXPECT_EQ(item, Variant(Long{1}));
    EXPECT_RAISES(450, LateCall(e, u"Next", {}));
    EXPECT_RAISES(438, e->Invoke(99, kInvokeMethod, {}));
}

TEST(EnumerateObjectTest, UsesNewEnum) {
    auto bag = MakeRef<PropertyBag>();
    bag->enumerator = MakeRef<ListEnumerator>(std::vector<Variant>{Variant(u"a")});
    Ref<Enumerator> e = EnumerateObject(bag);
    ASSERT_TRUE(e);
    Variant item;
    EXPECT_TRUE(e->Next(item));
    EXPECT_EQ(item, Variant(u"a"));
    EXPECT_FALSE(e->Next(item));
    EXPECT_EQ(bag->flags_seen.back(), kInvokePropertyGet | kInvokeMethod);
}

TEST(EnumerateObjectTest, ObjectWithoutEnumeratorRaises438) {
    auto bag = MakeRef<PropertyBag>();
    EXPECT_RAISES(438, EnumerateObject(bag));
    EXPECT_RAISES(91, EnumerateObject(ObjectRef()));
}

TEST(EnumerateObjectTest, NewEnumReturningANonEnumeratorRaises438) {
    class Odd : public PropertyBag {
        Variant Invoke(DispId, uint16_t, std::span<Variant>) override { return Variant(Long{1}); }
    };
    EXPECT_RAISES(438, EnumerateObject(MakeRef<Odd>()));
}

TEST(SelfRefTest, KeepsTheObjectAliveForTheCall) {
    int destroyed = 0;
    Ref<testing::Tracked> t = MakeRef<testing::Tracked>(&destroyed);
    testing::Tracked* raw = t.Get();
    {
        SelfRef hold(raw);
        t.Reset();
        EXPECT_EQ(destroyed, 0);
        EXPECT_EQ(raw->RefCount(), 1u);
    }
    EXPECT_EQ(destroyed, 1);
}

}  // namespace
}  // namespace quibor15
