#include "editor/mapenvironment.h"

#include "app/qtscreen.h"
#include "app/widgetendwindow.h"
#include "app/widgetfiledialogs.h"
#include "app/widgetprompts.h"
#include "editor/widgetareadialog.h"
#include "platform/pause.h"
#include "session/preview.h"

namespace tavlo {

namespace {

template <typename T, typename Make> T* givenOr(T* given, std::unique_ptr<T>& own, Make make)
{
    if (!given) {
        own = make();
        given = own.get();
    }
    return given;
}

} // namespace

CompleteEnvironment::CompleteEnvironment(const MapEnvironment& given, QWidget* window)
    : m_env(given)
{
    // In this order: the later ones are made with the earlier.
    m_env.prompts =
        givenOr(m_env.prompts, m_prompts, [&] { return std::make_unique<WidgetPrompts>(window); });
    m_env.pause = givenOr(m_env.pause, m_pause, [] { return std::make_unique<EventLoopPause>(); });
    m_env.screen =
        givenOr(m_env.screen, m_screen, [&] { return std::make_unique<QtScreen>(window); });
    m_env.areaDialog = givenOr(m_env.areaDialog, m_areaDialog, [&] {
        return std::make_unique<WidgetAreaDialog>(window, *m_env.screen);
    });
    m_env.fileDialogs = givenOr(m_env.fileDialogs, m_fileDialogs, [&] {
        return std::make_unique<WidgetFileDialogs>(window, *m_env.prompts);
    });
    m_env.endWindow = givenOr(m_env.endWindow, m_endWindow, [&] {
        return std::make_unique<WidgetEndWindow>(window, *m_env.pause);
    });
    m_env.browser =
        givenOr(m_env.browser, m_browser, [] { return std::make_unique<XdgBrowser>(); });
}

CompleteEnvironment::~CompleteEnvironment() = default;

} // namespace tavlo
