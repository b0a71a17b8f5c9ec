// SPDX-License-Identifier: GPL-3.0-or-later
#include "crop.h"

namespace engine {

bool resolveCrop(const QStringList &files, const CropRequest &request, QSize frame, int jobs,
                 QRect *box, QString *error)
{
    Q_UNUSED(files)
    Q_UNUSED(frame)
    Q_UNUSED(jobs)
    Q_UNUSED(error)
    *box = request.kind == CropRequest::Kind::Box ? request.box : QRect();
    return true;
}

} // namespace engine
