// The texts of numbers: display patterns, the plain and print forms, the
// write form, the leading-number parse and rounding to integers.
//
// Contract (no Qt, no locale: "." is always the decimal point):
//  - formatPattern(v, pattern): "#" is an optional digit, "0" a required
//    digit, "." the decimal point, any other character a literal copied as it
//    stands. The value is rounded to the decimals the pattern shows (halves
//    away from zero, on the decimal value of the number). A sign goes before
//    the first digit. Patterns in use: "###.00" (0.5 -> ".50", 41.2 ->
//    "41.20", -3.2 -> "-3.20"), "##.00", "##0.00" (0.5 -> "0.50"), "0.0000",
//    ".0000" (0.3101 -> ".3101"), "##0", "   #.##" (5 -> "   5.",
//    2.25 -> "   2.25"), " ##.00" (0.25 -> " .25"). A value that rounds to
//    zero loses its minus sign. Integer digits beyond the placeholders are
//    all shown (1234.5 with "###.00" -> "1234.50"). Rounding works on the
//    shortest decimal text of the value (2.675 -> "2.68" with "##0.00"); a
//    double that is exactly a float (a float widened by the call) is rounded
//    on the float's shortest text (12.345f with " ##.00" -> " 12.35").
//    NaN and infinities give "NaN", "Inf", "-Inf".
//  - plainText(v): the plain conversion of a single-precision number to
//    text: shortest decimal form, at most seven significant digits, no
//    leading blank, no trailing zeros, a leading zero before the point
//    (0.5 -> "0.5", -0.25 -> "-0.25", 10 -> "10", 4.5 -> "4.5", 2.2f ->
//    "2.2"); exponent form ("1E+08", "1.5E-09") where fixed notation would
//    need more than seven digit positions (zeros between the point and the
//    first significant digit count: 0.0001 -> "0.0001", 1234567 ->
//    "1234567", 12345678 -> "1.234568E+07", 0.01234567 -> "1.234567E-02").
//    The seven digits are the exact binary value rounded (1.0000001f -> "1").
//    NaN and infinities give "NaN", "Inf", "-Inf".
//  - numberDigits(v): the digits of the print and write forms: as
//    plainText but without the zero before the point (0.5 -> ".5",
//    -0.25 -> "-.25").
//  - printNumber(v): the list-print form: a blank in the sign place when not
//    negative, numberDigits, then one blank (" 5 ", "-2.5 ", " .5 ").
//  - leadingNumber(s): the longest numeric prefix of s, blanks (spaces and
//    tabs) inside it skipped, optional sign, digits, ".", exponent "E"/"D";
//    0 when there is no digit. "12abc" -> 12, " 1 2.5" -> 12.5, "abc" -> 0.
//    An exponent letter without digits is ignored ("1e" -> 1). A number too
//    large for a double gives an infinity of its sign, too small gives 0.
//  - parseNumber(s, out): strict: the whole text (blanks around allowed) is
//    one number: [sign] digits [. digits] [E|D [sign] digits], at least one
//    mantissa digit, no blank inside; false otherwise, and also when the
//    number is out of the range of a double (out is then left unchanged).
//    Used where a box must hold a number.
//  - roundHalfEven(v): nearest integer, halves to even (2.5 -> 2, 3.5 -> 4,
//    -2.5 -> -2). Independent of the floating-point rounding mode. NaN gives
//    0; values beyond the int64 range saturate.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tw::text {

[[nodiscard]] std::string formatPattern(double value, std::string_view pattern);
[[nodiscard]] std::string plainText(float value);
[[nodiscard]] std::string numberDigits(float value);
[[nodiscard]] std::string printNumber(float value);
[[nodiscard]] double leadingNumber(std::string_view s);
[[nodiscard]] bool parseNumber(std::string_view s, double &out);
[[nodiscard]] std::int64_t roundHalfEven(double value);

} // namespace tw::text
