#include "quelvaris/numeric_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

namespace quelvaris {
namespace {

constexpr double inf = std::numeric_limits<double>::infinity();

struct TextToNumber {
  std::string text;
  double expected;
};

// A text short enough to name a failing row: long ones lose their middle.
std::string shown(const std::string& text) {
  return text.size() <= 32 ? '"' + text + '"'
                           : '"' + text.substr(0, 20) + "..." + text.substr(text.size() - 9) + '"';
}

// More than a million digits before the exponent: the digit count and the
// exponent together decide between overflow and underflow.
const std::string kTinyDigitsHugeExponent = "0." + std::string(999'999, '0') + "1e9999999";
const std::string kHugeDigitsTinyExponent = "1" + std::string(2'000'000, '0') + "e-9999999";

TEST(ValPrefix, ReadsTheLeadingNumberAndIgnoresTheRest) {
  const TextToNumber cases[] = {
      {"12", 12},
      {"12abc", 12},
      {"0.12m", 0.12},
      {"1,5", 1},
      {".12", 0.12},
      {"5.", 5},
      {"-5", -5},
      {"+5", 5},
      {"1 2.5", 12.5},
      {" \t12\n", 12},
      {"- 5", -5},
      {"2E3", 2000},
      {"2d3", 2000},
      {"2D-3", 0.002},
      {"1e", 1},
      {"1e+", 1},
      {"1e-x", 1},
      {"1.2.3", 1.2},
      {"5..", 5},
      {"12abc3", 12},
      {"5-", 5},
      {"1E400", inf},
      {"-1E400", -inf},
      {"1E-400", 0},
      {"1e99999999999999999999", inf},
      {"0e99999999999", 0},
      {"0.0000000000000000000000000001e400", inf},
      {kTinyDigitsHugeExponent, inf},  // about 1E8999999
      {kHugeDigitsTinyExponent, 0},    // about 1E-7999999
  };
  for (const auto& [text, expected] : cases) {
    SCOPED_TRACE(shown(text));
    EXPECT_EQ(valPrefix(text), expected);
  }
}

TEST(ValPrefix, ReadsZeroWhereNoNumberLeads) {
  for (const char* text :
       {"", "abc", "e5", ".", "-", "+", "-.", "&H10", "&O17", "$5", "(5)", ",5", "\r5", "\v"}) {
    SCOPED_TRACE(shown(text));
    EXPECT_EQ(valPrefix(text), 0);
  }
}

TEST(ValPrefix, KeepsTheSignOfATinyNegative) {
  EXPECT_TRUE(std::signbit(valPrefix("-1E-400")));
}

TEST(ParseNumericText, ReadsWholeNumbers) {
  const TextToNumber cases[] = {
      {"12", 12},
      {" 12 ", 12},
      {"+5", 5},
      {"-5", -5},
      {"1,5", 15},
      {"1,234.5", 1234.5},
      {"1,234,567", 1234567},
      {".12", 0.12},
      {"5.", 5},
      {"2E3", 2000},
      {"2e-3", 0.002},
      {"1.5E+2", 150},
      {"0.00", 0},
      {"1E400", inf},
      {"-1,0E400", -inf},
      {"1E-400", 0},
      {kTinyDigitsHugeExponent, inf},
      {kHugeDigitsTinyExponent, 0},
  };
  for (const auto& [text, expected] : cases) {
    SCOPED_TRACE(shown(text));
    EXPECT_EQ(parseNumericText(text), expected);
  }
}

TEST(ParseNumericText, RejectsWhatIsNotANumberAsAWhole) {
  for (const char* text :
       {"",      "   ",  "abc",  "12abc", ".",    "-",     "+",    "- 5", "5-", "(5)",
        "$5",    "&H10", ",5",   "5,",    "1,,5", "1.5,3", "1,.5", "2d3", "1e", "1e+",
        "1.2.3", "\t12", "12\n", "1 2",   "inf",  "nan",   "0x10", "--5"}) {
    SCOPED_TRACE(shown(text));
    EXPECT_FALSE(parseNumericText(text).has_value());
  }
}

TEST(NumberToText, RoundsTo15SignificantDigits) {
  const std::pair<double, std::string> cases[] = {
      {494.49999999999994, "494.5"},
      {0.15000000000000002, "0.15"},
      {0.1499999999999999944, "0.15"},
      {0, "0"},
      {1e300, "1e+300"},
      {-2.5, "-2.5"},
      {1234567.0, "1234567"},
      {123456.78901234567, "123456.789012346"},
      // Fixed notation from 10^-4 to 10^14, scientific beyond, as printf's %.15g.
      {0.00012345678901234567, "0.000123456789012346"},
      {1e-5, "1e-05"},
      {1.5e-7, "1.5e-07"},
      {999999999999999.0, "999999999999999"},
      {9999999999999999.0, "1e+16"},
      {1e15, "1e+15"},
      {1e-320, "9.99988867182683e-321"},
      {-0.0, "-0"},
      {inf, "inf"},
      {-inf, "-inf"},
      {std::nan(""), "nan"},
      {-std::nan(""), "nan"},
  };
  for (const auto& [value, expected] : cases) {
    SCOPED_TRACE(expected);
    EXPECT_EQ(numberToText(value), expected);
  }
}

// The window toolkit switches on the user's locale at start; one whose
// decimal point is a comma must not reach the texts.
TEST(NumberToText, WritesAFullStopWhateverTheLocale) {
  const std::string before = std::setlocale(LC_NUMERIC, nullptr);
  if (std::setlocale(LC_NUMERIC, "es_ES.UTF-8") == nullptr) GTEST_SKIP() << "no es_ES.UTF-8 locale";
  EXPECT_EQ(numberToText(2.5), "2.5");
  EXPECT_EQ(numberToText(1.5e-7), "1.5e-07");
  EXPECT_EQ(formatPattern("1.005", Pattern::TwoDecimals), "1.01");
  EXPECT_EQ(valPrefix("2.5"), 2.5);
  std::setlocale(LC_NUMERIC, before.c_str());
}

TEST(NumberToText, WritesTextsThatReadBackToThemselves) {
  for (double value : {0.1 + 0.2, 2.3 * 215, 1e-320, -123456789.123456789, 9.99999999999999e307}) {
    const std::string text = numberToText(value);
    SCOPED_TRACE(text);
    const auto readBack = parseNumericText(text);
    ASSERT_TRUE(readBack.has_value());
    EXPECT_EQ(numberToText(*readBack), text);
  }
}

struct Formatting {
  std::string text;
  Pattern pattern;
  std::string expected;
};

// ",000" repeated `groups` times.
std::string thousands(int groups) {
  std::string text;
  for (int i = 0; i < groups; ++i) text += ",000";
  return text;
}

// Names each case by its text and what it must show, cut short for CTest.
void PrintTo(const Formatting& f, std::ostream* out) {
  *out << shown(f.text) << " -> " << shown(f.expected);
}

class FormatPattern : public testing::TestWithParam<Formatting> {};

TEST_P(FormatPattern, WritesTheExactText) {
  const auto& [text, pattern, expected] = GetParam();
  EXPECT_EQ(formatPattern(text, pattern), expected);
}

constexpr Pattern two = Pattern::TwoDecimals;
constexpr Pattern grouped = Pattern::GroupedInteger;
constexpr Pattern one = Pattern::OneDecimal;

INSTANTIATE_TEST_SUITE_P(
    Examples, FormatPattern,
    testing::Values(Formatting{"0", two, "0.00"}, Formatting{"0.125", two, "0.13"},
                    Formatting{"1", two, "1.00"}, Formatting{"12.5", two, "12.50"},
                    Formatting{"1234.5", two, "1234.50"}, Formatting{"0", grouped, ""},
                    Formatting{"0.49", grouped, ""}, Formatting{"0.5", grouped, "1"},
                    Formatting{"27.5", grouped, "28"}, Formatting{"1234.5", grouped, "1,235"},
                    Formatting{"1234567", grouped, "1,234,567"}, Formatting{"0", one, ".0"},
                    Formatting{"0.04", one, ".0"}, Formatting{"0.25", one, ".3"},
                    Formatting{"0.286", one, ".3"}, Formatting{"12.34", one, "12.3"},
                    Formatting{"1234.56", one, "1234.6"}, Formatting{"2.5", grouped, "3"},
                    Formatting{"-2.5", grouped, "-3"}, Formatting{"0.15", one, ".2"}));

INSTANTIATE_TEST_SUITE_P(
    TextsThatAreNotNumbersStay, FormatPattern,
    testing::Values(Formatting{"", two, ""}, Formatting{"abc", two, "abc"},
                    Formatting{"12abc", two, "12abc"}, Formatting{"  ", grouped, "  "},
                    Formatting{"- 5", one, "- 5"}, Formatting{" 12 ", two, "12.00"},
                    Formatting{"1,5", two, "15.00"}, Formatting{".12", two, "0.12"}));

// Halves decided on the 15 decimal digits: each double lies just below the half.
INSTANTIATE_TEST_SUITE_P(HalvesAtThe15thDigit, FormatPattern,
                         testing::Values(Formatting{"1.005", two, "1.01"},
                                         Formatting{"2.675", two, "2.68"},
                                         Formatting{"494.49999999999994", grouped, "495"},
                                         Formatting{"0.1499999999999999944", one, ".2"},
                                         Formatting{"1.00499999999999", two, "1.00"},
                                         Formatting{"0.99999999999999994", two, "1.00"},
                                         Formatting{"999.95", one, "1000.0"},
                                         Formatting{"9.995", two, "10.00"},
                                         Formatting{"999999.5", grouped, "1,000,000"},
                                         Formatting{"0.0049999999999999999", two, "0.01"}));

INSTANTIATE_TEST_SUITE_P(
    Negatives, FormatPattern,
    testing::Values(Formatting{"-1234.5", grouped, "-1,235"}, Formatting{"-0.25", one, "-.3"},
                    Formatting{"-2.5", two, "-2.50"}, Formatting{"-0.001", two, "0.00"},
                    Formatting{"-0.4", grouped, ""}, Formatting{"-0.04", one, ".0"},
                    Formatting{"-0", two, "0.00"}, Formatting{"-0.005", two, "-0.01"},
                    Formatting{"-1E-400", two, "0.00"}));

INSTANTIATE_TEST_SUITE_P(
    Extremes, FormatPattern,
    testing::Values(Formatting{"1E-400", two, "0.00"}, Formatting{"4.9E-324", one, ".0"},
                    Formatting{"1e20", grouped, "100,000,000,000,000,000,000"},
                    Formatting{"123456789012345678", two, "123456789012346000.00"},
                    Formatting{"1E400", two, "1E400"},
                    Formatting{"1.7976931348623157e308", two, "1.7976931348623157e308"},
                    Formatting{"1.79769313486231e308", grouped,
                               "179,769,313,486,231" + thousands(98)}));

TEST(LeadingNumber, SaysWhereTheReadingStopsAndWhy) {
  using enum NumberStop;
  const struct {
    std::string text, read, rest;
    NumberStop stop;
  } cases[] = {
      {"12,5", "12", ",5", Comma},         {" 1 ,5 ", "1", ",5", Comma},
      {"1e5,3", "1e5", ",3", Comma},       {"12,5,3", "12", ",5,3", Comma},
      {"12abc", "12", "abc", OtherText},   {"1e+", "1", "e+", OtherText},
      {"12.5.3", "12.5", ".3", OtherText}, {" 1 2 ", "12", "", WholeText},
      {"-.5", "-.5", "", WholeText},       {"2d3", "2d3", "", WholeText},
      {"abc", "", "abc", NoNumber},        {",5", "", ",5", NoNumber},
      {"", "", "", NoNumber},
  };
  for (const auto& [text, read, rest, stop] : cases) {
    const LeadingNumber number = leadingNumber(text);
    EXPECT_EQ(number.read, read) << shown(text);
    EXPECT_EQ(number.rest, rest) << shown(text);
    EXPECT_EQ(number.stop, stop) << shown(text);
  }
}

TEST(CentimetresAsMetres, FlagsWholeNumbersFromFiveAsCentimetres) {
  const struct {
    std::string height;
    std::optional<std::string> metres;
  } cases[] = {
      {"12", "0.12"},          {"30", "0.30"},         {" 1 50 ", "1.50"},
      {"5", "0.05"},           {"4", std::nullopt},    {"3", std::nullopt},
      {"0.12", std::nullopt},  {"12.0", std::nullopt}, {"12.", std::nullopt},
      {"12abc", std::nullopt}, {"12,5", std::nullopt}, {"-12", std::nullopt},
      {"1e3", std::nullopt},   {"", std::nullopt},     {std::string(400, '9'), std::nullopt},
  };
  for (const auto& [height, metres] : cases)
    EXPECT_EQ(centimetresAsMetres(height), metres) << shown(height);
}

TEST(IsDisplayable, StopsWhereThe15DigitFormPassesTheLargestDouble) {
  const double largest = std::numeric_limits<double>::max();
  EXPECT_TRUE(isDisplayable(0));
  EXPECT_TRUE(isDisplayable(-1e308));
  EXPECT_TRUE(isDisplayable(1.79769313486231e308));
  EXPECT_FALSE(isDisplayable(largest));  // 1.79769313486232e308 would read back as infinity
  EXPECT_FALSE(isDisplayable(-largest));
  EXPECT_FALSE(isDisplayable(inf));
  EXPECT_FALSE(isDisplayable(std::nan("")));
}

}  // namespace
}  // namespace quelvaris
