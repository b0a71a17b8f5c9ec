// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The strip assembly ("Comenzar montaje"): every listed picture stretched to the frame size
// and painted in its own row of the canvas, the first at the top, yielding once per frame.

#include "progress_report.h"

#include "runtime/controls.h"
#include "runtime/services.h"

#include "engine/fit.h"
#include "engine/prefetch.h"

#include <memory>

namespace strip {

class Assembly
{
public:
    Assembly(runtime::ListBox &List1, runtime::TextBox &ancho, runtime::TextBox &alto,
             runtime::PictureBox &objeto, runtime::PictureBox &buff,
             runtime::CommandButton &Command5, runtime::EventPump &events, ProgressReport progress);

    // Ignored while a run is under way. Throws RuntimeError for an invalid frame size, a
    // strip beyond the limits or a file that is not a picture; frames painted stay.
    void Command2_Click();
    bool running() const { return m_running; }
    // Frames painted by the latest run so far, and the frame size the last of them was
    // painted at: what a preview of the strip shows.
    int paintedFrames() const { return m_paintedFrames; }
    QSize paintedFrameSize() const { return m_paintedFrameSize; }
    // The latest run painted frames with "Auto Redibujar" up all along: they reached the
    // screen only, and the canvas's stored strip holds none of them.
    bool paintedOnScreenOnly() const { return m_paintedFrames > 0 && m_storedFrames == 0; }

    // Threads decoding the next frames while one is painted (one per core by default; none
    // decodes every frame on its turn). The strip is the same for any count.
    void setDecodeThreads(int threads) { m_decodeThreads = threads; }
    // Waits until the frames planned ahead are decoded (tests use it to meet them decoded).
    void waitForDecodesAhead();

    // How the next runs fit each picture to the frame, and whether they first find one crop
    // box around the object in every listed picture. Stretched whole by default.
    void setFrameOptions(const engine::FrameOptions &fit, bool autoCrop)
    {
        m_fit = fit;
        m_autoCrop = autoCrop;
    }

    // The canvas's strip before any assembly: the box's design-time drawing area.
    static void prepareCanvas(runtime::PictureBox &objeto);

private:
    QSize frameSize() const;
    // The fit of this run, with the crop box found over `count` entries of the list.
    engine::FrameOptions runOptions(int count, QSize frame) const;
    void sizeCanvas(int count, QSize frame);

    runtime::ListBox &List1;
    runtime::TextBox &ancho;
    runtime::TextBox &alto;
    runtime::PictureBox &objeto;
    runtime::PictureBox &buff;
    runtime::CommandButton &Command5;
    runtime::EventPump &m_events;
    ProgressReport m_progress;
    bool m_running = false;
    int m_decodeThreads;
    std::unique_ptr<engine::FramePrefetch> m_ahead; // during a run
    int m_stripWidth = 0;
    qint64 m_paintedRows = 0;
    int m_paintedFrames = 0;
    int m_storedFrames = 0; // of those, painted while the canvas kept its drawing
    QSize m_paintedFrameSize;
    engine::FrameOptions m_fit;
    bool m_autoCrop = false;
};

} // namespace strip
