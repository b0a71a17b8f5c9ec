// SPDX-License-Identifier: GPL-3.0-or-later
#include "form1_additions.h"

#include <QActionGroup>
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
    auto *web = montaje->addAction(u"Exportar para la web..."_s);
    web->setObjectName(u"mExportarWeb"_s);
    mExportarWeb = runtime::MenuEntry(web);

    QMenu *opciones = design.mOpciones.action()->menu();
    QMenu *ajuste = opciones->addMenu(u"Ajuste de los cuadros"_s);
    ajuste->menuAction()->setObjectName(u"mAjuste"_s);
    mAjuste = runtime::MenuEntry(ajuste->menuAction());
    auto *fits = new QActionGroup(ajuste);
    auto choice = [ajuste, fits](const char *name, const QString &caption) {
        QAction *action = ajuste->addAction(caption);
        action->setObjectName(QLatin1StringView(name));
        action->setCheckable(true);
        fits->addAction(action);
        return runtime::MenuEntry(action);
    };
    mEstirar = choice("mEstirar", u"Estirar"_s);
    mLlenarRecortando = choice("mLlenarRecortando", u"Llenar recortando"_s);
    mEncajar = choice("mEncajar", u"Encajar"_s);
    QAction *crop = opciones->addAction(u"Recortar al objeto"_s);
    crop->setObjectName(u"mRecortarObjeto"_s);
    crop->setCheckable(true);
    mRecortarObjeto = runtime::MenuEntry(crop);
    QAction *output = opciones->addAction(u"Opciones de salida..."_s);
    output->setObjectName(u"mOpcionesSalida"_s);
    mOpcionesSalida = runtime::MenuEntry(output);
    showFrameOptions(engine::Fit::Stretch, false);

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
        { &mExportarWeb, u"Export for the web..."_s },
        { &mAjuste, u"Fit of the frames"_s },
        { &mEstirar, u"Stretch"_s },
        { &mLlenarRecortando, u"Fill by cropping"_s },
        { &mEncajar, u"Fit whole"_s },
        { &mRecortarObjeto, u"Crop to the object"_s },
        { &mOpcionesSalida, u"Output options..."_s },
    };
}

void Form1Additions::showFrameOptions(engine::Fit fit, bool autoCrop)
{
    const runtime::MenuEntry *chosen[] = { &mEstirar, &mLlenarRecortando, &mEncajar };
    chosen[std::size_t(fit)]->action()->setChecked(true);
    mRecortarObjeto.action()->setChecked(autoCrop);
}

} // namespace app
