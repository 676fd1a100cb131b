// Late binding through the generated dispatch: argument counts, defaults of
// left-out optional parameters, by-reference arguments, conversions, typed
// object parameters, property kinds, results, errors and object lifetime.
// The classes here are small test implementations of real interfaces.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "platform/sim/fixture_locale_database.hpp"
#include "platform/sim/sim_windows.hpp"
#include "quibor15/collection.hpp"
#include "quibor15/library.hpp"
#include "quibor15/pending_classes.hpp"
#include "support.hpp"

namespace quibor15 {
namespace {

constexpr uint16_t kCall = kInvokeMethod | kInvokePropertyGet;

// Late-bound call by name, as a script makes it.
Variant Call(Object& o, std::u16string_view name, std::vector<Variant> args, uint16_t flags = kCall) {
    DispId id = o.GetIdOfName(name);
    if (id == kDispIdUnknown) RaiseRuntimeError(rt::kMemberNotSupported);
    return o.Invoke(id, flags, args);
}

using testing::NullContext;

// A locale whose members record what they receive and assign to their
// by-reference parameters.
class RecordingLocale : public Pending_clsQuiborLocaleA {
public:
    using Pending_clsQuiborLocaleA::Pending_clsQuiborLocaleA;

    int calls = 0;
    Double number = 0;
    Integer places = 0;
    Boolean grouping{0};
    Variant date_format;
    String time_format = u"unset";

    String FormatNumber(Double& FNumber, Integer& NumDecimalPlaces, Boolean& UseGrouping) override {
        ++calls;
        number = FNumber;
        places = NumDecimalPlaces;
        grouping = UseGrouping;
        FNumber = FNumber * 2;
        NumDecimalPlaces = 7;
        return u"formatted";
    }
    String FormatCurrency(Double&, Boolean& UseGrouping, Boolean& ShowCSymbol) override {
        return UseGrouping.raw == -1 && ShowCSymbol.raw == -1 ? u"both true" : u"other";
    }
    String FormatDate(Date& DateVar, Variant& DateFormat) override {
        date_format = DateFormat;
        DateVar = Date{2.5};
        DateFormat = Variant(u"changed");
        return u"";
    }
    String FormatTime(Date&, String& TimeFormat) override {
        if (during_call) during_call();
        time_format = TimeFormat;
        return TimeFormat;
    }
    std::function<void()> during_call;  // stands for a handler the member raises
    String GetDayName(Integer& DayIndex, Boolean&) override {
        if (during_call) during_call();
        if (DayIndex < 1 || DayIndex > 7) {
            throw AutomationError(kObjectErrorBase, u"Locale", u"Day index out of range (1-7 only)");
        }
        return u"day";
    }
    Variant ListSort(Variant& List, Boolean&, Boolean&) override { return List; }
    Ref<_clsQuiborDTFormatsA> get_DateFormats() override { return nullptr; }
    Boolean get_isValid() override { return kTrue; }
    Long get_LCID() override { return 1033; }
    Currency LocaleCCur(String& text) override {
        text = u"read";
        return Currency{12345};
    }
};

// A wizard with a few real properties, and its event raisers made public.
class TestWizard : public Pending_clsQuiborWizardA {
public:
    using Pending_clsQuiborWizardA::Pending_clsQuiborWizardA;

    ObjectRef app;
    String title;
    int set_calls = 0;
    int let_calls = 0;
    std::function<void()> on_destroy;
    ~TestWizard() override {
        if (on_destroy) on_destroy();
    }

    ObjectRef get_AppObject() override { return app; }
    void set_AppObject(ObjectRef value) override {
        ++set_calls;
        app = std::move(value);
    }
    String get_Title() override { return title; }
    void let_Title(String value) override {
        ++let_calls;
        title = std::move(value);
    }
    Long GoToFrame(Long& iIndex) override { return iIndex; }

    using _clsQuiborWizardA::RaiseAfterFrameShow;
    using _clsQuiborWizardA::RaiseFinishFrameButtonClick;
    using _clsQuiborWizardA::RaiseNextFrameButtonClick;
    using _clsQuiborWizardA::RaiseTopPaneMouseDown;
};

// A sink that records each event and lets a test act on it.
class RecordingSink : public Object {
public:
    struct Event {
        DispId id;
        std::vector<Variant> args;
    };
    std::vector<Event> events;
    std::function<void(DispId, std::span<Variant>)> on_event;

    String TypeName() const override { return u"RecordingSink"; }
    DispId GetIdOfName(std::u16string_view) override { return kDispIdUnknown; }
    Variant Invoke(DispId id, uint16_t, std::span<Variant> args) override {
        Event e{id, {}};
        for (const Variant& a : args) e.args.push_back(a.Deref());
        events.push_back(std::move(e));
        if (on_event) on_event(id, args);
        return Variant();
    }
};

class TestLocales : public Pending_clsQuiborLocalesA {
public:
    using Pending_clsQuiborLocalesA::Pending_clsQuiborLocalesA;
    std::vector<Ref<_clsQuiborLocaleA>> added;
    bool replace_argument = false;

    void AddObj(Ref<_clsQuiborLocaleA>& nLocale) override {
        added.push_back(nLocale);
        if (replace_argument) nLocale = nullptr;
    }
    Ref<_clsQuiborLocaleA> get_Item(Variant& vntIndexKey) override {
        return added.at(static_cast<size_t>(VariantToLong(vntIndexKey) - 1));
    }
    Long get_Count() override { return static_cast<Long>(added.size()); }
};

class TestMonitor : public Pending_clsQuiborMonitorA {
public:
    using Pending_clsQuiborMonitorA::Pending_clsQuiborMonitorA;
    Long left = 0;
    Long get_Left() override { return left; }
    void let_Left(Long& value) override {
        left = value;
        value = -value;  // a by-reference value the caller sees change
    }
};

class DispatchTest : public ::testing::Test {
protected:
    Ref<RecordingLocale> locale = MakeRef<RecordingLocale>(NullContext());
};

TEST_F(DispatchTest, LeftOutOptionalBooleanTruePassesMinusOne) {
    Call(*locale, u"FormatNumber", {Variant(1.5)});
    EXPECT_EQ(locale->grouping.raw, -1);
    EXPECT_EQ(Call(*locale, u"FormatCurrency", {Variant(1.0)}), Variant(u"both true"));
}

TEST_F(DispatchTest, LeftOutFormatNumberPlacesDefaultsToTwo) {
    EXPECT_EQ(Call(*locale, u"FormatNumber", {Variant(1.5)}), Variant(u"formatted"));
    EXPECT_EQ(locale->number, 1.5);
    EXPECT_EQ(locale->places, 2);
}

TEST_F(DispatchTest, MissingMarkerCountsAsLeftOut) {
    Call(*locale, u"FormatNumber", {Variant(1.5), Variant::Missing(), Variant(kFalse)});
    EXPECT_EQ(locale->places, 2);
    EXPECT_EQ(locale->grouping.raw, 0);
}

TEST_F(DispatchTest, LeftOutVariantTakesItsDefaultAndTextDefaultIsEmpty) {
    Call(*locale, u"FormatDate", {Variant(Date{1.0})});
    ASSERT_NE(locale->date_format.As<Integer>(), nullptr);
    EXPECT_EQ(*locale->date_format.As<Integer>(), 2);
    EXPECT_EQ(Call(*locale, u"FormatTime", {Variant(Date{0.5})}), Variant(u""));
    EXPECT_EQ(locale->time_format, u"");
}

TEST_F(DispatchTest, ByReferenceWritesReachTheCallersVariable) {
    Variant number(3.0);
    Variant places(static_cast<Integer>(4));
    Variant grouping(kTrue);
    Call(*locale, u"FormatNumber", {Variant::ByRef(number), Variant::ByRef(places), Variant::ByRef(grouping)});
    EXPECT_EQ(number, Variant(6.0));
    EXPECT_EQ(places, Variant(static_cast<Integer>(7)));
    EXPECT_EQ(locale->places, 4);
}

TEST_F(DispatchTest, ConvertedTemporariesLoseTheirChanges) {
    Variant number(static_cast<Long>(3));  // a Long where a Double is declared
    Variant text(u"2.5");
    Call(*locale, u"FormatNumber", {Variant::ByRef(number), Variant::ByRef(text)});
    EXPECT_EQ(locale->number, 3.0);
    EXPECT_EQ(locale->places, 2);  // "2.5" as Integer rounds half to even
    EXPECT_EQ(number, Variant(static_cast<Long>(3)));
    EXPECT_EQ(text, Variant(u"2.5"));

    // A value passed without a variable: the argument list is not written.
    std::vector<Variant> args = {Variant(5.0)};
    locale->Invoke(locale->GetIdOfName(u"FormatNumber"), kCall, args);
    EXPECT_EQ(args[0], Variant(5.0));
}

TEST_F(DispatchTest, ByReferenceVariantBindsToTheVariableWhateverItHolds) {
    Variant format(static_cast<Long>(1));
    Variant when(Date{0.0});
    Call(*locale, u"FormatDate", {Variant::ByRef(when), Variant::ByRef(format)});
    EXPECT_EQ(locale->date_format, Variant(static_cast<Long>(1)));
    EXPECT_EQ(format, Variant(u"changed"));
    EXPECT_EQ(when, Variant(Date{2.5}));
}

// Only what the member itself assigned goes back: a caller's variable that
// changed meanwhile (an event handler's assignment) keeps its new value.
TEST_F(DispatchTest, ByReferenceWriteBackIsOnlyWhatTheMemberAssigned) {
    struct Row {
        const char16_t* member;
        std::vector<Variant> before;  // arguments ahead of the watched one
        Variant passed, meanwhile;
    };
    const Row rows[] = {
        {u"GetDayName", {}, Variant(Integer{3}), Variant(Integer{99})},
        {u"FormatTime", {Variant(Date{0.5})}, Variant(u"hh"), Variant(u"mm")},
        {u"FormatTime", {Variant(Date{0.5})}, Variant(u"hh"), Variant(Long{5})},  // even of another type
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Narrow(row.member));
        Variant watched = row.passed;
        locale->during_call = [&] { watched = row.meanwhile; };
        std::vector<Variant> args = row.before;
        args.push_back(Variant::ByRef(watched));
        Call(*locale, row.member, args);
        EXPECT_EQ(watched, row.meanwhile);
    }
    locale->during_call = nullptr;
}

TEST_F(DispatchTest, ByReferenceStringParameter) {
    Variant text(u"12.34");
    EXPECT_EQ(Call(*locale, u"LocaleCCur", {Variant::ByRef(text)}), Variant(Currency{12345}));
    EXPECT_EQ(text, Variant(u"read"));
}

TEST_F(DispatchTest, ArgumentCountErrors) {
    EXPECT_RAISES(rt::kWrongArgumentCount, Call(*locale, u"FormatNumber", {}));
    EXPECT_RAISES(rt::kWrongArgumentCount,
                  Call(*locale, u"FormatNumber", {Variant(1.0), Variant(1.0), Variant(1.0), Variant(1.0)}));
    EXPECT_RAISES(rt::kWrongArgumentCount, Call(*locale, u"LCID", {Variant(1.0)}));
    EXPECT_RAISES(rt::kArgumentNotOptional, Call(*locale, u"FormatNumber", {Variant::Missing()}));
    EXPECT_EQ(locale->calls, 0);
}

TEST_F(DispatchTest, ConversionErrors) {
    EXPECT_RAISES(rt::kTypeMismatch, Call(*locale, u"FormatNumber", {Variant(u"abc")}));
    EXPECT_RAISES(rt::kOverflow, Call(*locale, u"FormatNumber", {Variant(1.0), Variant(static_cast<Long>(40000))}));
    EXPECT_EQ(locale->calls, 0);
}

TEST_F(DispatchTest, UnknownMembersAndKinds) {
    // Shorter, longer, of the same length as a member, empty.
    for (std::u16string_view name : {u"NoSuchMember", u"FormatNumbe", u"FormatNumberX", u"FormatNumbes", u""}) {
        EXPECT_EQ(locale->GetIdOfName(name), kDispIdUnknown) << testing::Narrow(name);
    }
    std::vector<Variant> none;
    EXPECT_RAISES(rt::kMemberNotSupported, locale->Invoke(0x12345, kCall, none));
    std::vector<Variant> value = {Variant(static_cast<Long>(1))};
    EXPECT_RAISES(rt::kMemberNotSupported, locale->Invoke(0x68030006, kInvokePropertyPut, value));  // LCID: get only
    EXPECT_RAISES(rt::kMemberNotSupported, locale->Invoke(0x60030010, kInvokePropertyPut, value));  // a method
}

TEST_F(DispatchTest, NamesAreFoundInAnyCase) {
    for (std::u16string_view name : {u"FormatNumber", u"formatnumber", u"FORMATNUMBER", u"fOrMaTnUmBeR"}) {
        EXPECT_EQ(locale->GetIdOfName(name), 0x60030010);
    }
    auto movie = MakeRef<Pending_clsQuiborWUIMMMovieA>(NullContext());
    EXPECT_EQ(movie->GetIdOfName(u"SHOWMOVIE"), 0x60030007);
    EXPECT_EQ(movie->GetIdOfName(u"getvolume"), 0x60030029);
    EXPECT_EQ(movie->GetIdOfName(u"TimeOut"), 0x60030044);
    EXPECT_EQ(movie->GetIdOfName(u"error"), 0x40030001);
}

TEST_F(DispatchTest, EveryNameOfEveryClassResolvesToItsDispId) {
    ContextPtr context = testing::WorldContext();
    for (const ClassDesc& c : Quibor15TypeLibrary().classes) {
        ObjectRef obj = Library::CreateInstance(c.name, context);
        for (const MemberDesc& m : c.default_interface->members) {
            std::u16string upper(m.name);
            for (auto& ch : upper)
                if (ch >= u'a' && ch <= u'z') ch = static_cast<char16_t>(ch - 32);
            EXPECT_EQ(obj->GetIdOfName(m.name), m.dispid) << testing::Narrow(c.name) << "." << testing::Narrow(m.name);
            EXPECT_EQ(obj->GetIdOfName(upper), m.dispid);
        }
        EXPECT_EQ(obj->TypeName(), String(c.name));
    }
}

TEST_F(DispatchTest, ErrorsOfMembersKeepNumberSourceAndDescription) {
    auto error = testing::ErrorOf([&] { Call(*locale, u"GetDayName", {Variant(static_cast<Integer>(9))}); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->Number(), kObjectErrorBase);
    EXPECT_EQ(error->Source(), u"Locale");
    EXPECT_EQ(error->Description(), u"Day index out of range (1-7 only)");
    EXPECT_EQ(Call(*locale, u"GetDayName", {Variant(static_cast<Integer>(1))}), Variant(u"day"));
}

TEST_F(DispatchTest, ResultsHaveTheDeclaredType) {
    EXPECT_EQ(Call(*locale, u"isValid", {}), Variant(kTrue));
    EXPECT_EQ(Call(*locale, u"LCID", {}), Variant(static_cast<Long>(1033)));
    Variant formats = Call(*locale, u"DateFormats", {});
    EXPECT_TRUE(formats.IsObject());
    EXPECT_FALSE(formats.ObjectOrThrow());
}

TEST_F(DispatchTest, StringArrayParameterRequiresAnArray) {
    EXPECT_RAISES(rt::kTypeMismatch, Call(*locale, u"ListSort", {Variant(u"not an array")}));
    Variant list(SafeArray::OneDim(VarType::String, 0, 1));
    Variant sorted = Call(*locale, u"ListSort", {Variant::ByRef(list)});
    EXPECT_TRUE(sorted.IsArray());
}

TEST_F(DispatchTest, PropertyGetIsReachedByMethodCallToo) {
    std::vector<Variant> none;
    EXPECT_EQ(locale->Invoke(0x68030006, kInvokeMethod, none), Variant(static_cast<Long>(1033)));
    EXPECT_EQ(locale->Invoke(0x68030006, kInvokePropertyGet, none), Variant(static_cast<Long>(1033)));
}

TEST_F(DispatchTest, EarlyAndLateBoundCallsReachTheSameFunction) {
    _clsQuiborLocaleA& early = *locale;
    Double d = 1;
    Integer places = 3;
    Boolean grouping = kFalse;
    EXPECT_EQ(early.FormatNumber(d, places, grouping), u"formatted");
    EXPECT_EQ(d, 2.0);
    Call(*locale, u"FormatNumber", {Variant(1.0)});
    EXPECT_EQ(locale->calls, 2);
}

TEST_F(DispatchTest, TextArgumentsAreReadInTheSystemNumberFormat) {
    auto db = sim::FixtureLocaleDatabase::Standard();
    db->SetSystemDefault(0x0407);
    auto windows = std::make_shared<sim::SimWindows>();
    windows->SetLocaleDatabase(db);
    auto german = MakeRef<RecordingLocale>(std::make_shared<Context>(nullptr, windows));
    Call(*german, u"FormatNumber", {Variant(u"2,5")});
    EXPECT_EQ(german->number, 2.5);
}

TEST(DispatchPropertyTest, SetLetAndTheirFallbacks) {
    auto wizard = MakeRef<TestWizard>(NullContext());
    auto app = MakeRef<RecordingSink>();
    const DispId app_id = wizard->GetIdOfName(u"AppObject");
    const DispId title_id = wizard->GetIdOfName(u"Title");

    std::vector<Variant> by_ref_set = {Variant(ObjectRef(app))};
    wizard->Invoke(app_id, kInvokePropertyPutRef, by_ref_set);
    EXPECT_EQ(wizard->app.Get(), app.Get());

    // An object assigned without Set to a property that only has a set.
    std::vector<Variant> nothing = {Variant::Nothing()};
    wizard->Invoke(app_id, kInvokePropertyPut, nothing);
    EXPECT_FALSE(wizard->app);
    EXPECT_EQ(wizard->set_calls, 2);
    std::vector<Variant> number = {Variant(static_cast<Long>(5))};
    EXPECT_RAISES(rt::kMemberNotSupported, wizard->Invoke(app_id, kInvokePropertyPut, number));

    // Set on a property that only has a let assigns the value.
    std::vector<Variant> text = {Variant(u"Step")};
    wizard->Invoke(title_id, kInvokePropertyPutRef, text);
    EXPECT_EQ(wizard->title, u"Step");
    std::vector<Variant> text2 = {Variant(u"Next")};
    wizard->Invoke(title_id, kInvokePropertyPut, text2);
    EXPECT_EQ(wizard->let_calls, 2);
    EXPECT_EQ(Call(*wizard, u"title", {}), Variant(u"Next"));

    std::vector<Variant> empty;
    EXPECT_RAISES(rt::kWrongArgumentCount, wizard->Invoke(title_id, kInvokePropertyPut, empty));
    std::vector<Variant> two = {Variant(u"a"), Variant(u"b")};
    EXPECT_RAISES(rt::kWrongArgumentCount, wizard->Invoke(title_id, kInvokePropertyPut, two));
    // An object passed where an object is required; a number is not one.
    std::vector<Variant> wrong = {Variant(static_cast<Long>(1))};
    EXPECT_RAISES(rt::kTypeMismatch, wizard->Invoke(app_id, kInvokePropertyPutRef, wrong));
}

TEST(DispatchPropertyTest, ByReferenceLetValue) {
    auto monitor = MakeRef<TestMonitor>(NullContext());
    Variant value(static_cast<Long>(640));
    std::vector<Variant> args = {Variant::ByRef(value)};
    monitor->Invoke(monitor->GetIdOfName(u"Left"), kInvokePropertyPut, args);
    EXPECT_EQ(monitor->left, 640);
    EXPECT_EQ(value, Variant(static_cast<Long>(-640)));
}

TEST(DispatchObjectParameterTest, TypedObjectsAreChecked) {
    auto locales = MakeRef<TestLocales>(NullContext());
    auto locale = MakeRef<RecordingLocale>(NullContext());
    Call(*locales, u"AddObj", {Variant(ObjectRef(locale))});
    ASSERT_EQ(locales->added.size(), 1u);
    EXPECT_EQ(locales->added[0].Get(), locale.Get());

    // Nothing is allowed; an object of another class and a non-object are not.
    Call(*locales, u"AddObj", {Variant::Nothing()});
    EXPECT_FALSE(locales->added.back());
    auto other = MakeRef<Pending_clsQuiborInterplayA>(NullContext());
    EXPECT_RAISES(rt::kTypeMismatch, Call(*locales, u"AddObj", {Variant(ObjectRef(other))}));
    EXPECT_RAISES(rt::kTypeMismatch, Call(*locales, u"AddObj", {Variant(u"text")}));
    EXPECT_EQ(locales->added.size(), 2u);

    // The member's assignment reaches the caller's object variable.
    locales->replace_argument = true;
    Variant variable{ObjectRef(locale)};
    Call(*locales, u"AddObj", {Variant::ByRef(variable)});
    EXPECT_TRUE(variable.IsObject());
    EXPECT_FALSE(variable.ObjectOrThrow());
}

// An object that answers to every name, as a script's class with the right
// public fields would.
class LookAlike final : public Object {
public:
    explicit LookAlike(String type_name) : type_name_(std::move(type_name)) {}
    int calls = 0;
    String TypeName() const override { return type_name_; }
    DispId GetIdOfName(std::u16string_view) override { return 1; }
    Variant Invoke(DispId, uint16_t, std::span<Variant>) override {
        ++calls;
        return Variant();
    }

private:
    String type_name_;
};

// Every object property typed as a host object kind, and the wizard's
// form, takes only an object the host runtime says is of that kind (or
// Nothing); anything else raises 13 and the property keeps its value.
TEST(DispatchObjectParameterTest, HostObjectKindsAreTheRuntimesToTell) {
    ContextPtr context = testing::WorldContext();
    auto& runtime = static_cast<headless::HeadlessRuntime&>(context->Host());
    Ref<headless::Form> form = runtime.AddForm(u"frmHost");
    const ObjectRef button(form->Add<headless::CommandButton>(u"cmdOther"));
    const ObjectRef picture(MakeRef<LookAlike>(u"Picture"));
    const struct {
        const char16_t* class_name;
        const char16_t* property;
        ObjectRef right;
        const char16_t* look_alike;  // the type name of an impostor
    } rows[] = {
        {u"clsQuiborWizardA", u"mcolFrameObjectTitles", ObjectRef(Collection::Create()), u"Collection"},
        {u"clsQuiborWizardA", u"mcolFrameObjectMessages", ObjectRef(Collection::Create()), u"Collection"},
        {u"clsQuiborWizardA", u"TopPaneTitleFont", runtime.NewFont(), u"Font"},
        {u"clsQuiborWizardA", u"TopPaneMessageFont", runtime.NewFont(), u"Font"},
        {u"clsQuiborWizardA", u"TopPanePicture", picture, u"StdPicture"},
        {u"clsQuiborWizardA", u"TopPaneBackPicture", picture, u"StdPicture"},
        {u"clsQuiborWizardA", u"BottomPaneBackPicture", picture, u"StdPicture"},
        {u"clsQuiborWizardA", u"WindowObject", ObjectRef(form), u"frmHost"},
        {u"clsQuiborMonitorsA", u"Monitors", ObjectRef(Collection::Create()), u"Collection"},
        {u"clsQuiborWUITooltipA", u"Font", runtime.NewFont(), u"Font"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Narrow(row.property));
        ObjectRef object = Library::CreateInstance(row.class_name, context);
        Call(*object, row.property, {Variant(row.right)}, kInvokePropertyPutRef);
        auto impostor = MakeRef<LookAlike>(row.look_alike);
        for (const ObjectRef& wrong : {button, ObjectRef(impostor)}) {
            EXPECT_RAISES(rt::kTypeMismatch, Call(*object, row.property, {Variant(wrong)}, kInvokePropertyPutRef));
            EXPECT_EQ(Call(*object, row.property, {}).ObjectOrThrow(), row.right);
        }
        EXPECT_EQ(impostor->calls, 0);
    }
}

TEST(DispatchObjectParameterTest, DefaultMemberWithIndex) {
    auto locales = MakeRef<TestLocales>(NullContext());
    auto locale = MakeRef<RecordingLocale>(NullContext());
    Ref<_clsQuiborLocaleA> typed(locale);
    locales->AddObj(typed);
    std::vector<Variant> index = {Variant(static_cast<Integer>(1))};
    Variant item = locales->Invoke(kDispIdValue, kCall, index);
    EXPECT_EQ(item.ObjectOrThrow().Get(), static_cast<Object*>(locale.Get()));
    EXPECT_EQ(Call(*locales, u"Count", {}), Variant(static_cast<Long>(1)));
}

class TestInternational : public Pending_clsQuiborInternationalA {
public:
    using Pending_clsQuiborInternationalA::Pending_clsQuiborInternationalA;
    Ref<TestLocales> locales = MakeRef<TestLocales>(NullContext());
    Ref<_clsQuiborLocalesA> get_Locales() override { return locales; }
    Ref<_clsQuiborLocaleA> get_SystemDefault() override { return nullptr; }
};

TEST(DispatchObjectParameterTest, ArgumentsOfAnObjectPropertyGoToItsDefaultMember) {
    auto international = MakeRef<TestInternational>(NullContext());
    auto locale = MakeRef<RecordingLocale>(NullContext());
    Ref<_clsQuiborLocaleA> typed(locale);
    international->locales->AddObj(typed);
    Variant item = Call(*international, u"Locales", {Variant(static_cast<Integer>(1))});
    EXPECT_EQ(item.ObjectOrThrow().Get(), static_cast<Object*>(locale.Get()));
    // Not for results that are not objects, nor for Nothing.
    EXPECT_RAISES(rt::kWrongArgumentCount, Call(*international->locales, u"Count", {Variant(1.0)}));
    EXPECT_RAISES(rt::kObjectNotSet, Call(*international, u"SystemDefault", {Variant(1.0)}));
}

// The interface at hand: releases the caller's last reference from inside
// a member, then keeps using its own state.
class ReleasesItselfInCall : public Pending_clsQuiborInterplayA {
public:
    ReleasesItselfInCall(ContextPtr context, ObjectRef* holder, bool* destroyed)
        : Pending_clsQuiborInterplayA(std::move(context)), holder_(holder), destroyed_(destroyed) {}
    ~ReleasesItselfInCall() override { *destroyed_ = true; }

    Variant ActiveUI() override {
        holder_->Reset();
        alive_in_call_ = !*destroyed_;
        return Variant(alive_in_call_ ? kTrue : kFalse);
    }

private:
    ObjectRef* holder_;
    bool* destroyed_;
    bool alive_in_call_ = false;
};

TEST(DispatchLifetimeTest, ReleaseInsideACallDoesNotDestroyTheObjectMidCall) {
    bool destroyed = false;
    ObjectRef holder(MakeRef<ReleasesItselfInCall>(NullContext(), &holder, &destroyed));
    Object* raw = holder.Get();
    std::vector<Variant> none;
    Variant result = raw->Invoke(raw->GetIdOfName(u"ActiveUI"), kCall, none);
    EXPECT_EQ(result, Variant(kTrue));
    EXPECT_TRUE(destroyed);  // once the call returned
}

TEST(DispatchEventTest, EventsReachSinksWithByReferenceArguments) {
    auto wizard = MakeRef<TestWizard>(NullContext());
    auto sink = MakeRef<RecordingSink>();
    sink->on_event = [](DispId id, std::span<Variant> args) {
        if (id == 33) args[0].Assign(Variant(static_cast<Integer>(-1)));
    };
    uint32_t cookie = wizard->Advise(ObjectRef(sink));
    EXPECT_NE(cookie, 0u);

    Integer cancel = 0;
    wizard->RaiseFinishFrameButtonClick(cancel);
    EXPECT_EQ(cancel, -1);
    Integer index = 4;
    wizard->RaiseAfterFrameShow(index);
    Integer button = 1, shift = 2;
    Single x = 10.5f, y = 20.25f;
    wizard->RaiseTopPaneMouseDown(button, shift, x, y);
    ASSERT_EQ(sink->events.size(), 3u);
    EXPECT_EQ(sink->events[0].id, 33);
    EXPECT_EQ(sink->events[1].id, 7);
    EXPECT_EQ(sink->events[1].args[0], Variant(static_cast<Integer>(4)));
    EXPECT_EQ(sink->events[2].id, 25);
    EXPECT_EQ(sink->events[2].args[3], Variant(20.25f));

    EXPECT_EQ(wizard->EventName(33), u"FinishFrameButtonClick");
    EXPECT_EQ(wizard->EventName(1), u"FirstFrameButtonClick");
    EXPECT_EQ(wizard->EventName(32), u"BottomPaneMouseUp");
    EXPECT_EQ(wizard->EventName(34), u"");

    wizard->Unadvise(cookie);
    wizard->RaiseNextFrameButtonClick();
    EXPECT_EQ(sink->events.size(), 3u);
}

TEST(DispatchEventTest, HandlerValuesOfAnotherTypeAreConvertedBack) {
    auto wizard = MakeRef<TestWizard>(NullContext());
    auto sink = MakeRef<RecordingSink>();
    sink->on_event = [](DispId, std::span<Variant> args) { args[0].Assign(Variant(u"-1")); };
    wizard->Advise(ObjectRef(sink));
    Integer cancel = 0;
    wizard->RaiseFinishFrameButtonClick(cancel);
    EXPECT_EQ(cancel, -1);
}

TEST(DispatchEventTest, ReleasingTheRaiserInsideAHandlerIsSafe) {
    bool destroyed = false;
    ObjectRef holder(MakeRef<TestWizard>(NullContext()));
    auto* wizard = static_cast<TestWizard*>(holder.Get());
    wizard->on_destroy = [&] { destroyed = true; };
    auto sink = MakeRef<RecordingSink>();
    sink->on_event = [&](DispId, std::span<Variant>) {
        holder.Reset();
        EXPECT_FALSE(destroyed);
    };
    wizard->Advise(ObjectRef(sink));
    wizard->RaiseNextFrameButtonClick();
    EXPECT_TRUE(destroyed);
}

TEST(DispatchEventTest, ClassesWithoutEventsDoNotConnect) {
    auto locale = MakeRef<RecordingLocale>(NullContext());
    EXPECT_EQ(locale->Advise(ObjectRef(MakeRef<RecordingSink>())), 0u);
    EXPECT_EQ(locale->EventName(1), u"");
}

}  // namespace
}  // namespace quibor15
