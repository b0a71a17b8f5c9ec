#include "frame_size.h"

#include "runtime/error.h"
#include "runtime/numeric.h"

using namespace Qt::StringLiterals;

namespace strip {

int frameSide(const QString &text, const QString &fieldName)
{
    const auto value = runtime::parseNumber(text);
    const double side = value ? runtime::roundHalfEven(*value) : 0.0;
    if (!value || side < 1.0 || side > kMaxFrameSide)
        throw runtime::RuntimeError(
            runtime::err::kTypeMismatch,
            u"El %1 \"%2\" no es válido: escriba un número de píxeles entre 1 y %3."_s.arg(
                fieldName, text, QString::number(kMaxFrameSide)));
    return int(side);
}

void checkStripSize(qint64 width, qint64 height)
{
    const qint64 bytes = bmpRowBytes(width) * height;
    if (bytes > kMaxStripBytes)
        throw runtime::RuntimeError(
            runtime::err::kOutOfMemory,
            u"La tira pedida (%1 × %2 píxeles, %3 MB) supera el límite de %4 MB. "
            "Use menos archivos o un tamaño de cuadro menor."_s.arg(
                QString::number(width), QString::number(height),
                QString::number(bytes / (1024 * 1024)),
                QString::number(kMaxStripBytes / (1024 * 1024))));
}

} // namespace strip
