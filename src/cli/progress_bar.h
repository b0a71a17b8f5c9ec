// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A one-line progress bar redrawn in place on a terminal, as wide as the terminal.

#include <QString>

#include <cstdio>
#include <functional>

namespace cli {

// The bar's text for `done` of `total`, `width` cells wide: "[####......]  12/36".
QString progressLine(int done, int total, int width);

// The widest bar that fits `columns` terminal columns without touching the last one (a
// character there makes some terminals wrap); just the count, cut to fit, when no bar does.
QString progressLineFor(int done, int total, int columns);

// The width of the terminal on `fd`, or 0 when it is not one.
int terminalColumns(int fd);

class ProgressBar
{
public:
    // `columns` gives the terminal's width; it is asked at the first draw and again after the
    // terminal was resized.
    ProgressBar(std::FILE *out, std::function<int()> columns);
    ~ProgressBar();
    ProgressBar(const ProgressBar &) = delete;
    ProgressBar &operator=(const ProgressBar &) = delete;

    // Redraws only when the drawn bar would change.
    void show(int done, int total);
    // Clears the bar's line, leaving the cursor at its start.
    void finish();

private:
    std::FILE *m_out;
    std::function<int()> m_columns;
    int m_width = -1;
    QString m_last;
};

} // namespace cli
