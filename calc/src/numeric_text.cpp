#include "quelvaris/numeric_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <system_error>

#include <fast_float/fast_float.h>

namespace quelvaris {
namespace {

// ---------------------------------------------------------------------------
// Reading numbers out of text.
//
// Both readers find the pieces of a number with their own grammar and hand
// them to fast_float, which rounds correctly and, unlike strtod, ignores the
// locale that the window toolkit switches on at start. It stands in for
// std::from_chars, which the WebAssembly build's C++ library lacks for
// floating point.

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

// The pieces of a decimal number as found in a text, before conversion.
struct NumberParts {
  bool negative = false;
  std::string_view integer;   // digits, and for whole texts the commas between them
  std::string_view fraction;  // digits after the full stop
  bool exponentNegative = false;
  std::string_view exponent;  // digits after the exponent letter and its sign
};

// The power of ten of the leading digit once the exponent is applied; only
// its sign matters. The exponent saturates far beyond any count of digits a
// text can hold (no memory keeps 10^15 characters), so that the digits before
// or after the leading one can never outweigh a saturated exponent wrongly,
// and the sum stays well inside 64 bits.
long long leadingPowerOfTen(const NumberParts& parts) {
  constexpr long long SATURATED_EXPONENT = 1'000'000'000'000'000LL;
  long long exponent = 0;
  for (char c : parts.exponent) exponent = std::min(exponent * 10 + (c - '0'), SATURATED_EXPONENT);
  if (parts.exponentNegative) exponent = -exponent;

  const auto significant = [](char c) { return c >= '1' && c <= '9'; };
  const auto first = std::find_if(parts.integer.begin(), parts.integer.end(), significant);
  if (first != parts.integer.end()) {
    const auto digitsFromLead = std::count_if(first, parts.integer.end(), isDigit);
    return exponent + digitsFromLead - 1;
  }
  const auto firstInFraction =
      std::find_if(parts.fraction.begin(), parts.fraction.end(), significant);
  return exponent - (firstInFraction - parts.fraction.begin()) - 1;
}

// The double nearest to the parts; +-infinity past the double range, a zero of
// the number's sign below it.
double toDouble(const NumberParts& parts) {
  // fast_float takes "-digits.digitse-digits": no plus sign, no commas and
  // only the letter e, so the parts are copied into that form. Short numbers,
  // the usual case, are copied onto the stack.
  const std::size_t size = 4 + parts.integer.size() + parts.fraction.size() + parts.exponent.size();
  std::array<char, 64> local;
  std::string heap;
  char* begin = local.data();
  if (size > local.size()) {
    heap.resize(size);
    begin = heap.data();
  }
  char* out = begin;
  if (parts.negative) *out++ = '-';
  out = std::copy_if(parts.integer.begin(), parts.integer.end(), out, isDigit);
  *out++ = '.';
  out = std::copy(parts.fraction.begin(), parts.fraction.end(), out);
  if (!parts.exponent.empty()) {
    *out++ = 'e';
    if (parts.exponentNegative) *out++ = '-';
    out = std::copy(parts.exponent.begin(), parts.exponent.end(), out);
  }

  double value = 0;
  const auto [end, error] = fast_float::from_chars(begin, out, value);
  if (error == std::errc::result_out_of_range) {
    // Newer releases of fast_float report overflow and underflow alike, as
    // from_chars does; older ones give the infinity or zero itself.
    const double magnitude =
        leadingPowerOfTen(parts) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    return parts.negative ? -magnitude : magnitude;
  }
  return value;
}

// Reads a number from the start of `text`, stopping where it cannot go on.
// Returns the parts and how many characters they took; no digit before the
// exponent means no number (length 0). Commas between integer digits are taken
// when `withCommas`, and the exponent letters are those in `exponentLetters`.
struct Scan {
  NumberParts parts;
  std::size_t length = 0;
};

Scan scanNumber(std::string_view text, bool withCommas, std::string_view exponentLetters) {
  Scan scan;
  std::size_t i = 0;
  const auto at = [&](std::size_t k) { return k < text.size() ? text[k] : '\0'; };
  const auto digitsFrom = [&](std::size_t k) {
    while (isDigit(at(k))) ++k;
    return k;
  };

  if (at(i) == '+' || at(i) == '-') scan.parts.negative = at(i++) == '-';

  const std::size_t integerStart = i;
  i = digitsFrom(i);
  // A comma joins two digits; at the start or end of the digits it ends the number.
  while (withCommas && i > integerStart && at(i) == ',' && isDigit(at(i + 1)))
    i = digitsFrom(i + 1);
  scan.parts.integer = text.substr(integerStart, i - integerStart);

  if (at(i) == '.') {
    const std::size_t fractionStart = i + 1;
    const std::size_t fractionEnd = digitsFrom(fractionStart);
    if (scan.parts.integer.empty() && fractionEnd == fractionStart) return {};  // a lone full stop
    scan.parts.fraction = text.substr(fractionStart, fractionEnd - fractionStart);
    i = fractionEnd;
  } else if (scan.parts.integer.empty()) {
    return {};
  }

  // The exponent counts only when a digit follows its letter and sign; "1e+" is 1.
  if (at(i) != '\0' && exponentLetters.find(at(i)) != std::string_view::npos) {
    std::size_t k = i + 1;
    const bool negative = at(k) == '-';
    if (at(k) == '+' || at(k) == '-') ++k;
    const std::size_t end = digitsFrom(k);
    if (end > k) {
      scan.parts.exponentNegative = negative;
      scan.parts.exponent = text.substr(k, end - k);
      i = end;
    }
  }
  scan.length = i;
  return scan;
}

// ---------------------------------------------------------------------------
// Writing numbers as text.

// A finite double rounded to 15 significant digits: d.dddddddddddddd x 10^exponent.
struct Decimal15 {
  bool negative = false;
  std::array<char, 15> digits{};
  int exponent = 0;
};

Decimal15 toDecimal15(double x) {
  // "-d.dddddddddddddde+ddd", correctly rounded by the C library (glibc and
  // Emscripten's alike); an exact half at the 16th digit goes to the even
  // neighbour. std::to_chars would do it without the locale, but the
  // WebAssembly build's C++ library has none for floating point; so the
  // digits are read around whatever decimal point the locale puts there.
  std::array<char, 48> buffer;
  std::snprintf(buffer.data(), buffer.size(), "%.14e", x);
  const char* p = buffer.data();
  Decimal15 decimal;
  if (*p == '-') {
    decimal.negative = true;
    ++p;
  }
  for (std::size_t count = 0; *p != 'e'; ++p)
    if (isDigit(*p)) decimal.digits[count++] = *p;
  ++p;  // past the letter e
  const bool negativeExponent = *p++ == '-';
  std::from_chars(p, buffer.data() + buffer.size(), decimal.exponent);
  if (negativeExponent) decimal.exponent = -decimal.exponent;
  return decimal;
}

// The largest 15-digit decimal that a double can hold: the next one up,
// 1.79769313486232e308, is past the largest double.
constexpr std::string_view LARGEST_15_DIGITS = "179769313486231";
constexpr int LARGEST_EXPONENT = 308;

// The digits of |value| x 10^decimals rounded to a whole number, halves away
// from zero, without leading zeros ("0" when that is zero). The rounding is
// done on the 15 decimal digits, never on the double: 1.005 is held as
// 1.00499999999999989..., yet its 15 digits round up to 1.01.
std::string scaledDigits(const Decimal15& decimal, int decimals) {
  const int kept = decimal.exponent + 1 + decimals;  // digits left of the rounding point
  const std::string_view digits(decimal.digits.data(), decimal.digits.size());
  std::string result;
  if (kept <= 0) {
    // Everything lies right of the rounding point; only a first digit of 5 or
    // more, directly after it, reaches the half.
    result.assign(1, kept == 0 && digits[0] >= '5' ? '1' : '0');
  } else if (kept >= static_cast<int>(digits.size())) {
    result = std::string(digits) + std::string(static_cast<std::size_t>(kept) - digits.size(), '0');
  } else {
    result = std::string(digits.substr(0, static_cast<std::size_t>(kept)));
    if (digits[static_cast<std::size_t>(kept)] >= '5') {
      auto digit = result.rbegin();
      for (; digit != result.rend() && *digit == '9'; ++digit) *digit = '0';
      if (digit == result.rend())
        result.insert(result.begin(), '1');
      else
        ++*digit;
    }
  }
  const auto firstNonZero = result.find_first_not_of('0');
  return firstNonZero == std::string::npos ? "0" : result.substr(firstNonZero);
}

// "1234567" -> "1,234,567"
std::string grouped(const std::string& digits) {
  std::string result;
  result.reserve(digits.size() + digits.size() / 3);
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) result += ',';
    result += digits[i];
  }
  return result;
}

// `digits` with a full stop before its last `decimals` digits and at least
// `minimumInteger` digits in front of it: ("5", 2, 1) -> "0.05", ("5", 1, 0) -> ".5".
std::string withDecimals(const std::string& digits, std::size_t decimals,
                         std::size_t minimumInteger) {
  const std::size_t needed = decimals + minimumInteger;
  const std::string padded =
      digits.size() < needed ? std::string(needed - digits.size(), '0') + digits : digits;
  const std::size_t integerLength = padded.size() - decimals;
  return padded.substr(0, integerLength) + '.' + padded.substr(integerLength);
}

std::string render(const Decimal15& decimal, Pattern pattern) {
  std::string body;
  std::string digits;
  switch (pattern) {
    case Pattern::TwoDecimals:  // at least one integer digit
      digits = scaledDigits(decimal, 2);
      body = withDecimals(digits, 2, 1);
      break;
    case Pattern::GroupedInteger:  // zero is no digit at all
      digits = scaledDigits(decimal, 0);
      body = digits == "0" ? "" : grouped(digits);
      break;
    case Pattern::OneDecimal:  // an integer part of zero is no digit at all
      digits = scaledDigits(decimal, 1);
      body = withDecimals(digits, 1, 0);
      break;
  }
  // The sign stays only on what is still not zero once rounded.
  return decimal.negative && digits != "0" ? '-' + body : body;
}

// The text as valPrefix reads it: without its blanks, tabs and line feeds.
std::string withoutBlanks(std::string_view text) {
  std::string compact(text);
  std::erase_if(compact, [](char c) { return c == ' ' || c == '\t' || c == '\n'; });
  return compact;
}

// The leading number of a typed text, as valPrefix reads it.
Scan scanLeading(std::string_view compact) {
  return scanNumber(compact, /*withCommas=*/false, "EeDd");
}

}  // namespace

double valPrefix(std::string_view text) {
  const std::string compact = withoutBlanks(text);  // the scan's parts point into it
  const Scan scan = scanLeading(compact);
  return scan.length == 0 ? 0.0 : toDouble(scan.parts);
}

LeadingNumber leadingNumber(std::string_view text) {
  const std::string compact = withoutBlanks(text);
  const std::size_t length = scanLeading(compact).length;
  const std::string rest = compact.substr(length);
  const NumberStop stop = length == 0           ? NumberStop::NoNumber
                          : rest.empty()        ? NumberStop::WholeText
                          : rest.front() == ',' ? NumberStop::Comma
                                                : NumberStop::OtherText;
  return {compact.substr(0, length), rest, stop};
}

std::string_view stopName(NumberStop stop) {
  switch (stop) {
    case NumberStop::WholeText:
      return "whole";
    case NumberStop::Comma:
      return "comma";
    case NumberStop::OtherText:
      return "other";
    case NumberStop::NoNumber:
      break;
  }
  return "none";
}

std::optional<double> parseNumericText(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return std::nullopt;
  const std::string_view trimmed = text.substr(first, text.find_last_not_of(' ') + 1 - first);
  const Scan scan = scanNumber(trimmed, /*withCommas=*/true, "Ee");
  if (scan.length == 0 || scan.length != trimmed.size()) return std::nullopt;
  return toDouble(scan.parts);
}

std::optional<std::string> centimetresAsMetres(std::string_view heightText) {
  const std::string compact = withoutBlanks(heightText);
  if (compact.empty() ||
      !std::all_of(compact.begin(), compact.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return std::nullopt;
  const double centimetres = valPrefix(compact);
  if (centimetres < 5 || !isDisplayable(centimetres)) return std::nullopt;
  return formatPattern(numberToText(centimetres / 100), Pattern::TwoDecimals);
}

std::string numberToText(double x) {
  if (std::isnan(x)) return "nan";  // a NaN's sign means nothing
  if (std::isinf(x)) return x < 0 ? "-inf" : "inf";
  // printf's "%.15g", written from the 15 digits: fixed notation for the
  // powers of ten -4 to 14, scientific beyond, trailing zeros dropped.
  const Decimal15 decimal = toDecimal15(x);
  std::string_view digits(decimal.digits.data(), decimal.digits.size());
  digits = digits.substr(0, std::max<std::size_t>(1, digits.find_last_not_of('0') + 1));
  const int exponent = decimal.exponent;
  std::string text = decimal.negative ? "-" : "";
  if (exponent < -4 || exponent >= static_cast<int>(decimal.digits.size())) {
    text += digits.front();
    if (digits.size() > 1) (text += '.') += digits.substr(1);
    text += exponent < 0 ? "e-" : "e+";
    if (std::abs(exponent) < 10) text += '0';
    text += std::to_string(std::abs(exponent));
  } else if (exponent < 0) {
    (text += "0.").append(static_cast<std::size_t>(-exponent - 1), '0') += digits;
  } else {
    const auto integerDigits = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= integerDigits) {
      (text += digits).append(integerDigits - digits.size(), '0');
    } else {
      ((text += digits.substr(0, integerDigits)) += '.') += digits.substr(integerDigits);
    }
  }
  return text;
}

bool isDisplayable(double x) {
  if (!std::isfinite(x)) return false;
  if (std::abs(x) < 1e308) return true;
  const Decimal15 decimal = toDecimal15(x);
  return decimal.exponent < LARGEST_EXPONENT ||
         std::string_view(decimal.digits.data(), decimal.digits.size()) <= LARGEST_15_DIGITS;
}

std::string formatPattern(std::string_view text, Pattern pattern) {
  const std::optional<double> number = parseNumericText(text);
  if (!number || !isDisplayable(*number)) return std::string(text);
  return render(toDecimal15(*number), pattern);
}

}  // namespace quelvaris
