// SPDX-License-Identifier: GPL-3.0-or-later
#include "output_options.h"

#include <array>

using namespace Qt::StringLiterals;

namespace engine {

namespace {
// In the order of Fit's values.
constexpr std::array<QStringView, 3> kFitNames { u"stretch", u"cover", u"contain" };
} // namespace

QString fitName(Fit fit)
{
    return kFitNames.at(std::size_t(fit)).toString();
}

std::optional<Fit> fitNamed(const QString &name)
{
    for (std::size_t i = 0; i < kFitNames.size(); ++i) {
        if (name == kFitNames.at(i))
            return Fit(i);
    }
    return std::nullopt;
}

} // namespace engine
