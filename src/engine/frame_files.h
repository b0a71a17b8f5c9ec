// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Frames written one file each (a folder of numbered frames, larger zoom frames, a poster),
// each decoded from its original picture at the size asked, never enlarged from a smaller
// frame, and optionally packed into a zip archive. Nothing is put under its own name before
// the whole run is written.

#include "engine/fit.h"
#include "engine/strip_format.h"

#include <QSize>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace engine {

class SaveGroup;

// The file name of frame `index` (from 0) of `count`: "0001.png", "0002.png", …, numbered from
// 1 and as wide as the count's digits but at least 4, so the names sort in frame order.
QString frameFileName(int index, int count, const QString &suffix);

// The usual file name extension of `format`: "bmp", "png", "jpg" or "webp".
QString formatSuffix(StripFormat format);

// A folder of files written under a hidden folder inside it and moved to their own names only
// by commit(), so a failed run leaves the folder as it was, and removes it when it made it.
// A run of thousands of frames holds no file open meanwhile.
class FrameFolder
{
public:
    explicit FrameFolder(const QString &folder) : m_folder(folder) { }
    ~FrameFolder();
    FrameFolder(const FrameFolder &) = delete;
    FrameFolder &operator=(const FrameFolder &) = delete;

    // Makes the folder when missing (its parent must exist) and the hidden one inside it.
    bool open(QString *reason);
    QString path() const { return m_folder; }
    // Where the file `name` is written until commit().
    QString stagedPath(const QString &name) const;
    // Moves every file written in the hidden folder under its name, after checking each name
    // as every output is checked. False with the path and the reason.
    bool commit(QString *path, QString *reason);

private:
    QString m_folder;
    std::unique_ptr<QTemporaryDir> m_stage;
    bool m_made = false;
    bool m_committed = false;
};

struct FrameFiles
{
    QStringList sources; // the pictures, in frame order
    QSize size; // of every file
    FrameOptions fit;
    StripFormat format = StripFormat::Jpeg;
    int quality = kDefaultQuality;
    QStringList names; // each frame's file name in the folder
    // When not empty, an archive of all the files is written here too (held by the group), its
    // entries under the folder's own name.
    QString zip;
};

// Writes every frame of `set` into `folder` on up to `jobs` threads, and the archive into
// `group`. False with one line naming the file and the reason.
bool writeFrameFiles(const FrameFiles &set, int jobs, FrameFolder *folder, SaveGroup *group,
                     QString *error);

// One frame of `set` (its first source, at its size and in its format) written at `path` and
// held by `group`: the poster.
bool writeFrameFile(const FrameFiles &set, const QString &path, SaveGroup *group, QString *error);

} // namespace engine
