// SPDX-License-Identifier: GPL-3.0-or-later
#include "saved_settings.h"

#include "engine/working_set.h"

using namespace Qt::StringLiterals;

namespace settings {

using namespace engine::keys;

SavedSettings::SavedSettings(runtime::ListBox &list, runtime::TextBox &output,
                             runtime::TextBox &width, runtime::TextBox &height,
                             runtime::SettingsStore &store, runtime::MessageBoxes &boxes)
    : List1(list), Text1(output), ancho(width), alto(height), m_store(store), m_boxes(boxes)
{ }

void SavedSettings::Command3_Click()
{
    const int count = List1.ListCount();
    for (int i = 0; i < count; ++i)
        m_store.SaveSetting(kApp, kInputFiles, inputFile(i), List1.List(i));
    m_store.SaveSetting(kApp, kInputFiles, kInputFilesCount, QString::number(count - 1));
    m_store.SaveSetting(kApp, kOutputFile, kOutputFilename, Text1.Text());
    m_store.SaveSetting(kApp, kResizeValues, kWidth, ancho.Text());
    m_store.SaveSetting(kApp, kResizeValues, kHeight, alto.Text());
    m_store.Flush();
}

void SavedSettings::Command6_Click()
{
    // Read before the list is cleared: a file that cannot be read leaves the list as it was.
    const int count
        = engine::restoredEntryCount(m_store.GetSetting(kApp, kInputFiles, kInputFilesCount));
    List1.Clear();
    for (int i = 0; i < count; ++i)
        List1.AddItem(m_store.GetSetting(kApp, kInputFiles, inputFile(i)));
    Text1.setText(m_store.GetSetting(kApp, kOutputFile, kOutputFilename));
    alto.setText(m_store.GetSetting(kApp, kResizeValues, kHeight));
    ancho.setText(m_store.GetSetting(kApp, kResizeValues, kWidth));
}

void SavedSettings::Command4_Click()
{
    const int answer
        = m_boxes.MsgBox(u"¿Está seguro de que desea borrar las configuraciones guardadas?"_s,
                         runtime::mb::kYesNo, u"Borrar configuraciones"_s);
    if (answer == runtime::mb::kYes)
        m_store.DeleteSetting(kApp);
}

} // namespace settings
