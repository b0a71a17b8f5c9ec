#include "controls.h"

#include "error.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QTimer>
#include <QUrl>

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

ListBox::ListBox(QWidget *parent) : QListWidget(parent), Geometry(static_cast<QWidget &>(*this))
{
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DropOnly);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true); // keeps a list of thousands of paths fast
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

void ListBox::dragEnterEvent(QDragEnterEvent *event)
{
    acceptFileDrags(event);
}

void ListBox::dragMoveEvent(QDragMoveEvent *event)
{
    acceptFileDrags(event);
}

void ListBox::dropEvent(QDropEvent *event)
{
    deliverDrop(this, event);
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

ImageBox::ImageBox(QWidget *parent) : QLabel(parent), Geometry(static_cast<QWidget &>(*this))
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

} // namespace runtime
