// Form-definition benchmarks (host): reading the main-window-sized
// definition against its bare parse and a plain hex decode of the same
// text; writing it back; by-name property reads against direct calls.
#include <benchmark/benchmark.h>

#include <cstring>

#include "bench/core/form_definition.h"
#include "framework/core/form_reader.h"
#include "framework/core/form_syntax.h"
#include "framework/core/form_writer.h"
#include "framework/core/property_access.h"
#include "tests/framework/core/sample_classes.h"

namespace {

void SetBytes(benchmark::State& state) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(BenchDefinition().size()));
}

// The whole read: parse, create 200 components, apply, resolve, Loaded.
void BM_ReadDefinition(benchmark::State& state) {
    RegisterSampleClasses();
    for (auto _ : state) {
        TSampleForm form;
        ReadFormDefinition(form, BenchDefinition());
        benchmark::DoNotOptimize(form.ComponentCount());
    }
    SetBytes(state);
}
BENCHMARK(BM_ReadDefinition);

// Baseline: the syntax tree only.
void BM_ParseOnly(benchmark::State& state) {
    for (auto _ : state) {
        TFormObject def = ParseFormDefinition(BenchDefinition());
        benchmark::DoNotOptimize(def.children.size());
    }
    SetBytes(state);
}
BENCHMARK(BM_ParseOnly);

// Baseline: one pass over the text turning hex digit pairs into bytes.
void BM_HexScanBaseline(benchmark::State& state) {
    const std::string& text = BenchDefinition();
    std::vector<uint8_t> out(text.size() / 2);
    for (auto _ : state) {
        size_t n = 0;
        int high = -1;
        for (char c : text) {
            int v = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
            if (v < 0)
                continue;
            if (high < 0) {
                high = v;
            } else {
                out[n++] = static_cast<uint8_t>(high * 16 + v);
                high = -1;
            }
        }
        benchmark::DoNotOptimize(n);
        benchmark::DoNotOptimize(out.data());
    }
    SetBytes(state);
}
BENCHMARK(BM_HexScanBaseline);

void BM_WriteDefinition(benchmark::State& state) {
    RegisterSampleClasses();
    TSampleForm form;
    ReadFormDefinition(form, BenchDefinition());
    for (auto _ : state) {
        std::string text = WriteFormDefinition(form);
        benchmark::DoNotOptimize(text.data());
    }
    SetBytes(state);
}
BENCHMARK(BM_WriteDefinition);

// By-name reads of an inherited property ("Tag") and an own one ("Layout").
void BM_ReadPropertyByName(benchmark::State& state) {
    TSampleButton b(nullptr);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadIntegerProperty(&b, "tag"));
        benchmark::DoNotOptimize(ReadEnumerationProperty(&b, "layout"));
    }
}
BENCHMARK(BM_ReadPropertyByName);

void BM_ReadPropertyDirectBaseline(benchmark::State& state) {
    TSampleButton b(nullptr);
    TSampleButton* p = &b;
    benchmark::DoNotOptimize(p);
    for (auto _ : state) {
        benchmark::DoNotOptimize(p->Tag());
        benchmark::DoNotOptimize(EnumInfo(p->Layout).Name(p->Layout));
    }
}
BENCHMARK(BM_ReadPropertyDirectBaseline);

} // namespace
