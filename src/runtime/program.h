// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The running program: the one place where every event handler is run, so that a run-time
// error escaping a handler becomes a message box instead of ending the program, and the
// program's End, after which no handler runs any more.

#include "services.h"

#include <functional>

namespace runtime {

class Program
{
public:
    explicit Program(MessageBoxes &boxes) : m_boxes(boxes) { }

    // Runs one event handler. RuntimeError is shown as a critical message box; ProgramEnded
    // unwinds quietly. Does nothing once the program has ended.
    void run(const std::function<void()> &handler);

    // Ends the program: closes every top-level window and leaves the event loop. Handlers that
    // are yielding unwind at their next DoEvents.
    void End();
    bool ended() const { return m_ended; }

    MessageBoxes &boxes() { return m_boxes; }

private:
    MessageBoxes &m_boxes;
    bool m_ended = false;
};

// DoEvents on the real event loop, ending the yielding handler once the program has ended.
class QtEventPump : public EventPump
{
public:
    explicit QtEventPump(Program &program) : m_program(program) { }
    void DoEvents() override;

private:
    Program &m_program;
};

} // namespace runtime
