// SPDX-License-Identifier: GPL-3.0-or-later
#include "assembly.h"

#include "frame_size.h"

#include "runtime/error.h"
#include "runtime/geometry.h"
#include "runtime/picture.h"

#include "engine/compose.h"
#include "engine/crop.h"
#include "engine/working_set.h"

#include <algorithm>
#include <new>

using namespace Qt::StringLiterals;

namespace strip {

namespace {

class RunningFlag
{
public:
    explicit RunningFlag(bool &flag) : m_flag(flag) { m_flag = true; }
    ~RunningFlag() { m_flag = false; }
    RunningFlag(const RunningFlag &) = delete;
    RunningFlag &operator=(const RunningFlag &) = delete;

private:
    bool &m_flag;
};

constexpr int kFilledBox = 38;
// The back colour as a colour value: red + 256 green + 65536 blue.
constexpr std::uint32_t kBackColorValue = std::uint32_t(qRed(engine::kStripBackColor))
    + 256u * std::uint32_t(qGreen(engine::kStripBackColor))
    + 65536u * std::uint32_t(qBlue(engine::kStripBackColor));

// Ends the decodes ahead of a run however the run ends.
class DropOnExit
{
public:
    explicit DropOnExit(std::unique_ptr<engine::FramePrefetch> &ahead) : m_ahead(ahead) { }
    ~DropOnExit() { m_ahead.reset(); }
    DropOnExit(const DropOnExit &) = delete;
    DropOnExit &operator=(const DropOnExit &) = delete;

private:
    std::unique_ptr<engine::FramePrefetch> &m_ahead;
};

} // namespace

void Assembly::waitForDecodesAhead()
{
    if (m_ahead)
        m_ahead->waitIdle();
}

Assembly::Assembly(runtime::ListBox &list, runtime::TextBox &width, runtime::TextBox &height,
                   runtime::PictureBox &canvas, runtime::PictureBox &loader,
                   runtime::CommandButton &save, runtime::EventPump &events,
                   ProgressReport progress)
    : List1(list), ancho(width), alto(height), objeto(canvas), buff(loader), Command5(save),
      m_events(events), m_progress(std::move(progress)),
      m_decodeThreads(engine::WorkerPool::defaultThreads())
{ }

void Assembly::prepareCanvas(runtime::PictureBox &objeto)
{
    objeto.client()->setImageFollowsSize(false);
    objeto.client()->setBackColor(QColor::fromRgb(engine::kStripBackColor));
    objeto.client()->Cls();
    objeto.client()->resizeImage(
        objeto.pixelRect().size()
        - QSize(2 * runtime::PictureBox::kBorder, 2 * runtime::PictureBox::kBorder));
}

QSize Assembly::frameSize() const
{
    return { frameSide(ancho.Text(), u"ancho"_s), frameSide(alto.Text(), u"alto"_s) };
}

engine::FrameOptions Assembly::runOptions(int count, QSize frame) const
{
    engine::FrameOptions options = m_fit;
    if (!m_autoCrop || count == 0)
        return options;
    QStringList files;
    for (int i = 0; i < count; ++i) {
        files.append(List1.List(i));
        if (files.constLast().isEmpty()) // as the loop below would stop there
            throw runtime::RuntimeError(runtime::err::kFileNotFound, engine::emptyEntryMessage(i));
    }
    engine::CropRequest request;
    request.kind = engine::CropRequest::Kind::Auto;
    QString error;
    if (!engine::resolveCrop(files, request, frame, std::max(1, m_decodeThreads), &options.crop,
                             &error))
        throw runtime::RuntimeError(runtime::err::kInvalidPicture, error);
    return options;
}

// Sets the box's outer height as the canvas always had it, and gives the strip room for every
// frame of the run: the box only shows the strip's top-left part and never crops it.
void Assembly::sizeCanvas(int count, QSize frame)
{
    const int width = std::max(m_stripWidth, frame.width());
    // Never fewer rows than this run has painted, even if the list was emptied meanwhile.
    const qint64 rows = std::max(qint64(count) * frame.height(), m_paintedRows);
    checkStripSize(width, rows);
    try {
        objeto.client()->resizeImage(QSize(width, int(rows)));
    } catch (const std::bad_alloc &) {
        throw runtime::RuntimeError(
            runtime::err::kOutOfMemory,
            u"No hay memoria para una tira de %1 × %2 píxeles."_s.arg(width).arg(rows));
    }
    m_stripWidth = width;
    objeto.setHeight(float(double(frame.height()) * count * double(runtime::kTwipsPerPixel)));
}

void Assembly::Command2_Click()
{
    if (m_running)
        return; // a second start while frames are being painted is ignored
    RunningFlag running(m_running);

    const int count = List1.ListCount();
    QSize frame = frameSize();
    m_stripWidth = 0; // as wide as this run's frames
    m_paintedRows = 0;
    m_paintedFrames = 0;
    m_storedFrames = 0;
    sizeCanvas(count, frame);
    // One box for the whole turn, found before any frame is painted.
    const engine::FrameOptions options = runOptions(count, frame);

    // Workers decode the next frames for the list and size as they stand now; whatever has
    // changed by a frame's turn is decoded again then, so the strip is the same as painting
    // each frame from its file on its turn. Leaving this scope (the end, an error, the program
    // ending) drops what is left and waits for the decodes under way.
    m_ahead = std::make_unique<engine::FramePrefetch>(m_decodeThreads, engine::kReadAheadBytes,
                                                      options);
    const DropOnExit dropAhead(m_ahead);
    engine::FramePrefetch &ahead = *m_ahead;
    const auto planAhead = [&](int from, QSize size) {
        const int last = std::min({ count, int(List1.ListCount()), from + ahead.ahead(size) });
        for (int j = from; j < last; ++j)
            ahead.plan(j, List1.List(j), size);
        ahead.forgetFrom(std::max(from, last));
    };
    planAhead(0, frame);

    for (int i = 0; i <= count - 1; ++i) {
        m_events.DoEvents();
        frame = frameSize(); // edits made while yielding apply to the following frames
        if (i >= List1.ListCount())
            throw runtime::RuntimeError(
                runtime::err::kSubscriptOutOfRange,
                u"La lista de archivos se vació durante el montaje; se detuvo en el cuadro %1."_s
                    .arg(i + 1));
        planAhead(i + 1, frame);
        const QString path = List1.List(i);
        if (path.isEmpty()) // left by restoring a list whose entry was missing
            throw runtime::RuntimeError(runtime::err::kFileNotFound, engine::emptyEntryMessage(i));
        runtime::Picture picture = runtime::LoadPicture(path);
        picture.setFrameOptions(options);
        picture.setStretched(ahead.take(i, path, frame));
        buff.setPicture(std::move(picture));
        const float top = float(double(i) * frame.height());
        // Transparent pixels show the canvas's back colour, never what an earlier run left in
        // these rows, so the strip is the same bytes whatever ran before.
        objeto.Line(kFilledBox, 0, top, float(frame.width()), top + float(frame.height()),
                    kBackColorValue);
        objeto.PaintPicture(buff.Picture(), 0, top, float(frame.width()), float(frame.height()));
        m_paintedRows = std::max(m_paintedRows, qint64(i + 1) * frame.height());
        m_paintedFrames = i + 1;
        if (objeto.AutoRedraw())
            ++m_storedFrames;
        m_paintedFrameSize = frame;
        objeto.Refresh();
        sizeCanvas(List1.ListCount(), frame);
        m_progress(i, List1.ListCount() - 1);
    }
    Command5.setEnabled(true);
}

} // namespace strip
