// What building the locale catalogue costs on the ICU database: probing the
// 2,121 candidate identifiers and reading, for each installed one, the values
// and picture lists the catalogue reads. The database answers these from the
// table the build made; BM_IcuCatalogueLive is the same work asked of ICU.
#include <benchmark/benchmark.h>

#include "../platform/icu/icu_locale_database.hpp"

namespace {

using quibor15::icu_backend::IcuLocaleDatabase;

void BuildCatalogue(const IcuLocaleDatabase& db, benchmark::State& state) {
    int installed = 0;
    for (int32_t primary = 0; primary <= 100; ++primary) {
        for (int32_t sub = 0; sub <= 20; ++sub) {
            const int32_t lcid = sub * 1024 | primary;
            if (!db.IsInstalled(lcid)) continue;
            ++installed;
            benchmark::DoNotOptimize(db.GetInfo(lcid, 0x1009));  // calendar type
            benchmark::DoNotOptimize(db.GetInfo(lcid, 0x3));     // abbreviation
            benchmark::DoNotOptimize(db.DatePictures(lcid, quibor15::lcflags::kDateShortDate));
            benchmark::DoNotOptimize(db.DatePictures(lcid, quibor15::lcflags::kDateLongDate));
            benchmark::DoNotOptimize(db.TimePictures(lcid));
        }
    }
    state.counters["installed"] = installed;
}

// A fresh database each time: the first catalogue a process builds.
void BM_IcuCatalogueCold(benchmark::State& state) {
    for (auto _ : state) {
        IcuLocaleDatabase db;
        BuildCatalogue(db, state);
    }
}
BENCHMARK(BM_IcuCatalogueCold)->Unit(benchmark::kMillisecond);

// A fresh database that works every answer out from ICU, as the database
// did before the table and as the build does to make it.
void BM_IcuCatalogueLive(benchmark::State& state) {
    for (auto _ : state) {
        IcuLocaleDatabase db(IcuLocaleDatabase::kEnglishUnitedStates, IcuLocaleDatabase::Answers::kLive);
        BuildCatalogue(db, state);
    }
}
BENCHMARK(BM_IcuCatalogueLive)->Unit(benchmark::kMillisecond);

// One database shared by every catalogue, as the component keeps it.
void BM_IcuCatalogueWarm(benchmark::State& state) {
    IcuLocaleDatabase db;
    for (auto _ : state) BuildCatalogue(db, state);
}
BENCHMARK(BM_IcuCatalogueWarm)->Unit(benchmark::kMillisecond);

void BM_IcuFormatLongDate(benchmark::State& state) {
    IcuLocaleDatabase db;
    const quibor15::SystemTime date{2010, 11, 0, 26, 13, 5, 9, 0};
    for (auto _ : state)
        benchmark::DoNotOptimize(db.FormatDate(0x0409, quibor15::lcflags::kDateLongDate, date, nullptr));
}
BENCHMARK(BM_IcuFormatLongDate);

}  // namespace
