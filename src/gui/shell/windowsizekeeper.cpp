#include "gui/shell/windowsizekeeper.h"

#include "platform/shell/usersettings.h"

#include <QEvent>
#include <QWidget>

void WindowSizeKeeper::keep(QWidget *window, UserSettings *settings)
{
    if (settings)
        new WindowSizeKeeper(window, *settings);
}

WindowSizeKeeper::WindowSizeKeeper(QWidget *window, UserSettings &settings)
    : QObject(window), m_settings(settings)
{
    if (const auto size = settings.windowSize(window->objectName()))
        window->resize(size->expandedTo(window->minimumSizeHint()));
    window->installEventFilter(this);
}

bool WindowSizeKeeper::eventFilter(QObject *watched, QEvent *event)
{
    // Only sizes the window had while shown: the layout's first sizing is no choice.
    auto *window = static_cast<QWidget *>(watched);
    if (event->type() == QEvent::Resize && window->isVisible())
        m_settings.setWindowSize(window->objectName(), window->size());
    return false;
}
