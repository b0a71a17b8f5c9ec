// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture.h"

#include "error.h"

#include "engine/decode.h"
#include "engine/stretch.h"
#include "engine/strip_writer.h"
#include "engine/video.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace runtime {

Picture::Picture(QImage image) : m_image(std::move(image)), m_size(m_image.size()) { }

QImage Picture::stretched(QSize size) const
{
    if (!m_stretched.isNull() && m_stretched.size() == size)
        return m_stretched;
    if (!m_image.isNull())
        return engine::stretch(m_image, size);
    QString reason;
    QImage frame = engine::decodeFrame(m_path, size, &reason, m_options);
    if (frame.isNull())
        throw RuntimeError(err::kInvalidPicture,
                           u"Imagen no válida: \"%1\" (%2)"_s.arg(m_path, reason));
    return frame;
}

Picture LoadPicture(const QString &path)
{
    // A video's moment ("clip.mp4#t=1.25") is checked as its file.
    const QFileInfo info(engine::entryFile(path));
    if (path.isEmpty() || !info.exists())
        throw RuntimeError(err::kFileNotFound, u"No se encontró el archivo \"%1\""_s.arg(path));
    if (!info.isFile() || !info.isReadable())
        throw RuntimeError(err::kFileAccess,
                           u"No se puede leer \"%1\": no es un archivo legible"_s.arg(path));
    QString reason;
    const QSize size = engine::probe(path, &reason);
    if (!size.isValid())
        throw RuntimeError(err::kInvalidPicture,
                           u"Imagen no válida: \"%1\" (%2)"_s.arg(path, reason));
    Picture picture;
    picture.m_path = path;
    picture.m_size = size;
    return picture;
}

void SavePicture(const QImage &image, const QString &path)
{
    auto fail = [&path](const QString &reason) {
        throw RuntimeError(err::kFileAccess,
                           u"No se pudo guardar la imagen en \"%1\": %2. "
                           "Ningún archivo se modificó."_s.arg(path, reason));
    };
    // The engine's writer refuses what it must not replace (a folder, a device, a FIFO).
    QString reason;
    if (!engine::saveStrip(image, path, engine::formatForPath(path), &reason))
        fail(reason);
}

} // namespace runtime
