// SPDX-License-Identifier: GPL-3.0-or-later
#include "program.h"

#include "error.h"

#include <QApplication>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace runtime {

void Program::run(const std::function<void()> &handler)
{
    if (m_ended)
        return;
    try {
        handler();
    } catch (const ProgramEnded &) {
        // The handler was yielding when the program ended; nothing more of it may run.
    } catch (const RuntimeError &e) {
        // The reason (the file and what is wrong with it) is what the user acts on; the
        // number is only for reports.
        if (!m_ended)
            m_boxes.MsgBox(
                u"%1\n\n(error %2 en tiempo de ejecución)"_s.arg(e.description()).arg(e.number()),
                mb::kCritical, u"Framolin"_s);
    }
}

void Program::End()
{
    if (m_ended)
        return;
    m_ended = true;
    for (QWidget *w : QApplication::topLevelWidgets())
        w->close();
    QCoreApplication::exit(0);
}

void QtEventPump::DoEvents()
{
    if (m_program.ended())
        throw ProgramEnded();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    if (m_program.ended())
        throw ProgramEnded();
}

} // namespace runtime
