#include "platform/shell/desktopnotifier.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

namespace {
constexpr const char *Interface = "org.freedesktop.Notifications";
}

DesktopNotifier::DesktopNotifier(QDBusConnection bus, QObject *parent)
    : QObject(parent), m_bus(std::move(bus))
{
    m_bus.connect(QString(), QString::fromLatin1(Path), QString::fromLatin1(Interface),
                  QStringLiteral("ActionInvoked"), this, SLOT(actionInvoked(uint, QString)));
}

bool DesktopNotifier::available() const
{
    return m_bus.isConnected() && m_bus.interface() &&
           m_bus.interface()->isServiceRegistered(QString::fromLatin1(Service)).value();
}

void DesktopNotifier::notify(const QString &summary, const QString &body)
{
    if (!m_bus.isConnected())
        return;
    QDBusMessage call =
        QDBusMessage::createMethodCall(QString::fromLatin1(Service), QString::fromLatin1(Path),
                                       QString::fromLatin1(Interface), QStringLiteral("Notify"));
    const QStringList actions{QStringLiteral("default"), QStringLiteral("Open Watchlist")};
    QVariantMap hints;
    hints.insert(QStringLiteral("desktop-entry"), QStringLiteral("org.vantrel.Vantrel"));
    hints.insert(QStringLiteral("category"), QStringLiteral("x-vantrel.alert"));
    call << QStringLiteral("Vantrel") << uint(0) << QStringLiteral("org.vantrel.Vantrel") << summary
         << body << actions << hints << int(-1);
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call, 5000), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *w) {
        const QDBusPendingReply<uint> reply = *w;
        if (reply.isValid())
            m_sent.insert(reply.value());
        w->deleteLater();
    });
}

void DesktopNotifier::actionInvoked(uint id, const QString &key)
{
    if (m_sent.contains(id) && key == QLatin1String("default"))
        emit activated();
}
