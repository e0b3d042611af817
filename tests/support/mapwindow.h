#pragma once

#include "editor/areadialog.h"
#include "editor/frmmap.h"
#include "markup/modopendlg.h"
#include "markup/modpreview.h"
#include "platform/screeninfo.h"
#include "support/recordingpause.h"
#include "support/recordingprompts.h"
#include "support/scriptedendwindow.h"

#include <QStringList>

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
    QByteArray run(QByteArray& curHREF, QByteArray& curT, QByteArray& curAlt) override
    {
        curHREF = href;
        curT.clear();
        curAlt.clear();
        return href;
    }
    QByteArray href = "edited.htm";
};

// The main window, shown, with every question it asks answered at once.
struct MapWindow {
    RecordingPrompts prompts;
    RecordingPause pause;
    ScriptedEndWindow end;
    FixedScreen screen{QSize(1280, 1024)};
    ScriptedFileDialogs files;
    StandInBrowser browser;
    LinkDialog links;
    frmMap w{MapEnvironment{&prompts, &links, &pause, &screen, &files, &end, &browser}};

    MapWindow() { w.show(); }
};

} // namespace tavlo::test
