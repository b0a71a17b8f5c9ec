// SPDX-License-Identifier: GPL-3.0-or-later
#include "form1_additions.h"

#include <QMenu>

using namespace Qt::StringLiterals;

namespace app {

Form1Additions::Form1Additions(Form1Design &design)
{
    // Adding pictures comes first in "Montaje", before the entries that use them.
    QMenu *montaje = design.mMontaje.action()->menu();
    QAction *first = design.mComenzarMontaje.action();
    auto insert = [montaje, first](const char *name, const QString &caption) {
        auto *action = new QAction(caption, montaje);
        action->setObjectName(QLatin1StringView(name));
        montaje->insertAction(first, action);
        return runtime::MenuEntry(action);
    };
    mAnadirImagenes = insert("mAnadirImagenes", u"Añadir imágenes..."_s);
    mAnadirCarpeta = insert("mAnadirCarpeta", u"Añadir carpeta..."_s);
    mInvertirOrden = insert("mInvertirOrden", u"Invertir orden"_s);
    mSep2 = runtime::MenuEntry(montaje->insertSeparator(first));
    mSep2.action()->setObjectName(u"mSep2"_s);
    // Right after the designed "Guardar imágen", which it ends in.
    auto *saveAs = new QAction(u"Guardar como..."_s, montaje);
    saveAs->setObjectName(u"mGuardarComo"_s);
    montaje->addAction(saveAs);
    mGuardarComo = runtime::MenuEntry(saveAs);
    mGuardarComo.action()->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));

    mAnadirImagenes.action()->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    mAnadirCarpeta.action()->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
    design.mComenzarMontaje.action()->setShortcut(QKeySequence(Qt::Key_F5));
    design.mGuardarImagen.action()->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    design.mSalir.action()->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    design.mLeerLeame.action()->setShortcut(QKeySequence(Qt::Key_F1));
}

std::vector<Caption> Form1Additions::englishCaptions()
{
    return {
        { &mAnadirImagenes, u"Add pictures..."_s },
        { &mAnadirCarpeta, u"Add folder..."_s },
        { &mInvertirOrden, u"Reverse order"_s },
        { &mGuardarComo, u"Save as..."_s },
    };
}

} // namespace app
