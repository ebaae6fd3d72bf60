// ReplaceAll, FieldCount and FieldAt over texts of 1 MB and 10 MB holding 100,000 and
// 1,000,000 occurrences: the time must grow with the text, not with text x occurrences.
#include <benchmark/benchmark.h>

#include <string>

#include "textutil/text.h"

namespace {

// `occurrences` copies of a ten-byte unit holding the pattern: 100,000 make 1 MB.
std::string TextWith(int64_t occurrences) {
  std::string text;
  text.reserve(static_cast<size_t>(occurrences) * 10);
  for (int64_t i = 0; i < occurrences; ++i) text += "ab ~CTLID~";
  return text;
}

void BM_ReplaceAll(benchmark::State& state) {
  std::string text = TextWith(state.range(0));
  for (auto _ : state) {
    std::string result = fw::ReplaceAll("~CTLID~", "IDC_BUTTON1", text);
    benchmark::DoNotOptimize(result.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}

void BM_FieldCount(benchmark::State& state) {
  std::string text = TextWith(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(fw::FieldCount(text, "~CTLID~"));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}

void BM_FieldAtLast(benchmark::State& state) {
  std::string text = TextWith(state.range(0));
  for (auto _ : state) {
    benchmark::DoNotOptimize(fw::FieldAt(text, "~CTLID~", state.range(0)));
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}

BENCHMARK(BM_ReplaceAll)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FieldCount)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FieldAtLast)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
