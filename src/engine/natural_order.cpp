// SPDX-License-Identifier: GPL-3.0-or-later
#include "natural_order.h"

namespace engine {

namespace {

// Where a character outside a number sorts: case folded. Every digit, of any script, takes the
// place of the ASCII digits, so a number sorts against a letter the same way whatever the
// digits it is written with (no other character folds to an ASCII digit).
char16_t key(QChar c)
{
    return c.isDigit() ? u'0' : c.toCaseFolded().unicode();
}

// Moves `k` past the digit run starting there; `significant` is where its leading zeros end.
void digitRun(const QString &s, qsizetype &k, qsizetype &significant)
{
    const qsizetype start = k;
    while (k < s.size() && s[k].isDigit())
        ++k;
    significant = start;
    while (significant + 1 < k && s[significant].digitValue() == 0)
        ++significant;
}

// Compares the digit runs starting at a[i] and b[j] by value, digits of every script alike
// ("１２" is twelve, as "12" is); advances both past them. The first difference in the runs'
// lengths (leading zeros) is kept in `zeros` for a final tie-break.
int compareNumbers(const QString &a, qsizetype &i, const QString &b, qsizetype &j, int &zeros)
{
    const qsizetype startA = i, startB = j;
    qsizetype significantA = 0, significantB = 0;
    digitRun(a, i, significantA);
    digitRun(b, j, significantB);
    // Without leading zeros, a longer run is a larger number; equal lengths compare digit by
    // digit. Numbers of any length work, no overflow.
    const qsizetype lengthA = i - significantA, lengthB = j - significantB;
    int result = 0;
    if (lengthA != lengthB)
        result = lengthA < lengthB ? -1 : 1;
    for (qsizetype k = 0; result == 0 && k < lengthA; ++k) {
        const int da = a[significantA + k].digitValue(), db = b[significantB + k].digitValue();
        if (da != db)
            result = da < db ? -1 : 1;
    }
    if (zeros == 0 && (i - startA) != (j - startB))
        zeros = (i - startA) < (j - startB) ? -1 : 1; // "1" before "01"
    return result;
}

} // namespace

// The order compares, one after the other: the names as sequences of numbers (by value) and
// folded characters; then the lengths of their digit runs; then the plain UTF-16 text. Each is
// a strict weak ordering and the last a total one, so std::sort may rely on the whole.
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
        const char16_t ca = key(a[i]), cb = key(b[j]);
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
