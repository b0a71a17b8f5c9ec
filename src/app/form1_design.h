// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The designed window: every control and menu entry of Form1, built on a form in its design
// state from the design tables. Each control carries its design name as its object name.
// Form1 derives from it after runtime::Form, so the controls exist before any subsystem is
// handed them.

#include "language.h"

#include "runtime/controls.h"
#include "runtime/form.h"

#include <vector>

namespace app {

class Form1Design
{
public:
    explicit Form1Design(runtime::Form &form);
    Form1Design(const Form1Design &) = delete;
    Form1Design &operator=(const Form1Design &) = delete;

    // Controls, in design order. Owned by their Qt parents.
    runtime::PictureBox *Picture1 = nullptr, *Picture2 = nullptr, *Picture3 = nullptr,
                        *Picture4 = nullptr, *Picture5 = nullptr, *Picture6 = nullptr,
                        *Picture7 = nullptr, *Picture8 = nullptr, *Picture9 = nullptr,
                        *Picture10 = nullptr, *Picture11 = nullptr, *Picture12 = nullptr,
                        *Picture13 = nullptr, *Picture14 = nullptr, *Picture15 = nullptr;
    runtime::Label *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr;
    runtime::ListBox *List1 = nullptr;
    runtime::TextBox *Text1 = nullptr, *ancho = nullptr, *alto = nullptr;
    runtime::CommandButton *Command1 = nullptr, *Command2 = nullptr, *Command3 = nullptr,
                           *Command4 = nullptr, *Command5 = nullptr, *Command6 = nullptr,
                           *Command7 = nullptr, *Command8 = nullptr, *Command9 = nullptr;
    runtime::CheckBox *Check1 = nullptr, *Check2 = nullptr;
    runtime::ImageBox *Image1 = nullptr, *Image2 = nullptr, *Image3 = nullptr, *Image4 = nullptr,
                      *Image5 = nullptr, *Image6 = nullptr, *Image7 = nullptr, *Image8 = nullptr,
                      *Image9 = nullptr;
    runtime::PictureBox *objeto = nullptr, *buff = nullptr, *progreso = nullptr;
    runtime::CommandButton *arr = nullptr;

    // Menus.
    runtime::MenuEntry mPrograma, mSalir;
    runtime::MenuEntry mMontaje, mComenzarMontaje, mGuardarImagen;
    runtime::MenuEntry mConfiguracion, mAbrir, mGuardar, mEliminar, mSep1, mEnglish;
    runtime::MenuEntry mOpciones, mAutoRedibujar;
    runtime::MenuEntry mAyuda, mLeerLeame, mAcercaDe;

    // The captions the switch to English sets, in the order the user may see them change.
    // A button and its menu entry do not always get the same English text.
    std::vector<Caption> englishCaptions();

private:
    // Gives the controls the font at which every caption shows whole.
    void fitCaptions();

    runtime::Form &m_form;
};

} // namespace app
