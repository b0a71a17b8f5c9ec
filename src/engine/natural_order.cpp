#include "natural_order.h"

namespace engine {

namespace {

// Compares the digit runs starting at a[i] and b[j] by value; advances both past them. The
// first difference in leading zeros is kept in `zeros` for a final tie-break.
int compareNumbers(const QString &a, qsizetype &i, const QString &b, qsizetype &j, int &zeros)
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
    if (zeros == 0 && (endA - startA) != (endB - startB))
        zeros = (endA - startA) < (endB - startB) ? -1 : 1; // "1" before "01"
    i = endA;
    j = endB;
    return result;
}

} // namespace

bool naturalLess(const QString &a, const QString &b)
{
    qsizetype i = 0, j = 0;
    int zeros = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            if (const int c = compareNumbers(a, i, b, j, zeros); c != 0)
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
    if (zeros != 0)
        return zeros < 0;
    return a < b;
}

} // namespace engine
