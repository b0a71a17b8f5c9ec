// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's balloon help: which control carries a tip (by its design name) and the tip's
// text, Spanish, a line feed, English. Tips are created in table order.

#include <QStringView>

#include <array>

namespace tooltips {

struct FormTip
{
    const char *control;
    QStringView text;
};

inline constexpr std::array kFormTips {
    FormTip { "Command1", u"Borra los archivos de la lista.\nClear the list files." },
    FormTip { "Check1", u"Preguntar antes de añadir archivos.\nAsk before add files." },
    FormTip { "Text1",
              u"Teclea o arrastra un archivo para escribir la imagen.\n"
              u"Type or drag a empty file to write image." },
    FormTip { "ancho",
              u"Define el ancho para redimensionar la imagen.\n"
              u"Sets the width to resize the image." },
    FormTip { "alto",
              u"Define el alto para redimensionar la imagen.\n"
              u"Sets the height to resize the image." },
    FormTip { "Command2", u"Inicia el proceso de montaje.\nStarts the building process." },
    FormTip { "Command3",
              u"Guarda las configuraciones actuales en el registro de Windows.\n"
              u"Saves the current settings into Window's registry." },
    FormTip { "Command4",
              u"Borra las configuraciones almacenadas en el registro de Windows.\n"
              u"Deletes the settings stored in Window's registry." },
    FormTip { "Command6",
              u"Recupera las configuraciones almacenadas en el registro de Windows.\n"
              u"Opens the stored settings in Window's registry." },
    FormTip { "Command5", u"Guarda la imágen actual.\nSaves the current image." },
    FormTip { "Check2", u"Conmuta la opción Auto Redibujar.\nToggles the AutoRedraw option." },
    // The English button speaks English only.
    FormTip { "Command8", u"Translate the program into English language." },
    FormTip { "Command7",
              u"Muestra la información del autor y su contacto.\n"
              u"Shows the author's information and author's contact." },
    FormTip { "Command9", u"Salir del programa.\nExits program." },
};

} // namespace tooltips
