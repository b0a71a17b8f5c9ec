// SPDX-License-Identifier: GPL-3.0-or-later
#include "fakes.h"
#include "files.h"

#include "app/readme.h"
#include "runtime/qtservices.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Receives what the desktop would be asked to open, instead of a real viewer.
class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    Q_INVOKABLE void open(const QUrl &url) { urls.append(url); }
    QList<QUrl> urls;
};

} // namespace

struct ReadmeCase
{
    const char *name;
    int failWith;
    bool errorBox;
};

void PrintTo(const ReadmeCase &c, std::ostream *os)
{
    *os << c.name;
}

class ReadmeCommand : public ::testing::TestWithParam<ReadmeCase>
{
};

TEST_P(ReadmeCommand, reportsOnlyAMissingFile)
{
    const ReadmeCase &c = GetParam();
    fakes::ProgramStarter starter;
    fakes::MessageBoxes boxes;
    starter.failWith = c.failWith;
    app::openReadme(starter, boxes);

    EXPECT_EQ(starter.started, QStringList { u"framolin.txt"_s });
    EXPECT_EQ(starter.styles, std::vector<int> { 3 });
    if (!c.errorBox) {
        EXPECT_TRUE(boxes.shown.empty());
        return;
    }
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].prompt,
              u"El archivo Framolin.txt no se encontró.\nFramolin.txt file didn't found."_s);
    EXPECT_EQ(boxes.shown[0].style, runtime::mb::kCritical);
    EXPECT_EQ(boxes.shown[0].title, u"Error"_s);
}

INSTANTIATE_TEST_SUITE_P(Outcomes, ReadmeCommand,
                         ::testing::Values(ReadmeCase { "Opened", 0, false },
                                           ReadmeCase { "Missing", 53, true },
                                           ReadmeCase { "AccessDenied", 75, false },
                                           ReadmeCase { "OtherFailure", 5, false }),
                         [](const auto &row) { return std::string(row.param.name); });

TEST(ReadmeLookup, takesTheFirstFolderThatHoldsTheFile)
{
    QTemporaryDir root;
    const QString work = root.filePath(u"work"_s), program = root.filePath(u"bin"_s),
                  data = root.filePath(u"share"_s);
    for (const QString &folder : { work, program, data })
        ASSERT_TRUE(QDir().mkpath(folder));
    fakes::ProgramStarter inner;
    app::FolderLookupStarter starter(inner, { work, program, data });

    files::writeAll(data + u"/framolin.txt"_s, "readme\n");
    starter.Shell(u"framolin.txt"_s, 3);
    files::writeAll(program + u"/framolin.txt"_s, "readme\n");
    starter.Shell(u"framolin.txt"_s, 3);
    files::writeAll(work + u"/framolin.txt"_s, "readme\n");
    starter.Shell(u"framolin.txt"_s, 3);

    EXPECT_EQ(inner.started,
              (QStringList { data + u"/framolin.txt"_s, program + u"/framolin.txt"_s,
                             work + u"/framolin.txt"_s }));
    EXPECT_EQ(inner.styles, (std::vector<int> { 3, 3, 3 }));
}

TEST(ReadmeLookup, missingEverywhereIsErrorFiftyThreeAndStartsNothing)
{
    QTemporaryDir root;
    ASSERT_TRUE(QDir(root.path()).mkdir(u"framolin.txt"_s)); // a folder is not the readme
    fakes::ProgramStarter inner;
    app::FolderLookupStarter starter(inner, { root.path(), QString(), root.filePath(u"none"_s) });
    try {
        starter.Shell(u"framolin.txt"_s, 3);
        FAIL() << "no error";
    } catch (const runtime::RuntimeError &e) {
        EXPECT_EQ(e.number(), runtime::err::kFileNotFound);
    }
    EXPECT_TRUE(inner.started.isEmpty());

    fakes::MessageBoxes boxes;
    app::openReadme(starter, boxes);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].title, u"Error"_s);
}

TEST(ReadmeLookup, handsPathsWithSpacesAndQuotesOnVerbatim)
{
    QTemporaryDir root;
    const QString odd = root.filePath(u"a \"b\" 'c'; $(d)"_s);
    ASSERT_TRUE(QDir().mkpath(odd));
    files::writeAll(odd + u"/framolin.txt"_s, "readme\n");
    fakes::ProgramStarter inner;
    app::FolderLookupStarter starter(inner, { odd });
    starter.Shell(u"framolin.txt"_s, 3);
    starter.Shell(u"/elsewhere/notes.txt"_s, 1); // a name with a folder is not looked up
    EXPECT_EQ(inner.started, (QStringList { odd + u"/framolin.txt"_s, u"/elsewhere/notes.txt"_s }));
}

TEST(ReadmeLookup, looksInTheWorkingFolderThenBesideTheProgramThenTheDataFolder)
{
    const QStringList folders = app::lookupFolders();
    ASSERT_EQ(folders.size(), 4);
    EXPECT_EQ(folders[0], QDir::currentPath());
    EXPECT_EQ(folders[1], QCoreApplication::applicationDirPath());
    QDir programFolder(folders[1]);
    ASSERT_TRUE(programFolder.cdUp());
    EXPECT_EQ(folders[2], programFolder.filePath(u"share/framolin"_s));
    EXPECT_TRUE(QDir::isAbsolutePath(folders[3]));
    EXPECT_TRUE(folders[3].endsWith(u"/share/framolin"_s)) << folders[3].toStdString();
}

TEST(ReadmeLookup, theBuildPutsTheReadmeBesideTheProgram)
{
    QFile readme(QStringLiteral(FRAMOLIN_BUILT_README));
    ASSERT_TRUE(readme.open(QIODevice::ReadOnly)) << FRAMOLIN_BUILT_README;
    const QString text = QString::fromUtf8(readme.readAll());
    EXPECT_TRUE(text.contains(u"ESPAÑOL"_s));
    EXPECT_TRUE(text.contains(u"ENGLISH"_s));
    EXPECT_TRUE(text.contains(u"Framolin.ini"_s));
}

TEST(DesktopStarter, opensTheFileWithTheDesktopAsAFileUrl)
{
    QTemporaryDir root;
    const QString odd = root.filePath(u"with space \"and quotes\""_s);
    ASSERT_TRUE(QDir().mkpath(odd));
    files::writeAll(odd + u"/framolin.txt"_s, "readme\n");
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(u"file"_s, &catcher, "open");
    runtime::DesktopStarter desktop;
    app::FolderLookupStarter starter(desktop, { odd });
    starter.Shell(u"framolin.txt"_s, 3);
    QDesktopServices::unsetUrlHandler(u"file"_s);

    ASSERT_EQ(catcher.urls.size(), 1);
    EXPECT_TRUE(catcher.urls[0].isLocalFile());
    EXPECT_EQ(catcher.urls[0].toLocalFile(), odd + u"/framolin.txt"_s);
}

#include "readme_test.moc"
