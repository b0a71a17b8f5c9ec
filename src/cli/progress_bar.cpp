#include "progress_bar.h"

using namespace Qt::StringLiterals;

namespace cli {

QString progressLine(int done, int total, int width)
{
    const int filled = total > 0 ? int(qint64(done) * width / total) : width;
    const int digits = int(QString::number(total).size());
    return u"[%1%2] %3/%4"_s.arg(QString(filled, u'#'), QString(width - filled, u'.'))
        .arg(done, digits)
        .arg(total);
}

void ProgressBar::show(int done, int total)
{
    const QString line = progressLine(done, total, 40);
    if (line == m_last)
        return;
    m_last = line;
    std::fprintf(m_out, "\r%s", qUtf8Printable(line));
    std::fflush(m_out);
}

void ProgressBar::finish()
{
    if (!m_last.isEmpty())
        std::fputc('\n', m_out);
    m_last.clear();
}

} // namespace cli
