// SPDX-License-Identifier: GPL-3.0-or-later
#include "library_messages.h"

#include <QString>

#include <atomic>

#include <fcntl.h>
#include <tiffio.h>
#include <unistd.h>

namespace cli {

namespace {

std::atomic<QtMessageHandler> previousHandler = nullptr;

void dropMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    // Only a fatal message, which ends the program, is still worth its line.
    if (type == QtFatalMsg) {
        if (const QtMessageHandler previous = previousHandler.load())
            previous(type, context, message);
    }
}

} // namespace

LibraryMessagesSilenced::LibraryMessagesSilenced(std::FILE *err)
{
#ifndef __SANITIZE_ADDRESS__ // the sanitizers report on that descriptor
    if (err && ::fileno(err) != STDERR_FILENO) {
        const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        std::fflush(stderr);
        m_savedErr = null >= 0 ? ::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 3) : -1;
        if (m_savedErr >= 0)
            ::dup2(null, STDERR_FILENO);
        if (null >= 0)
            ::close(null);
    }
#else
    (void)err;
#endif
    m_qt = qInstallMessageHandler(dropMessage);
    previousHandler = m_qt;
    // libtiff prints straight to standard error unless told otherwise, and Qt's plug-in does not.
    m_tiffError = reinterpret_cast<void *>(TIFFSetErrorHandler(nullptr));
    m_tiffWarning = reinterpret_cast<void *>(TIFFSetWarningHandler(nullptr));
}

LibraryMessagesSilenced::~LibraryMessagesSilenced()
{
    TIFFSetErrorHandler(reinterpret_cast<TIFFErrorHandler>(m_tiffError));
    TIFFSetWarningHandler(reinterpret_cast<TIFFErrorHandler>(m_tiffWarning));
    qInstallMessageHandler(m_qt);
    if (m_savedErr >= 0) {
        std::fflush(stderr);
        ::dup2(m_savedErr, STDERR_FILENO);
        ::close(m_savedErr);
    }
}

} // namespace cli
