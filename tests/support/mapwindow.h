#pragma once

#include "editor/frmmap.h"
#include "support/fixedscreen.h"
#include "support/recordingpause.h"
#include "support/recordingprompts.h"
#include "support/scriptedendwindow.h"
#include "support/standins.h"

namespace tavlo::test {

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
