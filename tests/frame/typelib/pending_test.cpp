// Pending_ implementations: every member of every class, reached late-bound
// with well-typed arguments, raises error 445 with the class as source.
#include <gtest/gtest.h>

#include "quibor15/library.hpp"
#include "quibor15/pending_classes.hpp"
#include "support.hpp"

namespace quibor15 {
namespace {

// A value of the declared type, as a well-behaved caller passes it.
Variant SampleOf(const TypeDesc& type) {
    switch (type.base) {
        case BaseType::String:
            return Variant(u"text");
        case BaseType::Integer:
            return Variant(static_cast<Integer>(1));
        case BaseType::Long:
        case BaseType::Enum:
            return Variant(static_cast<Long>(1));
        case BaseType::Single:
            return Variant(1.0f);
        case BaseType::Double:
            return Variant(1.0);
        case BaseType::Boolean:
            return Variant(kTrue);
        case BaseType::Date:
            return Variant(Date{1.0});
        case BaseType::Currency:
            return Variant(Currency{10000});
        case BaseType::StringArray:
            return Variant(SafeArray::OneDim(VarType::String, 0, 0));
        case BaseType::Object:
        case BaseType::Collection:
        case BaseType::Font:
        case BaseType::Picture:
        case BaseType::Enumerator:
        case BaseType::Class:
            return Variant::Nothing();
        case BaseType::Variant:
        case BaseType::Void:
            return Variant();
    }
    return Variant();
}

uint16_t FlagsOf(MemberKind kind) {
    switch (kind) {
        case MemberKind::Let:
            return kInvokePropertyPut;
        case MemberKind::Set:
            return kInvokePropertyPutRef;
        case MemberKind::Get:
            return kInvokePropertyGet;
        case MemberKind::Method:
            return kInvokeMethod;
    }
    return kInvokeMethod;
}

ObjectRef NewPending(std::u16string_view class_name, const ContextPtr& context) {
    struct Entry {
        std::u16string_view name;
        ObjectRef (*create)(const ContextPtr&);
    };
    static const Entry kPending[] = {
        {u"clsQuibor15A", &NewPending_clsQuibor15A},
        {u"clsQuiborDTFormatA", &NewPending_clsQuiborDTFormatA},
        {u"clsQuiborDTFormatsA", &NewPending_clsQuiborDTFormatsA},
        {u"clsQuiborInternationalA", &NewPending_clsQuiborInternationalA},
        {u"clsQuiborWUillsA", &NewPending_clsQuiborWUillsA},
        {u"clsQuiborLocaleA", &NewPending_clsQuiborLocaleA},
        {u"clsQuiborLocalesA", &NewPending_clsQuiborLocalesA},
        {u"clsQuiborInterplayA", &NewPending_clsQuiborInterplayA},
        {u"clsQuiborWUIRunTimeA", &NewPending_clsQuiborWUIRunTimeA},
        {u"clsQuiborWUIXPManifestA", &NewPending_clsQuiborWUIXPManifestA},
        {u"clsQuiborWUIRunTimeB", &NewPending_clsQuiborWUIRunTimeB},
        {u"clsQuiborWUITooltipA", &NewPending_clsQuiborWUITooltipA},
        {u"clsQuiborWUIBCAT175A", &NewPending_clsQuiborWUIBCAT175A},
        {u"clsQuiborWUIMMMovieA", &NewPending_clsQuiborWUIMMMovieA},
        {u"clsQuiborWUIMMMP3A", &NewPending_clsQuiborWUIMMMP3A},
        {u"clsQuiborWizardA", &NewPending_clsQuiborWizardA},
        {u"clsQuiborMonitorsA", &NewPending_clsQuiborMonitorsA},
        {u"clsQuiborMonitorA", &NewPending_clsQuiborMonitorA},
    };
    for (const Entry& e : kPending)
        if (e.name == class_name) return e.create(context);
    return nullptr;
}

TEST(PendingTest, EveryMemberRaises445WithTheClassAsSource) {
    auto context = std::make_shared<Context>(nullptr, nullptr);
    size_t members_checked = 0;
    for (const ClassDesc& c : Quibor15TypeLibrary().classes) {
        ObjectRef obj = NewPending(c.name, context);
        ASSERT_TRUE(obj) << testing::Narrow(c.name);
        EXPECT_EQ(obj->TypeName(), String(c.name));
        for (const MemberDesc& m : c.default_interface->members) {
            SCOPED_TRACE(testing::Narrow(c.name) + "." + testing::Narrow(m.name) + " " +
                         testing::Narrow(MemberKindName(m.kind)));
            std::vector<Variant> args;
            for (const ParamDesc& p : m.params) args.push_back(SampleOf(p.type));
            auto error = testing::ErrorOf([&] { obj->Invoke(m.dispid, FlagsOf(m.kind), args); });
            ASSERT_TRUE(error);
            EXPECT_EQ(error->Number(), rt::kActionNotSupported);
            EXPECT_EQ(error->Source(), String(c.name));
            EXPECT_NE(error->Description().find(m.name), String::npos);
            ++members_checked;
        }
    }
    size_t total = 0;
    for (const ClassDesc& c : Quibor15TypeLibrary().classes) total += c.default_interface->members.size();
    EXPECT_EQ(members_checked, total);
}

TEST(PendingTest, EarlyBoundCallsRaiseTheSameError) {
    auto movie = MakeRef<Pending_clsQuiborWUIMMMovieA>(std::make_shared<Context>(nullptr, nullptr));
    auto error = testing::ErrorOf([&] { movie->showMovie(); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->Number(), rt::kActionNotSupported);
    EXPECT_EQ(error->Source(), u"clsQuiborWUIMMMovieA");
}

TEST(PendingTest, PendingObjectsHoldTheirContext) {
    ContextPtr context = testing::NullContext();
    auto wizard = MakeRef<Pending_clsQuiborWizardA>(context);
    EXPECT_EQ(wizard->GetContext(), context);
    EXPECT_EQ(&wizard->Class(), Quibor15TypeLibrary().FindClass(u"clsQuiborWizardA"));
}

}  // namespace
}  // namespace quibor15
