// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Exportar para la web...": the window's pictures and options handed to framolin-strip's own
// job (page, manifest and sheets), run on a worker thread so the window stays responsive.

#include "engine/output_options.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace cli {
class Translation;
}
namespace engine {
class WorkerPool;
}

namespace app {

// The framolin-strip command line (program name first) that writes the page `page` for
// `files` at frames of `width` × `height` (the window's texts) with `options`: the sheets
// NAME.png (or .jpg, .webp; NAME-0, NAME-1, ... when there are several) and NAME.json beside it.
QStringList webExportArguments(const QStringList &files, const QString &width,
                               const QString &height, const engine::OutputOptions &options,
                               const QString &page);

// One export at a time, on a thread of its own.
class WebExport : public QObject
{
    Q_OBJECT
public:
    explicit WebExport(QObject *parent);
    // Waits for an export under way; its results are then dropped.
    ~WebExport() override;

    using Progress = std::function<void(int written, int total)>;
    // Empty `error` on success, otherwise framolin-strip's one line about what failed.
    using Finished = std::function<void(const QString &error)>;
    // Runs framolin-strip with `arguments`; `progress` and `finished` are called on this
    // object's thread. Ignored while another export runs.
    void start(const QStringList &arguments, Progress progress, Finished finished);
    bool running() const { return m_running; }

private:
    bool m_running = false;
    std::unique_ptr<cli::Translation> m_translation; // the boxes' Spanish, while one runs
    std::unique_ptr<engine::WorkerPool> m_pool; // last: joined before the rest goes
};

} // namespace app
