#pragma once

#include <QObject>

#include <vector>

struct AlertNotice;
class DesktopNotifier;
class MainBar;

// Where the program's unasked news goes: the tray's balloon where there is a tray, else a
// desktop notification on the session bus (a desktop without tray icons still shows those).
class UserNotices : public QObject
{
    Q_OBJECT
public:
    explicit UserNotices(MainBar &bar);

    // Price alerts after a refresh: the tray gets the whole message, a notification each stock.
    void alerts(const std::string &message, const std::vector<AlertNotice> &notices);
    // The live label changed: said only where no tray tip can show it.
    void liveLabel(const QString &label);

    static QString summaryOf(const AlertNotice &notice);
    static QString bodyOf(const AlertNotice &notice);

signals:
    // A notification was clicked: the watch list is wanted.
    void watchListWanted();

private:
    // Made on first use: a run that never notifies never touches the session bus.
    DesktopNotifier &notifier();
    void notify(const QString &summary, const QString &body);

    MainBar &m_bar;
    DesktopNotifier *m_notifier = nullptr;
    QString m_lastLabel;
};
