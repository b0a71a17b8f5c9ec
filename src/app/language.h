// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Run-time captions: where a caption goes (the form's title, a control, a menu entry) and the
// one call that sets a table of them. Form1 holds the English table; message boxes, tooltips,
// "Q", "x", the separator and "English language" keep their texts.

#include "runtime/controls.h"
#include "runtime/form.h"

#include <QString>

#include <variant>
#include <vector>

namespace app {

using CaptionTarget = std::variant<runtime::Form *, runtime::Label *, runtime::CommandButton *,
                                   runtime::CheckBox *, runtime::MenuEntry *>;

struct Caption
{
    CaptionTarget target;
    QString text;
};

// Sets every caption of `table`, in table order: straight assignments, so running it again
// changes nothing.
void applyCaptions(const std::vector<Caption> &table);

} // namespace app
