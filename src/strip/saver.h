#pragma once
// "Guardar imágen": the strip the assembly built, written as a BMP file to the output path.

#include "runtime/controls.h"
#include "runtime/services.h"

namespace strip {

class Saver
{
public:
    Saver(runtime::PictureBox &objeto, runtime::TextBox &Text1, runtime::MessageBoxes &boxes);

    // Writes the canvas's strip to the path in Text1. An empty strip is not written: a message
    // says so and any existing file is kept. Throws RuntimeError naming the path and the
    // reason when the file cannot be written.
    void Command5_Click();

private:
    runtime::PictureBox &objeto;
    runtime::TextBox &Text1;
    runtime::MessageBoxes &m_boxes;
};

} // namespace strip
