#pragma once

#include <memory>

class QWidget;

namespace tavlo {

class AreaDialog;
class Browser;
class EndWindow;
class FileDialogs;
class Pause;
class Prompts;
class ScreenInfo;

// What the main window asks the world for. Any member left null gets the program's
// own: message windows, the area dialog, the event-loop pause, the screen the
// window is on.
struct MapEnvironment {
    Prompts* prompts = nullptr;
    AreaDialog* areaDialog = nullptr;
    Pause* pause = nullptr;
    ScreenInfo* screen = nullptr;
    FileDialogs* fileDialogs = nullptr;
    EndWindow* endWindow = nullptr;
    Browser* browser = nullptr;
};

// A MapEnvironment with every member set: what the caller did not pass is made for
// window and held here.
class CompleteEnvironment {
public:
    CompleteEnvironment(const MapEnvironment& given, QWidget* window);
    ~CompleteEnvironment();

    const MapEnvironment* operator->() const { return &m_env; }

private:
    MapEnvironment m_env;
    std::unique_ptr<Prompts> m_prompts;
    std::unique_ptr<Pause> m_pause;
    std::unique_ptr<ScreenInfo> m_screen;
    std::unique_ptr<AreaDialog> m_areaDialog;
    std::unique_ptr<FileDialogs> m_fileDialogs;
    std::unique_ptr<EndWindow> m_endWindow;
    std::unique_ptr<Browser> m_browser;
};

} // namespace tavlo
