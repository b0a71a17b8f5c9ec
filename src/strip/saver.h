#pragma once
// "Guardar imágen": the strip the assembly built, written to the output path in the format its
// extension asks for (BMP unless .png, .jpg/.jpeg or .webp).

#include "runtime/controls.h"
#include "runtime/services.h"

namespace strip {

class Saver
{
public:
    Saver(runtime::PictureBox &objeto, runtime::TextBox &Text1, runtime::ListBox &List1,
          runtime::MessageBoxes &boxes);

    // Writes the canvas's strip to the path in Text1. An empty strip is not written: a message
    // says so and any existing file is kept. Throws RuntimeError naming the path and the
    // reason when the file cannot be written, when its format cannot hold the strip, or when it
    // is one of the pictures in List1 (through any path or link).
    void Command5_Click();

private:
    runtime::PictureBox &objeto;
    runtime::TextBox &Text1;
    runtime::ListBox &List1;
    runtime::MessageBoxes &m_boxes;
};

} // namespace strip
