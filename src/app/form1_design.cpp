// SPDX-License-Identifier: GPL-3.0-or-later
#include "form1_design.h"
#include "form_font.h"

#include "icons.h"

#include "strip/assembly.h"

#include <QMenuBar>

#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;

namespace app {

namespace {

// Design-time client area of the window, in twips.
constexpr float kClientWidth = 7680;
constexpr float kClientHeight = 9135;

template<typename Control>
Control *place(Control *control, const QString &name, float left, float top, float width,
               float height)
{
    control->setObjectName(name);
    control->Move(left, top, width, height);
    control->show();
    return control;
}

runtime::PictureBox *box(QWidget *parent, const QString &name, float left, float top, float width,
                         float height)
{
    return place(new runtime::PictureBox(parent), name, left, top, width, height);
}

runtime::Label *label(QWidget *parent, const QString &name, float left, float top, float width,
                      float height, const QString &caption)
{
    auto *l = place(new runtime::Label(parent), name, left, top, width, height);
    l->setCaption(caption);
    return l;
}

runtime::TextBox *textBox(QWidget *parent, const QString &name, float left, float top, float width,
                          float height, const QString &text)
{
    auto *t = place(new runtime::TextBox(parent), name, left, top, width, height);
    t->setText(text);
    return t;
}

runtime::CommandButton *button(QWidget *parent, const QString &name, float left, float top,
                               float width, float height, const QString &caption)
{
    auto *b = place(new runtime::CommandButton(parent), name, left, top, width, height);
    b->setCaption(caption);
    return b;
}

runtime::CheckBox *checkBox(QWidget *parent, const QString &name, float left, float top,
                            float width, float height, const QString &caption, std::int16_t value)
{
    auto *c = place(new runtime::CheckBox(parent), name, left, top, width, height);
    c->setCaption(caption);
    c->setValue(value);
    return c;
}

runtime::ImageBox *image(QWidget *parent, const QString &name, float left, float top,
                         const QString &icon)
{
    auto *i = place(new runtime::ImageBox(parent), name, left, top, 480, 480);
    i->setPixmap(renderIcon(icon, 32));
    return i;
}

// A menu title opens a new menu; its entries follow it until the next title.
enum class MenuKind { Title, Entry, Separator };

struct MenuRow
{
    runtime::MenuEntry Form1Design::*entry;
    const char *name;
    MenuKind kind;
    QStringView caption;
};

// Menus: no shortcuts, no access keys, nothing ticked; all enabled from the start.
constexpr std::array kMenus {
    MenuRow { &Form1Design::mPrograma, "mPrograma", MenuKind::Title, u"Programa" },
    MenuRow { &Form1Design::mSalir, "mSalir", MenuKind::Entry, u"Salir" },
    MenuRow { &Form1Design::mMontaje, "mMontaje", MenuKind::Title, u"Montaje" },
    MenuRow { &Form1Design::mComenzarMontaje, "mComenzarMontaje", MenuKind::Entry,
              u"Comenzar montaje" },
    MenuRow { &Form1Design::mGuardarImagen, "mGuardarImagen", MenuKind::Entry, u"Guardar imágen" },
    MenuRow { &Form1Design::mConfiguracion, "mConfiguracion", MenuKind::Title, u"Configuración" },
    MenuRow { &Form1Design::mAbrir, "mAbrir", MenuKind::Entry, u"Abrir" },
    MenuRow { &Form1Design::mGuardar, "mGuardar", MenuKind::Entry, u"Guardar" },
    MenuRow { &Form1Design::mEliminar, "mEliminar", MenuKind::Entry, u"Eliminar" },
    MenuRow { &Form1Design::mSep1, "mSep1", MenuKind::Separator, {} },
    MenuRow { &Form1Design::mEnglish, "mEnglish", MenuKind::Entry, u"English language" },
    MenuRow { &Form1Design::mOpciones, "mOpciones", MenuKind::Title, u"Opciones" },
    MenuRow { &Form1Design::mAutoRedibujar, "mAutoRedibujar", MenuKind::Entry, u"Auto Redibujar" },
    MenuRow { &Form1Design::mAyuda, "mAyuda", MenuKind::Title, u"Ayuda" },
    MenuRow { &Form1Design::mLeerLeame, "mLeerLeame", MenuKind::Entry, u"Leer archivo léeme" },
    MenuRow { &Form1Design::mAcercaDe, "mAcercaDe", MenuKind::Entry, u"Acerca de..." },
};

} // namespace

Form1Design::Form1Design(runtime::Form &form) : m_form(form)
{
    form.setObjectName(u"Form1"_s);
    form.setCaption(u"Framolin"_s);
    form.setWindowIcon(QIcon(renderIcon(u"framolin"_s, 32)));
    QWidget *client = form.client();
    form.client()->setScaleMode(runtime::ScaleMode::Twips);
    form.client()->setAutoRedraw(false);

    // Input groups of the left column.
    Picture1 = box(client, u"Picture1"_s, 600, 120, 1815, 1455);
    Label1 = label(Picture1->client(), u"Label1"_s, 0, 0, 1695, 255, u"Archivos de entrada:"_s);
    List1 = place(new runtime::ListBox(Picture1->client()), u"List1"_s, 0, 240, 1750, 840);
    Command1 = button(Picture1->client(), u"Command1"_s, 0, 1080, 615, 255, u"Borrar"_s);
    Check1 = checkBox(Picture1->client(), u"Check1"_s, 1440, 1080, 255, 255, u"Q"_s, 0);

    Picture2 = box(client, u"Picture2"_s, 600, 1680, 1815, 615);
    Label2 = label(Picture2->client(), u"Label2"_s, 0, 0, 1695, 255, u"Archivo de salida:"_s);
    Text1 = textBox(Picture2->client(), u"Text1"_s, 0, 240, 1750, 285, QString());

    Picture3 = box(client, u"Picture3"_s, 600, 2400, 1815, 615);
    Label3 = label(Picture3->client(), u"Label3"_s, 0, 0, 1695, 255, u"Redimensión:"_s);
    ancho = textBox(Picture3->client(), u"ancho"_s, 0, 240, 735, 285, u"320"_s);
    Label4 = label(Picture3->client(), u"Label4"_s, 840, 240, 135, 255, u"x"_s);
    alto = textBox(Picture3->client(), u"alto"_s, 960, 240, 735, 285, u"200"_s);

    // Command rows: a box holding one control that fills its inner area, and an icon to the
    // left of the box.
    auto row = [client](const QString &name, float top, runtime::PictureBox *&rowBox) {
        rowBox = box(client, name, 600, top, 1815, 375);
        return rowBox->client();
    };
    Command2 = button(row(u"Picture4"_s, 3120, Picture4), u"Command2"_s, 0, 0, 1750, 310,
                      u"Comenzar montaje"_s);
    Image1 = image(client, u"Image1"_s, 45, 3120, u"hammer"_s);
    Command3 = button(row(u"Picture5"_s, 3720, Picture5), u"Command3"_s, 0, 0, 1750, 310,
                      u"Guardar datos"_s);
    Image2 = image(client, u"Image2"_s, 45, 3720, u"floppy"_s);
    Command4 = button(row(u"Picture6"_s, 4320, Picture6), u"Command4"_s, 0, 0, 1750, 310,
                      u"Borrar datos"_s);
    Image3 = image(client, u"Image3"_s, 45, 4320, u"floppy-crossed"_s);
    Command6 = button(row(u"Picture8"_s, 4920, Picture8), u"Command6"_s, 0, 0, 1750, 310,
                      u"Recuperar datos"_s);
    Image4 = image(client, u"Image4"_s, 45, 4920, u"folder-open"_s);
    Command5 = button(row(u"Picture9"_s, 5520, Picture9), u"Command5"_s, 0, 0, 1750, 310,
                      u"Guardar imágen"_s);
    Command5->setEnabled(false);
    Image5 = image(client, u"Image5"_s, 45, 5520, u"floppy-picture"_s);
    Check2 = checkBox(row(u"Picture11"_s, 6120, Picture11), u"Check2"_s, 0, 0, 1750, 310,
                      u"Auto Redibujar"_s, 1);
    Image6 = image(client, u"Image6"_s, 45, 6120, u"brushes"_s);
    Command8 = button(row(u"Picture14"_s, 6720, Picture14), u"Command8"_s, 0, 0, 1750, 310,
                      u"English"_s);
    Image7 = image(client, u"Image7"_s, 45, 6720, u"flag-uk"_s);
    Command7 = button(row(u"Picture13"_s, 7320, Picture13), u"Command7"_s, 0, 0, 1750, 310,
                      u"Acerca de..."_s);
    Image8 = image(client, u"Image8"_s, 45, 7320, u"face-question"_s);
    Command9
        = button(row(u"Picture15"_s, 7920, Picture15), u"Command9"_s, 0, 0, 1750, 310, u"Salir"_s);
    Image9 = image(client, u"Image9"_s, 45, 7920, u"door-open"_s);

    // Separator grooves: boxes with no inner area.
    Picture10 = box(client, u"Picture10"_s, 600, 6000, 1815, 60);
    Picture12 = box(client, u"Picture12"_s, 600, 6600, 1815, 60);
    Picture7 = box(client, u"Picture7"_s, 120, 7680, 6255, 60);

    // Canvas area.
    objeto = box(client, u"objeto"_s, 2520, 120, 4335, 4815);
    objeto->client()->setScaleMode(runtime::ScaleMode::Pixels);
    objeto->setAutoRedraw(true);
    objeto->setFocusPolicy(Qt::StrongFocus);
    strip::Assembly::prepareCanvas(*objeto);
    buff = box(objeto->client(), u"buff"_s, 360, 360, 3015, 2175);
    buff->hide();
    arr = button(client, u"arr"_s, 6840, 120, 75, 4815, QString());
    arr->setGraphicalBackColor(Qt::black);
    arr->setFocusPolicy(Qt::NoFocus);
    progreso = box(client, u"progreso"_s, 120, 7800, 6255, 255);
    progreso->setAutoRedraw(true);

    // The keyboard focus follows the design's tab indices; labels and images take none.
    struct Tab
    {
        QWidget *widget;
        int index;
    };
    std::array order {
        Tab { List1, 1 },   Tab { Command1, 3 },  Tab { Text1, 6 },     Tab { ancho, 9 },
        Tab { alto, 11 },   Tab { Command2, 13 }, Tab { Command3, 15 }, Tab { Command4, 17 },
        Tab { objeto, 20 }, Tab { Command5, 22 }, Tab { Check1, 24 },   Tab { Command6, 26 },
        Tab { Check2, 30 }, Tab { Command7, 33 }, Tab { Command8, 35 }, Tab { Command9, 37 },
    };
    std::sort(order.begin(), order.end(),
              [](const Tab &a, const Tab &b) { return a.index < b.index; });
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1].widget, order[i].widget);

    QMenu *menu = nullptr;
    for (const MenuRow &menuRow : kMenus) {
        QAction *action = nullptr;
        switch (menuRow.kind) {
        case MenuKind::Title:
            menu = form.menuBar()->addMenu(menuRow.caption.toString());
            action = menu->menuAction();
            break;
        case MenuKind::Entry:
            action = menu->addAction(menuRow.caption.toString());
            break;
        case MenuKind::Separator:
            action = menu->addSeparator();
            break;
        }
        action->setObjectName(QLatin1StringView(menuRow.name));
        this->*menuRow.entry = runtime::MenuEntry(action);
    }

    fitCaptions();
    form.setClientSize(kClientWidth, kClientHeight);
}

void Form1Design::fitCaptions()
{
    // Buttons keep a two-pixel bevel and two pixels of air on each side of their text.
    const QSize bevel(8, 4);
    std::vector<CaptionRoom> rooms;
    for (const Caption &caption : englishCaptions()) {
        std::visit(
            [&](auto *target) {
                using Target = std::remove_pointer_t<decltype(target)>;
                if constexpr (std::is_same_v<Target, runtime::Label>) {
                    rooms.push_back({ target->Caption(), target->size() });
                    rooms.push_back({ caption.text, target->size() });
                } else if constexpr (
                    std::is_same_v<
                        Target,
                        runtime::CommandButton> || std::is_same_v<Target, runtime::CheckBox>) {
                    rooms.push_back({ target->Caption(), target->size() - bevel });
                    rooms.push_back({ caption.text, target->size() - bevel });
                }
            },
            caption.target);
    }
    m_form.client()->setFont(fittedFont(m_form.client()->font(), rooms));
}

std::vector<Caption> Form1Design::englishCaptions()
{
    return {
        { &m_form, u"Framolin (English Translation by Quillmatic)"_s },
        { Label1, u"Input Files:"_s },
        { Command1, u"Clear"_s },
        { Label2, u"Output File:"_s },
        { Label3, u"Resize:"_s },
        { Command2, u"Make Now!"_s },
        { Command3, u"Save Settings"_s },
        { Command4, u"Clear Settings"_s },
        { Command6, u"Load Settings"_s },
        { Command5, u"Save Image"_s },
        { Check2, u"Auto Redraw"_s },
        { Command8, QString() },
        { Command7, u"About..."_s },
        { Command9, u"Exit"_s },
        { &mPrograma, u"Program"_s },
        { &mSalir, u"Exit"_s },
        { &mMontaje, u"Making"_s },
        { &mComenzarMontaje, u"Start Object Make"_s },
        { &mGuardarImagen, u"Save Image"_s },
        { &mConfiguracion, u"Setting"_s },
        { &mAbrir, u"Open"_s },
        { &mGuardar, u"Save"_s },
        { &mEliminar, u"Delete"_s },
        { &mOpciones, u"Options"_s },
        { &mAutoRedibujar, u"AutoRedraw"_s },
        { &mAyuda, u"Help"_s },
        { &mLeerLeame, u"Read Readme File"_s },
        { &mAcercaDe, u"About..."_s },
    };
}

} // namespace app
