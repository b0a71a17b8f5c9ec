// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whole-file reads and writes for tests that check what was (or was not) written.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QtEndian>

#include <gtest/gtest.h>

namespace files {

// The file's bytes; empty when it cannot be read.
inline QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The little-endian field of a file's header at byte `at`, as BMP stores them.
inline quint32 u32(const QByteArray &bytes, int at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}
inline quint16 u16(const QByteArray &bytes, int at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

// Writes `bytes` to `path`, making its folder first.
inline void writeAll(const QString &path, const QByteArray &bytes)
{
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// An empty file at `path`.
inline void touch(const QString &path)
{
    writeAll(path, {});
}

} // namespace files
