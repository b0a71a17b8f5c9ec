// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls.h"

#include "error.h"

#include <QCoreApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QUrl>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace runtime {

QString DataObject::Files(int k) const
{
    if (k < 1 || k > files.size())
        throw RuntimeError(err::kSubscriptOutOfRange, u"El subíndice está fuera del intervalo"_s);
    return files.at(k - 1);
}

namespace {

// The local paths a drag carries; empty when it carries no file.
QStringList droppedFiles(const QMimeData *mime)
{
    QStringList files;
    if (!mime || !mime->hasUrls())
        return files;
    const QList<QUrl> urls = mime->urls();
    for (const QUrl &url : urls)
        if (url.isLocalFile())
            files.append(url.toLocalFile());
    return files;
}

// The drop is acknowledged to the dragging program first and handled afterwards, from the
// event loop: the handler yields to the event loop, which must not happen inside the drop.
template<typename Control> void deliverDrop(Control *control, QDropEvent *event)
{
    DataObject data { droppedFiles(event->mimeData()) };
    event->acceptProposedAction();
    QTimer::singleShot(0, control, [control, data] { Q_EMIT control->OLEDragDrop(data); });
}

void acceptFileDrags(QDropEvent *event)
{
    if (event->mimeData() && event->mimeData()->hasUrls())
        event->acceptProposedAction();
    else
        event->ignore();
}

} // namespace

PictureBox::PictureBox(QWidget *parent)
    : QFrame(parent), Geometry(static_cast<QWidget &>(*this)), m_client(new Surface(this))
{
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken); // always two pixels wide
    setFocusPolicy(Qt::ClickFocus);
}

void PictureBox::applyGeometry()
{
    Geometry::applyGeometry();
    // Set here rather than on the resize event, which a hidden box only gets once shown.
    const QRect outer = pixelRect();
    m_client->place(QRect(kBorder, kBorder, std::max(0, outer.width() - 2 * kBorder),
                          std::max(0, outer.height() - 2 * kBorder)));
}

void PictureBox::paintEvent(QPaintEvent *event)
{
    const int w = width();
    const int h = height();
    if ((w > 2 * kBorder && h > 2 * kBorder) || w < 2 || h < 2) {
        QFrame::paintEvent(event);
        return;
    }
    // Qt leaves out the inner pair of shades when a box has no inner area, so a groove would
    // show the background between its outer lines. The same shades as a larger box, drawn
    // whatever the size:
    QPainter p(this);
    const QPalette &pal = palette();
    auto polyline = [&p](QPalette::ColorRole role, const QPalette &colours,
                         std::initializer_list<QPoint> points) {
        p.setPen(colours.color(role));
        p.drawPolyline(points.begin(), int(points.size()));
    };
    polyline(QPalette::Dark, pal, { QPoint(0, h - 2), QPoint(0, 0), QPoint(w - 2, 0) });
    polyline(QPalette::Light, pal, { QPoint(0, h - 1), QPoint(w - 1, h - 1), QPoint(w - 1, 0) });
    polyline(QPalette::Shadow, pal, { QPoint(1, h - 3), QPoint(1, 1), QPoint(w - 3, 1) });
    polyline(QPalette::Midlight, pal, { QPoint(1, h - 2), QPoint(w - 2, h - 2), QPoint(w - 2, 1) });
}

TextBox::TextBox(QWidget *parent) : QLineEdit(parent), Geometry(static_cast<QWidget &>(*this))
{
    setAcceptDrops(true);
}

void TextBox::dragEnterEvent(QDragEnterEvent *event)
{
    acceptFileDrags(event);
}

void TextBox::dragMoveEvent(QDragMoveEvent *event)
{
    acceptFileDrags(event);
}

void TextBox::dropEvent(QDropEvent *event)
{
    deliverDrop(this, event);
}

namespace {

// Entries ask for no width of their own, so each takes the list's width and its text is
// elided to it instead of the list scrolling sideways to a path's end.
class ListWidthDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setWidth(1);
        return size;
    }
};

// A drag of entries names the list it came from (this process and that widget), so only that
// list takes it as a move.
const QString kRowsFormat = u"application/x-framolin-list-rows"_s;

QByteArray listToken(const ListBox *list)
{
    return QByteArray::number(QCoreApplication::applicationPid()) + ':'
        + QByteArray::number(reinterpret_cast<quintptr>(list));
}

bool isEnter(const QKeyEvent *event)
{
    return (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

} // namespace

ListBox::ListBox(QWidget *parent) : QListWidget(parent), Geometry(static_cast<QWidget &>(*this))
{
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::MoveAction);
    setDropIndicatorShown(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setUniformItemSizes(true); // keeps a list of thousands of paths fast
    setTextElideMode(Qt::ElideMiddle);
    setItemDelegate(new ListWidthDelegate(this));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

QString ListBox::List(int index) const
{
    if (index < 0 || index >= count())
        throw RuntimeError(err::kSubscriptOutOfRange, u"El subíndice está fuera del intervalo"_s);
    return item(index)->text();
}

void ListBox::AddItem(const QString &entry)
{
    if (count() >= kMaxEntries)
        throw RuntimeError(err::kOutOfMemory,
                           u"La lista no admite más de %1 archivos"_s.arg(kMaxEntries));
    addItem(entry);
}

void ListBox::RemoveSelected()
{
    QList<int> rows;
    for (const QModelIndex &index : selectionModel()->selectedIndexes())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end(), std::greater<>());
    for (const int row : std::as_const(rows))
        delete takeItem(row);
    // The entry now at the first removed place takes the selection, so Delete can go on.
    if (!rows.isEmpty() && count() > 0)
        setCurrentRow(std::min(rows.back(), count() - 1));
}

void ListBox::MoveEntries(QList<int> rows, int before)
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    rows.erase(std::remove_if(rows.begin(), rows.end(),
                              [this](int row) { return row < 0 || row >= count(); }),
               rows.end());
    if (rows.isEmpty())
        return;
    before = std::clamp(before, 0, count());
    QList<QListWidgetItem *> moved;
    for (qsizetype i = rows.size() - 1; i >= 0; --i) {
        const int row = rows.at(i);
        moved.prepend(takeItem(row));
        if (row < before)
            --before;
    }
    clearSelection();
    for (qsizetype i = 0; i < moved.size(); ++i) {
        insertItem(before + int(i), moved[i]);
        moved[i]->setSelected(true);
    }
    setCurrentItem(moved.front(), QItemSelectionModel::NoUpdate);
}

void ListBox::Reverse()
{
    const int n = count();
    for (int i = 0; i < n - 1; ++i)
        insertItem(i, takeItem(n - 1));
}

QMimeData *ListBox::dragData() const
{
    QList<int> rows;
    for (const QModelIndex &index : selectionModel()->selectedIndexes())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    QByteArray rowsData = listToken(this);
    for (const int row : std::as_const(rows))
        rowsData += ' ' + QByteArray::number(row);
    auto *mime = new QMimeData;
    mime->setData(kRowsFormat, rowsData);
    return mime;
}

QList<int> ListBox::movedRows(const QMimeData *mime) const
{
    QList<int> rows;
    if (!mime || !mime->hasFormat(kRowsFormat))
        return rows;
    const QList<QByteArray> parts = mime->data(kRowsFormat).split(' ');
    if (parts.isEmpty() || parts.front() != listToken(this))
        return rows;
    for (qsizetype i = 1; i < parts.size(); ++i) {
        bool ok = false;
        const int row = parts[i].toInt(&ok);
        if (ok)
            rows.append(row);
    }
    return rows;
}

void ListBox::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace)
        && event->modifiers() == Qt::NoModifier) {
        RemoveSelected();
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}

void ListBox::startDrag(Qt::DropActions supportedActions)
{
    Q_UNUSED(supportedActions);
    if (selectionModel()->selectedIndexes().isEmpty())
        return;
    // Our own drag: the drop moves the entries itself, so nothing is removed afterwards
    // whatever the drag reports.
    auto *drag = new QDrag(this);
    drag->setMimeData(dragData());
    drag->exec(Qt::MoveAction);
}

void ListBox::dragEnterEvent(QDragEnterEvent *event)
{
    if (!movedRows(event->mimeData()).isEmpty()) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
        return;
    }
    acceptFileDrags(event);
}

void ListBox::dragMoveEvent(QDragMoveEvent *event)
{
    if (!movedRows(event->mimeData()).isEmpty()) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
        return;
    }
    acceptFileDrags(event);
}

void ListBox::dropEvent(QDropEvent *event)
{
    const QList<int> rows = movedRows(event->mimeData());
    if (rows.isEmpty()) {
        deliverDrop(this, event);
        return;
    }
    // Dropped on the upper half of an entry: before it; on the lower half: after it; below
    // the last entry: at the end.
    const QPoint pos = event->position().toPoint();
    const QModelIndex at = indexAt(pos);
    int before = count();
    if (at.isValid())
        before = pos.y() > visualRect(at).center().y() ? at.row() + 1 : at.row();
    MoveEntries(rows, before);
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

CommandButton::CommandButton(QWidget *parent)
    : QPushButton(parent), Geometry(static_cast<QWidget &>(*this))
{
    connect(this, &QPushButton::clicked, this, &CommandButton::Click);
}

void CommandButton::setGraphicalBackColor(const QColor &color)
{
    setFlat(true);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Button, color);
    pal.setColor(QPalette::Window, color);
    setPalette(pal);
}

namespace {
template<typename Signal>
void emitTwips(CommandButton *button, Signal signal, QMouseEvent *event, Qt::MouseButtons buttons)
{
    const QPointF pos = event->position() * double(kTwipsPerPixel);
    Q_EMIT(button->*signal)
    (buttonMask(buttons), shiftMask(event->modifiers()), float(pos.x()), float(pos.y()));
}
} // namespace

void CommandButton::keyPressEvent(QKeyEvent *event)
{
    if (isEnter(event) && isEnabled()) {
        click();
        event->accept();
        return;
    }
    QPushButton::keyPressEvent(event);
}

void CommandButton::mousePressEvent(QMouseEvent *event)
{
    QPushButton::mousePressEvent(event);
    emitTwips(this, &CommandButton::mouseDown, event, event->button());
}

void CommandButton::mouseMoveEvent(QMouseEvent *event)
{
    QPushButton::mouseMoveEvent(event);
    emitTwips(this, &CommandButton::mouseMove, event, event->buttons());
}

void CommandButton::mouseReleaseEvent(QMouseEvent *event)
{
    QPushButton::mouseReleaseEvent(event);
    emitTwips(this, &CommandButton::mouseUp, event, event->button());
}

CheckBox::CheckBox(QWidget *parent) : QPushButton(parent), Geometry(static_cast<QWidget &>(*this))
{
    setCheckable(true);
    connect(this, &QPushButton::clicked, this, &CheckBox::Click);
}

void CheckBox::keyPressEvent(QKeyEvent *event)
{
    if (isEnter(event) && isEnabled()) {
        click();
        event->accept();
        return;
    }
    QPushButton::keyPressEvent(event);
}

ImageBox::ImageBox(QWidget *parent) : QLabel(parent), Geometry(static_cast<QWidget &>(*this))
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

} // namespace runtime
