// SPDX-License-Identifier: GPL-3.0-or-later
// Editing the list in place (Delete, Backspace, dragging entries, reversing), long entries on
// screen, and Enter on a focused button.

#include "runtime/controls.h"
#include "runtime/form.h"

#include <QMimeData>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <memory>

using namespace runtime;
using namespace Qt::StringLiterals;

namespace {

struct List
{
    explicit List(const QStringList &entries)
    {
        list->Move(0, 0, 1750, 840);
        for (const QString &entry : entries)
            list->AddItem(entry);
        form.show();
        list->setFocus();
    }
    QStringList entries() const
    {
        QStringList all;
        for (int i = 0; i < list->ListCount(); ++i)
            all.append(list->List(i));
        return all;
    }
    void select(std::initializer_list<int> rows)
    {
        list->clearSelection();
        for (const int row : rows)
            list->item(row)->setSelected(true);
    }
    // Drops `mime` on the list's viewport at `at`, as the drag would.
    void dropAt(QMimeData *mime, QPoint at)
    {
        QDragEnterEvent enter(at, Qt::MoveAction, mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(list->viewport(), &enter);
        QDragMoveEvent move(at, Qt::MoveAction, mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(list->viewport(), &move);
        QDropEvent dropped(QPointF(at), Qt::MoveAction, mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(list->viewport(), &dropped);
        QCoreApplication::processEvents();
    }
    QPoint upperHalfOf(int row) const
    {
        return list->visualItemRect(list->item(row)).topLeft() + QPoint(4, 1);
    }
    QPoint lowerHalfOf(int row) const
    {
        return list->visualItemRect(list->item(row)).bottomLeft() + QPoint(4, -1);
    }

    Form form;
    ListBox *list = new ListBox(form.client());
};

} // namespace

TEST(ListEditing, deleteAndBackspaceRemoveTheSelectedEntriesAndNothingElse)
{
    const struct
    {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        std::initializer_list<int> selected;
        QStringList left;
    } rows[] = {
        { Qt::Key_Delete, Qt::NoModifier, { 1 }, { u"a"_s, u"c"_s, u"d"_s } },
        { Qt::Key_Backspace, Qt::NoModifier, { 0, 3 }, { u"b"_s, u"c"_s } },
        { Qt::Key_Delete, Qt::NoModifier, { 0, 1, 2, 3 }, {} },
        { Qt::Key_Delete, Qt::NoModifier, {}, { u"a"_s, u"b"_s, u"c"_s, u"d"_s } },
        { Qt::Key_Delete, Qt::ShiftModifier, { 1 }, { u"a"_s, u"b"_s, u"c"_s, u"d"_s } },
    };
    for (const auto &row : rows) {
        List l({ u"a"_s, u"b"_s, u"c"_s, u"d"_s });
        l.select(row.selected);
        QTest::keyClick(l.list, row.key, row.modifiers);
        EXPECT_EQ(l.entries(), row.left) << row.selected.size() << " selected";
    }
}

TEST(ListEditing, deletingAgainGoesOnWithTheEntryThatTookThePlace)
{
    List l({ u"a"_s, u"b"_s, u"c"_s });
    l.select({ 1 });
    QTest::keyClick(l.list, Qt::Key_Delete);
    QTest::keyClick(l.list, Qt::Key_Delete);
    EXPECT_EQ(l.entries(), QStringList({ u"a"_s }));
}

TEST(ListEditing, moveEntriesKeepsTheirOrderAndPutsThemBeforeTheGivenEntry)
{
    const struct
    {
        QList<int> rows;
        int before;
        QString order;
        QString selected;
    } rows[] = {
        { { 0 }, 3, u"bcad"_s, u"a"_s },     { { 3 }, 0, u"dabc"_s, u"d"_s },
        { { 0, 2 }, 4, u"bdac"_s, u"ac"_s }, { { 2, 0 }, 1, u"acbd"_s, u"ac"_s },
        { { 1 }, 1, u"abcd"_s, u"b"_s },     { { 1 }, 2, u"abcd"_s, u"b"_s },
        { { 3, 1 }, 0, u"bdac"_s, u"bd"_s }, { { 1, 9, -1 }, 99, u"acdb"_s, u"b"_s },
        { {}, 0, u"abcd"_s, QString() },
    };
    for (const auto &row : rows) {
        List l({ u"a"_s, u"b"_s, u"c"_s, u"d"_s });
        l.list->MoveEntries(row.rows, row.before);
        EXPECT_EQ(l.entries().join(QString()), row.order) << row.before;
        QString selected;
        for (int i = 0; i < l.list->count(); ++i)
            if (l.list->item(i)->isSelected())
                selected += l.list->List(i);
        EXPECT_EQ(selected, row.selected) << row.before;
    }
}

TEST(ListEditing, draggingSelectedEntriesMovesThemWhereTheyAreDropped)
{
    List l({ u"a"_s, u"b"_s, u"c"_s, u"d"_s });
    l.select({ 0, 1 });
    std::unique_ptr<QMimeData> mime(l.list->dragData());
    QSignalSpy fileDrops(l.list, &ListBox::OLEDragDrop);
    l.dropAt(mime.get(), l.lowerHalfOf(2));
    EXPECT_EQ(l.entries(), QStringList({ u"c"_s, u"a"_s, u"b"_s, u"d"_s }));
    EXPECT_EQ(fileDrops.count(), 0); // a move adds nothing

    l.select({ 3 });
    mime.reset(l.list->dragData());
    l.dropAt(mime.get(), l.upperHalfOf(0));
    EXPECT_EQ(l.entries(), QStringList({ u"d"_s, u"c"_s, u"a"_s, u"b"_s }));

    // Below the last entry: to the end.
    l.select({ 0 });
    mime.reset(l.list->dragData());
    l.dropAt(mime.get(), QPoint(4, l.list->viewport()->height() - 2));
    EXPECT_EQ(l.entries(), QStringList({ u"c"_s, u"a"_s, u"b"_s, u"d"_s }));
}

TEST(ListEditing, entriesDraggedFromAnotherListAreNotTakenAsAMove)
{
    List source({ u"x"_s, u"y"_s });
    List l({ u"a"_s, u"b"_s });
    source.select({ 1 });
    std::unique_ptr<QMimeData> mime(source.list->dragData());
    QSignalSpy fileDrops(l.list, &ListBox::OLEDragDrop);
    l.dropAt(mime.get(), l.upperHalfOf(0));
    EXPECT_EQ(l.entries(), QStringList({ u"a"_s, u"b"_s }));
    EXPECT_EQ(source.entries(), QStringList({ u"x"_s, u"y"_s }));
    // Delivered as a drop carrying no file, which adds nothing.
    for (const auto &signal : fileDrops)
        EXPECT_EQ(signal.at(0).value<DataObject>().FilesCount(), 0);
}

TEST(ListEditing, reverseTurnsTheWholeListAround)
{
    for (const QStringList &entries : { QStringList {}, QStringList { u"a"_s },
                                        QStringList { u"a"_s, u"b"_s, u"c"_s, u"d"_s } }) {
        List l(entries);
        l.list->Reverse();
        QStringList reversed(entries.crbegin(), entries.crend());
        EXPECT_EQ(l.entries(), reversed);
    }
}

TEST(ListEditing, aLongPathIsElidedInTheMiddleOnScreenAndKeptWholeAsTheEntry)
{
    const QString path
        = u"/home/user/fotos/giratorio/una/carpeta/muy/larga/de/verdad/frame0042.jpg"_s;
    List l({ path });
    QCoreApplication::processEvents();
    EXPECT_EQ(l.list->List(0), path);
    EXPECT_EQ(l.list->textElideMode(), Qt::ElideMiddle);
    // The entry takes the list's width instead of its text's, so it is elided, not scrolled.
    EXPECT_LE(l.list->visualItemRect(l.list->item(0)).width(), l.list->viewport()->width());
    EXPECT_FALSE(l.list->horizontalScrollBar()->isVisible());
    EXPECT_GT(l.list->fontMetrics().horizontalAdvance(path), l.list->viewport()->width());
}

TEST(EnterKey, pressesTheFocusedButtonOrCheckBoxLikeAClick)
{
    Form form;
    CommandButton button(form.client());
    CheckBox check(form.client());
    form.show();
    QSignalSpy clicks(&button, &CommandButton::Click);
    QSignalSpy checkClicks(&check, &CheckBox::Click);
    for (const Qt::Key key : { Qt::Key_Return, Qt::Key_Enter }) {
        button.setFocus();
        QTest::keyClick(&button, key);
        check.setFocus();
        QTest::keyClick(&check, key);
    }
    EXPECT_EQ(clicks.count(), 2);
    EXPECT_EQ(checkClicks.count(), 2);
    EXPECT_EQ(check.Value(), 0); // toggled twice
    QTest::keyClick(&check, Qt::Key_Return);
    EXPECT_EQ(check.Value(), 1);
    button.setEnabled(false);
    QTest::keyClick(&button, Qt::Key_Return);
    EXPECT_EQ(clicks.count(), 2);
}
