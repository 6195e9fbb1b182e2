#pragma once

// The mix table: how much cement, sand, gravel and water go into one cubic
// metre of concrete for each of the four strength classes, and the two site
// units the quantities are also counted in. It is compiled in and read-only.

#include <array>

namespace quelvaris {

// One strength class; every figure is per cubic metre of finished concrete.
struct MixClass {
  double strength;     // kg/cm2, f'c; names the class, enters no computation
  double cement;       // tonnes
  double sand;         // m3
  double gravel;       // m3 of 3/4-inch gravel
  double water;        // m3, for the count of buckets of water
  double waterLitres;  // litres, for the litres figure; stored, never derived from `water`
};

// One 50-kg cement sack, in tonnes.
inline constexpr double SACK_TONNES = 0.05;
// One 18-litre bucket, in cubic metres; used for sand, gravel and water alike.
inline constexpr double BUCKET_M3 = 0.018;

// Rows 1 to 4, in the order of the class buttons. The water does not rise with
// the strength: row 3 uses the same water as row 1, less than row 2.
inline constexpr std::array<MixClass, 4> MixTable{{
    {100, 0.286, 0.5, 0.68, 0.215, 215},   // foundation blinding, anchor blocks, markers
    {150, 0.354, 0.48, 0.67, 0.23, 230},   // floors, ground slabs, tie columns, bond beams
    {200, 0.391, 0.47, 0.65, 0.215, 215},  // slabs, beams and columns with short spans
    {250, 0.467, 0.465, 0.64, 0.21, 210},  // slabs, beams and columns with medium spans
}};

// The row numbered `number` (1 to 4), or nullptr for any other number, which
// is what "no class selected" arrives as.
//   mixClass(3)->cement -> 0.391    mixClass(0) -> nullptr
constexpr const MixClass* mixClass(int number) {
  if (number < 1 || number > static_cast<int>(MixTable.size())) return nullptr;
  return &MixTable[static_cast<std::size_t>(number - 1)];
}

}  // namespace quelvaris
