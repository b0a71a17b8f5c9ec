// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The numeric conventions handlers rely on: 16-bit signed integers that report overflow,
// rounding to the nearest integer with halves to even, and text converted to numbers.

#include <QString>

#include <cstdint>

namespace runtime {

// Nearest integer, halves to even (2.5 -> 2, 3.5 -> 4). Not finite stays not finite.
double roundHalfEven(double value);

// Conversions that throw RuntimeError 6 (overflow) when the rounded value does not fit.
std::int16_t toInt16(double value);
std::int32_t toInt32(double value);

// 16-bit arithmetic that throws 6 on overflow and 11 on division by zero; idiv truncates.
std::int16_t add16(std::int16_t a, std::int16_t b);
std::int16_t sub16(std::int16_t a, std::int16_t b);
std::int16_t mul16(std::int16_t a, std::int16_t b);
std::int16_t idiv16(std::int16_t a, std::int16_t b);

// The number a field's text stands for (engine::parseNumber: blanks around it ignored, a
// decimal comma read as a point); throws 13 (type mismatch) naming the text where there is no
// number.
double toDouble(const QString &text);

} // namespace runtime
