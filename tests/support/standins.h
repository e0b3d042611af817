#pragma once

#include "map/area.h"
#include "session/areadialog.h"
#include "session/endwindow.h"
#include "session/filedialogs.h"
#include "session/preview.h"

#include <QList>
#include <QStringList>

#include <utility>

namespace tavlo::test {

// Hands out the paths in order, "" (cancelled) once they run out; keeps what was asked.
class ScriptedFileDialogs final : public FileDialogs {
public:
    QString showFileDialog(FileDialogFor dialog, const QString&) override
    {
        asked.append(dialog);
        return paths.isEmpty() ? QString() : paths.takeFirst();
    }
    QStringList paths;
    QList<FileDialogFor> asked;
};

// Answers at once and keeps what it was asked to open.
class StandInBrowser final : public Browser {
public:
    QString findHandler() override { return handler; }
    bool open(const QString& file) override
    {
        opened.append(file);
        return starts;
    }
    QString handler = QStringLiteral("firefox.desktop");
    bool starts = true;
    QStringList opened;
};

// Answers the area dialog from a queue, the way a user would fill it in; cancels once
// the queue runs out. Keeps the HREF it was shown each time.
class ScriptedAreaDialog final : public AreaDialog {
public:
    struct Answer {
        QByteArray href, target, alt;
        bool remove = false;
        bool cancel = false;
    };
    AreaAnswer run(QByteArray& curHREF, QByteArray& curT, QByteArray& curAlt) override
    {
        shownWith.append(curHREF);
        const Answer a = answers.isEmpty() ? Answer{{}, {}, {}, false, true} : answers.takeFirst();
        if (a.cancel)
            return {};
        if (a.remove)
            return {AreaAnswer::Choice::Delete, {}};
        if (a.href != defaultHref)
            curHREF = a.href;
        curT = a.target;
        curAlt = a.alt;
        return {AreaAnswer::Choice::Enter, recordTail(a.href, a.target, a.alt)};
    }
    QList<Answer> answers;
    QList<QByteArray> shownWith;
};

// The what-next window, answered at once.
class ScriptedEndWindow final : public EndWindow {
public:
    EndChoice run() override
    {
        ++shown;
        return choice;
    }
    EndChoice choice = EndChoice::Another;
    int shown = 0;
};

} // namespace tavlo::test
