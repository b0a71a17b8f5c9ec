// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The controls the strip assembly works on, placed and set up as the window has them, on a
// form of their own.

#include "runtime/controls.h"
#include "runtime/form.h"
#include "strip/assembly.h"

#include <QString>

struct AssemblyControls
{
    AssemblyControls(const QString &width, const QString &height)
    {
        List1->Move(0, 240, 1750, 840);
        ancho->setText(width);
        alto->setText(height);
        objeto->Move(2520, 120, 4335, 4815);
        objeto->client()->setScaleMode(runtime::ScaleMode::Pixels);
        objeto->setAutoRedraw(true);
        strip::Assembly::prepareCanvas(*objeto);
        buff->hide();
        Command5->setEnabled(false);
    }

    runtime::Form form;
    runtime::ListBox *List1 = new runtime::ListBox(form.client());
    runtime::TextBox *ancho = new runtime::TextBox(form.client());
    runtime::TextBox *alto = new runtime::TextBox(form.client());
    runtime::PictureBox *objeto = new runtime::PictureBox(form.client());
    runtime::PictureBox *buff = new runtime::PictureBox(objeto->client());
    runtime::CommandButton *Command5 = new runtime::CommandButton(form.client());
};
