// SPDX-License-Identifier: GPL-3.0-or-later
#include "assembly_controls.h"
#include "expected_picture.h"
#include "fakes.h"
#include "files.h"
#include "pictures.h"

#include "runtime/form.h"
#include "strip/assembly.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// The controls the assembly works on, placed as in the window, with fake services.
class AssemblyTest : public ::testing::Test, protected AssemblyControls
{
protected:
    AssemblyTest() : AssemblyControls(u"32"_s, u"20"_s) { }

    QString picture(const QString &name, const QImage &image, const char *format,
                    const QColor &transparent = QColor())
    {
        const QString path = m_dir.filePath(name);
        EXPECT_TRUE(pictures::write(image, path, format, transparent));
        return path;
    }

    void add(const QString &path) { List1->AddItem(path); }
    // Runs the assembly the way a click does: through the program's dispatch.
    void assemble()
    {
        s.program.run([this] { assembly.Command2_Click(); });
    }
    QColor at(int x, int y) const { return QColor(objeto->Image().pixel(x, y)); }

    QTemporaryDir m_dir;
    fakes::Services s;
    std::vector<std::pair<double, double>> reports;
    strip::Assembly assembly { *List1,   *ancho,
                               *alto,    *objeto,
                               *buff,    *Command5,
                               s.events, [this](double v, double m) { reports.emplace_back(v, m); } };
};

bool near(const QColor &a, const QColor &b, int tolerance = 6)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance
        && std::abs(a.blue() - b.blue()) <= tolerance;
}

} // namespace

TEST_F(AssemblyTest, stacksEveryPictureAtItsRowStretchedToTheFrameWhateverItsKindAndShape)
{
    add(picture(u"wide.bmp"_s, pictures::solid(100, 50, Qt::red), "BMP"));
    add(picture(u"photo.jpg"_s, pictures::solid(640, 480, Qt::green), "JPG"));
    add(picture(u"tiny.gif"_s, pictures::solid(7, 3, Qt::blue), "GIF"));
    assemble();

    EXPECT_TRUE(s.boxes.shown.empty());
    ASSERT_EQ(objeto->Image().size(), QSize(32, 60));
    for (int x : { 0, 31 }) {
        EXPECT_TRUE(near(at(x, 0), Qt::red)) << x;
        EXPECT_TRUE(near(at(x, 19), Qt::red)) << x;
        EXPECT_TRUE(near(at(x, 20), Qt::green)) << x;
        EXPECT_TRUE(near(at(x, 39), Qt::green)) << x;
        EXPECT_TRUE(near(at(x, 40), Qt::blue)) << x;
        EXPECT_TRUE(near(at(x, 59), Qt::blue)) << x;
    }
    EXPECT_EQ(objeto->Height(), 3 * 20 * 15.0f);
    EXPECT_TRUE(Command5->isEnabled());
    EXPECT_EQ(reports, (std::vector<std::pair<double, double>> { { 0, 2 }, { 1, 2 }, { 2, 2 } }));
    EXPECT_EQ(s.events.calls, 3); // one yield per frame
}

TEST_F(AssemblyTest, stretchesPatternedFramesOfEveryKindIntoTheExpectedStrip)
{
    // Shrunk, kept and enlarged, so both directions of the stretch are seen.
    add(picture(u"big.bmp"_s, pictures::pattern(64, 40, 1), "BMP"));
    add(picture(u"photo.jpg"_s, pictures::pattern(32, 20, 2), "JPG"));
    add(picture(u"small.gif"_s, pictures::pattern(12, 8, 3), "GIF"));
    assemble();
    EXPECT_TRUE(s.boxes.shown.empty());
    // The JPEG decoder may round a step differently on another CPU.
    EXPECT_TRUE(expected::matchesPicture(objeto->Image(),
                                         QStringLiteral(FRAMOLIN_EXPECTED_DIR "/three_frames.png"),
                                         { .channel = 2, .pixels = 0 }));
}

TEST_F(AssemblyTest, keepsFramesWhoseWidthPassesTheBoxAndTheBoxBorderWhole)
{
    ancho->setText(u"400"_s);
    alto->setText(u"200"_s);
    add(picture(u"a.bmp"_s, pictures::solid(10, 10, Qt::red), "BMP"));
    assemble();
    ASSERT_EQ(objeto->Image().size(), QSize(400, 200));
    EXPECT_TRUE(near(at(399, 199), Qt::red)); // neither cut at the box's edge nor by its border
    EXPECT_EQ(objeto->Height(), 3000.0f);
}

TEST_F(AssemblyTest, emptyListLeavesNoRowsAndStillEnablesSaving)
{
    assemble();
    EXPECT_EQ(objeto->Image().height(), 0);
    EXPECT_EQ(objeto->Height(), 0.0f);
    EXPECT_TRUE(Command5->isEnabled());
    EXPECT_TRUE(reports.empty());
}

TEST_F(AssemblyTest, heightEditedBetweenFramesAppliesToTheFollowingFrames)
{
    add(picture(u"r.bmp"_s, pictures::solid(4, 4, Qt::red), "BMP"));
    add(picture(u"g.bmp"_s, pictures::solid(4, 4, Qt::green), "BMP"));
    s.events.actions[2] = [this] { alto->setText(u"10"_s); };
    assemble();
    ASSERT_EQ(objeto->Image().height(), 20); // the painted first frame is kept
    EXPECT_TRUE(near(at(0, 9), Qt::red));
    EXPECT_TRUE(near(at(0, 10), Qt::green));
    EXPECT_TRUE(near(at(0, 19), Qt::green));
    EXPECT_EQ(objeto->Height(), 2 * 10 * 15.0f);
}

TEST_F(AssemblyTest, filesDroppedDuringARunGrowTheCanvasButAreNotPainted)
{
    const QString red = picture(u"r.bmp"_s, pictures::solid(4, 4, Qt::red), "BMP");
    add(red);
    add(red);
    s.events.actions[1] = [&] { add(picture(u"b.bmp"_s, pictures::solid(4, 4, Qt::blue), "BMP")); };
    assemble();
    EXPECT_EQ(s.events.calls, 2);
    ASSERT_EQ(objeto->Image().height(), 60);
    EXPECT_FALSE(near(at(0, 45), Qt::blue));
    EXPECT_EQ(reports.back(), std::make_pair(1.0, 2.0)); // the maximum follows the grown list
}

TEST_F(AssemblyTest, stopsAtAnEntryThatIsNotAPictureNamingItAndKeepsWhatWasPainted)
{
    const QString text = m_dir.filePath(u"notes.jpg"_s);
    files::writeAll(text, "just some words, not a picture");
    for (const QString &bad : { text, m_dir.filePath(u"missing.bmp"_s), m_dir.path() }) {
        List1->Clear();
        s.boxes.shown.clear();
        add(picture(u"r.bmp"_s, pictures::solid(4, 4, Qt::red), "BMP"));
        add(bad);
        add(picture(u"g.bmp"_s, pictures::solid(4, 4, Qt::green), "BMP"));
        assemble();
        ASSERT_EQ(s.boxes.shown.size(), 1u) << qPrintable(bad);
        EXPECT_EQ(s.boxes.shown[0].style, runtime::mb::kCritical);
        EXPECT_TRUE(s.boxes.shown[0].prompt.contains(bad)) << qPrintable(s.boxes.shown[0].prompt);
        EXPECT_TRUE(near(at(0, 0), Qt::red));
        EXPECT_FALSE(near(at(0, 45), Qt::green));
        EXPECT_FALSE(Command5->isEnabled());
        EXPECT_FALSE(assembly.running());
    }
}

TEST_F(AssemblyTest, refusesFrameSizesThatAreNotWholePixelsInRangeBeforeChangingAnything)
{
    add(picture(u"r.bmp"_s, pictures::solid(4, 4, Qt::red), "BMP"));
    const QImage before = objeto->Image();
    const float heightBefore = objeto->Height();
    for (const auto &[field, text] :
         std::vector<std::pair<QString, QString>> { { u"ancho"_s, u""_s },
                                                    { u"ancho"_s, u"abc"_s },
                                                    { u"ancho"_s, u"0"_s },
                                                    { u"alto"_s, u"-5"_s },
                                                    { u"alto"_s, u"32768"_s },
                                                    { u"alto"_s, u"0.4"_s } }) {
        ancho->setText(u"32"_s);
        alto->setText(u"20"_s);
        (field == u"ancho"_s ? ancho : alto)->setText(text);
        s.boxes.shown.clear();
        assemble();
        ASSERT_EQ(s.boxes.shown.size(), 1u) << qPrintable(text);
        EXPECT_TRUE(s.boxes.shown[0].prompt.contains(field));
        EXPECT_TRUE(s.boxes.shown[0].prompt.contains(u'"' + text + u'"'));
        EXPECT_EQ(objeto->Image(), before);
        EXPECT_EQ(objeto->Height(), heightBefore);
        EXPECT_EQ(s.events.calls, 0);
    }
}

TEST_F(AssemblyTest, roundsAFractionalFrameSideToWholePixelsHalvesToEven)
{
    ancho->setText(u"20.5"_s);
    alto->setText(u" 11,5 "_s);
    add(picture(u"r.bmp"_s, pictures::solid(4, 4, Qt::red), "BMP"));
    assemble();
    EXPECT_EQ(objeto->Image().size(), QSize(20, 12));
}

TEST_F(AssemblyTest, refusesAStripBeyondTheLimitGivingItsSizeAndLeavesAllAsItWas)
{
    ancho->setText(u"32767"_s);
    alto->setText(u"32767"_s);
    add(picture(u"r.bmp"_s, pictures::solid(4, 4, Qt::red), "BMP"));
    const QImage before = objeto->Image();
    assemble();
    ASSERT_EQ(s.boxes.shown.size(), 1u);
    EXPECT_TRUE(s.boxes.shown[0].prompt.contains(u"32767 × 32767"_s));
    EXPECT_TRUE(s.boxes.shown[0].prompt.contains(u"2048 MB"_s));
    EXPECT_EQ(objeto->Image(), before);
    EXPECT_FALSE(Command5->isEnabled());
}

TEST_F(AssemblyTest, ignoresASecondStartWhileRunning)
{
    const QString red = picture(u"r.bmp"_s, pictures::solid(4, 4, Qt::red), "BMP");
    add(red);
    add(red);
    s.events.actions[1] = [this] { assembly.Command2_Click(); };
    assemble();
    EXPECT_EQ(s.events.calls, 2);
    EXPECT_EQ(reports.size(), 2u);
}

TEST_F(AssemblyTest, endingTheProgramWhileYieldingStopsTheRunQuietly)
{
    const QString red = picture(u"r.bmp"_s, pictures::solid(4, 4, Qt::red), "BMP");
    for (int i = 0; i < 4; ++i)
        add(red);
    s.events.actions[2] = [this] { s.program.End(); };
    assemble();
    EXPECT_TRUE(s.boxes.shown.empty());
    EXPECT_EQ(reports.size(), 1u);
    EXPECT_FALSE(Command5->isEnabled());
    EXPECT_FALSE(assembly.running());
}

TEST_F(AssemblyTest, transparentGifPixelsShowTheBackColourWhateverTheRowHeldBefore)
{
    QImage holed = pictures::solid(32, 20, Qt::blue);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 16; ++x)
            holed.setPixel(x, y, qRgb(255, 255, 255));
    add(picture(u"red.bmp"_s, pictures::solid(32, 20, Qt::red), "BMP"));
    assemble();
    List1->Clear();
    add(picture(u"holed.gif"_s, holed, "GIF", Qt::white));
    assemble();
    EXPECT_EQ(at(2, 10), QColor(240, 240, 240));
    EXPECT_TRUE(near(at(30, 10), Qt::blue));
}

TEST_F(AssemblyTest, paintingWithAutoRedrawOffNeverEntersTheStrip)
{
    add(picture(u"r.bmp"_s, pictures::solid(4, 4, Qt::red), "BMP"));
    objeto->setAutoRedraw(false);
    assemble();
    ASSERT_EQ(objeto->Image().size(), QSize(32, 20));
    EXPECT_FALSE(near(at(5, 5), Qt::red));
}
