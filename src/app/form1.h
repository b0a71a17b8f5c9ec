#pragma once
// The main window: every control and menu entry of the design, under the names the handlers
// use, the subsystems built with exactly what each may touch, and every event routed to its
// handler through the program's one dispatch.

#include "services.h"

#include "layout/drag.h"
#include "layout/form_window.h"
#include "layout/resize_layout.h"
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

class Form1 : public runtime::Form
{
    Q_OBJECT
public:
    explicit Form1(Services services);
    ~Form1() override;

    // Handlers, named after control and event.
    void Form_Load();
    void Command1_Click() { m_inputList.Command1_Click(); }
    void Command2_Click() { m_assembly.Command2_Click(); }
    void List1_OLEDragDrop(const runtime::DataObject &Data) { m_inputList.List1_OLEDragDrop(Data); }
    void Text1_OLEDragDrop(const runtime::DataObject &Data) { m_inputList.Text1_OLEDragDrop(Data); }
    void mComenzarMontaje_Click() { Command2_Click(); }
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
    void Command5_Click() { m_saver.Command5_Click(); }
    void mGuardarImagen_Click() { Command5_Click(); }
    void Command3_Click() { m_savedSettings.Command3_Click(); }
    void Command6_Click() { m_savedSettings.Command6_Click(); }
    void Command4_Click() { m_savedSettings.Command4_Click(); }
    void mGuardar_Click() { Command3_Click(); }
    void mAbrir_Click() { Command6_Click(); }
    void mEliminar_Click() { Command4_Click(); }

    const strip::Assembly &assembly() const { return m_assembly; }
    const layout::Drag &drag() const { return m_drag; }
    const tooltips::Module1 &module1() const { return m_module1; }

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

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // Creates every control and menu entry in its design state; run before the subsystems
    // are built on them.
    bool buildDesign();
    void connectEvents();
    // Routes a Qt signal to a handler through the program's dispatch.
    template<typename Sender, typename Signal, typename Handler>
    void on(Sender *sender, Signal signal, Handler handler);

    Services m_services;
    bool m_designBuilt = buildDesign();
    strip::Progress m_progress;
    strip::InputList m_inputList;
    strip::Assembly m_assembly;
    layout::FormWindow m_window { *this };
    layout::ResizeLayout m_resizeLayout { m_window, *objeto, *arr, *Picture7, *progreso };
    layout::Drag m_drag { *this, *objeto, *arr };
    strip::Saver m_saver;
    settings::SavedSettings m_savedSettings;
    tooltips::Module1 m_module1;
};

} // namespace app
