// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The controls of a form: thin widgets with the properties handlers use, positioned in twips
// inside their container's inner area (see Geometry).

#include "geometry.h"
#include "surface.h"

#include "engine/working_set.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStringList>

namespace runtime {

// What a drop delivers: the dropped files, Files(1) first.
struct DataObject
{
    QStringList files;
    int FilesCount() const { return int(files.size()); }
    // k counted from 1; throws RuntimeError 9 outside 1..FilesCount.
    QString Files(int k) const;
};

// A container or drawing box with a sunken 2-pixel border; its children and its drawing live
// in its inner area.
class PictureBox : public QFrame, public Geometry
{
    Q_OBJECT
public:
    explicit PictureBox(QWidget *parent);

    // The inner area: the parent of controls placed in this box, and its drawing surface.
    Surface *client() const { return m_client; }

    float ScaleWidth() const { return m_client->ScaleWidth(); }
    float ScaleHeight() const { return m_client->ScaleHeight(); }
    bool AutoRedraw() const { return m_client->AutoRedraw(); }
    void setAutoRedraw(bool on) { m_client->setAutoRedraw(on); }
    void Cls() { m_client->Cls(); }
    void Line(int flags, float x1, float y1, float x2, float y2, std::uint32_t color)
    {
        m_client->Line(flags, x1, y1, x2, y2, color);
    }
    void PaintPicture(const Picture &p, float x, float y, float w, float h)
    {
        m_client->PaintPicture(p, x, y, w, h);
    }
    void Refresh() { m_client->Refresh(); }
    const QImage &Image() const { return m_client->Image(); }
    const runtime::Picture &Picture() const { return m_picture; }
    void setPicture(runtime::Picture picture) { m_picture = std::move(picture); }
    void SetFocus() { setFocus(Qt::OtherFocusReason); }

    static constexpr int kBorder = 2;

protected:
    void applyGeometry() override;
    // A box too thin for an inner area (a groove) still shows all four shades of its border.
    void paintEvent(QPaintEvent *event) override;

private:
    Surface *m_client;
    runtime::Picture m_picture;
};

class Label : public QLabel, public Geometry
{
    Q_OBJECT
public:
    explicit Label(QWidget *parent) : QLabel(parent), Geometry(static_cast<QWidget &>(*this)) { }
    QString Caption() const { return text(); }
    void setCaption(const QString &caption) { setText(caption); }
};

// One-line text box. Drops are the handler's to take (manual drop mode): the text itself
// never changes by a drop.
class TextBox : public QLineEdit, public Geometry
{
    Q_OBJECT
public:
    explicit TextBox(QWidget *parent);
    QString Text() const { return text(); }
    void setText(const QString &text) { QLineEdit::setText(text); }

Q_SIGNALS:
    void OLEDragDrop(const runtime::DataObject &data);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
};

// The list of entries. Files dragged in from outside go to the handler (manual drop mode);
// the user may also edit the list in place: Delete or Backspace removes the selected entries,
// and dragging entries moves them. Long entries are elided in the middle on screen, so a
// path's file name always shows; the entry itself stays whole.
class ListBox : public QListWidget, public Geometry
{
    Q_OBJECT
public:
    explicit ListBox(QWidget *parent);
    static constexpr int kMaxEntries = engine::kMaxListEntries;

    std::int16_t ListCount() const { return static_cast<std::int16_t>(count()); }
    // Entry by index from 0; throws RuntimeError 9 outside the list.
    QString List(int index) const;
    // Appends at the end; throws RuntimeError 7 once the list holds kMaxEntries.
    void AddItem(const QString &entry);
    void Clear() { clear(); }

    // Removes the selected entries.
    void RemoveSelected();
    // Moves the entries at `rows` (any order) to stand together, in list order, before the
    // entry that was at `before` (count() for the end); they stay selected.
    void MoveEntries(QList<int> rows, int before);
    // Reverses the order of the entries.
    void Reverse();
    // What a drag of the selected entries carries: only this list takes it, as a move.
    QMimeData *dragData() const;

Q_SIGNALS:
    void OLEDragDrop(const runtime::DataObject &data);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // The rows a drag from this very list carries; empty for anything else.
    QList<int> movedRows(const QMimeData *mime) const;
};

class CommandButton : public QPushButton, public Geometry
{
    Q_OBJECT
public:
    explicit CommandButton(QWidget *parent);
    QString Caption() const { return text(); }
    void setCaption(const QString &caption) { setText(caption); }
    // Graphical style: the button shows its back colour.
    void setGraphicalBackColor(const QColor &color);

Q_SIGNALS:
    void Click();
    // Pointer events in twips from the button's top-left corner.
    void mouseDown(int button, int shift, float x, float y);
    void mouseMove(int button, int shift, float x, float y);
    void mouseUp(int button, int shift, float x, float y);

protected:
    // Enter presses the focused button, as Space does.
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
};

// A check box of graphical style: a push button that stays down while it is checked.
class CheckBox : public QPushButton, public Geometry
{
    Q_OBJECT
public:
    explicit CheckBox(QWidget *parent);
    QString Caption() const { return text(); }
    void setCaption(const QString &caption) { setText(caption); }
    std::int16_t Value() const { return isChecked() ? 1 : 0; }
    void setValue(std::int16_t value) { setChecked(value != 0); }

Q_SIGNALS:
    // Raised after a click has changed Value.
    void Click();

protected:
    // Enter presses the focused check box, as Space does.
    void keyPressEvent(QKeyEvent *event) override;
};

// A decoration image.
class ImageBox : public QLabel, public Geometry
{
    Q_OBJECT
public:
    explicit ImageBox(QWidget *parent);
};

// A menu title or entry.
class MenuEntry
{
public:
    MenuEntry() = default;
    explicit MenuEntry(QAction *action) : m_action(action) { }
    QString Caption() const { return m_action->text(); }
    void setCaption(const QString &caption) { m_action->setText(caption); }
    QAction *action() const { return m_action; }

private:
    QAction *m_action = nullptr;
};

} // namespace runtime
