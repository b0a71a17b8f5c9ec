// SPDX-License-Identifier: GPL-3.0-or-later
#include "spin_preview.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>
#include <QWheelEvent>

using namespace Qt::StringLiterals;

namespace preview {

namespace {

constexpr int kWheelNotch = 120; // one step of an ordinary mouse wheel

int wrap(int index, int count)
{
    if (count <= 0)
        return 0;
    const int r = index % count;
    return r < 0 ? r + count : r;
}

} // namespace

// The drawing area: the frame at the largest whole-number zoom that fits (so pixels stay
// sharp), or shrunk to fit a smaller window; dragging sideways turns the strip.
class FrameView : public QWidget
{
public:
    explicit FrameView(SpinPreview &preview) : QWidget(&preview), m_preview(preview)
    {
        setFocusPolicy(Qt::StrongFocus);
        setMinimumSize(160, 100);
        setCursor(Qt::OpenHandCursor);
    }

    QSize sizeHint() const override
    {
        const QSize frame = m_preview.m_view.frame;
        return frame.isValid() ? frame.boundedTo(QSize(960, 720)).expandedTo(minimumSize())
                               : QSize(320, 200);
    }

    QRect targetRect() const
    {
        const QSize frame = m_preview.m_view.frame;
        if (frame.isEmpty())
            return {};
        const double fit
            = std::min(double(width()) / frame.width(), double(height()) / frame.height());
        const double zoom = fit >= 1.0 ? std::floor(fit) : fit;
        const QSize shown(std::max(1, int(std::lround(frame.width() * zoom))),
                          std::max(1, int(std::lround(frame.height() * zoom))));
        return { QPoint((width() - shown.width()) / 2, (height() - shown.height()) / 2), shown };
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(rect(), palette().color(QPalette::Window).darker(115));
        const QRect source = m_preview.sourceRect();
        if (source.isEmpty()) {
            p.setPen(palette().color(QPalette::WindowText));
            p.drawText(rect().adjusted(12, 12, -12, -12), Qt::AlignCenter | Qt::TextWordWrap,
                       m_preview.statusText());
            return;
        }
        const QRect target = targetRect();
        p.setRenderHint(QPainter::SmoothPixmapTransform, target.width() < source.width());
        p.drawImage(target, *m_preview.m_view.image, source);
    }

    void mousePressEvent(QMouseEvent *event) override
    {
        m_dragging = true;
        m_startX = event->position().x();
        m_startFrame = m_preview.currentFrame();
        m_preview.setPlaying(false); // a hand on the object stops it
        setCursor(Qt::ClosedHandCursor);
    }

    void mouseMoveEvent(QMouseEvent *event) override
    {
        if (m_dragging)
            m_preview.turnByDrag(m_startFrame, int(event->position().x() - m_startX));
    }

    void mouseReleaseEvent(QMouseEvent *) override
    {
        m_dragging = false;
        setCursor(Qt::OpenHandCursor);
    }

    void wheelEvent(QWheelEvent *event) override
    {
        const QPoint delta = event->angleDelta();
        m_preview.wheelSteps(delta.y() != 0 ? delta.y() : delta.x());
        event->accept();
    }

private:
    SpinPreview &m_preview;
    bool m_dragging = false;
    double m_startX = 0;
    int m_startFrame = 0;
};

SpinPreview::SpinPreview(Source source, QWidget *parent)
    : QWidget(parent, Qt::Window), m_source(std::move(source))
{
    setWindowTitle(u"Vista previa"_s);
    m_frameView = new FrameView(*this);
    m_play = new QPushButton(this);
    m_play->setCheckable(true);
    m_play->setFocusPolicy(Qt::NoFocus); // the arrow keys stay with the frame
    m_speedLabel = new QLabel(this);
    m_speed = new QSpinBox(this);
    m_speed->setRange(1, 60);
    m_speed->setValue(kDefaultFramesPerSecond);
    m_speed->setFocusPolicy(Qt::ClickFocus);
    m_status = new QLabel(this);
    m_status->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_status->setMinimumWidth(m_status->fontMetrics().horizontalAdvance(u"00000 / 00000"_s));
    m_timer = new QTimer(this);

    auto *controls = new QHBoxLayout;
    controls->addWidget(m_play);
    controls->addSpacing(12);
    controls->addWidget(m_speedLabel);
    controls->addWidget(m_speed);
    controls->addStretch(1);
    controls->addWidget(m_status);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_frameView, 1);
    layout->addLayout(controls);
    setFocusProxy(m_frameView);

    connect(m_play, &QPushButton::toggled, this, [this](bool on) { setPlaying(on); });
    connect(m_speed, &QSpinBox::valueChanged, this,
            [this](int fps) { m_timer->setInterval(1000 / fps); });
    connect(m_timer, &QTimer::timeout, this, [this] { step(1); });
    m_timer->setInterval(1000 / kDefaultFramesPerSecond);

    updatePlayCaption();
    stripChanged();
}

SpinPreview::~SpinPreview() = default;

QRect SpinPreview::sourceRect() const
{
    if (!m_view.image || m_view.frames <= 0 || m_view.frame.isEmpty())
        return {};
    const QRect frame(QPoint(0, m_current * m_view.frame.height()), m_view.frame);
    return frame.intersected(m_view.image->rect());
}

void SpinPreview::setCurrentFrame(int index)
{
    const int wrapped = wrap(index, m_view.frames);
    if (wrapped == m_current)
        return;
    m_current = wrapped;
    refreshStatus();
    m_frameView->update();
}

bool SpinPreview::playing() const
{
    return m_timer->isActive();
}

void SpinPreview::setPlaying(bool on)
{
    on = on && m_view.frames > 1; // nothing to turn with fewer than two frames
    if (on && !playing())
        m_timer->start();
    else if (!on)
        m_timer->stop();
    const QSignalBlocker quiet(m_play);
    m_play->setChecked(on);
    updatePlayCaption();
}

int SpinPreview::framesPerSecond() const
{
    return m_speed->value();
}

void SpinPreview::setFramesPerSecond(int fps)
{
    m_speed->setValue(fps);
}

void SpinPreview::stripChanged()
{
    const QSize before = m_view.frame;
    m_view = m_source ? m_source() : StripView {};
    if (m_view.frames <= 0 || !m_view.image || m_view.screenOnly) {
        m_view.frames = 0;
        setPlaying(false);
    }
    m_current = wrap(m_current, m_view.frames);
    if (m_view.frame != before)
        m_frameView->updateGeometry();
    refreshStatus();
    m_frameView->update();
}

void SpinPreview::switchToEnglish()
{
    m_english = true;
    setWindowTitle(u"Preview"_s);
    updatePlayCaption();
    refreshStatus();
    m_frameView->update();
}

QImage SpinPreview::currentFrameImage() const
{
    const QRect source = sourceRect();
    return source.isEmpty() ? QImage() : m_view.image->copy(source);
}

QRect SpinPreview::shownRect() const
{
    return m_frameView->targetRect();
}

QString SpinPreview::statusText() const
{
    if (m_view.screenOnly)
        return m_english
            ? u"The last run was made with \"Auto Redraw\" up: the frames reached the screen "
              "only. Press \"Auto Redraw\" and \"Make Now!\" again."_s
            : u"El último montaje se hizo con \"Auto Redibujar\" sin pulsar: los cuadros sólo "
              "se pintaron en la pantalla. Pulse \"Auto Redibujar\" y \"Comenzar montaje\" "
              "otra vez."_s;
    if (m_view.frames <= 0)
        return m_english ? u"No strip yet: add pictures and press \"Make Now!\"."_s
                         : u"Todavía no hay tira: añada imágenes y pulse \"Comenzar montaje\"."_s;
    return u"%1 / %2"_s.arg(m_current + 1).arg(m_view.frames);
}

void SpinPreview::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Right:
    case Qt::Key_Down:
        step(1);
        break;
    case Qt::Key_Left:
    case Qt::Key_Up:
        step(-1);
        break;
    case Qt::Key_Home:
        setCurrentFrame(0);
        break;
    case Qt::Key_End:
        setCurrentFrame(m_view.frames - 1);
        break;
    case Qt::Key_Space:
        setPlaying(!playing());
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void SpinPreview::refreshStatus()
{
    m_status->setText(m_view.frames > 0 ? statusText() : QString());
    m_play->setEnabled(m_view.frames > 1);
}

void SpinPreview::updatePlayCaption()
{
    const bool on = playing();
    m_play->setText(m_english ? (on ? u"Pause"_s : u"Play"_s)
                              : (on ? u"Pausa"_s : u"Reproducir"_s));
    m_speedLabel->setText(m_english ? u"Speed:"_s : u"Velocidad:"_s);
    m_speed->setSuffix(m_english ? u" frames/s"_s : u" cuadros/s"_s);
}

void SpinPreview::turnByDrag(int startFrame, int dx)
{
    setCurrentFrame(startFrame + dx / kPixelsPerFrame);
}

void SpinPreview::wheelSteps(int angleDelta)
{
    // Wheel away from the user (positive) turns back, towards the user forward, as a list
    // scrolls; high-resolution wheels send fractions of a notch, which add up.
    m_wheelRemainder -= angleDelta;
    const int steps = m_wheelRemainder / kWheelNotch;
    m_wheelRemainder -= steps * kWheelNotch;
    step(steps);
}

} // namespace preview
