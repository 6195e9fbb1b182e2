#include "quelvaris/calculate_mix.h"

#include <algorithm>
#include <array>
#include <utility>

#include "quelvaris/mix_table.h"
#include "quelvaris/numeric_text.h"

namespace quelvaris {
namespace {

// A computed quantity reaches its field in two writes: first its 15-digit
// text, then that text through the field's pattern.
std::string shownAs(double quantity, Pattern pattern) {
  return formatPattern(numberToText(quantity), pattern);
}

// An input box is rewritten in its two-decimal form only when its whole text
// reads as the very number the volume was computed with. "12,5" gives the
// volume its leading 12 but reads whole as 125; rewritten, it would show a
// number the volume never used, and the next click would compute with it.
// Such a text stays as typed, as "12abc" does. nullopt: the number is the one
// used but too large to show.
std::optional<std::string> rewrittenInput(const std::string& text, double used) {
  const std::optional<double> whole = parseNumericText(text);
  if (!whole || *whole != used) return text;
  if (!isDisplayable(*whole)) return std::nullopt;
  return formatPattern(text, Pattern::TwoDecimals);
}

// One material field: its quantity, its pattern and where its text goes.
struct MaterialStep {
  double quantity;
  Pattern pattern;
  std::string MaterialTexts::*field;
};

}  // namespace

std::optional<MixResults> calculateMix(const MixInputs& inputs) {
  const double height = valPrefix(inputs.heightText);
  const double area = valPrefix(inputs.areaText);
  const double volume = area * height;
  std::optional<std::string> areaText = rewrittenInput(inputs.areaText, area);
  std::optional<std::string> heightText = rewrittenInput(inputs.heightText, height);
  if (!isDisplayable(volume) || !areaText || !heightText) return std::nullopt;

  MixResults results{
      .volume = shownAs(volume, Pattern::TwoDecimals),
      .areaText = std::move(*areaText),
      .heightText = std::move(*heightText),
      .materials = std::nullopt,
  };

  const MixClass* const mix = mixClass(inputs.selectedClass);
  if (mix == nullptr) return results;  // the volume alone

  // Every quantity comes from the volume as shown, read back out of its text.
  // The text does not change while the eight fields are written, so one
  // reading serves them all. Sacks and buckets divide first, then multiply.
  const double x = *parseNumericText(results.volume);
  const std::array<MaterialStep, 8> steps{{
      {x * (mix->cement / SACK_TONNES), Pattern::GroupedInteger, &MaterialTexts::cementSacks},
      {x * mix->cement, Pattern::OneDecimal, &MaterialTexts::cementTonnes},
      {x * (mix->sand / BUCKET_M3), Pattern::GroupedInteger, &MaterialTexts::sandBuckets},
      {x * mix->sand, Pattern::OneDecimal, &MaterialTexts::sandCubicMetres},
      {x * (mix->gravel / BUCKET_M3), Pattern::GroupedInteger, &MaterialTexts::gravelBuckets},
      {x * mix->gravel, Pattern::OneDecimal, &MaterialTexts::gravelCubicMetres},
      {x * (mix->water / BUCKET_M3), Pattern::GroupedInteger, &MaterialTexts::waterBuckets},
      {x * mix->waterLitres, Pattern::GroupedInteger, &MaterialTexts::waterLitres},
  }};
  if (!std::all_of(steps.begin(), steps.end(),
                   [](const MaterialStep& s) { return isDisplayable(s.quantity); }))
    return std::nullopt;
  MaterialTexts& materials = results.materials.emplace();
  for (const MaterialStep& step : steps)
    materials.*step.field = shownAs(step.quantity, step.pattern);
  return results;
}

}  // namespace quelvaris
