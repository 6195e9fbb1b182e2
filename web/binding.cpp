// The calculation as the page calls it: JavaScript strings in, the texts of
// the eleven fields out. It copies texts only; what they say is the
// calculation's own.

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <string>

#include "quelvaris/calculate_mix.h"
#include "quelvaris/numeric_text.h"

namespace {

using emscripten::val;
using quelvaris::MaterialTexts;

// calculate("25", "0.12", 2) -> {volume: "3.00", areaText: "25.00",
//   heightText: "0.12", materials: {cementSacks: "21", ...}}
// With no class (any number but 1 to 4) `materials` is null: the page keeps
// the texts it shows. The whole result is null when the numbers are past the
// double range, and nothing is to be written.
val calculate(const std::string& areaText, const std::string& heightText, int selectedClass) {
  const auto results = quelvaris::calculateMix({areaText, heightText, selectedClass});
  if (!results) return val::null();
  val out = val::object();
  out.set("volume", results->volume);
  out.set("areaText", results->areaText);
  out.set("heightText", results->heightText);
  if (!results->materials) {
    out.set("materials", val::null());
    return out;
  }
  const MaterialTexts& m = *results->materials;
  val materials = val::object();
  materials.set("cementSacks", m.cementSacks);
  materials.set("cementTonnes", m.cementTonnes);
  materials.set("sandBuckets", m.sandBuckets);
  materials.set("sandCubicMetres", m.sandCubicMetres);
  materials.set("gravelBuckets", m.gravelBuckets);
  materials.set("gravelCubicMetres", m.gravelCubicMetres);
  materials.set("waterBuckets", m.waterBuckets);
  materials.set("waterLitres", m.waterLitres);
  out.set("materials", materials);
  return out;
}

// centimetresAsMetres("12") -> "0.12"; centimetresAsMetres("0.12") -> null
val centimetresAsMetres(const std::string& heightText) {
  const auto metres = quelvaris::centimetresAsMetres(heightText);
  return metres ? val(*metres) : val::null();
}

// leadingNumber("12,5") -> {read: "12", rest: ",5", stop: "comma"}; stop is
// "whole", "comma", "other" or "none".
val leadingNumber(const std::string& text) {
  const quelvaris::LeadingNumber number = quelvaris::leadingNumber(text);
  val out = val::object();
  out.set("read", number.read);
  out.set("rest", number.rest);
  out.set("stop", std::string(quelvaris::stopName(number.stop)));
  return out;
}

}  // namespace

EMSCRIPTEN_BINDINGS(quelvaris) {
  emscripten::function("calculate", &calculate);
  emscripten::function("centimetresAsMetres", &centimetresAsMetres);
  emscripten::function("leadingNumber", &leadingNumber);
}
