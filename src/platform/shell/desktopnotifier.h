#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QSet>
#include <QString>

// Desktop notifications through the freedesktop Notifications service on the session bus, for
// desktops that show no tray icon. Calls never wait on the service: a desktop without one
// simply shows nothing.
class DesktopNotifier : public QObject
{
    Q_OBJECT
public:
    static constexpr const char *Service = "org.freedesktop.Notifications";
    static constexpr const char *Path = "/org/freedesktop/Notifications";

    explicit DesktopNotifier(QDBusConnection bus = QDBusConnection::sessionBus(),
                             QObject *parent = nullptr);

    // Whether anyone owns the notification service now.
    bool available() const;
    // Sends one notification whose default action (a click on it) emits activated().
    void notify(const QString &summary, const QString &body);

signals:
    void activated();

private slots:
    void actionInvoked(uint id, const QString &key);

private:
    QDBusConnection m_bus;
    QSet<uint> m_sent; // ids the service gave our notifications
};
