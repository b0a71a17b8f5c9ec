#include "saved_settings.h"

#include "runtime/numeric.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace settings {

namespace {

const QString kInputFiles = u"InputFiles"_s;
const QString kOutputFile = u"OutputFile"_s;
const QString kResizeValues = u"ResizeValues"_s;

QString inputFileKey(int index)
{
    return u"InputFile"_s + QString::number(index);
}

} // namespace

int restoredEntryCount(const QString &storedLastIndex)
{
    const auto value = runtime::parseNumber(storedLastIndex);
    if (!value)
        return 0;
    const double last = runtime::roundHalfEven(*value);
    if (last < 0)
        return 0;
    return int(std::min<double>(last + 1, runtime::ListBox::kMaxEntries));
}

SavedSettings::SavedSettings(runtime::ListBox &list, runtime::TextBox &output,
                             runtime::TextBox &width, runtime::TextBox &height,
                             runtime::SettingsStore &store, runtime::MessageBoxes &boxes)
    : List1(list), Text1(output), ancho(width), alto(height), m_store(store), m_boxes(boxes)
{ }

void SavedSettings::Command3_Click()
{
    const int count = List1.ListCount();
    for (int i = 0; i < count; ++i)
        m_store.SaveSetting(kApp, kInputFiles, inputFileKey(i), List1.List(i));
    m_store.SaveSetting(kApp, kInputFiles, u"InputFilesCount"_s, QString::number(count - 1));
    m_store.SaveSetting(kApp, kOutputFile, u"OutputFilename"_s, Text1.Text());
    m_store.SaveSetting(kApp, kResizeValues, u"Width"_s, ancho.Text());
    m_store.SaveSetting(kApp, kResizeValues, u"Height"_s, alto.Text());
    m_store.Flush();
}

void SavedSettings::Command6_Click()
{
    List1.Clear();
    const int count
        = restoredEntryCount(m_store.GetSetting(kApp, kInputFiles, u"InputFilesCount"_s));
    for (int i = 0; i < count; ++i)
        List1.AddItem(m_store.GetSetting(kApp, kInputFiles, inputFileKey(i)));
    Text1.setText(m_store.GetSetting(kApp, kOutputFile, u"OutputFilename"_s));
    alto.setText(m_store.GetSetting(kApp, kResizeValues, u"Height"_s));
    ancho.setText(m_store.GetSetting(kApp, kResizeValues, u"Width"_s));
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
