// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// In-memory, scriptable stand-ins for the platform services, so tests never show a real box,
// start a program or touch the user's settings.

#include "runtime/error.h"
#include "runtime/program.h"
#include "runtime/services.h"

#include <QCoreApplication>
#include <QMap>
#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <map>
#include <vector>

namespace fakes {

struct ShownBox
{
    QString prompt;
    int style;
    QString title;
};

// Records every box and answers from a script (Yes when the script is empty for Yes/No boxes).
class MessageBoxes : public runtime::MessageBoxes
{
public:
    int MsgBox(const QString &prompt, int style, const QString &title) override
    {
        shown.push_back({ prompt, style, title });
        if (onShow)
            onShow();
        if (!answers.empty()) {
            const int answer = answers.front();
            answers.pop_front();
            return answer;
        }
        return (style & runtime::mb::kYesNo) ? runtime::mb::kYes : runtime::mb::kOk;
    }
    // Recorded among the boxes with style -1; answered from `numbers`, else the offer.
    int InputNumber(const QString &prompt, const QString &title, int value, int, int) override
    {
        shown.push_back({ prompt, -1, title });
        if (numbers.empty())
            return value;
        const int answer = numbers.front();
        numbers.pop_front();
        return answer;
    }
    std::vector<ShownBox> shown;
    std::deque<int> answers;
    std::deque<int> numbers;
    std::function<void()> onShow;
};

// DoEvents that lets queued Qt events run and, on its n-th call (from 1), runs a scripted
// action first: the way a test makes a user act between two frames.
class EventPump : public runtime::EventPump
{
public:
    explicit EventPump(runtime::Program *program = nullptr) : m_program(program) { }
    void DoEvents() override
    {
        if (m_program && m_program->ended())
            throw runtime::ProgramEnded();
        ++calls;
        auto it = actions.find(calls);
        if (it != actions.end())
            it->second();
        QCoreApplication::processEvents();
        if (m_program && m_program->ended())
            throw runtime::ProgramEnded();
    }
    int calls = 0;
    std::map<int, std::function<void()>> actions;

private:
    runtime::Program *m_program;
};

class ProgramStarter : public runtime::ProgramStarter
{
public:
    void Shell(const QString &command, int windowStyle) override
    {
        started.append(command);
        styles.push_back(windowStyle);
        if (failWith != 0)
            throw runtime::RuntimeError(failWith, QStringLiteral("scripted failure"));
    }
    QStringList started;
    std::vector<int> styles;
    int failWith = 0;
};

class SettingsStore : public runtime::SettingsStore
{
public:
    void SaveSetting(const QString &app, const QString &section, const QString &key,
                     const QString &value) override
    {
        values[app + u'/' + section + u'/' + key] = value;
    }
    QString GetSetting(const QString &app, const QString &section, const QString &key) override
    {
        return values.value(app + u'/' + section + u'/' + key);
    }
    void DeleteSetting(const QString &app) override
    {
        for (auto it = values.begin(); it != values.end();)
            it = it.key().startsWith(app + u'/') ? values.erase(it) : std::next(it);
    }
    QMap<QString, QString> values;
};

// Answers file and folder choosers from a script (cancel when it is empty) and records what
// was asked.
class FileDialogs : public runtime::FileDialogs
{
public:
    QStringList GetOpenFileNames(const QString &title, const QString &filter,
                                 const QString &start) override
    {
        asked.append(title);
        filters.append(filter);
        starts.append(start);
        return files.empty() ? QStringList() : take(files);
    }
    QString GetExistingDirectory(const QString &title, const QString &start) override
    {
        asked.append(title);
        starts.append(start);
        return folders.empty() ? QString() : take(folders);
    }
    // Answers with the next of `saves`, choosing `chosenFilter` when one is set.
    QString GetSaveFileName(const QString &title, const QString &filter, const QString &start,
                            QString *selectedFilter) override
    {
        asked.append(title);
        filters.append(filter);
        starts.append(start);
        if (!chosenFilter.isEmpty())
            *selectedFilter = chosenFilter;
        return saves.empty() ? QString() : take(saves);
    }
    std::deque<QStringList> files;
    std::deque<QString> folders;
    std::deque<QString> saves;
    QString chosenFilter;
    QStringList asked;
    QStringList filters;
    QStringList starts;

private:
    template<typename T> static T take(std::deque<T> &script)
    {
        T answer = script.front();
        script.pop_front();
        return answer;
    }
};

// Every service of a window, faked, with a Program wired to the fake boxes.
struct Services
{
    MessageBoxes boxes;
    runtime::Program program { boxes };
    EventPump events { &program };
    ProgramStarter starter;
    SettingsStore settings;
    FileDialogs dialogs;
};

} // namespace fakes
