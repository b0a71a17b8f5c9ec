#include "saver.h"

#include "runtime/error.h"
#include "runtime/picture.h"

#include "engine/sources.h"

using namespace Qt::StringLiterals;

namespace strip {

Saver::Saver(runtime::PictureBox &canvas, runtime::TextBox &output, runtime::ListBox &list,
             runtime::MessageBoxes &boxes)
    : objeto(canvas), Text1(output), List1(list), m_boxes(boxes)
{ }

void Saver::Command5_Click()
{
    // The strip is kept apart from the box on screen, so what is written is every painted
    // frame whatever the window, the splitter or the drag have done to the box since.
    const QImage &strip = objeto.Image();
    const QString path = Text1.Text();
    if (strip.isNull() || strip.width() <= 0 || strip.height() <= 0) {
        // A BMP without rows is no picture any program opens; keep what the file holds.
        m_boxes.MsgBox(
            u"La tira está vacía: no hay nada que guardar.\n\"%1\" no se modificó."_s.arg(path),
            runtime::mb::kInformation, u"Guardar imágen"_s);
        return;
    }
    // A source named as the output would be lost to the strip made from it.
    QStringList inputs;
    for (int i = 0; i < List1.ListCount(); ++i)
        inputs.append(List1.List(i));
    if (const QString input = engine::inputThatIsOutput(path, inputs); !input.isEmpty())
        throw runtime::RuntimeError(
            runtime::err::kFileAccess,
            u"No se pudo guardar la imagen en \"%1\": %2. "
            "Ningún archivo se modificó."_s.arg(path, engine::overwritesInput(path, input)));
    runtime::SavePicture(strip, path);
}

} // namespace strip
