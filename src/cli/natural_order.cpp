#include "natural_order.h"

namespace cli {

namespace {

// Compares the digit runs starting at a[i] and b[j]; advances both past them.
int compareNumbers(const QString &a, qsizetype &i, const QString &b, qsizetype &j)
{
    auto skipZeros = [](const QString &s, qsizetype &k) {
        while (k < s.size() && s[k] == u'0' && k + 1 < s.size() && s[k + 1].isDigit())
            ++k;
    };
    const qsizetype startA = i, startB = j;
    skipZeros(a, i);
    skipZeros(b, j);
    qsizetype endA = i, endB = j;
    while (endA < a.size() && a[endA].isDigit())
        ++endA;
    while (endB < b.size() && b[endB].isDigit())
        ++endB;
    // Without leading zeros, a longer run is a larger number; equal lengths compare digit by
    // digit. Numbers of any length work, no overflow.
    int result = 0;
    if (endA - i != endB - j)
        result = endA - i < endB - j ? -1 : 1;
    else
        result = QStringView(a).sliced(i, endA - i).compare(QStringView(b).sliced(j, endB - j));
    if (result == 0 && (endA - startA) != (endB - startB))
        result = (endA - startA) < (endB - startB) ? -1 : 1; // "1" before "01"
    i = endA;
    j = endB;
    return result;
}

} // namespace

bool naturalLess(const QString &a, const QString &b)
{
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            if (const int c = compareNumbers(a, i, b, j); c != 0)
                return c < 0;
            continue;
        }
        const QChar ca = a[i].toCaseFolded(), cb = b[j].toCaseFolded();
        if (ca != cb)
            return ca < cb;
        ++i;
        ++j;
    }
    if ((i < a.size()) != (j < b.size()))
        return j < b.size();
    return a < b;
}

} // namespace cli
