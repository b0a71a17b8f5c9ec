#include "form1.h"

#include "about.h"
#include "exit_dialog.h"
#include "icons.h"
#include "language.h"
#include "readme.h"

#include <QCloseEvent>
#include <QMenuBar>

#include <algorithm>
#include <type_traits>
#include <vector>

using namespace Qt::StringLiterals;

namespace app {

namespace {

// Design-time client area of the window, in twips.
constexpr float kClientWidth = 7680;
constexpr float kClientHeight = 9135;

struct Tab
{
    QWidget *widget;
    int index;
};

template<typename Control>
Control *place(Control *control, float left, float top, float width, float height)
{
    control->Move(left, top, width, height);
    control->show();
    return control;
}

runtime::PictureBox *box(QWidget *parent, float left, float top, float width, float height)
{
    return place(new runtime::PictureBox(parent), left, top, width, height);
}

runtime::Label *label(QWidget *parent, float left, float top, float width, float height,
                      const QString &caption)
{
    auto *l = place(new runtime::Label(parent), left, top, width, height);
    l->setCaption(caption);
    return l;
}

runtime::TextBox *textBox(QWidget *parent, float left, float top, float width, float height,
                          const QString &text)
{
    auto *t = place(new runtime::TextBox(parent), left, top, width, height);
    t->setText(text);
    return t;
}

runtime::CommandButton *button(QWidget *parent, float left, float top, float width, float height,
                               const QString &caption)
{
    auto *b = place(new runtime::CommandButton(parent), left, top, width, height);
    b->setCaption(caption);
    return b;
}

runtime::CheckBox *checkBox(QWidget *parent, float left, float top, float width, float height,
                            const QString &caption, std::int16_t value)
{
    auto *c = place(new runtime::CheckBox(parent), left, top, width, height);
    c->setCaption(caption);
    c->setValue(value);
    return c;
}

runtime::ImageBox *image(QWidget *parent, float left, float top, const QString &icon)
{
    auto *i = place(new runtime::ImageBox(parent), left, top, 480, 480);
    i->setPixmap(renderIcon(icon, 32));
    return i;
}

runtime::MenuEntry entry(QMenu *menu, const QString &caption)
{
    return runtime::MenuEntry(menu->addAction(caption));
}

} // namespace

Form1::Form1(Services services)
    : m_services(services), m_progress(*progreso),
      m_inputList(*List1, *Text1, *Check1, services.boxes, services.events,
                  [this](double value, double max) { progress(value, max); }),
      m_assembly(*List1, *ancho, *alto, *objeto, *buff, *Command5, services.events,
                 [this](double value, double max) { progress(value, max); }),
      m_saver(*objeto, *Text1, services.boxes),
      m_savedSettings(*List1, *Text1, *ancho, *alto, services.settings, services.boxes)
{
    connectEvents();
    Form_Load();
}

Form1::~Form1() = default;

bool Form1::buildDesign()
{
    setCaption(u"Framolin"_s);
    setWindowIcon(QIcon(renderIcon(u"framolin"_s, 32)));
    QWidget *form = client();
    client()->setScaleMode(runtime::ScaleMode::Twips);
    client()->setAutoRedraw(false);

    // Input groups of the left column.
    Picture1 = box(form, 600, 120, 1815, 1455);
    Label1 = label(Picture1->client(), 0, 0, 1695, 255, u"Archivos de entrada:"_s);
    List1 = place(new runtime::ListBox(Picture1->client()), 0, 240, 1750, 840);
    Command1 = button(Picture1->client(), 0, 1080, 615, 255, u"Borrar"_s);
    Check1 = checkBox(Picture1->client(), 1440, 1080, 255, 255, u"Q"_s, 0);

    Picture2 = box(form, 600, 1680, 1815, 615);
    Label2 = label(Picture2->client(), 0, 0, 1695, 255, u"Archivo de salida:"_s);
    Text1 = textBox(Picture2->client(), 0, 240, 1750, 285, QString());

    Picture3 = box(form, 600, 2400, 1815, 615);
    Label3 = label(Picture3->client(), 0, 0, 1695, 255, u"Redimensión:"_s);
    ancho = textBox(Picture3->client(), 0, 240, 735, 285, u"320"_s);
    Label4 = label(Picture3->client(), 840, 240, 135, 255, u"x"_s);
    alto = textBox(Picture3->client(), 960, 240, 735, 285, u"200"_s);

    // Command rows: a box holding one control that fills its inner area, and an icon to the
    // left of the box.
    auto row = [form](float top, runtime::PictureBox *&rowBox) {
        rowBox = box(form, 600, top, 1815, 375);
        return rowBox->client();
    };
    Command2 = button(row(3120, Picture4), 0, 0, 1750, 310, u"Comenzar montaje"_s);
    Image1 = image(form, 45, 3120, u"hammer"_s);
    Command3 = button(row(3720, Picture5), 0, 0, 1750, 310, u"Guardar datos"_s);
    Image2 = image(form, 45, 3720, u"floppy"_s);
    Command4 = button(row(4320, Picture6), 0, 0, 1750, 310, u"Borrar datos"_s);
    Image3 = image(form, 45, 4320, u"floppy-crossed"_s);
    Command6 = button(row(4920, Picture8), 0, 0, 1750, 310, u"Recuperar datos"_s);
    Image4 = image(form, 45, 4920, u"folder-open"_s);
    Command5 = button(row(5520, Picture9), 0, 0, 1750, 310, u"Guardar imágen"_s);
    Command5->setEnabled(false);
    Image5 = image(form, 45, 5520, u"floppy-picture"_s);
    Check2 = checkBox(row(6120, Picture11), 0, 0, 1750, 310, u"Auto Redibujar"_s, 1);
    Image6 = image(form, 45, 6120, u"brushes"_s);
    Command8 = button(row(6720, Picture14), 0, 0, 1750, 310, u"English"_s);
    Image7 = image(form, 45, 6720, u"flag-uk"_s);
    Command7 = button(row(7320, Picture13), 0, 0, 1750, 310, u"Acerca de..."_s);
    Image8 = image(form, 45, 7320, u"face-question"_s);
    Command9 = button(row(7920, Picture15), 0, 0, 1750, 310, u"Salir"_s);
    Image9 = image(form, 45, 7920, u"door-open"_s);

    // Separator grooves: boxes with no inner area.
    Picture10 = box(form, 600, 6000, 1815, 60);
    Picture12 = box(form, 600, 6600, 1815, 60);
    Picture7 = box(form, 120, 7680, 6255, 60);

    // Canvas area.
    objeto = box(form, 2520, 120, 4335, 4815);
    objeto->client()->setScaleMode(runtime::ScaleMode::Pixels);
    objeto->setAutoRedraw(true);
    objeto->setFocusPolicy(Qt::StrongFocus);
    strip::Assembly::prepareCanvas(*objeto);
    buff = box(objeto->client(), 360, 360, 3015, 2175);
    buff->hide();
    arr = button(form, 6840, 120, 75, 4815, QString());
    arr->setGraphicalBackColor(Qt::black);
    arr->setFocusPolicy(Qt::NoFocus);
    progreso = box(form, 120, 7800, 6255, 255);
    progreso->setAutoRedraw(true);

    // The keyboard focus follows the design's tab indices; labels and images take none.
    std::vector<Tab> order {
        { List1, 1 },   { Command1, 3 },  { Text1, 6 },     { ancho, 9 },
        { alto, 11 },   { Command2, 13 }, { Command3, 15 }, { Command4, 17 },
        { objeto, 20 }, { Command5, 22 }, { Check1, 24 },   { Command6, 26 },
        { Check2, 30 }, { Command7, 33 }, { Command8, 35 }, { Command9, 37 },
    };
    std::sort(order.begin(), order.end(),
              [](const Tab &a, const Tab &b) { return a.index < b.index; });
    for (size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1].widget, order[i].widget);

    // Menus: no shortcuts, no access keys, nothing ticked; all enabled from the start.
    QMenuBar *bar = menuBar();
    QMenu *programa = bar->addMenu(u"Programa"_s);
    mPrograma = runtime::MenuEntry(programa->menuAction());
    mSalir = entry(programa, u"Salir"_s);
    QMenu *montaje = bar->addMenu(u"Montaje"_s);
    mMontaje = runtime::MenuEntry(montaje->menuAction());
    mComenzarMontaje = entry(montaje, u"Comenzar montaje"_s);
    mGuardarImagen = entry(montaje, u"Guardar imágen"_s);
    QMenu *configuracion = bar->addMenu(u"Configuración"_s);
    mConfiguracion = runtime::MenuEntry(configuracion->menuAction());
    mAbrir = entry(configuracion, u"Abrir"_s);
    mGuardar = entry(configuracion, u"Guardar"_s);
    mEliminar = entry(configuracion, u"Eliminar"_s);
    mSep1 = runtime::MenuEntry(configuracion->addSeparator());
    mEnglish = entry(configuracion, u"English language"_s);
    QMenu *opciones = bar->addMenu(u"Opciones"_s);
    mOpciones = runtime::MenuEntry(opciones->menuAction());
    mAutoRedibujar = entry(opciones, u"Auto Redibujar"_s);
    QMenu *ayuda = bar->addMenu(u"Ayuda"_s);
    mAyuda = runtime::MenuEntry(ayuda->menuAction());
    mLeerLeame = entry(ayuda, u"Leer archivo léeme"_s);
    mAcercaDe = entry(ayuda, u"Acerca de..."_s);

    setClientSize(kClientWidth, kClientHeight);
    return true;
}

template<typename Sender, typename Signal, typename Handler>
void Form1::on(Sender *sender, Signal signal, Handler handler)
{
    connect(sender, signal, this, [this, handler](const auto &...args) {
        m_services.program.run([&] {
            if constexpr (std::is_invocable_v<Handler, decltype(args)...>)
                handler(args...);
            else
                handler(); // the signal's own arguments (checked state) are not the handler's
        });
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
}

void Form1::Form_Load()
{
    // Help texts: Spanish, a line feed, English.
    m_module1.CreateBalloonTip(*Command1,
                               u"Borra los archivos de la lista.\nClear the list files."_s, *this);
    m_module1.CreateBalloonTip(
        *Check1, u"Preguntar antes de añadir archivos.\nAsk before add files."_s, *this);
    m_module1.CreateBalloonTip(*Text1,
                               u"Teclea o arrastra un archivo para escribir la imagen.\n"
                               u"Type or drag a empty file to write image."_s,
                               *this);
    m_module1.CreateBalloonTip(*ancho,
                               u"Define el ancho para redimensionar la imagen.\n"
                               u"Sets the width to resize the image."_s,
                               *this);
    m_module1.CreateBalloonTip(*alto,
                               u"Define el alto para redimensionar la imagen.\n"
                               u"Sets the height to resize the image."_s,
                               *this);
    m_module1.CreateBalloonTip(
        *Command2, u"Inicia el proceso de montaje.\nStarts the building process."_s, *this);
    m_module1.CreateBalloonTip(*Command3,
                               u"Guarda las configuraciones actuales en el registro de Windows.\n"
                               u"Saves the current settings into Window's registry."_s,
                               *this);
    m_module1.CreateBalloonTip(*Command4,
                               u"Borra las configuraciones almacenadas en el registro de Windows.\n"
                               u"Deletes the settings stored in Window's registry."_s,
                               *this);
    m_module1.CreateBalloonTip(
        *Command6,
        u"Recupera las configuraciones almacenadas en el registro de Windows.\n"
        u"Opens the stored settings in Window's registry."_s,
        *this);
    m_module1.CreateBalloonTip(*Command5, u"Guarda la imágen actual.\nSaves the current image."_s,
                               *this);
    m_module1.CreateBalloonTip(
        *Check2, u"Conmuta la opción Auto Redibujar.\nToggles the AutoRedraw option."_s, *this);
    m_module1.CreateBalloonTip(*Command8, u"Translate the program into English language."_s, *this);
    m_module1.CreateBalloonTip(*Command7,
                               u"Muestra la información del autor y su contacto.\n"
                               u"Shows the author's information and author's contact."_s,
                               *this);
    m_module1.CreateBalloonTip(*Command9, u"Salir del programa.\nExits program."_s, *this);
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
    switchToEnglish(*this);
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
