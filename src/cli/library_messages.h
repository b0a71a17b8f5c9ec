// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Keeps the picture libraries' own prints (Qt's and its plug-ins' warnings, libtiff's, and
// libpng's, which Qt's plug-in leaves to libpng's default printer) off standard error while it
// lives: a picture they fail on is reported in the program's one line naming the file, never
// beside it in theirs.

#include <QtGlobal>

#include <cstdio>

namespace cli {

class LibraryMessagesSilenced
{
public:
    // `err` is where the program's own lines go: when it is not the standard error descriptor
    // itself, that descriptor is pointed at /dev/null meanwhile.
    explicit LibraryMessagesSilenced(std::FILE *err);
    ~LibraryMessagesSilenced();
    LibraryMessagesSilenced(const LibraryMessagesSilenced &) = delete;
    LibraryMessagesSilenced &operator=(const LibraryMessagesSilenced &) = delete;

private:
    QtMessageHandler m_qt = nullptr;
    void *m_tiffError = nullptr;
    void *m_tiffWarning = nullptr;
    int m_savedErr = -1;
};

} // namespace cli
