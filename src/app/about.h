// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The About box's text: fourteen lines joined by single line feeds.

#include <QString>

namespace app {

QString aboutPrompt();
QString aboutTitle();

} // namespace app
