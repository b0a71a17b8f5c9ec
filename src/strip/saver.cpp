// SPDX-License-Identifier: GPL-3.0-or-later
#include "saver.h"

#include "runtime/error.h"
#include "runtime/picture.h"

#include "engine/loop_writer.h"
#include "engine/same_file.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace strip {

Saver::Saver(runtime::PictureBox &canvas, runtime::TextBox &output, const runtime::ListBox &list,
             runtime::MessageBoxes &boxes, const Assembly &assembly, SavedReport saved)
    : objeto(canvas), Text1(output), List1(list), m_boxes(boxes), m_assembly(assembly),
      m_saved(std::move(saved))
{ }

QString Saver::outputPath(const QString &typed)
{
    if (typed == u"~"_s)
        return QDir::homePath();
    if (typed.startsWith(u"~/"_s))
        return QDir::homePath() + typed.mid(1);
    return typed;
}

void Saver::Command5_Click()
{
    // The strip is kept apart from the box on screen, so what is written is every painted
    // frame whatever the window, the splitter or the drag have done to the box since.
    const QImage &strip = objeto.Image();
    const QString path = outputPath(Text1.Text());
    if (strip.isNull() || strip.width() <= 0 || strip.height() <= 0) {
        // A BMP without rows is no picture any program opens; keep what the file holds.
        m_boxes.MsgBox(
            u"La tira está vacía: no hay nada que guardar.\n\"%1\" no se modificó."_s.arg(path),
            runtime::mb::kInformation, u"Guardar imágen"_s);
        return;
    }
    // Painting to the screen only is what "Auto Redibujar" up means; the stored strip is then
    // the bare background, and writing it would pass a blank picture off as the work.
    if (m_assembly.paintedOnScreenOnly()) {
        m_boxes.MsgBox(
            u"El último montaje se hizo con \"Auto Redibujar\" sin pulsar: los cuadros sólo se "
            "pintaron en la pantalla y la tira guardada está en blanco.\nPulse \"Auto "
            "Redibujar\" y \"Comenzar montaje\" otra vez; %1."_s.arg(
                path.isEmpty() ? u"no se escribió nada"_s : u"\"%1\" no se modificó"_s.arg(path)),
            runtime::mb::kInformation, u"Guardar imágen"_s);
        return;
    }
    // Writing over one of its own pictures would destroy a source the user may still need.
    for (int i = 0; i < List1.ListCount(); ++i) {
        if (engine::sameFile(path, List1.List(i))) {
            m_boxes.MsgBox(
                u"\"%1\" es la imagen %2 de la lista (\"%3\"): no se escribe la tira "
                "sobre ella.\nElija otro archivo de salida; no se modificó nada."_s.arg(path)
                    .arg(i + 1)
                    .arg(List1.List(i)),
                runtime::mb::kCritical, u"Guardar imágen"_s);
            return;
        }
    }
    // A loop plays the strip's frames at the rate viewers turn them; a .webp stays the strip.
    const std::optional<engine::LoopFormat> loop = engine::loopFormatForPath(path, false);
    QSize written = strip.size();
    if (loop) {
        const engine::LoopSettings settings {
            *loop, { strip.width(), m_assembly.paintedFrameSize().height() }
        };
        written = engine::loopPictureSize(*loop, settings.frame);
        QString reason;
        if (!engine::saveLoop(strip, path, settings, &reason))
            throw runtime::RuntimeError(runtime::err::kFileAccess,
                                        u"No se pudo guardar la animación en \"%1\": %2. "
                                        "Ningún archivo se modificó."_s.arg(path, reason));
    } else {
        runtime::SavePicture(strip, path);
    }
    if (m_saved)
        m_saved({ path, m_assembly.paintedFrames(), written, engine::formatForPath(path),
                  QFileInfo(path).size(), loop });
}

} // namespace strip
