#pragma once

#include "editor/frmmap.h"
#include "session/messages.h"
#include "support/fixedscreen.h"
#include "support/recordingpause.h"
#include "support/recordingprompts.h"
#include "support/standins.h"
#include "tavlofile/markupwriter.h"

namespace tavlo::test {

// A message as RecordingPrompts keeps it: its kind, then its texts, joined by "|".
inline QString shownAs(const RecordingPrompts::Shown& shown)
{
    return shown.kind + '|' + shown.texts.join('|');
}

// The same for a note, its texts filled in from the message catalogue.
inline QString shownAs(const Note& note)
{
    const MessageText t = filledIn(note);
    QStringList texts{t.title, t.text};
    if (t.form == MessageForm::Msg || t.form == MessageForm::Alert)
        texts.append(t.detail);
    const char* kinds[] = {"msg", "msgSm", "alert", "box"};
    return kinds[int(t.form)] + ('|' + texts.join('|'));
}

// The main window, shown, with every question it asks answered at once.
struct MapWindow {
    RecordingPrompts prompts;
    RecordingPause pause;
    ScriptedEndWindow end;
    FixedScreen screen;
    ScriptedFileDialogs files;
    StandInBrowser browser;
    ScriptedAreaDialog dialog;
    frmMap w;

    explicit MapWindow(QSize screenSize = {1280, 1024})
        : screen(screenSize)
        , w(MapEnvironment{&prompts, &dialog, &pause, &screen, &files, &end, &browser})
    {
        w.show();
    }

    // The file chosen in the open dialog, or in the save dialog of that kind.
    void open(const QString& path)
    {
        files.paths = {path};
        w.mnuFileOpen_Click();
    }
    void save(SaveKind kind, const QString& path)
    {
        files.paths = {path};
        w.mnuFileSave2File_Click(int(kind));
    }

    // Every message shown so far, in order.
    QStringList said() const
    {
        QStringList all;
        for (const RecordingPrompts::Shown& shown : prompts.shown)
            all.append(shownAs(shown));
        return all;
    }
};

} // namespace tavlo::test
