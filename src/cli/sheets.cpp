// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheets.h"

#include "options.h"

#include "engine/limits.h"
#include "engine/pool.h"
#include "engine/save_file.h"

#include <QLocale>
#include <QRegularExpression>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <mutex>
#include <numeric>
#include <vector>

using namespace Qt::StringLiterals;

namespace cli {

namespace {

// Sheets built at the same time: one encoding while the next is gathered keeps two cores busy
// even for WebP, whose encoder runs on one thread; more would multiply the sheets in memory.
constexpr int kSheetsInFlight = 2;

} // namespace

bool buildSheets(const SheetSet &set, StripOutput output, int jobs, const FrameWritten &written,
                 QString *error)
{
    const int count = int(set.sheets.size());
    const int inFlight = std::clamp(std::min(jobs, kSheetsInFlight), 1, std::max(count, 1));
    const int total = int(set.files.size());
    output.readAhead = std::max<qint64>(output.readAhead / inFlight, 1);

    // Each sheet's files wait in a group of their own until every sheet is written, then go
    // to the caller's group in sheet order.
    std::vector<engine::SaveGroup> groups(std::size_t(std::max(count, 0)));
    std::vector<int> done(groups.size(), 0);
    std::mutex progress;
    std::atomic<bool> failed = false;
    const auto sheetJob = [&](int index, QString *reason) {
        if (failed)
            return false; // an earlier sheet failed and says why
        const engine::Sheet &sheet = set.sheets.at(index);
        StripOutput own = output;
        if (!set.paths.isEmpty())
            own.path = set.paths.at(index);
        own.columns = sheet.columns;
        if (output.group)
            own.group = &groups[std::size_t(index)];
        FrameWritten told;
        if (written) {
            told = [&, index](int frames, int) {
                const std::lock_guard lock(progress);
                done[std::size_t(index)] = frames;
                written(std::accumulate(done.cbegin(), done.cend(), 0), total);
            };
        }
        const bool ok = buildStrip(set.files.mid(sheet.firstFrame, sheet.frameCount), set.frame,
                                   own, std::max(jobs / inFlight, 1), told, reason);
        if (!ok)
            failed = true;
        return ok;
    };

    bool ok = true;
    if (inFlight == 1) {
        for (int i = 0; i < count && ok; ++i)
            ok = sheetJob(i, error);
    } else {
        ok = engine::runJobs(count, inFlight, sheetJob, error);
    }
    if (!ok)
        return false; // the groups drop every sheet written
    if (output.group) {
        for (engine::SaveGroup &group : groups)
            output.group->hold(std::move(group));
    }
    return true;
}

std::optional<qint64> byteCount(const QString &text)
{
    static const QRegularExpression pattern(u"^\\s*(\\d+(?:\\.\\d+)?)\\s*([kmg]i?)?b?\\s*$"_s,
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const QString unit = match.captured(2).toLower();
    const bool binary = unit.endsWith(u'i');
    const int power = unit.isEmpty() ? 0 : int(u"kmg"_s.indexOf(unit.front()) + 1);
    const double bytes = match.captured(1).toDouble() * std::pow(binary ? 1024.0 : 1000.0, power);
    // Far beyond any set, and still exact as a double.
    if (bytes < 1 || bytes > 0x1p52)
        return std::nullopt;
    return qint64(bytes);
}

QString sizeText(qint64 bytes, Language language)
{
    const QLocale locale(language == Language::Spanish ? QLocale::Spanish : QLocale::English);
    return locale.formattedDataSize(bytes, 1, QLocale::DataSizeIecFormat);
}

QString setSizeProblem(const QStringList &paths, const QList<qint64> &bytes, qint64 maxBytes,
                       engine::Target target, Language language, bool *refused)
{
    const qint64 all = std::accumulate(bytes.cbegin(), bytes.cend(), qint64(0));
    *refused = maxBytes > 0 && all > maxBytes;
    const QLocale locale(language == Language::Spanish ? QLocale::Spanish : QLocale::English);
    if (*refused) {
        return Text::tr("the sheets take %1 (%2 bytes), over --max-bytes %3 bytes: nothing was "
                        "written; use a lower --quality, a smaller frame or fewer --frames")
            .arg(sizeText(all, language), locale.toString(all), locale.toString(maxBytes));
    }
    if (maxBytes > 0 || target != engine::Target::Mobile || all <= engine::kMobileSetBytes)
        return {};
    QStringList each;
    for (qsizetype i = 0; i < bytes.size() && i < paths.size(); ++i)
        each.append(u"%1 %2"_s.arg(paths.at(i), sizeText(bytes.at(i), language)));
    return Text::tr("the sheets take %1, more than a phone should load (%2): %3")
        .arg(sizeText(all, language),
             locale.formattedDataSize(engine::kMobileSetBytes, 0, QLocale::DataSizeSIFormat),
             each.join(u", "_s));
}

} // namespace cli
