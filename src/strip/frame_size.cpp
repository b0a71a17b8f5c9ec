// SPDX-License-Identifier: GPL-3.0-or-later
#include "frame_size.h"

#include "runtime/error.h"

#include "engine/working_set.h"

using namespace Qt::StringLiterals;

namespace strip {

int frameSide(const QString &text, const QString &fieldName)
{
    if (const auto side = engine::frameSide(text))
        return *side;
    throw runtime::RuntimeError(
        runtime::err::kTypeMismatch,
        u"El %1 \"%2\" no es válido: escriba un número de píxeles entre 1 y %3."_s.arg(
            fieldName, text, QString::number(engine::kMaxFrameSide)));
}

void checkStripSize(qint64 width, qint64 height)
{
    if (engine::stripFits(width, height))
        return;
    throw runtime::RuntimeError(
        runtime::err::kOutOfMemory,
        u"La tira pedida (%1 × %2 píxeles, %3 MB) supera el límite de %4 MB. "
        "Use menos archivos o un tamaño de cuadro menor."_s.arg(
            QString::number(width), QString::number(height),
            QString::number(engine::stripBytes(width, height) / engine::kMega),
            QString::number(engine::kMaxStripBytes / engine::kMega)));
}

} // namespace strip
