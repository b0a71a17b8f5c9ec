// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The input list and the output path: files dropped on the list are appended in drop order,
// a folder as its pictures; one file dropped on the output field names the output, "Borrar"
// empties the list. While "Q" (Check1) is pressed, a drop on the list first asks whether to
// add its files.

#include "progress_report.h"

#include "runtime/controls.h"
#include "runtime/services.h"

namespace strip {

class InputList
{
public:
    InputList(runtime::ListBox &List1, runtime::TextBox &Text1, const runtime::CheckBox &Check1,
              runtime::MessageBoxes &boxes, runtime::EventPump &events, ProgressReport progress);

    // Appends every dropped file, a folder as its pictures in natural order, yielding once per
    // file and reporting progress k of count. Throws RuntimeError 75 naming a folder that
    // cannot be read, before anything is added.
    void List1_OLEDragDrop(const runtime::DataObject &Data);
    // Takes the one dropped file as output path; refuses a drop of several files.
    void Text1_OLEDragDrop(const runtime::DataObject &Data);
    void Command1_Click();

private:
    // The dropped paths with each folder replaced by its pictures; folders that hold none are
    // added to `withoutPictures`.
    static QStringList expandFolders(const QStringList &dropped, QStringList *withoutPictures);

    runtime::ListBox &List1;
    runtime::TextBox &Text1;
    const runtime::CheckBox &Check1;
    runtime::MessageBoxes &m_boxes;
    runtime::EventPump &m_events;
    ProgressReport m_progress;
};

} // namespace strip
