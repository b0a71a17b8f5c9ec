// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures.h"

#include "runtime/controls.h"
#include "runtime/error.h"
#include "runtime/form.h"

#include <QMimeData>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

using namespace runtime;
using namespace Qt::StringLiterals;

TEST(TwipsGeometry, readsBackWhatWasSetAndPlacesInTheContainersInnerArea)
{
    Form form;
    auto *box = new PictureBox(form.client());
    box->Move(600, 120, 1815, 1455);
    auto *label = new Label(box->client());
    label->Move(7.5f, 240, 1695, 255);
    EXPECT_EQ(label->Left(), 7.5f);
    EXPECT_EQ(label->Top(), 240.0f);
    EXPECT_EQ(box->geometry(), QRect(40, 8, 121, 97));
    // 7.5 twips is half a pixel: rounds to the even 0. The label sits inside the 2-pixel border.
    EXPECT_EQ(label->geometry(), QRect(0, 16, 113, 17));
    EXPECT_EQ(label->mapTo(box, QPoint(0, 0)), QPoint(2, 18));
    EXPECT_EQ(box->client()->size(), QSize(117, 93));
}

TEST(TwipsGeometry, refusesNegativeSizesAndKeepsTheOldOnes)
{
    Form form;
    PictureBox box(form.client());
    box.Move(0, 0, 300, 300);
    try {
        box.setHeight(-15);
        FAIL() << "no error";
    } catch (const RuntimeError &e) {
        EXPECT_EQ(e.number(), err::kInvalidPropertyValue);
    }
    EXPECT_EQ(box.Height(), 300.0f);
}

TEST(PictureBoxes, haveNoInnerAreaWhenOnlyTheirBorderFits)
{
    Form form;
    PictureBox groove(form.client());
    groove.Move(600, 6000, 1815, 60);
    EXPECT_EQ(groove.height(), 4);
    EXPECT_EQ(groove.ScaleHeight(), 0.0f);
}

TEST(PictureBoxes, grooveShowsTheSameFourShadesAsTheBorderOfALargerBox)
{
    Form form;
    PictureBox groove(form.client());
    groove.Move(600, 6000, 1815, 60);
    PictureBox tall(form.client());
    tall.Move(600, 0, 1815, 600);
    PictureBox narrow(form.client()); // a groove standing up
    narrow.Move(0, 0, 60, 600);
    const QImage g = groove.grab().toImage();
    const QImage t = tall.grab().toImage();
    const QImage n = narrow.grab().toImage();
    const int x = g.width() / 2;
    const int last = t.height() - 1;
    const int y = n.height() / 2;
    const int right = t.width() - 1;
    const struct
    {
        QColor actual, expected;
    } rows[] = {
        { g.pixelColor(x, 0), t.pixelColor(x, 0) },
        { g.pixelColor(x, 1), t.pixelColor(x, 1) },
        { g.pixelColor(x, 2), t.pixelColor(x, last - 1) },
        { g.pixelColor(x, 3), t.pixelColor(x, last) },
        { n.pixelColor(0, y), t.pixelColor(0, y) },
        { n.pixelColor(1, y), t.pixelColor(1, y) },
        { n.pixelColor(2, y), t.pixelColor(right - 1, y) },
        { n.pixelColor(3, y), t.pixelColor(right, y) },
    };
    QSet<QRgb> shades;
    for (const auto &row : rows) {
        EXPECT_EQ(row.actual, row.expected)
            << qPrintable(row.actual.name()) << " " << qPrintable(row.expected.name());
        shades.insert(row.expected.rgb());
    }
    EXPECT_EQ(shades.size(), 4);
}

TEST(PictureBoxes, drawFilledBoxesInTheirScaleUnitIntoThePersistentImage)
{
    Form form;
    PictureBox box(form.client());
    box.Move(0, 0, 64 * 15, 34 * 15); // inner 60 x 30 pixels
    box.setAutoRedraw(true);
    box.Cls();
    box.Line(38, 0, 0, 30 * 15, 30 * 15, 0x0000ff); // red, in twips
    const QImage image = box.Image();
    ASSERT_EQ(image.size(), QSize(60, 30));
    EXPECT_EQ(QColor(image.pixel(29, 29)), QColor(255, 0, 0));
    EXPECT_NE(QColor(image.pixel(30, 0)), QColor(255, 0, 0));
    EXPECT_EQ(box.ScaleWidth(), 60.0f * 15);
}

TEST(PictureBoxes, keepDrawingOutOfThePersistentImageWhileAutoRedrawIsOff)
{
    Form form;
    PictureBox box(form.client());
    box.Move(0, 0, 64 * 15, 34 * 15);
    box.setAutoRedraw(true);
    box.Cls();
    const QImage before = box.Image();
    box.setAutoRedraw(false);
    box.Line(38, 0, 0, 600, 600, 0);
    EXPECT_EQ(box.Image(), before);
}

TEST(ListBoxes, countFromZeroAndRefuseEntriesOutsideTheList)
{
    Form form;
    ListBox list(form.client());
    list.AddItem(u"a"_s);
    list.AddItem(u"a"_s);
    EXPECT_EQ(list.ListCount(), 2);
    EXPECT_EQ(list.List(1), u"a"_s);
    EXPECT_THROW(list.List(2), RuntimeError);
    list.Clear();
    EXPECT_EQ(list.ListCount(), 0);
}

TEST(DataObjects, countTheirFilesFromOne)
{
    const DataObject data { { u"/a"_s, u"/b"_s } };
    EXPECT_EQ(data.FilesCount(), 2);
    EXPECT_EQ(data.Files(1), u"/a"_s);
    EXPECT_THROW(data.Files(0), RuntimeError);
    EXPECT_THROW(data.Files(3), RuntimeError);
}

namespace {

// Sends a file drop, as a file manager would, to `target` and lets the event loop deliver it.
template<typename Control>
QList<QList<QVariant>> drop(Control *control, QWidget *target, QMimeData *mime)
{
    QSignalSpy spy(control, &Control::OLEDragDrop);
    const QPoint at(5, 5);
    QDragEnterEvent enter(at, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    QDropEvent dropped(QPointF(at), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &dropped);
    QCoreApplication::processEvents();
    return QList<QList<QVariant>>(spy.begin(), spy.end());
}

} // namespace

TEST(FileDrops, reachTheListBoxHandlerInDropOrder)
{
    Form form;
    ListBox list(form.client());
    QMimeData mime;
    mime.setUrls({ QUrl::fromLocalFile(u"/tmp/b.jpg"_s), QUrl::fromLocalFile(u"/tmp/a.jpg"_s) });
    const auto signals_ = drop(&list, list.viewport(), &mime);
    ASSERT_EQ(signals_.size(), 1);
    const auto data = signals_.at(0).at(0).value<DataObject>();
    EXPECT_EQ(data.files, QStringList({ u"/tmp/b.jpg"_s, u"/tmp/a.jpg"_s }));
    EXPECT_EQ(list.ListCount(), 0); // the handler, not the control, adds entries
}

TEST(FileDrops, neverTypeIntoTheTextBox)
{
    Form form;
    TextBox text(form.client());
    text.setText(u"typed"_s);
    QMimeData mime;
    mime.setText(u"dragged text"_s);
    const auto signals_ = drop(&text, &text, &mime);
    EXPECT_EQ(text.Text(), u"typed"_s);
    for (const auto &s : signals_)
        EXPECT_EQ(s.at(0).value<DataObject>().FilesCount(), 0);
}

TEST(PictureBoxes, growingKeepsThePixelsAndFillsOnlyTheNewAreaWithTheBackColour)
{
    Form form;
    PictureBox box(form.client());
    box.setAutoRedraw(true);
    box.Move(0, 0, 417 * 15, 10 * 15); // an inner width whose rows need padding: 413 pixels
    box.Cls();
    box.Line(38, 0, 0, 413 * 15, 6 * 15, 0x000000);
    box.Move(0, 0, 600 * 15, 10 * 15);
    const QImage image = box.Image();
    ASSERT_EQ(image.width(), 596);
    EXPECT_EQ(image.pixelColor(412, 0), QColor(Qt::black));
    const QColor back = box.client()->BackColor();
    for (int x = 413; x < 596; ++x)
        ASSERT_EQ(image.pixelColor(x, 0), back) << x;
}

// A strip canvas of many rows colours them only when they are drawn on or read; until then
// they are back colour wherever they are read or shown, and a Cls makes them so again.
TEST(PictureBoxes, rowsNeverDrawnOnAreBackColourWhereverTheyAreReadOrShown)
{
    Form form;
    PictureBox box(form.client());
    box.setAutoRedraw(true);
    box.Move(0, 0, 104 * 15, 104 * 15);
    Surface &canvas = *box.client();
    canvas.setScaleMode(ScaleMode::Pixels);
    canvas.setImageFollowsSize(false);
    canvas.setBackColor(QColor(0xf0, 0xf0, 0xf0));
    const QColor back = canvas.BackColor();
    canvas.resizeImage(QSize(320, 30000)); // 28 MB: a canvas of its own
    canvas.Cls();
    canvas.Line(38, 0, 50, 320, 60, 0x000000);
    const QImage shown = canvas.grab().toImage();
    EXPECT_EQ(shown.pixelColor(10, 55), QColor(Qt::black));
    EXPECT_EQ(shown.pixelColor(10, 90), back);

    canvas.resizeImage(QSize(400, 40000)); // wider and taller: the black rows stay
    const QImage &image = canvas.Image();
    for (const int y : { 0, 49, 60, 39999 })
        ASSERT_EQ(image.pixelColor(0, y), back) << y;
    EXPECT_EQ(image.pixelColor(319, 55), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(320, 55), back);

    canvas.Cls();
    EXPECT_EQ(canvas.Image().pixelColor(10, 55), back);
}

namespace {

// Records the regions a widget is asked to paint.
class PaintRecorder : public QObject
{
public:
    explicit PaintRecorder(QWidget *widget) { widget->installEventFilter(this); }
    std::vector<QRegion> painted;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted.push_back(static_cast<QPaintEvent *>(event)->region());
        return false;
    }
};

} // namespace

TEST(PictureBoxes, refreshRepaintsOnlyWhatChangedWhereItIsSeen)
{
    Form form;
    form.resize(200, 200);
    auto *box = new PictureBox(form.client());
    box->Move(0, 0, 104 * 15, 1004 * 15); // far taller than the window: mostly unseen
    box->client()->setScaleMode(ScaleMode::Pixels);
    box->setAutoRedraw(true);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QCoreApplication::processEvents();
    PaintRecorder recorder(box->client());

    const Picture frame(pictures::solid(10, 10, Qt::red));
    box->PaintPicture(frame, 0, 900, 100, 20); // below the window
    box->Refresh();
    EXPECT_TRUE(recorder.painted.empty());

    box->PaintPicture(frame, 0, 20, 100, 20);
    box->Refresh();
    ASSERT_EQ(recorder.painted.size(), 1u);
    EXPECT_EQ(recorder.painted[0].boundingRect(), QRect(0, 20, 100, 20));
    EXPECT_EQ(box->Image().pixelColor(50, 30), QColor(Qt::red));
    EXPECT_EQ(box->Image().pixelColor(50, 910), QColor(Qt::red));
}
