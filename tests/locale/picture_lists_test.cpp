// The date and time picture lists a locale builds when it is initialised,
// and the scratch lists that the enumeration callbacks fill.
#include "locale/picture_lists.hpp"

#include "tests/locale/locale_world.hpp"

namespace quibor15::locale_testing {
namespace {

using locale_services::PictureScratch;

struct Entry {
    Long type;
    String picture;
    friend bool operator==(const Entry&, const Entry&) = default;
    friend std::ostream& operator<<(std::ostream& os, const Entry& e) {
        return os << e.type << ":" << std::string(e.picture.begin(), e.picture.end());
    }
};

std::vector<Entry> EntriesOf(const Ref<_clsQuiborDTFormatsA>& list) {
    std::vector<Entry> entries;
    for (Long k = 1; k <= list->get_Count(); ++k) {
        Variant index(k);
        auto format = list->get_Item(index);
        entries.push_back({format->get_DTFType(), format->get_DTFormat()});
    }
    return entries;
}

TEST(PictureListsOnIcu, EnglishUnitedStatesShortPicturesThenLongPictures) {
    auto enu = Item(SharedIcuCatalogue()->get_Locales(), u"ENU");
    const std::vector<Entry> dates = {{1, u"M/d/yyyy"},      {1, u"M/d/yy"},
                                      {1, u"MM/dd/yy"},      {1, u"MM/dd/yyyy"},
                                      {1, u"yy/MM/dd"},      {1, u"yyyy-MM-dd"},
                                      {1, u"dd-MMM-yy"},     {0, u"dddd, MMMM dd, yyyy"},
                                      {0, u"MMMM dd, yyyy"}, {0, u"dddd, dd MMMM, yyyy"},
                                      {0, u"dd MMMM, yyyy"}};
    EXPECT_EQ(EntriesOf(enu->get_DateFormats()), dates);
    const std::vector<Entry> times = {{2, u"h:mm:ss tt"}, {2, u"hh:mm:ss tt"}, {2, u"H:mm:ss"}, {2, u"HH:mm:ss"}};
    EXPECT_EQ(EntriesOf(enu->get_TimeFormats()), times);
    // The same list objects on every read.
    EXPECT_EQ(enu->get_DateFormats().Get(), enu->get_DateFormats().Get());
    EXPECT_EQ(enu->get_TimeFormats().Get(), enu->get_TimeFormats().Get());
}

TEST(PictureListsOnIcu, EveryCataloguedLocaleHasItsDefaultsFirstAndOnlyTimesInItsTimeList) {
    auto world = IcuWorld();
    auto locales = SharedIcuCatalogue()->get_Locales();
    for (Long k = 1; k <= locales->get_Count(); ++k) {
        auto locale = Item(locales, Variant(k));
        const auto dates = EntriesOf(locale->get_DateFormats());
        const auto times = EntriesOf(locale->get_TimeFormats());
        ASSERT_FALSE(dates.empty());
        EXPECT_EQ(dates.front(), (Entry{1, locale->get_ShortDateFormat()}));
        bool long_seen = false;
        for (const Entry& e : dates) {
            ASSERT_TRUE(e.type == 0 || e.type == 1);
            if (e.type == 0) long_seen = true;
            EXPECT_FALSE(long_seen && e.type == 1) << "a short picture after a long one";
        }
        for (const Entry& e : times) EXPECT_EQ(e.type, 2);
        // The scratch lists are gone between two initialisations.
        const PictureScratch& scratch = world.context->ModuleState<PictureScratch>();
        EXPECT_FALSE(scratch.short_dates || scratch.long_dates || scratch.times);
    }
}

class PictureListsOnFixture : public testing::Test {
protected:
    std::shared_ptr<sim::FixtureLocaleDatabase> db_ = sim::FixtureLocaleDatabase::Standard();
};

TEST_F(PictureListsOnFixture, FourEntriesInOrder) {
    db_->AddEnglishUnitedStates()
        .ShortDates({u"M/d/yyyy", u"M/d/yy"})
        .LongDates({u"dddd, MMMM dd, yyyy", u"MMMM dd, yyyy"})
        .Times({u"h:mm:ss tt"});
    auto world = FixtureWorld(db_);
    auto locale = world.Locale(kEnUs);
    const std::vector<Entry> dates = {
        {1, u"M/d/yyyy"}, {1, u"M/d/yy"}, {0, u"dddd, MMMM dd, yyyy"}, {0, u"MMMM dd, yyyy"}};
    EXPECT_EQ(EntriesOf(locale->get_DateFormats()), dates);
    EXPECT_EQ(EntriesOf(locale->get_TimeFormats()), (std::vector<Entry>{{2, u"h:mm:ss tt"}}));
}

// The list objects are made when a list is first read, from the pictures
// the platform enumerated when the locale was initialised.
TEST_F(PictureListsOnFixture, ListsHoldThePicturesOfTheInitialisation) {
    db_->AddEnglishUnitedStates().ShortDates({u"M/d/yyyy", u"M/d/yy"}).LongDates({}).Times({u"h:mm:ss tt"});
    auto world = FixtureWorld(db_);
    auto locale = world.Locale(kEnUs);
    db_->Locale(kEnUs).ShortDates({u"yyyy-MM-dd"}).Times({u"HH:mm"});
    ASSERT_EQ(db_->TimePictures(kEnUs), (std::vector<String>{u"HH:mm"}));
    EXPECT_EQ(EntriesOf(locale->get_DateFormats()), (std::vector<Entry>{{1, u"M/d/yyyy"}, {1, u"M/d/yy"}}));
    EXPECT_EQ(EntriesOf(locale->get_TimeFormats()), (std::vector<Entry>{{2, u"h:mm:ss tt"}}));
}

TEST_F(PictureListsOnFixture, ASingleLongPictureIsLeftOut) {
    db_->AddEnglishUnitedStates().ShortDates({u"M/d/yyyy", u"M/d/yy"}).LongDates({u"dddd, MMMM dd, yyyy"});
    auto world = FixtureWorld(db_);
    auto locale = world.Locale(kEnUs);
    EXPECT_EQ(EntriesOf(locale->get_DateFormats()), (std::vector<Entry>{{1, u"M/d/yyyy"}, {1, u"M/d/yy"}}));
    // The long default still parses names.
    String text = u"Friday, November 26, 2010";
    EXPECT_EQ(locale->LocaleCDate(text), DateFromParts(2010, 11, 26));
}

TEST_F(PictureListsOnFixture, ALocaleWithoutPicturesHasEmptyLists) {
    db_->Locale(0x0413).Info(sim::lc::kSAbbrevLangName, u"NLD");
    auto world = FixtureWorld(db_);
    auto locale = world.Locale(0x0413);
    ASSERT_TRUE(locale->get_DateFormats());
    ASSERT_TRUE(locale->get_TimeFormats());
    EXPECT_EQ(locale->get_DateFormats()->get_Count(), 0);
    EXPECT_EQ(locale->get_TimeFormats()->get_Count(), 0);
}

TEST_F(PictureListsOnFixture, ASecondLocaleStartsFromEmptyLists) {
    db_->Locale(0x0413)
        .Info(sim::lc::kSAbbrevLangName, u"NLD")
        .ShortDates({u"d-M-yyyy"})
        .LongDates({u"dddd d MMMM yyyy", u"d MMMM yyyy"})
        .Times({u"H:mm"});
    auto world = FixtureWorld(db_);
    auto english = world.Locale(kEnUs);
    auto dutch = world.Locale(0x0413);
    EXPECT_EQ(EntriesOf(dutch->get_DateFormats()),
              (std::vector<Entry>{{1, u"d-M-yyyy"}, {0, u"dddd d MMMM yyyy"}, {0, u"d MMMM yyyy"}}));
    EXPECT_EQ(EntriesOf(dutch->get_TimeFormats()), (std::vector<Entry>{{2, u"H:mm"}}));
    // and the first locale's lists are its own still
    EXPECT_EQ(english->get_DateFormats()->get_Count(), 11);
    EXPECT_EQ(english->get_TimeFormats()->get_Count(), 4);
}

TEST_F(PictureListsOnFixture, AnUninstalledLocaleHasNoListsAndEmptyTexts) {
    db_->Locale(0x0413).Info(sim::lc::kSAbbrevLangName, u"NLD").ShortDates({u"d-M-yyyy"}).Installed(false);
    auto world = FixtureWorld(db_);
    for (Long lcid : {0x0413, 0x0455}) {
        auto locale = world.Locale(lcid);
        EXPECT_FALSE(locale->get_DateFormats());
        EXPECT_FALSE(locale->get_TimeFormats());
        EXPECT_EQ(locale->get_isValid(), kFalse);
        EXPECT_EQ(locale->get_LCID(), lcid);
    }
    auto missing = world.Locale(0x0455);
    EXPECT_EQ(missing->get_AbbrevLangName(), u"");
    EXPECT_EQ(missing->get_FullName(), u"");
    EXPECT_EQ(missing->get_ShortDateFormat(), u"");
    // No list to walk: the parse fails with the parse error.
    String text = u"1/1/2010";
    const auto e = ErrorOf([&] { missing->LocaleCDate(text); });
    EXPECT_EQ(e.number, static_cast<int32_t>(0x80040001u));
    EXPECT_EQ(e.source, u"Locale ");
}

TEST_F(PictureListsOnFixture, PicturesAreCutAtTheirNulAndToTheBuffer) {
    String long_picture(300, u'd');
    db_->AddEnglishUnitedStates().ShortDates({String(u"M/d/yyyy\0junk", 13), u"M/d/yy"}).Times({long_picture});
    auto world = FixtureWorld(db_);
    auto locale = world.Locale(kEnUs);
    auto dates = EntriesOf(locale->get_DateFormats());
    ASSERT_GE(dates.size(), 2u);
    EXPECT_EQ(dates[0].picture, u"M/d/yyyy");
    auto times = EntriesOf(locale->get_TimeFormats());
    ASSERT_EQ(times.size(), 1u);
    EXPECT_EQ(times[0].picture, String(254, u'd'));
}

TEST_F(PictureListsOnFixture, AnOverflowingCountLeavesNoPicturesForTheNextLocale) {
    // 32768 time pictures: the count passes 32767 and the build of this
    // locale fails with an overflow.
    std::vector<String> many;
    for (int k = 0; k < 32768; ++k) many.push_back(u"H:mm:" + DecimalText(int64_t{k}));
    db_->AddEnglishUnitedStates().Times(many);
    auto world = FixtureWorld(db_);
    auto english = MakeRef<clsQuiborLocaleA>(world.context);
    Long primary = 9, sub = 1;
    EXPECT_RAISES(6, english->InitLocale(primary, sub));
    EXPECT_FALSE(english->get_DateFormats());
    const PictureScratch& scratch = world.context->ModuleState<PictureScratch>();
    EXPECT_FALSE(scratch.short_dates || scratch.long_dates || scratch.times);
    // The next locale's time list holds its own pictures only.
    auto german = world.Locale(kDeDe);
    std::vector<Entry> expected;
    for (const String& picture : db_->TimePictures(kDeDe)) expected.push_back({2, picture});
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(EntriesOf(german->get_TimeFormats()), expected);
}

TEST(PictureCallbacks, FillTheChosenListFromTheSecondSlot) {
    PictureScratch scratch;
    scratch.long_mode = false;
    locale_services::DatePictureCallback(scratch, u"a");
    scratch.long_mode = true;
    locale_services::DatePictureCallback(scratch, u"b");
    locale_services::DatePictureCallback(scratch, u"c");
    locale_services::TimePictureCallback(scratch, u"t");
    ASSERT_TRUE(scratch.short_dates && scratch.long_dates && scratch.times);
    EXPECT_EQ(*scratch.short_dates, (std::vector<String>{u"", u"a"}));
    EXPECT_EQ(*scratch.long_dates, (std::vector<String>{u"", u"b", u"c"}));
    EXPECT_EQ(*scratch.times, (std::vector<String>{u"", u"t"}));
    EXPECT_EQ(scratch.short_count, 1);
    EXPECT_EQ(scratch.long_count, 2);
    EXPECT_EQ(scratch.time_count, 1);
    locale_services::ReleasePictureLists(scratch);
    EXPECT_FALSE(scratch.short_dates || scratch.long_dates || scratch.times);
}

TEST(PictureCallbacks, ACountAt32767Overflows) {
    PictureScratch scratch;
    scratch.time_count = 32767;
    EXPECT_RAISES(6, locale_services::TimePictureCallback(scratch, u"H"));
    EXPECT_EQ(scratch.time_count, 32767);
}

TEST(DTFormats, AddReturnsTheSameObjectAndKeepsOrder) {
    auto world = FixtureWorld(sim::FixtureLocaleDatabase::Standard());
    auto locale = world.Locale(kEnUs);
    auto list = locale->get_DateFormats();
    const Long count = list->get_Count();
    Ref<_clsQuiborDTFormatA> mine = MakeRef<clsQuiborDTFormatA>(world.context);
    EXPECT_EQ(mine->get_DTFType(), 0);
    EXPECT_EQ(mine->get_DTFormat(), u"");
    String picture = u"yyyy";
    mine->let_DTFormat(picture);
    mine->let_DTFType(77);  // plain storage: no check
    EXPECT_EQ(list->Add(mine).Get(), mine.Get());
    EXPECT_EQ(list->get_Count(), count + 1);
    Variant last(count + 1);
    EXPECT_EQ(list->get_Item(last).Get(), mine.Get());
    EXPECT_EQ(locale->get_DateFormats()->get_Count(), count + 1);
    EXPECT_EQ(mine->get_DTFType(), 77);
    // Entries have no keys; positions outside the list fail.
    Variant key(u"yyyy");
    EXPECT_RAISES(5, list->get_Item(key));
    Variant zero(Long{0});
    EXPECT_RAISES(9, list->get_Item(zero));
    list->Remove(last);
    EXPECT_EQ(list->get_Count(), count);
    EXPECT_RAISES(9, list->Remove(last));
}

}  // namespace
}  // namespace quibor15::locale_testing
