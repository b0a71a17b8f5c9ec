#include "options.h"

#include "inputs.h"
#include "language.h"
#include "viewer_page.h"

#include "strip/frame_size.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>

#include <cmath>

using namespace Qt::StringLiterals;

namespace cli {

QString usage()
{
    return Text::tr(
        "Usage: framolin-strip [-s WIDTHxHEIGHT | -W WIDTH -H HEIGHT] -o OUTPUT.bmp [options] "
        "PICTURE|FOLDER ...\n"
        "       framolin-strip --from-settings [options]\n"
        "\n"
        "Stacks the pictures (BMP, JPG, GIF, PNG, WebP, TIFF) in one column, each stretched\n"
        "to WIDTH x HEIGHT pixels and turned upright by its EXIF orientation, and writes the\n"
        "strip as a 24-bit BMP: the same file the Framolin window saves. A folder gives its\n"
        "pictures in natural order (2 before 10), leaving hidden files out.\n"
        "\n"
        "  -s, --size WxH        frame size in pixels, for example 320x200 (320x200)\n"
        "  -W, --width WIDTH     frame width in pixels (320)\n"
        "  -H, --height HEIGHT   frame height in pixels (200)\n"
        "  -o, --output PATH     the BMP file to write, replaced only when all went well;\n"
        "                        - writes it to standard output\n"
        "  -j, --jobs N          pictures decoded at a time (every core)\n"
        "  -q, --quiet           no progress bar and no summary\n"
        "  -v, --verbose         name each file of a folder that was left out, and why\n"
        "  --html PAGE           also write a web page that shows the strip turning\n"
        "  --from-settings       the list, the output and the size stored with \"Guardar "
        "datos\";\n"
        "                        options and pictures given beside it win\n"
        "  -h, --help            this help\n"
        "  --version             the version\n"
        "\n"
        "On success one line on standard error sums up the strip. Exits with 0 when the\n"
        "strip was written; otherwise with 1 and one line naming the file and the reason,\n"
        "without creating or touching the output (2 for a bad command line).\n");
}

bool parseArguments(const QStringList &arguments, Options *options, QString *error)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
    const QCommandLineOption width({ u"W"_s, u"width"_s }, {}, u"width"_s);
    const QCommandLineOption height({ u"H"_s, u"height"_s }, {}, u"height"_s);
    const QCommandLineOption size({ u"s"_s, u"size"_s }, {}, u"size"_s);
    const QCommandLineOption output({ u"o"_s, u"output"_s }, {}, u"path"_s);
    const QCommandLineOption jobs({ u"j"_s, u"jobs"_s }, {}, u"n"_s);
    const QCommandLineOption quiet({ u"q"_s, u"quiet"_s }, {});
    const QCommandLineOption verbose({ u"v"_s, u"verbose"_s }, {});
    const QCommandLineOption html(u"html"_s, {}, u"page"_s);
    const QCommandLineOption fromSettings(u"from-settings"_s, {});
    const QCommandLineOption help({ u"h"_s, u"help"_s }, {});
    const QCommandLineOption version(u"version"_s, {});
    parser.addOptions(
        { width, height, size, output, jobs, quiet, verbose, html, fromSettings, help, version });
    if (!parser.parse(arguments)) {
        *error = parser.errorText();
        return false;
    }
    auto single = [&](const QCommandLineOption &option, std::optional<QString> *value) {
        const QStringList values = parser.values(option);
        if (values.size() > 1) {
            *error = Text::tr("the option --%1 was given more than once")
                         .arg(option.names().constLast());
            return false;
        }
        if (!values.isEmpty())
            *value = values.constFirst();
        return true;
    };
    std::optional<QString> jobsText;
    if (!single(width, &options->width) || !single(height, &options->height)
        || !single(size, &options->size) || !single(output, &options->output)
        || !single(jobs, &jobsText) || !single(html, &options->html))
        return false;
    if (options->size && (options->width || options->height)) {
        *error = Text::tr("--size gives both sides: give it without -W/--width and -H/--height");
        return false;
    }
    if (jobsText) {
        bool ok = false;
        const int n = jobsText->toInt(&ok);
        if (!ok || n < 1 || n > 256) {
            *error = Text::tr("--jobs: \"%1\" is not a number from 1 to 256").arg(*jobsText);
            return false;
        }
        options->jobs = n;
    }
    options->quiet = parser.isSet(quiet);
    options->verbose = parser.isSet(verbose);
    options->fromSettings = parser.isSet(fromSettings);
    options->help = parser.isSet(help);
    options->version = parser.isSet(version);
    options->inputs = parser.positionalArguments();
    return true;
}

bool readSavedWork(const QString &iniPath, SavedWork *work, QString *error)
{
    if (!QFileInfo(iniPath).isFile()) {
        *error = Text::tr("%1: no saved data").arg(iniPath);
        return false;
    }
    const QSettings settings(iniPath, QSettings::IniFormat);
    if (settings.status() != QSettings::NoError) {
        *error = Text::tr("%1: the saved data could not be read").arg(iniPath);
        return false;
    }
    auto text = [&](const QString &key) { return settings.value(key).toString(); };
    // A missing or non-numeric count is an empty list, as restoring it in the window gives.
    bool ok = false;
    const int last = text(u"InputFiles/InputFilesCount"_s).trimmed().toInt(&ok);
    for (int i = 0; ok && i <= last; ++i)
        work->files.append(text(u"InputFiles/InputFile%1"_s.arg(i)));
    work->output = text(u"OutputFile/OutputFilename"_s);
    work->width = text(u"ResizeValues/Width"_s);
    work->height = text(u"ResizeValues/Height"_s);
    return true;
}

bool frameSide(const QString &text, const QString &what, int *side, QString *error)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    const double rounded = ok ? std::nearbyint(value) : 0.0; // halves to even
    if (!ok || !(rounded >= 1.0 && rounded <= strip::kMaxFrameSide)) {
        *error = Text::tr("invalid %1: \"%2\" (1 to %3 pixels)")
                     .arg(what, text, QString::number(strip::kMaxFrameSide));
        return false;
    }
    *side = int(rounded);
    return true;
}

bool frameSize(const QString &text, QSize *size, QString *error)
{
    static const QRegularExpression form(u"^\\s*([^xX×]+)[xX×]([^xX×]+)$"_s);
    const QRegularExpressionMatch match = form.match(text);
    int width = 0, height = 0;
    if (!match.hasMatch() || !frameSide(match.captured(1), Text::tr("width"), &width, error)
        || !frameSide(match.captured(2), Text::tr("height"), &height, error)) {
        *error = Text::tr("invalid size: \"%1\" (WIDTHxHEIGHT, for example 320x200; each side 1 "
                          "to %2 pixels)")
                     .arg(text, QString::number(strip::kMaxFrameSide));
        return false;
    }
    *size = QSize(width, height);
    return true;
}

namespace {

// A page is only worth writing for a strip that browsers open, and never over the strip.
bool pageCanShowStrip(const Job &job, QString *error)
{
    if (QFileInfo(job.html).absoluteFilePath() == QFileInfo(job.output).absoluteFilePath()) {
        *error
            = Text::tr("--html: the page and the strip cannot be the same file (%1)").arg(job.html);
        return false;
    }
    const qint64 height = qint64(job.files.size()) * job.frame.height();
    if (height > kBrowserBmpLimit || job.frame.width() > kBrowserBmpLimit) {
        *error = Text::tr("--html: browsers open no BMP of more than %1 pixels a side "
                          "(this strip: %2 × %3); write the strip as .png")
                     .arg(QString::number(kBrowserBmpLimit), QString::number(job.frame.width()),
                          QString::number(height));
        return false;
    }
    return true;
}

} // namespace

bool resolveJob(const Options &options, const QString &iniPath, int cores, Job *job, QString *error,
                int *status)
{
    int ignored = 0;
    int &fault = status ? *status : ignored;
    fault = 2;
    SavedWork saved { {}, {}, u"320"_s, u"200"_s };
    if (options.fromSettings && !readSavedWork(iniPath, &saved, error))
        return false;
    const QStringList inputs = options.inputs.isEmpty() ? saved.files : options.inputs;
    job->output = options.output.value_or(saved.output);
    if (job->output.isEmpty()) {
        *error = Text::tr("the output file is missing (-o OUTPUT.bmp)");
        return false;
    }
    int width = 0, height = 0;
    if (options.size) {
        QSize frame;
        if (!frameSize(*options.size, &frame, error))
            return false;
        width = frame.width();
        height = frame.height();
    } else if (!frameSide(options.width.value_or(saved.width), Text::tr("width"), &width, error)
               || !frameSide(options.height.value_or(saved.height), Text::tr("height"), &height,
                             error)) {
        return false;
    }
    job->frame = QSize(width, height);
    job->files.clear();
    job->leftOut.clear();
    if (!expandInputs(inputs, &job->files, error, &job->leftOut)) {
        fault = 1;
        return false;
    }
    if (job->files.isEmpty()) {
        *error = Text::tr("no input pictures");
        return false;
    }
    const qint64 rows = qint64(job->files.size()) * height;
    const qint64 bytes = strip::bmpRowBytes(width) * rows;
    if (rows > std::numeric_limits<int>::max() || bytes > strip::kMaxStripBytes) {
        *error = Text::tr("a strip of %1 × %2 pixels is over the limit of %3 MiB")
                     .arg(QString::number(width), QString::number(rows),
                          QString::number(strip::kMaxStripBytes / (1024 * 1024)));
        return false;
    }
    job->html = options.html.value_or(QString());
    if (!job->html.isEmpty() && !pageCanShowStrip(*job, error))
        return false;
    job->jobs = options.jobs.value_or(std::max(1, cores));
    job->quiet = options.quiet;
    job->verbose = options.verbose;
    return true;
}

} // namespace cli
