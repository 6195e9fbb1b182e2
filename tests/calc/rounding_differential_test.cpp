// Checks the conversions against independent ones on tens of thousands of
// random values: the C library's correctly rounded printf for the 15-digit
// step, and whole-number arithmetic on the decimal digits for the patterns.

#include <gtest/gtest.h>

#include <bit>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <locale>
#include <random>
#include <sstream>
#include <string>

#include "quelvaris/numeric_text.h"

namespace quelvaris {
namespace {

constexpr int kRounds = 40'000;

std::string printfText(const char* format, double x) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, format, x);
  return buffer;
}

std::int64_t powerOfTen(int exponent) {
  std::int64_t result = 1;
  for (int i = 0; i < exponent; ++i) result *= 10;
  return result;
}

// Commas every three digits, by the standard library's own grouping.
struct CommaGrouping : std::numpunct<char> {
  char do_thousands_sep() const override { return ','; }
  std::string do_grouping() const override { return "\3"; }
};

// What a pattern must show for the signed whole number `scaled` of hundredths,
// tenths or units: the reference rendering of the three patterns.
std::string expectedText(bool negative, std::int64_t scaled, Pattern pattern) {
  std::ostringstream out;
  if (negative && scaled != 0) out << '-';
  switch (pattern) {
    case Pattern::TwoDecimals:
      out << scaled / 100 << '.' << scaled % 100 / 10 << scaled % 10;
      break;
    case Pattern::GroupedInteger:
      out.imbue(std::locale(out.getloc(), new CommaGrouping));
      if (scaled != 0) out << scaled;
      break;
    case Pattern::OneDecimal:
      if (scaled >= 10) out << scaled / 10;
      out << '.' << scaled % 10;
      break;
  }
  return out.str();
}

int decimalsOf(Pattern pattern) {
  return pattern == Pattern::TwoDecimals ? 2 : pattern == Pattern::OneDecimal ? 1 : 0;
}

// digits x 10^-shift rounded to the pattern's decimals, halves away from zero.
std::int64_t roundedScaled(std::int64_t digits, int shift, Pattern pattern) {
  const int dropped = shift - decimalsOf(pattern);
  if (dropped <= 0) return digits * powerOfTen(-dropped);
  const std::int64_t unit = powerOfTen(dropped);
  return digits / unit + (2 * (digits % unit) >= unit ? 1 : 0);
}

constexpr Pattern kPatterns[] = {Pattern::TwoDecimals, Pattern::GroupedInteger,
                                 Pattern::OneDecimal};

TEST(RoundingDifferential, NumberToTextMatchesPrintfOnRandomDoubles) {
  std::mt19937_64 random(20261207);
  for (int i = 0; i < kRounds; ++i) {
    const double x = std::bit_cast<double>(random());
    if (!std::isfinite(x)) continue;
    const std::string text = numberToText(x);
    ASSERT_EQ(text, printfText("%.15g", x));
    if (isDisplayable(x)) {
      ASSERT_TRUE(std::isfinite(parseNumericText(text).value_or(NAN))) << text;
    }
  }
}

TEST(RoundingDifferential, PatternsRoundThe15DigitFormOfRandomDoubles) {
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> exponent(-4, 13);
  for (int i = 0; i < kRounds; ++i) {
    const double x = (random() % 2 ? -1 : 1) * std::pow(10.0, exponent(random));
    // "%.14e" gives the 15 correctly rounded digits d.dddddddddddddd and the exponent.
    const std::string reference = printfText("%.14e", std::abs(x));
    const std::int64_t digits = std::stoll(reference.substr(0, 1) + reference.substr(2, 14));
    const int shift = 14 - std::stoi(reference.substr(17));
    for (Pattern pattern : kPatterns) {
      ASSERT_EQ(formatPattern(numberToText(x), pattern),
                expectedText(x < 0, roundedScaled(digits, shift, pattern), pattern))
          << numberToText(x) << " (" << reference << ")";
    }
  }
}

// Random 15-digit decimals typed as text, half of them an exact half at the
// pattern's rounding digit: the doubles of those lie on either side of it.
TEST(RoundingDifferential, PatternsRoundHalvesAtThe15thDigitAwayFromZero) {
  std::mt19937_64 random(15);
  std::uniform_int_distribution<std::int64_t> fifteenDigits(100'000'000'000'000,
                                                            999'999'999'999'999);
  for (int i = 0; i < kRounds; ++i) {
    const Pattern pattern = kPatterns[i % 3];
    const int shift = 1 + static_cast<int>(random() % 16);  // decimals in the typed text
    std::int64_t digits = fifteenDigits(random);
    const int dropped = shift - decimalsOf(pattern);
    if (i % 2 == 0 && dropped > 0 && dropped <= 15) {
      const std::int64_t unit = powerOfTen(dropped);
      digits = digits / unit * unit + unit / 2;
    }
    // Built by concatenation: GCC 12 at -O3 warns falsely (-Wrestrict) on
    // std::string::insert here.
    const std::string written = std::to_string(digits);
    const bool negative = random() % 2;
    const std::string sign = negative ? "-" : "";
    const std::string text =
        shift >= 15 ? sign + "0." + std::string(shift - 15, '0') + written
                    : sign + written.substr(0, written.size() - shift) + "." +
                          written.substr(written.size() - shift);
    ASSERT_EQ(formatPattern(text, pattern),
              expectedText(negative, roundedScaled(digits, shift, pattern), pattern))
        << text;
  }
}

}  // namespace
}  // namespace quelvaris
