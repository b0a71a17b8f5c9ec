// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The spin preview: a window of its own that shows the canvas's strip one frame at a time and
// turns it by dragging, the arrow keys, the wheel or playing, as a 360° viewer would. It reads
// the strip where the main window keeps it, never the picture files.

#include <QImage>
#include <QWidget>

#include <functional>

class QLabel;
class QPushButton;
class QSpinBox;
class QTimer;

namespace preview {

// What there is to show: the strip (owned by the canvas, read only while painting, so an
// assembly painting it never pays for a copy), the frame size and how many frames are painted.
struct StripView
{
    const QImage *image = nullptr;
    QSize frame;
    int frames = 0;
    // The frames reached the screen only ("Auto Redibujar" up): the strip holds none of them.
    bool screenOnly = false;
};

class FrameView;

class SpinPreview : public QWidget
{
    Q_OBJECT
public:
    using Source = std::function<StripView()>;

    // Dragging this many pixels sideways turns one frame; to the right is forward.
    static constexpr int kPixelsPerFrame = 8;
    static constexpr int kDefaultFramesPerSecond = 12;

    explicit SpinPreview(Source source, QWidget *parent = nullptr);
    ~SpinPreview() override;

    // The frame shown, from 0; any index wraps around the painted frames.
    int currentFrame() const { return m_current; }
    void setCurrentFrame(int index);
    void step(int delta) { setCurrentFrame(m_current + delta); }
    int frameCount() const { return m_view.frames; }

    bool playing() const;
    void setPlaying(bool on);
    int framesPerSecond() const;
    void setFramesPerSecond(int fps);

    // The strip may have changed: a frame was painted, a run started or the size changed.
    void stripChanged();
    // Captions in English from now on, as the main window's switch does.
    void switchToEnglish();

    // The frame on screen as the strip holds it; null when there is nothing to show.
    QImage currentFrameImage() const;
    // Where the frame is drawn in the drawing area (the focus proxy), in its pixels.
    QRect shownRect() const;
    // "12 / 36", or the notice of an empty strip or of one painted on the screen only.
    QString statusText() const;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    friend class FrameView;
    QRect sourceRect() const;
    void refreshStatus();
    void updatePlayCaption();
    void turnByDrag(int startFrame, int dx);
    void wheelSteps(int angleDelta);

    Source m_source;
    StripView m_view;
    int m_current = 0;
    int m_wheelRemainder = 0;
    bool m_english = false;
    FrameView *m_frameView = nullptr;
    QPushButton *m_play = nullptr;
    QLabel *m_speedLabel = nullptr;
    QSpinBox *m_speed = nullptr;
    QLabel *m_status = nullptr;
    QTimer *m_timer = nullptr;
};

} // namespace preview
