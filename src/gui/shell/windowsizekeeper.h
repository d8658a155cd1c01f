#pragma once

#include <QObject>

class UserSettings;
class QWidget;

// Gives a resizable window the size the user last gave it (by its object name) and keeps
// each new size it is given.
class WindowSizeKeeper : public QObject
{
public:
    // Nothing happens without settings (tests that don't ask for them).
    static void keep(QWidget *window, UserSettings *settings);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    WindowSizeKeeper(QWidget *window, UserSettings &settings);
    UserSettings &m_settings;
};
