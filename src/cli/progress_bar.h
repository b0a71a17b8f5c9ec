#pragma once
// A one-line progress bar redrawn in place on a terminal.

#include <QString>

#include <cstdio>

namespace cli {

// The bar's text for `done` of `total`, `width` cells wide: "[####......]  12/36".
QString progressLine(int done, int total, int width);

class ProgressBar
{
public:
    explicit ProgressBar(std::FILE *out) : m_out(out) { }
    // Redraws only when the drawn bar would change.
    void show(int done, int total);
    // Ends the line.
    void finish();

private:
    std::FILE *m_out;
    QString m_last;
};

} // namespace cli
