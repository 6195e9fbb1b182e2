#pragma once

// Every number the calculator shows travels as text. These four conversions
// decide, digit for digit, what the user reads: the leading number of a typed
// text, a whole text read as a number, a number written as text, and a text
// rewritten through one of the three display patterns.
//
// The full stop is the decimal separator and the comma the grouping
// character, always: nothing here reads the locale or any other setting.

#include <optional>
#include <string>
#include <string_view>

namespace quelvaris {

// The three display patterns; no other pattern occurs.
enum class Pattern {
  TwoDecimals,     // "#0.00": 0 -> "0.00", 0.125 -> "0.13", 1234.5 -> "1234.50"
  GroupedInteger,  // "#,###": 0 -> "", 0.49 -> "", 0.5 -> "1", 1234.5 -> "1,235"
  OneDecimal,      // "##.0":  0 -> ".0", 0.25 -> ".3", 12.34 -> "12.3"
};

// The leading number of a typed text. Blanks, tabs and line feeds are removed
// first, wherever they stand; then an optional sign, digits with at most one
// full stop, and an optional exponent (E, e, D or d, optional sign, digits)
// are read, and the rest is ignored. A text without a leading number is 0.
//   "12abc" -> 12    "1,5" -> 1    ".12" -> 0.12    "1 2.5" -> 12.5
//   "2d3" -> 2000    "1e+" -> 1    "abc" -> 0       "&H10" -> 0
// Numbers past the double range read as +-infinity, as with strtod, so that
// the caller can refuse them; numbers too small for a double read as 0.
//   "1E400" -> inf   "-1E400" -> -inf   "1E-400" -> 0
double valPrefix(std::string_view text);

// Where valPrefix's reading of a text stops, and why: the number as read and
// what follows it, both without blanks. A face tells the user from this that
// part of a text was left out (a comma typed for the decimal point).
//   "12,5" -> {"12", ",5", Comma}    "12abc" -> {"12", "abc", OtherText}
//   " 1 2 " -> {"12", "", WholeText}  "abc" -> {"", "abc", NoNumber}
enum class NumberStop { WholeText, Comma, OtherText, NoNumber };
struct LeadingNumber {
  std::string read;
  std::string rest;
  NumberStop stop;
};
LeadingNumber leadingNumber(std::string_view text);

// The stop by name, for the page's code: "whole", "comma", "other", "none".
std::string_view stopName(NumberStop stop);

// A whole text read as a number, or nullopt when it is not one. Blanks around
// it are ignored; commas may stand between the digits of the integer part and
// are skipped; the exponent letter is E or e.
//   "+5" -> 5    "1,5" -> 15    "1,234.5" -> 1234.5    " 12 " -> 12
//   "" -> nullopt    "12abc" -> nullopt    ",5" -> nullopt    "- 5" -> nullopt
// Like valPrefix, a number past the double range reads as +-infinity.
std::optional<double> parseNumericText(std::string_view text);

// The number rounded to 15 significant digits, with a full stop and no
// grouping; parseNumericText reads it back to the same 15-digit value.
//   494.49999999999994 -> "494.5"    0.15000000000000002 -> "0.15"
//   1e300 -> "1e+300"    -0.0 -> "-0"
// Infinities and NaN give "inf", "-inf" and "nan", which are not numbers; a
// finite number whose 15-digit form passes the double range (see
// isDisplayable) gives a text that reads back as infinity.
std::string numberToText(double x);

// The text rewritten through the pattern. A text that is not a number stays as
// it is; a number is rounded to 15 significant digits, then to the pattern's
// decimals with halves away from zero, then written by the pattern.
//   ("", TwoDecimals) -> ""          ("12abc", TwoDecimals) -> "12abc"
//   ("1.005", TwoDecimals) -> "1.01" (the double lies just below the half)
//   ("494.5", GroupedInteger) -> "495"    ("-1234.5", GroupedInteger) -> "-1,235"
//   ("0.286", OneDecimal) -> ".3"    ("-0.25", OneDecimal) -> "-.3"
// A negative number that rounds to zero is written without its minus sign:
//   ("-0.001", TwoDecimals) -> "0.00"   (GroupedInteger) -> ""   (OneDecimal) -> ".0"
// A number that is not displayable (see below) cannot be written by any
// pattern and is left as it is, like a text that is not a number.
std::string formatPattern(std::string_view text, Pattern pattern);

// Where a height looks like centimetres typed into a box that asks for
// metres, that height in metres, written as the boxes show it; nothing
// otherwise. It looks so when the text, read as valPrefix reads it, is all
// digits (no decimal point, nothing after them) and the number is 5 or more:
// a height of 5 m or more in whole metres is rare on the small works this
// calculator serves, while slabs of 10 to 15 cm are common, and "12" for 12 cm
// is the mistake users make. The calculation still reads the number as typed;
// this only lets a face say so.
//   "12" -> "0.12"    "30" -> "0.30"    " 150 " -> "1.50"    "5" -> "0.05"
//   "3" -> nullopt    "0.12" -> nullopt "12.0" -> nullopt   "12abc" -> nullopt
std::optional<std::string> centimetresAsMetres(std::string_view heightText);

// Whether x can be shown: it is finite and so is its 15-digit form. False for
// infinities, NaN, and the doubles just below the largest double whose
// 15-digit form (1.79769313486232e308) is past it.
bool isDisplayable(double x);

}  // namespace quelvaris
