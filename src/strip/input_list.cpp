// SPDX-License-Identifier: GPL-3.0-or-later
#include "input_list.h"

#include "runtime/error.h"

#include "engine/picture_files.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace strip {

InputList::InputList(runtime::ListBox &list, runtime::TextBox &text, const runtime::CheckBox &ask,
                     runtime::MessageBoxes &boxes, runtime::EventPump &events,
                     ProgressReport progress)
    : List1(list), Text1(text), Check1(ask), m_boxes(boxes), m_events(events),
      m_progress(std::move(progress))
{ }

QStringList InputList::expandFolders(const QStringList &dropped, QStringList *withoutPictures)
{
    QStringList files;
    for (const QString &path : dropped) {
        if (!QFileInfo(path).isDir()) {
            files.append(path);
            continue;
        }
        QStringList pictures;
        QString error;
        if (!engine::picturesInFolder(path, &pictures, &error))
            throw runtime::RuntimeError(runtime::err::kFileAccess,
                                        u"No se puede leer la carpeta \"%1\"; no se añadió "
                                        "ningún archivo."_s.arg(path));
        if (pictures.isEmpty())
            withoutPictures->append(path);
        files.append(pictures);
    }
    return files;
}

void InputList::List1_OLEDragDrop(const runtime::DataObject &Data)
{
    // A folder stands for its pictures, in the order the command-line builder takes them.
    QStringList withoutPictures;
    const QStringList files = expandFolders(Data.files, &withoutPictures);
    const auto count = int(files.size());
    if (Check1.Value() != 0 && count > 0) {
        const QString prompt = count == 1 ? u"¿Desea añadir 1 archivo a la lista?"_s
                                          : u"¿Desea añadir %1 archivos a la lista?"_s.arg(count);
        if (m_boxes.MsgBox(prompt, runtime::mb::kYesNo, u"Añadir archivos"_s) != runtime::mb::kYes)
            return;
    }
    for (int k = 1; k <= count; ++k) {
        m_events.DoEvents();
        List1.AddItem(files.at(k - 1));
        m_progress(k, count);
    }
    if (!withoutPictures.isEmpty())
        m_boxes.MsgBox(
            u"Estas carpetas no tienen imágenes BMP, JPG, GIF, PNG, WebP o TIFF:\n%1"_s.arg(
                withoutPictures.join(u'\n')),
            runtime::mb::kInformation, u"Añadir archivos"_s);
}

void InputList::Text1_OLEDragDrop(const runtime::DataObject &Data)
{
    if (Data.FilesCount() > 1) {
        m_boxes.MsgBox(u"No se pueden crear más de un archivo de salida"_s, runtime::mb::kCritical,
                       u"Error"_s);
        return;
    }
    if (Data.FilesCount() == 0)
        return; // dragged text or anything else that names no file
    Text1.setText(Data.Files(1));
}

void InputList::Command1_Click()
{
    List1.Clear();
}

} // namespace strip
