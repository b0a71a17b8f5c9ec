#include "input_list.h"

using namespace Qt::StringLiterals;

namespace strip {

InputList::InputList(runtime::ListBox &list, runtime::TextBox &text, const runtime::CheckBox &ask,
                     runtime::MessageBoxes &boxes, runtime::EventPump &events,
                     ProgressReport progress)
    : List1(list), Text1(text), Check1(ask), m_boxes(boxes), m_events(events),
      m_progress(std::move(progress))
{ }

void InputList::List1_OLEDragDrop(const runtime::DataObject &Data)
{
    const int count = Data.FilesCount();
    if (Check1.Value() != 0 && count > 0) {
        const QString prompt = count == 1 ? u"¿Desea añadir 1 archivo a la lista?"_s
                                          : u"¿Desea añadir %1 archivos a la lista?"_s.arg(count);
        if (m_boxes.MsgBox(prompt, runtime::mb::kYesNo, u"Añadir archivos"_s) != runtime::mb::kYes)
            return;
    }
    for (int k = 1; k <= count; ++k) {
        m_events.DoEvents();
        List1.AddItem(Data.Files(k));
        m_progress(k, Data.FilesCount());
    }
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
