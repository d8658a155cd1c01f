#include "platform/shell/usersettings.h"

namespace {
std::optional<int> intAt(QSettings &s, const char *key)
{
    bool ok = false;
    const int v = s.value(QLatin1String(key)).toInt(&ok);
    return ok ? std::optional<int>(v) : std::nullopt;
}

std::optional<bool> boolAt(QSettings &s, const char *key)
{
    const QVariant v = s.value(QLatin1String(key));
    return v.isValid() ? std::optional<bool>(v.toBool()) : std::nullopt;
}
} // namespace

UserSettings::UserSettings()
    : m_settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("vantrel"),
                 QStringLiteral("vantrel"))
{
}

UserSettings::UserSettings(const QString &file) : m_settings(file, QSettings::IniFormat) {}

std::optional<int> UserSettings::barCorner() const
{
    return intAt(m_settings, "bar/corner");
}

std::optional<QPoint> UserSettings::barPosition() const
{
    const QVariant v = m_settings.value(QStringLiteral("bar/position"));
    return v.canConvert<QPoint>() && v.isValid() ? std::optional<QPoint>(v.toPoint())
                                                 : std::nullopt;
}

void UserSettings::setBarCorner(int preset)
{
    m_settings.setValue(QStringLiteral("bar/corner"), preset);
    m_settings.remove(QStringLiteral("bar/position"));
}

void UserSettings::setBarPosition(const QPoint &topLeft)
{
    m_settings.setValue(QStringLiteral("bar/position"), topLeft);
    m_settings.remove(QStringLiteral("bar/corner"));
}

std::optional<bool> UserSettings::alwaysOnTop() const
{
    return boolAt(m_settings, "bar/alwaysOnTop");
}

void UserSettings::setAlwaysOnTop(bool on)
{
    m_settings.setValue(QStringLiteral("bar/alwaysOnTop"), on);
}

QString UserSettings::openPanel() const
{
    return m_settings.value(QStringLiteral("panels/open")).toString();
}

void UserSettings::setOpenPanel(const QString &name)
{
    m_settings.setValue(QStringLiteral("panels/open"), name);
}

std::optional<int> UserSettings::tickerSpeed() const
{
    return intAt(m_settings, "ticker/speed");
}

void UserSettings::setTickerSpeed(int speed)
{
    m_settings.setValue(QStringLiteral("ticker/speed"), speed);
}

std::optional<QSize> UserSettings::windowSize(const QString &window) const
{
    const QSize size = m_settings.value(QStringLiteral("windows/") + window).toSize();
    return size.isValid() && !size.isEmpty() ? std::optional<QSize>(size) : std::nullopt;
}

void UserSettings::setWindowSize(const QString &window, const QSize &size)
{
    m_settings.setValue(QStringLiteral("windows/") + window, size);
}

std::optional<bool> UserSettings::live() const
{
    return boolAt(m_settings, "prices/live");
}

void UserSettings::setLive(bool on)
{
    m_settings.setValue(QStringLiteral("prices/live"), on);
}
