// SPDX-License-Identifier: GPL-3.0-or-later
#include "gradient.h"

#include "runtime/error.h"
#include "runtime/numeric.h"

#include <algorithm>
#include <new>

using namespace Qt::StringLiterals;

namespace layout {

namespace {

[[noreturn]] void lacking()
{
    throw runtime::RuntimeError(runtime::err::kObjectLacksOperation,
                                u"El objeto no admite esta propiedad o método"_s);
}

// One unit of the painter: whatever fails inside it abandons the rest of it, and the painter
// goes on with the next one without a word.
template<typename Step> void attempt(Step &&step)
{
    try {
        step();
    } catch (const runtime::RuntimeError &) {
    } catch (const std::bad_alloc &) { }
}

// (stop - start) x pitch in 16 bits, spread over the target's height in floating point: a
// height of 0 gives a level that is not a finite number, which later bands cannot use.
float channelStep(std::int16_t start, std::int16_t stop, std::int16_t pitch, std::int16_t height)
{
    const std::int16_t change = runtime::mul16(runtime::sub16(stop, start), pitch);
    return static_cast<float>(double(change) / double(height));
}

// A band's channel value: the level to the nearest integer, divided by the divisor, within the
// 16-bit range; a colour can only hold 0..255 of it.
std::int32_t channel(float level, std::int16_t divisor)
{
    const std::int32_t value = runtime::toInt32(double(level));
    if (divisor == 0)
        throw runtime::RuntimeError(runtime::err::kDivisionByZero, u"División por cero"_s);
    const std::int32_t whole = value / divisor; // an integer division: the remainder is dropped
    const std::int16_t quotient = runtime::toInt16(double(whole));
    return std::clamp<std::int32_t>(quotient, 0, 255);
}

} // namespace

void GradientTarget::setAutoRedraw(bool)
{
    lacking();
}

double GradientTarget::ScaleHeight() const
{
    lacking();
}

double GradientTarget::ScaleWidth() const
{
    lacking();
}

void GradientTarget::Line(int, std::int16_t, std::int16_t, std::int16_t, std::int16_t, std::int32_t)
{
    lacking();
}

void DrawGradient(GradientTarget &TheObj, std::int16_t &ColorRed, std::int16_t &ColorGreen,
                  std::int16_t &ColorBlue, std::int16_t &ColorStop, std::int16_t &ColorBandSize,
                  std::int16_t &StartLine, std::int16_t &StopLine, std::int16_t &ModLine,
                  std::int16_t &AutoReDrawObj, std::int16_t &MoreR, std::int16_t &MoreG,
                  std::int16_t &MoreB)
{
    std::int16_t height = 0;
    std::int16_t width = 0;
    float redStep = 0, greenStep = 0, blueStep = 0;
    float red = 0, green = 0, blue = 0;

    // 1. The divisors, clamped in the caller's own variables.
    attempt([&] {
        for (std::int16_t *more : { &MoreR, &MoreG, &MoreB })
            *more = std::max<std::int16_t>(*more, 1);
        for (std::int16_t *more : { &MoreR, &MoreG, &MoreB })
            *more = std::min<std::int16_t>(*more, 20);
    });
    // 2.
    attempt([&] {
        if (AutoReDrawObj == -1)
            TheObj.setAutoRedraw(true);
        else if (AutoReDrawObj == 0)
            TheObj.setAutoRedraw(false);
    });
    // 3, 4. An unreadable size stays 0.
    attempt([&] { height = runtime::toInt16(TheObj.ScaleHeight()); });
    attempt([&] { width = runtime::toInt16(TheObj.ScaleWidth()); });
    // 5 to 10.
    attempt([&] { redStep = channelStep(ColorRed, ColorStop, ColorBandSize, height); });
    attempt([&] { red = ColorRed; });
    attempt([&] { greenStep = channelStep(ColorGreen, ColorStop, ColorBandSize, height); });
    attempt([&] { green = ColorGreen; });
    attempt([&] { blueStep = channelStep(ColorBlue, ColorStop, ColorBandSize, height); });
    attempt([&] { blue = ColorBlue; });

    // 11. The bound and the step are taken once; the band position is a 16-bit integer whose
    // overflow ends the loop.
    const std::int16_t step = ColorBandSize;
    const std::int16_t stop = StopLine;
    std::int16_t y = StartLine;
    while (step >= 0 ? y <= stop : y >= stop) {
        attempt([&] {
            const std::int16_t top = runtime::sub16(y, 1);
            const std::int16_t bottom = runtime::add16(y, runtime::idiv16(ColorBandSize, ModLine));
            const std::int32_t color
                = channel(red, MoreR) + 256 * channel(green, MoreG) + 65536 * channel(blue, MoreB);
            TheObj.Line(kFilledBox, -1, top, width, bottom, color);
        });
        attempt([&] { blue = blue + blueStep; });
        attempt([&] { red = red + redStep; });
        attempt([&] { green = green + greenStep; });
        try {
            y = runtime::add16(y, step);
        } catch (const runtime::RuntimeError &) {
            break;
        }
    }
}

} // namespace layout
