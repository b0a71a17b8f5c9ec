// SPDX-License-Identifier: GPL-3.0-or-later
#include "language.h"

namespace app {

void applyCaptions(const std::vector<Caption> &table)
{
    for (const Caption &caption : table)
        std::visit([&caption](auto *target) { target->setCaption(caption.text); }, caption.target);
}

} // namespace app
