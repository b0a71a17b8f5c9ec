#include "language.h"

#include "form1.h"

using namespace Qt::StringLiterals;

namespace app {

void switchToEnglish(Form1 &form)
{
    // Straight assignments in the order the user may see them change; a button and its menu
    // entry do not always get the same English text.
    form.setCaption(u"Framolin (English Translation by Quillmatic)"_s);
    form.Label1->setCaption(u"Input Files:"_s);
    form.Command1->setCaption(u"Clear"_s);
    form.Label2->setCaption(u"Output File:"_s);
    form.Label3->setCaption(u"Resize:"_s);
    form.Command2->setCaption(u"Make Now!"_s);
    form.Command3->setCaption(u"Save Settings"_s);
    form.Command4->setCaption(u"Clear Settings"_s);
    form.Command6->setCaption(u"Load Settings"_s);
    form.Command5->setCaption(u"Save Image"_s);
    form.Check2->setCaption(u"Auto Redraw"_s);
    form.Command8->setCaption(QString());
    form.Command8->setEnabled(false);
    form.Command7->setCaption(u"About..."_s);
    form.Command9->setCaption(u"Exit"_s);
    form.mPrograma.setCaption(u"Program"_s);
    form.mSalir.setCaption(u"Exit"_s);
    form.mMontaje.setCaption(u"Making"_s);
    form.mComenzarMontaje.setCaption(u"Start Object Make"_s);
    form.mGuardarImagen.setCaption(u"Save Image"_s);
    form.mConfiguracion.setCaption(u"Setting"_s);
    form.mAbrir.setCaption(u"Open"_s);
    form.mGuardar.setCaption(u"Save"_s);
    form.mEliminar.setCaption(u"Delete"_s);
    form.mOpciones.setCaption(u"Options"_s);
    form.mAutoRedibujar.setCaption(u"AutoRedraw"_s);
    form.mAyuda.setCaption(u"Help"_s);
    form.mLeerLeame.setCaption(u"Read Readme File"_s);
    form.mAcercaDe.setCaption(u"About..."_s);
}

} // namespace app
