// The cost of reaching one member three ways: late bound by name (name
// lookup, then the call), late bound by DISPID, and early bound through the
// class interface's virtual function. The member is clsQuiborInterplayA's
// PlayMethod, whose own work is negligible, so the figures are the calling
// machinery itself.
#include <benchmark/benchmark.h>

#include <vector>

#include "quibor15/library.hpp"

namespace {

using namespace quibor15;

struct Interplay {
    Library library{std::make_shared<Context>(nullptr, nullptr)};
    Ref<_clsQuiborInterplayA> object =
        RefCast<_clsQuiborInterplayA>(library.CreateObject(u"quibor15.clsQuiborInterplayA"));
};

constexpr uint16_t kGet = kInvokeMethod | kInvokePropertyGet;

void LateBoundByNameGet(benchmark::State& state) {
    Interplay p;
    std::vector<Variant> none;
    for (auto _ : state) {
        DispId id = p.object->GetIdOfName(u"playmethod");
        Variant result = p.object->Invoke(id, kGet, none);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(LateBoundByNameGet);

void LateBoundByDispIdGet(benchmark::State& state) {
    Interplay p;
    std::vector<Variant> none;
    for (auto _ : state) {
        Variant result = p.object->Invoke(0x68030000, kGet, none);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(LateBoundByDispIdGet);

void EarlyBoundGet(benchmark::State& state) {
    Interplay p;
    _clsQuiborInterplayA* object = p.object.Get();
    for (auto _ : state) {
        benchmark::DoNotOptimize(object);
        Long value = object->get_PlayMethod();
        benchmark::DoNotOptimize(value);
    }
}
BENCHMARK(EarlyBoundGet);

void LateBoundByNameLet(benchmark::State& state) {
    Interplay p;
    std::vector<Variant> args(1);
    Long i = 0;
    for (auto _ : state) {
        args[0] = Variant(++i);
        DispId id = p.object->GetIdOfName(u"PlayMethod");
        p.object->Invoke(id, kInvokePropertyPut, args);
    }
    benchmark::DoNotOptimize(p.object->get_PlayMethod());
}
BENCHMARK(LateBoundByNameLet);

void LateBoundByDispIdLet(benchmark::State& state) {
    Interplay p;
    std::vector<Variant> args(1);
    Long i = 0;
    for (auto _ : state) {
        args[0] = Variant(++i);
        p.object->Invoke(0x68030000, kInvokePropertyPut, args);
    }
    benchmark::DoNotOptimize(p.object->get_PlayMethod());
}
BENCHMARK(LateBoundByDispIdLet);

void EarlyBoundLet(benchmark::State& state) {
    Interplay p;
    _clsQuiborInterplayA* object = p.object.Get();
    Long i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(object);
        object->let_PlayMethod(++i);
    }
    benchmark::DoNotOptimize(object->get_PlayMethod());
}
BENCHMARK(EarlyBoundLet);

// A converted argument: the value arrives as text and is read as a Long.
void LateBoundByDispIdLetConverted(benchmark::State& state) {
    Interplay p;
    std::vector<Variant> args(1);
    for (auto _ : state) {
        args[0] = Variant(u"12345");
        p.object->Invoke(0x68030000, kInvokePropertyPut, args);
    }
    benchmark::DoNotOptimize(p.object->get_PlayMethod());
}
BENCHMARK(LateBoundByDispIdLetConverted);

}  // namespace
