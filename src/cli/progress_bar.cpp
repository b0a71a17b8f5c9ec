// SPDX-License-Identifier: GPL-3.0-or-later
#include "progress_bar.h"

#include <atomic>

#include <csignal>
#include <sys/ioctl.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace cli {

namespace {

// Set by SIGWINCH; the bar reads the width again at its next draw.
std::atomic<bool> g_resized { false };
static_assert(std::atomic<bool>::is_always_lock_free);

extern "C" void onResize(int /*signal*/)
{
    g_resized.store(true, std::memory_order_relaxed);
}

} // namespace

QString progressLine(int done, int total, int width)
{
    const int filled = total > 0 ? int(qint64(done) * width / total) : width;
    const int digits = int(QString::number(total).size());
    return u"[%1%2] %3/%4"_s.arg(QString(filled, u'#'), QString(width - filled, u'.'))
        .arg(done, digits)
        .arg(total);
}

QString progressLineFor(int done, int total, int columns)
{
    const int usable = columns - 1;
    const int count = int(progressLine(done, total, 0).size()) - 2; // without the "[]"
    const int cells = usable - count - 2;
    if (cells >= 4)
        return progressLine(done, total, cells);
    return progressLine(done, total, 0).mid(3).left(std::max(usable, 0));
}

int terminalColumns(int fd)
{
    winsize size {};
    if (::ioctl(fd, TIOCGWINSZ, &size) != 0)
        return 0;
    return size.ws_col;
}

ProgressBar::ProgressBar(std::FILE *out, std::function<int()> columns)
    : m_out(out), m_columns(std::move(columns))
{
    struct sigaction action
    {
    };
    action.sa_handler = onResize;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART; // a resize must not fail a write or a wait
    ::sigaction(SIGWINCH, &action, nullptr);
}

ProgressBar::~ProgressBar()
{
    ::signal(SIGWINCH, SIG_DFL);
}

void ProgressBar::show(int done, int total)
{
    if (m_width < 0 || g_resized.exchange(false, std::memory_order_relaxed)) {
        const int columns = m_columns ? m_columns() : 0;
        m_width = columns > 0 ? columns : 80;
        m_last.clear(); // a narrower terminal may have wrapped the old line: draw afresh
    }
    const QString line = progressLineFor(done, total, m_width);
    if (line == m_last)
        return;
    m_last = line;
    // Return to the line's start and erase it, so a shorter line leaves nothing behind.
    std::fprintf(m_out, "\r\033[K%s", qUtf8Printable(line));
    std::fflush(m_out);
}

void ProgressBar::finish()
{
    if (!m_last.isEmpty()) {
        std::fputs("\r\033[K", m_out);
        std::fflush(m_out);
    }
    m_last.clear();
}

} // namespace cli
