#include "options.h"

#include "inputs.h"
#include "viewer_page.h"

#include "engine/settings_file.h"
#include "engine/working_set.h"

#include <QCommandLineParser>
#include <QFileInfo>

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
    using namespace engine::keys;
    if (!QFileInfo(iniPath).isFile()) {
        *error = u"%1: no hay datos guardados"_s.arg(iniPath);
        return false;
    }
    engine::SettingsFile settings;
    QString reason;
    if (!settings.read(iniPath, &reason)) {
        *error = u"%1: no se pudieron leer los datos guardados (%2)"_s.arg(iniPath, reason);
        return false;
    }
    auto text = [&](const QString &section, const QString &key) {
        return settings.value(section, key).value_or(QString());
    };
    // As the window restores it: a missing entry below the count is an empty line.
    const int count = engine::restoredEntryCount(text(kInputFiles, kInputFilesCount));
    work->files.clear();
    work->files.reserve(count);
    for (int i = 0; i < count; ++i)
        work->files.append(text(kInputFiles, inputFile(i)));
    work->output = text(kOutputFile, kOutputFilename);
    work->width = text(kResizeValues, kWidth);
    work->height = text(kResizeValues, kHeight);
    return true;
}

bool frameSide(const QString &text, const QString &what, int *side, QString *error)
{
    if (const auto value = engine::frameSide(text)) {
        *side = *value;
        return true;
    }
    *error = u"%1 no válido: \"%2\" (se admiten de 1 a %3 píxeles)"_s.arg(
        what, text, QString::number(engine::kMaxFrameSide));
    return false;
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
    if (options.inputs.isEmpty()) {
        // An entry that names no file stops the run where the window's assembly would stop.
        const qsizetype hole = saved.files.indexOf(QString());
        if (hole >= 0) {
            *error = engine::emptyEntryMessage(int(hole));
            fault = 1;
            return false;
        }
    }
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
    if (!engine::stripFits(width, rows)) {
        *error = u"una tira de %1 × %2 píxeles pasa del límite de %3 MiB"_s.arg(
            QString::number(width), QString::number(rows),
            QString::number(engine::kMaxStripBytes / (1024 * 1024)));
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
