// The native side of the web edition's parity test: the calculation run on
// each line of standard input, its texts on standard output. Texts travel in
// hexadecimal, so that any byte a user may type (blanks, tabs, line feeds,
// letters of any script) crosses unchanged.
//   in:  AREA-HEX <tab> HEIGHT-HEX <tab> CLASS
//   out: AREA-STOP <tab> HEIGHT-STOP <tab> METRES <tab> "too large", or
//        the same then VOLUME <tab> AREA <tab> HEIGHT [<tab> 8 MATERIALS] in
//        hexadecimal; no materials with no class selected. A STOP is where
//        the number read from that box stops: "whole", "comma", "other" or
//        "none" <tab> the number read <tab> the rest, both in hexadecimal.
//        METRES is the height read as centimetres, empty where it does not
//        look like centimetres.

#include <iostream>
#include <sstream>
#include <string>

#include "quelvaris/calculate_mix.h"
#include "quelvaris/numeric_text.h"

namespace {

std::string fromHex(const std::string& hex) {
  std::string bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
    bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  return bytes;
}

std::string toHex(const std::string& bytes) {
  static constexpr char DIGITS[] = "0123456789abcdef";
  std::string hex;
  for (const unsigned char byte : bytes) {
    hex += DIGITS[byte >> 4];
    hex += DIGITS[byte & 15];
  }
  return hex;
}

std::string stopOf(const std::string& text) {
  const quelvaris::LeadingNumber number = quelvaris::leadingNumber(text);
  return std::string(quelvaris::stopName(number.stop)) + '\t' + toHex(number.read) + '\t' +
         toHex(number.rest);
}

}  // namespace

int main() {
  std::ios::sync_with_stdio(false);
  std::string line;
  while (std::getline(std::cin, line)) {
    std::istringstream fields(line);
    std::string area, height, selected;
    std::getline(fields, area, '\t');
    std::getline(fields, height, '\t');
    std::getline(fields, selected);
    const int selectedClass = std::stoi(selected);
    std::cout << stopOf(fromHex(area)) << '\t' << stopOf(fromHex(height)) << '\t'
              << toHex(quelvaris::centimetresAsMetres(fromHex(height)).value_or("")) << '\t';
    const auto results = quelvaris::calculateMix({fromHex(area), fromHex(height), selectedClass});
    if (!results) {
      std::cout << "too large\n";
      continue;
    }
    std::cout << toHex(results->volume) << '\t' << toHex(results->areaText) << '\t'
              << toHex(results->heightText);
    if (results->materials) {
      const quelvaris::MaterialTexts& m = *results->materials;
      for (const std::string* text :
           {&m.cementSacks, &m.cementTonnes, &m.sandBuckets, &m.sandCubicMetres, &m.gravelBuckets,
            &m.gravelCubicMetres, &m.waterBuckets, &m.waterLitres})
        std::cout << '\t' << toHex(*text);
    }
    std::cout << '\n';
  }
}
