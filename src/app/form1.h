// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window: the designed controls and menus (Form1Design), the subsystems built with
// exactly what each may touch, and every event routed to its handler through the program's one
// dispatch.

#include "form1_additions.h"
#include "form1_design.h"
#include "last_folder.h"
#include "saved_balloon.h"
#include "services.h"
#include "web_export.h"

#include "layout/drag.h"
#include "layout/form_window.h"
#include "layout/resize_layout.h"
#include "preview/spin_preview.h"
#include "runtime/controls.h"
#include "runtime/form.h"
#include "settings/saved_settings.h"
#include "strip/assembly.h"
#include "strip/input_list.h"
#include "strip/progress.h"
#include "strip/saver.h"
#include "tooltips/module1.h"

#include <memory>

namespace app {

// Form1Design comes after runtime::Form among the bases: it builds the controls on the form
// before any member (every subsystem below) is handed them. Form1Additions follows it, on the
// designed menus.
class Form1 : public runtime::Form, public Form1Design, public Form1Additions
{
    Q_OBJECT
public:
    explicit Form1(Services services);
    ~Form1() override;

    // Handlers, named after control and event.
    void Form_Load();
    void Command1_Click() { m_inputList.Command1_Click(); }
    void Command2_Click() { m_assembly.Command2_Click(); }
    // A video among the files is first asked about: how many frames to take from it.
    void List1_OLEDragDrop(const runtime::DataObject &Data);
    void Text1_OLEDragDrop(const runtime::DataObject &Data) { m_inputList.Text1_OLEDragDrop(Data); }
    void mComenzarMontaje_Click() { Command2_Click(); }
    // Beyond the design: pictures from the desktop's dialogs, through the drop on the list.
    void mAnadirImagenes_Click();
    void mAnadirCarpeta_Click();
    void mInvertirOrden_Click() { List1->Reverse(); }
    void Check2_Click();
    void Command7_Click();
    void Command8_Click();
    void Command9_Click();
    void mLeerLeame_Click();
    // Menu entries call their control's handler, whatever the control's state.
    void mEnglish_Click() { Command8_Click(); }
    void mAutoRedibujar_Click() { Check2_Click(); }
    void mAcercaDe_Click() { Command7_Click(); }
    void mSalir_Click() { Command9_Click(); }
    void progress(double value, double max) { m_progress.progress(value, max); }
    void Form_Resize() { m_resizeLayout.Form_Resize(); }
    void arr_MouseDown(int Button, int Shift, float X, float Y)
    {
        m_drag.arr_MouseDown(Button, Shift, X, Y);
    }
    void arr_MouseMove(int Button, int Shift, float X, float Y)
    {
        m_drag.arr_MouseMove(Button, Shift, X, Y);
    }
    void arr_MouseUp(int Button, int Shift, float X, float Y)
    {
        m_drag.arr_MouseUp(Button, Shift, X, Y);
    }
    void objeto_MouseDown(int Button, int Shift, float X, float Y)
    {
        m_drag.objeto_MouseDown(Button, Shift, X, Y);
    }
    void objeto_MouseMove(int Button, int Shift, float X, float Y)
    {
        m_drag.objeto_MouseMove(Button, Shift, X, Y);
    }
    void objeto_MouseUp(int Button, int Shift, float X, float Y)
    {
        m_drag.objeto_MouseUp(Button, Shift, X, Y);
    }
    // With no output named, asks for one ("Guardar como...") rather than failing.
    void Command5_Click();
    // Asks for the output file, puts it in Text1 and saves the strip there.
    void mGuardarComo_Click();
    void mGuardarImagen_Click() { Command5_Click(); }
    // The designed groups, and the output options in a group of their own.
    void Command3_Click();
    void Command6_Click();
    void Command4_Click() { m_savedSettings.Command4_Click(); }
    void mGuardar_Click() { Command3_Click(); }
    void mAbrir_Click() { Command6_Click(); }
    void mEliminar_Click() { Command4_Click(); }
    // Pictures named on the command line join the list as a drop of them would.
    void openAtStart(const QStringList &paths);
    // Opens (or brings forward) the spin preview of the canvas's strip.
    void mVistaPrevia_Click();
    // How the next assembly fits and crops the pictures.
    void mEstirar_Click() { setFit(engine::Fit::Stretch); }
    void mLlenarRecortando_Click() { setFit(engine::Fit::Cover); }
    void mEncajar_Click() { setFit(engine::Fit::Contain); }
    void mRecortarObjeto_Click();
    // Opens the output options' dialog; accepting it sets them all.
    void mOpcionesSalida_Click();
    // Asks for the page to write, then writes it with its sheets and manifest as
    // framolin-strip --html does, and offers to open it.
    void mExportarWeb_Click();

    const engine::OutputOptions &outputOptions() const { return m_output; }
    void setOutputOptions(const engine::OutputOptions &options);
    const WebExport &webExport() const { return *m_webExport; }

    const strip::Assembly &assembly() const { return m_assembly; }
    const layout::Drag &drag() const { return m_drag; }
    const tooltips::Module1 &module1() const { return m_module1; }
    preview::SpinPreview *spinPreview() const { return m_preview; }
    // The balloon that tells what the last save wrote.
    const SavedBalloon *savedBalloon() const { return m_savedBalloon; }

    // Menu entries beyond the design, with their shortcuts.
    runtime::MenuEntry mVistaPrevia;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void addMenuEntries();
    void connectEvents();
    // The assembly painted a frame: the bar and an open preview follow the strip.
    void stripPainted(double value, double max);
    void stripSaved(const strip::SavedStrip &saved);
    void setFit(engine::Fit fit);
    void webExported(const QString &page, const QString &error);
    // Routes a Qt signal to a handler through the program's dispatch.
    template<typename Sender, typename Signal, typename Handler>
    void on(Sender *sender, Signal signal, Handler handler);

    Services m_services;
    strip::Progress m_progress;
    strip::InputList m_inputList;
    strip::Assembly m_assembly;
    layout::FormWindow m_window { *this };
    layout::ResizeLayout m_resizeLayout { m_window, *objeto, *arr, *Picture7, *progreso };
    layout::Drag m_drag { *this, *objeto, *arr };
    strip::Saver m_saver;
    settings::SavedSettings m_savedSettings;
    tooltips::Module1 m_module1;
    LastFolder m_lastFolder;
    preview::SpinPreview *m_preview = nullptr; // made on first use, owned by this window
    SavedBalloon *m_savedBalloon = nullptr; // owned by this window
    WebExport *m_webExport = nullptr; // owned by this window
    engine::OutputOptions m_output;
    bool m_english = false;
};

} // namespace app
