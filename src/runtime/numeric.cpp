// SPDX-License-Identifier: GPL-3.0-or-later
#include "numeric.h"

#include "error.h"

#include "engine/working_set.h"

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace runtime {

namespace {

[[noreturn]] void overflow()
{
    throw RuntimeError(err::kOverflow, u"Desbordamiento"_s);
}

std::int16_t checked16(std::int32_t value)
{
    if (value < std::numeric_limits<std::int16_t>::min()
        || value > std::numeric_limits<std::int16_t>::max())
        overflow();
    return static_cast<std::int16_t>(value);
}

} // namespace

double roundHalfEven(double value)
{
    return std::nearbyint(value); // the default rounding mode is to nearest, ties to even
}

std::int16_t toInt16(double value)
{
    const double r = roundHalfEven(value);
    if (!(r >= -32768.0 && r <= 32767.0))
        overflow();
    return static_cast<std::int16_t>(r);
}

std::int32_t toInt32(double value)
{
    const double r = roundHalfEven(value);
    if (!(r >= -2147483648.0 && r <= 2147483647.0))
        overflow();
    return static_cast<std::int32_t>(r);
}

std::int16_t add16(std::int16_t a, std::int16_t b)
{
    return checked16(std::int32_t { a } + b);
}

std::int16_t sub16(std::int16_t a, std::int16_t b)
{
    return checked16(std::int32_t { a } - b);
}

std::int16_t mul16(std::int16_t a, std::int16_t b)
{
    return checked16(std::int32_t { a } * b);
}

std::int16_t idiv16(std::int16_t a, std::int16_t b)
{
    if (b == 0)
        throw RuntimeError(err::kDivisionByZero, u"División por cero"_s);
    return checked16(std::int32_t { a } / b);
}

double toDouble(const QString &text)
{
    if (auto value = engine::parseNumber(text))
        return *value;
    throw RuntimeError(err::kTypeMismatch,
                       u"No coinciden los tipos: \"%1\" no es un número"_s.arg(text));
}

} // namespace runtime
