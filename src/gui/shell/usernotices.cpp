#include "gui/shell/usernotices.h"

#include "core/net/displayformat.h"
#include "core/watch/watchalerts.h"
#include "gui/shell/mainbar.h"
#include "platform/shell/desktopnotifier.h"

#include <QSystemTrayIcon>

UserNotices::UserNotices(MainBar &bar) : QObject(&bar), m_bar(bar) {}

DesktopNotifier &UserNotices::notifier()
{
    if (!m_notifier) {
        m_notifier = new DesktopNotifier(QDBusConnection::sessionBus(), this);
        connect(m_notifier, &DesktopNotifier::activated, this, &UserNotices::watchListWanted);
    }
    return *m_notifier;
}

void UserNotices::notify(const QString &summary, const QString &body)
{
    notifier().notify(summary, body);
}

QString UserNotices::summaryOf(const AlertNotice &n)
{
    return QStringLiteral("%1 (%2) %3")
        .arg(QString::fromStdString(n.symbol), QString::fromStdString(n.exchange),
             n.above ? QStringLiteral("above its UPPER LIMIT")
                     : QStringLiteral("below its LOWER LIMIT"));
}

QString UserNotices::bodyOf(const AlertNotice &n)
{
    const auto money = [](double v) { return QString::fromStdString(formatDisplay(v)); };
    return QStringLiteral("%1\nPrice %2, band %3 to %4")
        .arg(QString::fromStdString(n.company), money(n.price), money(n.lowerLimit),
             money(n.upperLimit));
}

void UserNotices::alerts(const std::string &message, const std::vector<AlertNotice> &notices)
{
    if (message.empty())
        return;
    if (QSystemTrayIcon *tray = m_bar.trayIcon()) {
        tray->showMessage(QStringLiteral("Vantrel"), QString::fromStdString(message));
        return;
    }
    for (const AlertNotice &n : notices)
        notify(summaryOf(n), bodyOf(n));
}

void UserNotices::liveLabel(const QString &label)
{
    if (label == m_lastLabel)
        return;
    const bool first = m_lastLabel.isEmpty();
    m_lastLabel = label;
    // The first label is what the bar starts with; only changes are news.
    if (first || m_bar.trayIcon())
        return;
    notify(QStringLiteral("Vantrel prices"), label);
}
