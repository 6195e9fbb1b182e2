#include "quelvaris/calculate_mix.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

#include "quelvaris/mix_table.h"
#include "quelvaris/numeric_text.h"

namespace quelvaris {
namespace {

MixResults calculate(const std::string& area, const std::string& height, int selectedClass) {
  const auto results = calculateMix({area, height, selectedClass});
  EXPECT_TRUE(results.has_value()) << area << " x " << height;
  return results.value_or(MixResults{});
}

struct VolumeCase {
  std::string area, height;
  std::string volume, areaShown, heightShown;
};

TEST(CalculateMix, WritesTheVolumeAndRewritesTheInputs) {
  const VolumeCase cases[] = {
      {"10", "0.10", "1.00", "10.00", "0.10"},
      {"25", "0.12", "3.00", "25.00", "0.12"},
      {"100", "0.15", "15.00", "100.00", "0.15"},
      {"3.333", "0.1", "0.33", "3.33", "0.10"},
      {"", "", "0.00", "", ""},
      {"12abc", "0.1", "1.20", "12abc", "0.10"},  // the leading 12 counts, the text stays
      // A box is rewritten only as the number the volume used: a comma typed
      // as a decimal mark leaves it as typed, never as ten times the number.
      {"1,5", "1", "1.00", "1,5", "1.00"},
      {"12,5", "0.10", "1.20", "12,5", "0.10"},
      {"20", "0,10", "0.00", "20.00", "0,10"},
      {"1,000", "1", "1.00", "1,000", "1.00"},
      {"1,0E400", "1", "1.00", "1,0E400", "1.00"},
      {" 12 ", "1", "12.00", "12.00", "1.00"},
      {"10", ".12", "1.20", "10.00", "0.12"},
      {"1.005", "1", "1.01", "1.01", "1.00"},  // the half is decided on 15 digits
      {"-5", "1", "-5.00", "-5.00", "1.00"},
      {"-0.001", "1", "0.00", "0.00", "1.00"},  // read back as zero, no minus sign
      {"1E-400", "5", "0.00", "0.00", "5.00"},
      {"1e20", "1e-20", "1.00", "100000000000000000000.00", "0.00"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.area + " x " + c.height);
    const MixResults r = calculate(c.area, c.height, 0);
    EXPECT_EQ(r.volume, c.volume);
    EXPECT_EQ(r.areaText, c.areaShown);
    EXPECT_EQ(r.heightText, c.heightShown);
    EXPECT_EQ(r.materials, std::nullopt) << "no class selected writes no material text";
  }
}

// The material texts follow the volume as shown, so each case gives inputs
// whose product displays as the volume named.
struct MaterialCase {
  std::string area, height;
  int mixClass;
  MaterialTexts expected;
};

TEST(CalculateMix, WritesTheEightMaterialFieldsOfTheSelectedClass) {
  const MaterialCase cases[] = {
      {"1", "1", 1, {"6", ".3", "28", ".5", "38", ".7", "12", "215"}},
      {"1", "1", 2, {"7", ".4", "27", ".5", "37", ".7", "13", "230"}},
      {"1", "1", 3, {"8", ".4", "26", ".5", "36", ".7", "12", "215"}},
      {"1", "1", 4, {"9", ".5", "26", ".5", "36", ".6", "12", "210"}},
      {"25", "0.12", 1, {"17", ".9", "83", "1.5", "113", "2.0", "36", "645"}},
      {"25", "0.12", 4, {"28", "1.4", "78", "1.4", "107", "1.9", "35", "630"}},
      {"100", "0.15", 2, {"106", "5.3", "400", "7.2", "558", "10.1", "192", "3,450"}},
      {"3.333", "0.1", 1, {"2", ".1", "9", ".2", "12", ".2", "4", "71"}},  // from 0.33, not 0.3333
      {"", "", 1, {"", ".0", "", ".0", "", ".0", "", ""}},
      {"2.3", "1", 1, {"13", ".7", "64", "1.2", "87", "1.6", "27", "495"}},  // 494.49999999999994
      {"0.3", "1", 1, {"2", ".1", "8", ".2", "11", ".2", "4", "65"}},        // 0.3 x 0.5 shows .2
      {"10", "0.125", 1, {"7", ".4", "35", ".6", "47", ".9", "15", "269"}},
      {"10", "0.13", 1, {"7", ".4", "36", ".7", "49", ".9", "16", "280"}},
      {"-5", "1", 1, {"-29", "-1.4", "-139", "-2.5", "-189", "-3.4", "-60", "-1,075"}},
      {"-0.001", "1", 1, {"", ".0", "", ".0", "", ".0", "", ""}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.area + " x " + c.height + ", class " + std::to_string(c.mixClass));
    EXPECT_EQ(calculate(c.area, c.height, c.mixClass).materials, c.expected);
  }
}

// A second click reads the boxes as the first left them; from then on every
// click repeats the same texts.
TEST(CalculateMix, ASecondClickUsesTheRewrittenInputs) {
  struct Case {
    std::string area, height, firstVolume, secondVolume;
  };
  const Case cases[] = {
      {"10", "0.125", "1.25", "1.30"},  // the height is rewritten as 0.13
      {"12,5", "0.10", "1.20", "1.20"},
      {"20", "0,10", "0.00", "0.00"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.area + " x " + c.height);
    const MixResults first = calculate(c.area, c.height, 1);
    EXPECT_EQ(first.volume, c.firstVolume);
    const MixResults second = calculate(first.areaText, first.heightText, 1);
    EXPECT_EQ(second.volume, c.secondVolume);
    EXPECT_EQ(calculate(second.areaText, second.heightText, 1), second);
  }
}

TEST(CalculateMix, ClassesOneAndThreeUseTheSameWater) {
  const MixResults one = calculate("7.77", "1", 1);
  const MixResults three = calculate("7.77", "1", 3);
  ASSERT_TRUE(one.materials && three.materials);
  EXPECT_EQ(one.materials->waterBuckets, three.materials->waterBuckets);
  EXPECT_EQ(one.materials->waterLitres, three.materials->waterLitres);
}

TEST(CalculateMix, IgnoresClassNumbersOutsideTheTable) {
  for (int selected : {0, -1, 5, 1000}) {
    SCOPED_TRACE(selected);
    EXPECT_EQ(calculate("3", "1", selected).materials, std::nullopt);
  }
}

// Derived per cubic metre, to three decimals; a mistyped table figure shows here.
TEST(MixTable, GivesTheSiteUnitCoefficients) {
  const double expected[4][4] = {{5.720, 27.778, 37.778, 11.944},
                                 {7.080, 26.667, 37.222, 12.778},
                                 {7.820, 26.111, 36.111, 11.944},
                                 {9.340, 25.833, 35.556, 11.667}};
  for (int row = 1; row <= 4; ++row) {
    SCOPED_TRACE("row " + std::to_string(row));
    const MixClass& mix = *mixClass(row);
    const double* e = expected[row - 1];
    EXPECT_NEAR(mix.cement / SACK_TONNES, e[0], 5e-4);
    EXPECT_NEAR(mix.sand / BUCKET_M3, e[1], 5e-4);
    EXPECT_NEAR(mix.gravel / BUCKET_M3, e[2], 5e-4);
    EXPECT_NEAR(mix.water / BUCKET_M3, e[3], 5e-4);
    EXPECT_EQ(mix.waterLitres, mix.water * 1000);
  }
}

TEST(CalculateMix, RefusesNumbersPastTheDoubleRange) {
  struct Case {
    std::string area, height;
    int mixClass;
  };
  const Case cases[] = {
      {"1E400", "0", 0},  // a typed number, even times zero
      {"1", "-1E400", 0},
      {"1e200", "1e200", 0},               // the volume
      {"1.7976931348623157e308", "1", 0},  // the volume shown would read back as infinity
      {"2", "1.79769313486231e308", 0},
      {"1e306", "1", 2},  // 230 litres a cubic metre
      {"7.9e305", "1", 2},
      {"-7.9e305", "1", 2},
      // More than a million digits before the exponent: about 1E8999999.
      {"0." + std::string(999'999, '0') + "1e9999999", "1", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.area.substr(0, 24) + " x " + c.height);
    EXPECT_FALSE(calculateMix({c.area, c.height, c.mixClass}).has_value());
  }

  // The largest volumes that still fit.
  EXPECT_TRUE(calculateMix({"7.7e305", "1", 2}).has_value());
  EXPECT_TRUE(calculateMix({"1e306", "1", 0}).has_value());
}

// What a hostile text gives as the volume, or nullopt where it is refused.
TEST(CalculateMix, SurvivesHostileTexts) {
  const std::pair<std::string, std::optional<std::string>> cases[] = {
      {std::string(100000, '9'), std::nullopt},  // about 1E100000
      {"0." + std::string(100000, '0') + "1", "0.00"},
      {std::string(5000, ','), "0.00"},
      {std::string("1\0"
                   "5",
                   3),
       "1.00"},  // the number ends at the NUL
      {"\xff\xfe", "0.00"},
      {"1e-99999999999999999999", "0.00"},
      {"..--++eEdD", "0.00"},
  };
  for (const auto& [text, volume] : cases) {
    SCOPED_TRACE(text.substr(0, 20));
    const auto results = calculateMix({text, "1", 1});
    EXPECT_EQ(results ? std::optional(results->volume) : std::nullopt, volume);
  }
}

}  // namespace
}  // namespace quelvaris
