// Feeds arbitrary texts to the four conversions and to the whole calculation
// and checks what must hold for every input, not only that nothing crashes.

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "quelvaris/calculate_mix.h"
#include "quelvaris/numeric_text.h"

using namespace quelvaris;

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

// A patterned text has exactly the pattern's decimals: "#0.00" at least one
// integer digit, a full stop and two digits; "##.0" a full stop and one digit;
// "#,###" no full stop at all.
bool hasPatternShape(const std::string& text, Pattern pattern) {
  const std::string body = !text.empty() && text[0] == '-' ? text.substr(1) : text;
  const auto stop = body.find('.');
  switch (pattern) {
    case Pattern::TwoDecimals:
      return stop != std::string::npos && stop >= 1 && body.size() == stop + 3 &&
             isDigit(body[stop + 1]) && isDigit(body[stop + 2]);
    case Pattern::OneDecimal:
      return stop != std::string::npos && body.size() == stop + 2 && isDigit(body[stop + 1]);
    case Pattern::GroupedInteger:
      return stop == std::string::npos;
  }
  return false;
}

void checkConversions(const std::string& text) {
  check(!std::isnan(valPrefix(text)));

  const auto number = parseNumericText(text);
  if (number) check(!std::isnan(*number));
  // Without commas or blanks inside, both readers agree on a whole number.
  if (number && text.find_first_of(",\t\n") == std::string::npos &&
      text.find(' ') == std::string::npos)
    check(valPrefix(text) == *number);

  for (Pattern pattern : {Pattern::TwoDecimals, Pattern::GroupedInteger, Pattern::OneDecimal}) {
    const std::string shown = formatPattern(text, pattern);
    if (!number || !isDisplayable(*number)) {
      check(shown == text);
      continue;
    }
    check(hasPatternShape(shown, pattern));
    if (pattern == Pattern::TwoDecimals) {
      const auto readBack = parseNumericText(shown);
      check(readBack && isDisplayable(*readBack));
      check(formatPattern(shown, pattern) == shown);
    }
  }
}

void checkNumberToText(double x) {
  const std::string text = numberToText(x);
  if (!isDisplayable(x)) return;
  const auto readBack = parseNumericText(text);
  check(readBack && std::isfinite(*readBack));
  check(numberToText(*readBack) == text);  // the 15-digit form is stable
}

void checkCalculation(const MixInputs& inputs) {
  const auto results = calculateMix(inputs);
  if (!results) return;
  check(hasPatternShape(results->volume, Pattern::TwoDecimals));
  check(parseNumericText(results->volume).has_value());
  const bool classSelected = inputs.selectedClass >= 1 && inputs.selectedClass <= 4;
  check(results->materials.has_value() == classSelected);
  if (!classSelected) return;
  const MaterialTexts& m = *results->materials;
  for (const std::string* grouped :
       {&m.cementSacks, &m.sandBuckets, &m.gravelBuckets, &m.waterBuckets, &m.waterLitres})
    check(hasPatternShape(*grouped, Pattern::GroupedInteger));
  for (const std::string* oneDecimal : {&m.cementTonnes, &m.sandCubicMetres, &m.gravelCubicMetres})
    check(hasPatternShape(*oneDecimal, Pattern::OneDecimal));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const int selectedClass = input.ConsumeIntegralInRange(-1, 5);
  checkNumberToText(input.ConsumeFloatingPoint<double>());
  const std::string area = input.ConsumeRandomLengthString();
  const std::string height = input.ConsumeRemainingBytesAsString();
  checkConversions(area);
  checkConversions(height);
  checkCalculation({area, height, selectedClass});
  return 0;
}
