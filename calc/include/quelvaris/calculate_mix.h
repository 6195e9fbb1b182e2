#pragma once

// What "Calcular" does: from the typed area and height and the selected
// strength class, the volume of concrete and the eight material quantities,
// as the exact texts the main window shows.

#include <optional>
#include <string>

namespace quelvaris {

// What the calculation reads, all of it taken from the window at the click.
struct MixInputs {
  std::string areaText;    // square metres, as typed
  std::string heightText;  // metres, as typed
  int selectedClass = 0;   // 1 to 4 for a row of the mix table; anything else: none selected
};

// The eight material quantities in site units (sacks, buckets) and bulk units.
struct MaterialTexts {
  std::string cementSacks;        // 50-kg sacks, "#,###"
  std::string cementTonnes;       // tonnes, "##.0"
  std::string sandBuckets;        // 18-litre buckets, "#,###"
  std::string sandCubicMetres;    // m3, "##.0"
  std::string gravelBuckets;      // 18-litre buckets, "#,###"
  std::string gravelCubicMetres;  // m3, "##.0"
  std::string waterBuckets;       // 18-litre buckets, "#,###"
  std::string waterLitres;        // litres, "#,###"

  bool operator==(const MaterialTexts&) const = default;
};

// The new texts of the fields the calculation writes: all eleven with a
// class selected, the volume and the two inputs without one.
struct MixResults {
  std::string volume;      // m3, "#0.00"
  std::string areaText;    // the area rewritten through "#0.00"
  std::string heightText;  // the height rewritten through "#0.00"
  // The selected class's quantities; none with no class selected, and then
  // the material fields keep whatever they show.
  std::optional<MaterialTexts> materials;

  bool operator==(const MixResults&) const = default;
};

// Runs the calculation. The volume is the product of the leading numbers of
// the two inputs, shown with two decimals. An input is rewritten with two
// decimals only where its whole text is the number the volume used; otherwise
// it is kept as typed, so the box and the volume never disagree. For
// a selected class, each material quantity is the volume as shown (read back
// out of its text, so 0.3333 counts as 0.33) times that class's figure.
//   {"10", "0.10", 1} -> volume "1.00", area "10.00", height "0.10",
//                        "6", ".3", "28", ".5", "38", ".7", "12", "215"
//   {"12abc", "0.1", 0} -> volume "1.20", area "12abc", height "0.10", no materials
//   {"12,5", "0.10", 0} -> volume "1.20", area "12,5" (read as 12, not 125)
// Returns nullopt, and nothing is to be written, when any number on the way
// (a typed one, the volume or a quantity) is past the double range.
std::optional<MixResults> calculateMix(const MixInputs& inputs);

}  // namespace quelvaris
