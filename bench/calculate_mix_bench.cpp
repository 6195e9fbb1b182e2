// One whole "Calcular" against the number conversions it cannot do without.
//
// A calculation with a class selected converts 16 texts to doubles and 20
// doubles to texts (two leading numbers, two whole-text checks, three
// patterned rewrites of the inputs and the volume, one read-back of the
// volume, and eight quantities written then patterned). The floor makes the
// same 36 bare std::from_chars and std::to_chars calls on the same kind of
// texts and values, so the ratio of the two is the cost of everything else.

#include <benchmark/benchmark.h>

#include <array>
#include <charconv>
#include <string_view>

#include "quelvaris/calculate_mix.h"

namespace {

const quelvaris::MixInputs kInputs{"25", "0.12", 2};

void BM_CalculateMix(benchmark::State& state) {
  for (auto _ : state) {
    auto results = quelvaris::calculateMix(kInputs);
    benchmark::DoNotOptimize(results);
  }
}
BENCHMARK(BM_CalculateMix);

// The texts read and the values written by the calculation above.
constexpr std::array<std::string_view, 16> kTexts{"0.12",  "25",
                                                  "25",    "0.12",
                                                  "3",     "3.00",
                                                  "25",    "0.12",
                                                  "3.00",  "21.24",
                                                  "1.062", "80",
                                                  "1.44",  "111.666666666667",
                                                  "2.01",  "38.3333333333333"};
constexpr std::array<double, 20> kValues{3.0,
                                         3.0,
                                         25.0,
                                         0.12,
                                         21.24,
                                         21.24,
                                         1.062,
                                         1.062,
                                         80.0,
                                         80.0,
                                         1.44,
                                         1.44,
                                         111.66666666666667,
                                         111.666666666667,
                                         2.01,
                                         2.01,
                                         38.333333333333336,
                                         38.3333333333333,
                                         690.0,
                                         690.0};

void BM_ConversionFloor(benchmark::State& state) {
  std::array<char, 32> buffer;
  for (auto _ : state) {
    for (std::string_view text : kTexts) {
      double value = 0;
      std::from_chars(text.data(), text.data() + text.size(), value);
      benchmark::DoNotOptimize(value);
    }
    for (std::size_t i = 0; i < kValues.size(); ++i) {
      // Nine first writes in the shortest 15-digit form; eleven 15-digit
      // scientific forms that the patterns round.
      const bool firstWrite = i < 9;
      const auto written =
          std::to_chars(buffer.data(), buffer.data() + buffer.size(), kValues[i],
                        firstWrite ? std::chars_format::general : std::chars_format::scientific,
                        firstWrite ? 15 : 14);
      // Non-const lvalues: Google Benchmark 1.9 (Debian 13) deprecates the
      // const overload, and warnings are errors here.
      char* end = written.ptr;
      benchmark::DoNotOptimize(end);
      benchmark::DoNotOptimize(buffer);
    }
  }
}
BENCHMARK(BM_ConversionFloor);

}  // namespace

BENCHMARK_MAIN();
