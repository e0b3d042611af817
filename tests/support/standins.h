#pragma once

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
    QString showFileDialog(bool isOpen, int kind, const QString&) override
    {
        asked.append({isOpen, kind});
        return paths.isEmpty() ? QString() : paths.takeFirst();
    }
    QStringList paths;
    QList<std::pair<bool, int>> asked;
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

// The area dialog answered with Enter on href, TARGET and ALT left empty.
class LinkDialog final : public AreaDialog {
public:
    AreaAnswer run(QByteArray& curHREF, QByteArray& curT, QByteArray& curAlt) override
    {
        curHREF = href;
        curT.clear();
        curAlt.clear();
        return {AreaAnswer::Choice::Enter, href};
    }
    QByteArray href = "edited.htm";
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
