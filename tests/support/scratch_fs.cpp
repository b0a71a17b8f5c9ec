// SPDX-License-Identifier: GPL-3.0-or-later
#include "scratch_fs.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <sys/mount.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace scratch {

SmallFs::SmallFs(int kilobytes)
{
    if (!m_dir.isValid()) {
        m_why = u"no temporary folder"_s;
        return;
    }
    if (::geteuid() != 0) {
        m_why = u"mounting a tmpfs needs root"_s;
        return;
    }
    const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k";
    if (::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", 0,
                options.constData())
        != 0) {
        m_why = u"mount of a tmpfs refused: "_s + QString::fromLocal8Bit(std::strerror(errno));
        return;
    }
    m_mounted = true;
}

SmallFs::~SmallFs()
{
    if (m_mounted)
        ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
}

bool SmallFs::fill(qint64 leave)
{
    QFile filler(filePath(u".filler"_s));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    const QByteArray block(4096, 'x');
    while (filler.write(block) == block.size()) { }
    // A byte-sized tail too, so not even a small file fits.
    while (filler.write("x", 1) == 1) { }
    return filler.resize(std::max<qint64>(filler.size() - leave, 0));
}

bool SmallFs::makeReadOnly()
{
    return ::mount(nullptr, QFile::encodeName(m_dir.path()).constData(), nullptr,
                   MS_REMOUNT | MS_RDONLY, nullptr)
        == 0;
}

} // namespace scratch
