#include "options.h"

#include "inputs.h"
#include "viewer_page.h"

#include "strip/frame_size.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QSettings>

#include <cmath>

using namespace Qt::StringLiterals;

namespace cli {

QString usage()
{
    return u"Uso: framolin-strip [-W ANCHO] [-H ALTO] -o SALIDA.bmp [--jobs N] [--quiet] "
           "IMAGEN|CARPETA ...\n"
           "     framolin-strip --from-settings [opciones]\n"
           "\n"
           "Apila las imágenes (BMP, JPG, GIF, PNG, WebP, TIFF) en una columna, cada\n"
           "una estirada a ANCHO x ALTO píxeles y puesta derecha según su orientación\n"
           "EXIF, y escribe la tira como BMP de 24 bits: el mismo archivo que guarda la\n"
           "ventana de Framolin. Una carpeta aporta sus imágenes en orden natural (2 antes\n"
           "de 10), sin los archivos ocultos.\n"
           "\n"
           "  -W ANCHO          ancho del cuadro en píxeles (320)\n"
           "  -H ALTO           alto del cuadro en píxeles (200)\n"
           "  -o, --output RUTA archivo BMP de salida; se reemplaza solo si todo va bien\n"
           "  -j, --jobs N      imágenes decodificadas a la vez (todos los núcleos)\n"
           "  -q, --quiet       sin barra de progreso\n"
           "  --html PÁGINA     escribe además una página web que muestra la tira girando\n"
           "  --from-settings   la lista, la salida y el tamaño guardados con \"Guardar datos\";\n"
           "                    las opciones y las imágenes dadas junto a ella mandan\n"
           "  -h, --help        esta ayuda\n"
           "  --version         la versión\n"
           "\n"
           "Sale con 0 si escribió la tira; si no, con 1 y una línea que nombra el archivo y\n"
           "el motivo, sin crear ni tocar la salida (2 para opciones no válidas).\n"_s;
}

bool parseArguments(const QStringList &arguments, Options *options, QString *error)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
    const QCommandLineOption width(u"W"_s, {}, u"ancho"_s);
    const QCommandLineOption height(u"H"_s, {}, u"alto"_s);
    const QCommandLineOption output({ u"o"_s, u"output"_s }, {}, u"ruta"_s);
    const QCommandLineOption jobs({ u"j"_s, u"jobs"_s }, {}, u"n"_s);
    const QCommandLineOption quiet({ u"q"_s, u"quiet"_s }, {});
    const QCommandLineOption html(u"html"_s, {}, u"página"_s);
    const QCommandLineOption fromSettings(u"from-settings"_s, {});
    const QCommandLineOption help({ u"h"_s, u"help"_s }, {});
    const QCommandLineOption version(u"version"_s, {});
    parser.addOptions({ width, height, output, jobs, quiet, html, fromSettings, help, version });
    if (!parser.parse(arguments)) {
        *error = parser.errorText();
        return false;
    }
    auto single = [&](const QCommandLineOption &option, std::optional<QString> *value) {
        const QStringList values = parser.values(option);
        if (values.size() > 1) {
            *error = u"la opción -%1 se dio más de una vez"_s.arg(option.names().constLast());
            return false;
        }
        if (!values.isEmpty())
            *value = values.constFirst();
        return true;
    };
    std::optional<QString> jobsText;
    if (!single(width, &options->width) || !single(height, &options->height)
        || !single(output, &options->output) || !single(jobs, &jobsText)
        || !single(html, &options->html))
        return false;
    if (jobsText) {
        bool ok = false;
        const int n = jobsText->toInt(&ok);
        if (!ok || n < 1 || n > 256) {
            *error = u"--jobs: \"%1\" no es un número de 1 a 256"_s.arg(*jobsText);
            return false;
        }
        options->jobs = n;
    }
    options->quiet = parser.isSet(quiet);
    options->fromSettings = parser.isSet(fromSettings);
    options->help = parser.isSet(help);
    options->version = parser.isSet(version);
    options->inputs = parser.positionalArguments();
    return true;
}

bool readSavedWork(const QString &iniPath, SavedWork *work, QString *error)
{
    if (!QFileInfo(iniPath).isFile()) {
        *error = u"%1: no hay datos guardados"_s.arg(iniPath);
        return false;
    }
    const QSettings settings(iniPath, QSettings::IniFormat);
    if (settings.status() != QSettings::NoError) {
        *error = u"%1: no se pudieron leer los datos guardados"_s.arg(iniPath);
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
        *error = u"%1 no válido: \"%2\" (se admiten de 1 a %3 píxeles)"_s.arg(
            what, text, QString::number(strip::kMaxFrameSide));
        return false;
    }
    *side = int(rounded);
    return true;
}

namespace {

// A page is only worth writing for a strip that browsers open, and never over the strip.
bool pageCanShowStrip(const Job &job, QString *error)
{
    if (QFileInfo(job.html).absoluteFilePath() == QFileInfo(job.output).absoluteFilePath()) {
        *error = u"--html: la página y la tira no pueden ser el mismo archivo (%1)"_s.arg(job.html);
        return false;
    }
    const qint64 height = qint64(job.files.size()) * job.frame.height();
    if (height > kBrowserBmpLimit || job.frame.width() > kBrowserBmpLimit) {
        *error = u"--html: los navegadores no abren un BMP de más de %1 píxeles de lado "
                 "(esta tira: %2 × %3); escriba la tira como .png"_s.arg(
                     QString::number(kBrowserBmpLimit), QString::number(job.frame.width()),
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
        *error = u"falta el archivo de salida (-o SALIDA.bmp)"_s;
        return false;
    }
    int width = 0, height = 0;
    if (!frameSide(options.width.value_or(saved.width), u"ancho"_s, &width, error)
        || !frameSide(options.height.value_or(saved.height), u"alto"_s, &height, error))
        return false;
    job->frame = QSize(width, height);
    job->files.clear();
    if (!expandInputs(inputs, &job->files, error)) {
        fault = 1;
        return false;
    }
    if (job->files.isEmpty()) {
        *error = u"no hay imágenes de entrada"_s;
        return false;
    }
    const qint64 rows = qint64(job->files.size()) * height;
    const qint64 bytes = strip::bmpRowBytes(width) * rows;
    if (rows > std::numeric_limits<int>::max() || bytes > strip::kMaxStripBytes) {
        *error = u"una tira de %1 × %2 píxeles pasa del límite de %3 MiB"_s.arg(
            QString::number(width), QString::number(rows),
            QString::number(strip::kMaxStripBytes / (1024 * 1024)));
        return false;
    }
    job->html = options.html.value_or(QString());
    if (!job->html.isEmpty() && !pageCanShowStrip(*job, error))
        return false;
    job->jobs = options.jobs.value_or(std::max(1, cores));
    job->quiet = options.quiet;
    return true;
}

} // namespace cli
