#include "options.h"

#include "inputs.h"
#include "viewer_page.h"

#include "engine/settings_file.h"
#include "engine/sources.h"
#include "engine/working_set.h"

#include <QCommandLineParser>
#include <QFileInfo>

#include <algorithm>
#include <climits>
#include <limits>

using namespace Qt::StringLiterals;

namespace cli {

namespace {

// A sheet as wide as the longest list the window holds.
constexpr int kMaxColumns = 32767;

} // namespace

QString usage()
{
    return u"Uso: framolin-strip [-W ANCHO] [-H ALTO] -o SALIDA [--format F] [--quality N]\n"
           "                      [--columns N] [--jobs N] [--quiet] IMAGEN|CARPETA ...\n"
           "     framolin-strip --from-settings [opciones]\n"
           "\n"
           "Apila las imágenes (BMP, JPG, GIF, PNG, WebP, TIFF) en una columna, cada\n"
           "una estirada a ANCHO x ALTO píxeles y puesta derecha según su orientación\n"
           "EXIF, y escribe la tira en el formato que pide la extensión de la salida: .png,\n"
           ".jpg/.jpeg, .webp; cualquier otra, BMP de 24 bits (el mismo archivo que guarda la\n"
           "ventana de Framolin). Una carpeta aporta sus imágenes en orden natural (2 antes\n"
           "de 10), sin los archivos ocultos ni la propia salida.\n"
           "\n"
           "  -W ANCHO          ancho del cuadro en píxeles (320)\n"
           "  -H ALTO           alto del cuadro en píxeles (200)\n"
           "  -o, --output RUTA archivo de salida; se reemplaza solo si todo va bien, y nunca\n"
           "                    si es una de las imágenes de entrada\n"
           "  -f, --format F    bmp, png, jpeg o webp, en lugar del que pide la extensión\n"
           "  --quality N       calidad de JPEG y WebP, de 1 a 100 (90)\n"
           "  --columns N       N cuadros por fila, de izquierda a derecha y de arriba abajo\n"
           "                    (1: una sola columna); las celdas vacías, en el color de fondo\n"
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
    const QCommandLineOption format({ u"f"_s, u"format"_s }, {}, u"formato"_s);
    const QCommandLineOption quality(u"quality"_s, {}, u"n"_s);
    const QCommandLineOption columns(u"columns"_s, {}, u"n"_s);
    const QCommandLineOption quiet({ u"q"_s, u"quiet"_s }, {});
    const QCommandLineOption html(u"html"_s, {}, u"página"_s);
    const QCommandLineOption fromSettings(u"from-settings"_s, {});
    const QCommandLineOption help({ u"h"_s, u"help"_s }, {});
    const QCommandLineOption version(u"version"_s, {});
    parser.addOptions({ width, height, output, jobs, format, quality, columns, quiet, html,
                        fromSettings, help, version });
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
    std::optional<QString> jobsText, qualityText, columnsText;
    if (!single(width, &options->width) || !single(height, &options->height)
        || !single(output, &options->output) || !single(jobs, &jobsText)
        || !single(format, &options->format) || !single(quality, &qualityText)
        || !single(columns, &columnsText) || !single(html, &options->html))
        return false;
    auto number = [&](const std::optional<QString> &text, const QString &name, int most,
                      std::optional<int> *value) {
        if (!text)
            return true;
        bool ok = false;
        const int n = text->toInt(&ok);
        if (!ok || n < 1 || n > most) {
            *error = u"%1: \"%2\" no es un número de 1 a %3"_s.arg(name, *text).arg(most);
            return false;
        }
        *value = n;
        return true;
    };
    if (!number(jobsText, u"--jobs"_s, 256, &options->jobs)
        || !number(qualityText, u"--quality"_s, 100, &options->quality)
        || !number(columnsText, u"--columns"_s, kMaxColumns, &options->columns))
        return false;
    if (options->format && !engine::formatNamed(*options->format)) {
        *error = u"--format: \"%1\" no es bmp, png, jpeg ni webp"_s.arg(*options->format);
        return false;
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

QSize stripSize(qint64 frames, QSize frame, int columns)
{
    const qint64 rows = (frames + columns - 1) / columns;
    return { int(std::min<qint64>(qint64(columns) * frame.width(), INT_MAX)),
             int(std::min<qint64>(rows * frame.height(), INT_MAX)) };
}

namespace {

// A page is only worth writing for a strip that browsers open, and never over the strip.
bool pageCanShowStrip(const Job &job, QString *error)
{
    if (QFileInfo(job.html).absoluteFilePath() == QFileInfo(job.output).absoluteFilePath()) {
        *error = u"--html: la página y la tira no pueden ser el mismo archivo (%1)"_s.arg(job.html);
        return false;
    }
    // Only BMP has a browser limit of its own; the other formats' limits were checked already.
    const QSize size = stripSize(job.files.size(), job.frame, job.columns);
    if (job.format == engine::StripFormat::Bmp && engine::tooLargeForBrowsers(size)) {
        *error = u"--html: los navegadores no abren un BMP de más de %1 píxeles de lado "
                 "(esta tira: %2 × %3); escriba la tira como .png o use --columns"_s.arg(
                     QString::number(kBrowserBmpLimit), QString::number(size.width()),
                     QString::number(size.height()));
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
    job->format = options.format ? *engine::formatNamed(*options.format)
                                 : engine::formatForPath(job->output);
    const bool lossy
        = job->format == engine::StripFormat::Jpeg || job->format == engine::StripFormat::Webp;
    if (options.quality && !lossy) {
        *error = u"--quality solo vale para JPEG y WebP, no para %1"_s.arg(
            engine::formatName(job->format));
        return false;
    }
    job->quality = options.quality.value_or(engine::kDefaultQuality);
    job->columns = options.columns.value_or(1);
    int width = 0, height = 0;
    if (!frameSide(options.width.value_or(saved.width), u"ancho"_s, &width, error)
        || !frameSide(options.height.value_or(saved.height), u"alto"_s, &height, error))
        return false;
    job->frame = QSize(width, height);
    job->files.clear();
    if (!expandInputs(inputs, &job->files, error, job->output)) {
        fault = 1;
        return false;
    }
    if (job->files.isEmpty()) {
        *error = u"no hay imágenes de entrada"_s;
        return false;
    }
    if (const QString input = engine::inputThatIsOutput(job->output, job->files);
        !input.isEmpty()) {
        *error = u"%1: %2"_s.arg(job->output, engine::overwritesInput(job->output, input));
        return false;
    }
    const qint64 frames = job->files.size();
    const qint64 stripWidth = qint64(job->columns) * width;
    const qint64 rows = (frames + job->columns - 1) / job->columns * height;
    if (rows > std::numeric_limits<int>::max() || !engine::stripFits(stripWidth, rows)) {
        *error = u"una tira de %1 × %2 píxeles pasa del límite de %3 MiB"_s.arg(
            QString::number(stripWidth), QString::number(rows),
            QString::number(engine::kMaxStripBytes / (1024 * 1024)));
        return false;
    }
    // Said before anything is written: a format that cannot hold the strip is refused, and a BMP
    // that browsers will not show is only warned about, since the file itself is sound.
    const QSize size = stripSize(frames, job->frame, job->columns);
    if (const QString problem = engine::formatLimitProblem(job->format, size); !problem.isEmpty()) {
        *error = problem + u", o repártala en filas con --columns"_s;
        return false;
    }
    job->warning.clear();
    if (job->format == engine::StripFormat::Bmp && engine::tooLargeForBrowsers(size))
        job->warning = u"aviso: los navegadores web no abren un BMP de más de %1 píxeles por "
                       "lado, y esta tira mide %2 × %3; guárdela como .png o use --columns"_s
                           .arg(engine::kMaxBrowserBmpSide)
                           .arg(size.width())
                           .arg(size.height());
    job->html = options.html.value_or(QString());
    if (!job->html.isEmpty() && !pageCanShowStrip(*job, error))
        return false;
    job->jobs = options.jobs.value_or(std::max(1, cores));
    job->quiet = options.quiet;
    return true;
}

} // namespace cli
