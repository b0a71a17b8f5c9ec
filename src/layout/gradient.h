// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The background painter: a vertical gradient drawn as a stack of solidly filled horizontal
// bands on any target that offers the four operations below.

#include <cstdint>

namespace layout {

// What the painter asks of its target. An operation a target does not override is one it
// lacks: it throws RuntimeError 438. A target may also refuse an operation by throwing.
class GradientTarget
{
public:
    virtual ~GradientTarget() = default;

    virtual void setAutoRedraw(bool on);
    // The drawable size in the target's own unit.
    virtual double ScaleHeight() const;
    virtual double ScaleWidth() const;
    // A box between the two corners, filled with `color` (red + 256 green + 65536 blue).
    virtual void Line(int flags, std::int16_t x1, std::int16_t y1, std::int16_t x2, std::int16_t y2,
                      std::int32_t color);
};

// The flags value of a solidly filled box.
inline constexpr int kFilledBox = 38;

// Paints bands ColorBandSize apart from StartLine to StopLine (inclusive), each
// ColorBandSize \ ModLine deep, from the start colour towards the grey ColorStop over the
// target's height. AutoReDrawObj -1 switches the target's AutoRedraw on, 0 off. The divisors
// MoreR/G/B are clamped to 1..20 and written back. Any step that fails is skipped silently.
void DrawGradient(GradientTarget &TheObj, std::int16_t &ColorRed, std::int16_t &ColorGreen,
                  std::int16_t &ColorBlue, std::int16_t &ColorStop, std::int16_t &ColorBandSize,
                  std::int16_t &StartLine, std::int16_t &StopLine, std::int16_t &ModLine,
                  std::int16_t &AutoReDrawObj, std::int16_t &MoreR, std::int16_t &MoreG,
                  std::int16_t &MoreB);

} // namespace layout
