// SPDX-License-Identifier: GPL-3.0-or-later
#include "form1.h"

#include "about.h"
#include "add_pictures.h"
#include "exit_dialog.h"
#include "output_dialog.h"
#include "readme.h"
#include "save_as.h"
#include "video_frames.h"

#include "settings/output_settings.h"
#include "tooltips/form_tips.h"

#include <QCloseEvent>
#include <QMenu>

#include <type_traits>

using namespace Qt::StringLiterals;

namespace app {

namespace {
constexpr int kNormalFocus = 1; // the page opens in a window of its own, in front
}

Form1::Form1(Services services)
    : Form1Design(static_cast<runtime::Form &>(*this)),
      Form1Additions(static_cast<Form1Design &>(*this)), m_services(services),
      m_progress(*progreso),
      m_inputList(*List1, *Text1, *Check1, services.boxes, services.events,
                  [this](double value, double max) { progress(value, max); }),
      m_assembly(*List1, *ancho, *alto, *objeto, *buff, *Command5, services.events,
                 [this](double value, double max) { stripPainted(value, max); }),
      m_saver(*objeto, *Text1, *List1, services.boxes, m_assembly,
              [this](const strip::SavedStrip &saved) { stripSaved(saved); }),
      m_savedSettings(*List1, *Text1, *ancho, *alto, services.settings, services.boxes),
      m_lastFolder(services.settings), m_savedBalloon(new SavedBalloon(this)),
      m_webExport(new WebExport(this))
{
    addMenuEntries();
    connectEvents();
    Form_Load();
}

void Form1::addMenuEntries()
{
    mVistaPrevia = runtime::MenuEntry(mMontaje.action()->menu()->addAction(u"Vista previa"_s));
    mVistaPrevia.action()->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
}

Form1::~Form1() = default;

namespace {

// A handler that takes no arguments ignores the signal's (a menu entry's checked state).
// In a function template of its own, so that the branch not taken is never compiled.
template<typename Handler, typename... Args>
void callHandler(const Handler &handler, const Args &...args)
{
    if constexpr (std::is_invocable_v<const Handler &, const Args &...>)
        handler(args...);
    else
        handler();
}

} // namespace

template<typename Sender, typename Signal, typename Handler>
void Form1::on(Sender *sender, Signal signal, Handler handler)
{
    connect(sender, signal, this, [this, handler](const auto &...args) {
        m_services.program.run([&] { callHandler(handler, args...); });
    });
}

void Form1::connectEvents()
{
    on(Command1, &runtime::CommandButton::Click, [this] { Command1_Click(); });
    on(Command2, &runtime::CommandButton::Click, [this] { Command2_Click(); });
    on(List1, &runtime::ListBox::OLEDragDrop,
       [this](const runtime::DataObject &Data) { List1_OLEDragDrop(Data); });
    on(Text1, &runtime::TextBox::OLEDragDrop,
       [this](const runtime::DataObject &Data) { Text1_OLEDragDrop(Data); });
    on(mComenzarMontaje.action(), &QAction::triggered, [this] { mComenzarMontaje_Click(); });
    on(mAnadirImagenes.action(), &QAction::triggered, [this] { mAnadirImagenes_Click(); });
    on(mAnadirCarpeta.action(), &QAction::triggered, [this] { mAnadirCarpeta_Click(); });
    on(mInvertirOrden.action(), &QAction::triggered, [this] { mInvertirOrden_Click(); });
    on(this, &runtime::Form::Resize, [this] { Form_Resize(); });
    on(arr, &runtime::CommandButton::mouseDown,
       [this](int Button, int Shift, float X, float Y) { arr_MouseDown(Button, Shift, X, Y); });
    on(arr, &runtime::CommandButton::mouseMove,
       [this](int Button, int Shift, float X, float Y) { arr_MouseMove(Button, Shift, X, Y); });
    on(arr, &runtime::CommandButton::mouseUp,
       [this](int Button, int Shift, float X, float Y) { arr_MouseUp(Button, Shift, X, Y); });
    // The canvas's pointer events come from its drawing area, in pixels from that area's corner.
    on(objeto->client(), &runtime::Surface::mouseDown,
       [this](int Button, int Shift, float X, float Y) { objeto_MouseDown(Button, Shift, X, Y); });
    on(objeto->client(), &runtime::Surface::mouseMove,
       [this](int Button, int Shift, float X, float Y) { objeto_MouseMove(Button, Shift, X, Y); });
    on(objeto->client(), &runtime::Surface::mouseUp,
       [this](int Button, int Shift, float X, float Y) { objeto_MouseUp(Button, Shift, X, Y); });
    on(Check2, &runtime::CheckBox::Click, [this] { Check2_Click(); });
    on(Command7, &runtime::CommandButton::Click, [this] { Command7_Click(); });
    on(Command8, &runtime::CommandButton::Click, [this] { Command8_Click(); });
    on(Command9, &runtime::CommandButton::Click, [this] { Command9_Click(); });
    on(mEnglish.action(), &QAction::triggered, [this] { mEnglish_Click(); });
    on(mAutoRedibujar.action(), &QAction::triggered, [this] { mAutoRedibujar_Click(); });
    on(mLeerLeame.action(), &QAction::triggered, [this] { mLeerLeame_Click(); });
    on(mAcercaDe.action(), &QAction::triggered, [this] { mAcercaDe_Click(); });
    on(mSalir.action(), &QAction::triggered, [this] { mSalir_Click(); });
    on(Command5, &runtime::CommandButton::Click, [this] { Command5_Click(); });
    on(mGuardarImagen.action(), &QAction::triggered, [this] { mGuardarImagen_Click(); });
    on(Command3, &runtime::CommandButton::Click, [this] { Command3_Click(); });
    on(Command6, &runtime::CommandButton::Click, [this] { Command6_Click(); });
    on(Command4, &runtime::CommandButton::Click, [this] { Command4_Click(); });
    on(mGuardar.action(), &QAction::triggered, [this] { mGuardar_Click(); });
    on(mAbrir.action(), &QAction::triggered, [this] { mAbrir_Click(); });
    on(mEliminar.action(), &QAction::triggered, [this] { mEliminar_Click(); });
    on(mVistaPrevia.action(), &QAction::triggered, [this] { mVistaPrevia_Click(); });
    on(mGuardarComo.action(), &QAction::triggered, [this] { mGuardarComo_Click(); });
    on(mEstirar.action(), &QAction::triggered, [this] { mEstirar_Click(); });
    on(mLlenarRecortando.action(), &QAction::triggered, [this] { mLlenarRecortando_Click(); });
    on(mEncajar.action(), &QAction::triggered, [this] { mEncajar_Click(); });
    on(mRecortarObjeto.action(), &QAction::triggered, [this] { mRecortarObjeto_Click(); });
    on(mOpcionesSalida.action(), &QAction::triggered, [this] { mOpcionesSalida_Click(); });
    on(mExportarWeb.action(), &QAction::triggered, [this] { mExportarWeb_Click(); });
}

void Form1::Form_Load()
{
    for (const tooltips::FormTip &tip : tooltips::kFormTips) {
        auto *control = findChild<QWidget *>(QLatin1StringView(tip.control));
        Q_ASSERT_X(control, "Form_Load", tip.control); // a tip names a designed control
        if (control)
            m_module1.CreateBalloonTip(*control, tip.text.toString(), *this);
    }
}

void Form1::mAnadirImagenes_Click()
{
    addPictures(m_services.dialogs, m_lastFolder,
                [this](const runtime::DataObject &Data) { List1_OLEDragDrop(Data); });
}

void Form1::List1_OLEDragDrop(const runtime::DataObject &Data)
{
    if (const auto files = withVideoFrames(Data, m_services.boxes, m_english))
        m_inputList.List1_OLEDragDrop(*files);
}

void Form1::mAnadirCarpeta_Click()
{
    addFolder(m_services.dialogs, m_lastFolder,
              [this](const runtime::DataObject &Data) { List1_OLEDragDrop(Data); });
}

void Form1::Command5_Click()
{
    // A strip that cannot be saved is refused before anyone is asked where to put it.
    if (Text1->Text().trimmed().isEmpty() && !m_assembly.paintedOnScreenOnly())
        mGuardarComo_Click();
    else
        m_saver.Command5_Click();
}

void Form1::mGuardarComo_Click()
{
    const QString path = askOutputPath(m_services.dialogs, m_lastFolder, Text1->Text());
    if (path.isEmpty())
        return; // cancelled: the output field keeps what it held
    Text1->setText(path);
    m_saver.Command5_Click();
}

void Form1::Command3_Click()
{
    // Stored first: "Guardar datos" writes everything in the one flush that ends it.
    settings::storeOutputOptions(m_services.settings, m_output);
    m_savedSettings.Command3_Click();
}

void Form1::Command6_Click()
{
    m_savedSettings.Command6_Click();
    setOutputOptions(settings::restoreOutputOptions(m_services.settings));
}

void Form1::setOutputOptions(const engine::OutputOptions &options)
{
    m_output = options;
    engine::FrameOptions fit;
    fit.fit = options.fit;
    m_assembly.setFrameOptions(fit, options.autoCrop);
    showFrameOptions(options.fit, options.autoCrop);
}

void Form1::setFit(engine::Fit fit)
{
    engine::OutputOptions options = m_output;
    options.fit = fit;
    setOutputOptions(options);
}

void Form1::mRecortarObjeto_Click()
{
    engine::OutputOptions options = m_output;
    options.autoCrop = mRecortarObjeto.action()->isChecked();
    setOutputOptions(options);
}

void Form1::mOpcionesSalida_Click()
{
    // Window-modal without a nested loop: the window keeps painting, and tests fill it in.
    auto *dialog = new OutputDialog(m_output, m_english, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        m_services.program.run([&] { setOutputOptions(dialog->options()); });
    });
    dialog->open();
}

void Form1::mExportarWeb_Click()
{
    if (m_webExport->running())
        return; // one at a time; the entry is disabled meanwhile
    QString filter = u"Página web (*.html)"_s;
    QString page = m_services.dialogs.GetSaveFileName(u"Exportar para la web"_s, filter,
                                                      m_lastFolder.start(), &filter);
    if (page.isEmpty())
        return;
    if (!page.endsWith(u".html"_s, Qt::CaseInsensitive)
        && !page.endsWith(u".htm"_s, Qt::CaseInsensitive))
        page += u".html"_s;
    m_lastFolder.remember(page);
    QStringList files;
    for (int i = 0; i < List1->ListCount(); ++i)
        files.append(List1->List(i));
    mExportarWeb.action()->setEnabled(false);
    m_webExport->start(
        webExportArguments(files, ancho->Text(), alto->Text(), m_output, page),
        [this](int written, int total) { progress(written - 1, total - 1); },
        [this, page](const QString &error) { webExported(page, error); });
}

void Form1::webExported(const QString &page, const QString &error)
{
    mExportarWeb.action()->setEnabled(true);
    m_services.program.run([&] {
        if (!error.isEmpty()) {
            m_services.boxes.MsgBox(u"No se pudo exportar para la web: %1"_s.arg(error),
                                    runtime::mb::kCritical, u"Exportar para la web"_s);
            return;
        }
        const int answer = m_services.boxes.MsgBox(
            u"Se escribió la página \"%1\" con sus hojas y su manifiesto.\n"
            "¿Abrirla en el navegador?"_s.arg(page),
            runtime::mb::kYesNo, u"Exportar para la web"_s);
        if (answer == runtime::mb::kYes)
            m_services.starter.Shell(page, kNormalFocus);
    });
}

void Form1::stripSaved(const strip::SavedStrip &saved)
{
    m_savedBalloon->showAt(*Command5, savedText(saved, m_english, m_savedBalloon->fontMetrics()));
}

void Form1::openAtStart(const QStringList &paths)
{
    if (!paths.isEmpty())
        List1_OLEDragDrop(runtime::DataObject { paths });
}

void Form1::Check2_Click()
{
    objeto->setAutoRedraw(Check2->Value() != 0);
}

void Form1::Command7_Click()
{
    m_services.boxes.MsgBox(aboutPrompt(), runtime::mb::kInformation, aboutTitle());
}

void Form1::Command8_Click()
{
    applyCaptions(Form1Design::englishCaptions());
    Command8->setEnabled(false); // the switch is one way
    mVistaPrevia.setCaption(u"Preview"_s);
    // The entries added to the design follow, after every designed caption.
    applyCaptions(Form1Additions::englishCaptions());
    m_english = true;
    if (m_preview)
        m_preview->switchToEnglish();
}

void Form1::stripPainted(double value, double max)
{
    progress(value, max);
    if (m_preview)
        m_preview->stripChanged();
}

void Form1::mVistaPrevia_Click()
{
    if (!m_preview) {
        m_preview = new preview::SpinPreview(
            [this] {
                return preview::StripView { &objeto->client()->Image(),
                                            m_assembly.paintedFrameSize(),
                                            m_assembly.paintedFrames(),
                                            m_assembly.paintedOnScreenOnly() };
            },
            this);
        if (m_english)
            m_preview->switchToEnglish();
    }
    m_preview->stripChanged();
    m_preview->show();
    m_preview->raise();
    m_preview->activateWindow();
}

void Form1::Command9_Click()
{
    leaveProgram(
        m_services.boxes, [this] { Command3_Click(); }, [this] { m_services.program.End(); });
}

void Form1::mLeerLeame_Click()
{
    openReadme(m_services.starter, m_services.boxes);
}

void Form1::closeEvent(QCloseEvent *event)
{
    // Closing the window ends the program at once, with no question and nothing stored.
    event->accept();
    m_services.program.End();
}

} // namespace app
