// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Guardar imágen": the strip the assembly built, written to the output path in the format its
// extension asks for (a 24-bit BMP unless it ends in .png, .jpg/.jpeg or .webp), or its frames
// as a loop at 12 frames a second when it ends in .gif, .mp4 or .webm.

#include "assembly.h"

#include "runtime/controls.h"
#include "runtime/services.h"

#include "engine/loop_writer.h"
#include "engine/strip_format.h"

#include <functional>
#include <optional>

namespace strip {

// What a save wrote, for the window to tell the user.
struct SavedStrip
{
    QString path;
    int frames = 0;
    QSize size;
    engine::StripFormat format = engine::StripFormat::Bmp;
    qint64 bytes = 0;
    std::optional<engine::LoopFormat> loop; // the frames written as a loop in this format
};

class Saver
{
public:
    using SavedReport = std::function<void(const SavedStrip &)>;

    // `saved` hears of every save that wrote its file.
    Saver(runtime::PictureBox &objeto, runtime::TextBox &Text1, const runtime::ListBox &List1,
          runtime::MessageBoxes &boxes, const Assembly &assembly, SavedReport saved = {});

    // Writes the canvas's strip to the path in Text1 (a leading "~/" is the home folder). An
    // empty strip, a strip whose last run reached the screen only, or a path that leads to one of
    // the listed pictures, is not written: a message says so and the file is kept. Throws
    // RuntimeError naming the path and the reason when the file cannot be written.
    void Command5_Click();

    // The output path as typed, with a leading "~/" (or a lone "~") taken as the home folder.
    static QString outputPath(const QString &typed);

private:
    runtime::PictureBox &objeto;
    runtime::TextBox &Text1;
    const runtime::ListBox &List1;
    runtime::MessageBoxes &m_boxes;
    const Assembly &m_assembly;
    SavedReport m_saved;
};

} // namespace strip
