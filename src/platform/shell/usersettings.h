#pragma once

#include <QPoint>
#include <QSettings>
#include <QSize>
#include <QString>

#include <optional>

// What a user leaves behind between runs, in the desktop's config folder
// (~/.config/vantrel/vantrel.ini): where the bar stood, whether it stays on top, the panel
// that was open and the ticker's speed. The data folder holds data, never these.
class UserSettings
{
public:
    UserSettings(); // the user's own file
    explicit UserSettings(const QString &file);

    QString fileName() const { return m_settings.fileName(); }

    // The bar stands either in a corner (a right-click preset, kept as its id, so it finds the
    // corner of whatever screen it starts on) or where it was dragged.
    std::optional<int> barCorner() const;
    std::optional<QPoint> barPosition() const;
    void setBarCorner(int preset);
    void setBarPosition(const QPoint &topLeft);

    std::optional<bool> alwaysOnTop() const;
    void setAlwaysOnTop(bool on);

    // The docked panel open when the bar last closed, by its button's name; empty for none.
    QString openPanel() const;
    void setOpenPanel(const QString &name);

    std::optional<int> tickerSpeed() const;
    void setTickerSpeed(int speed);

    // A resizable window's size, by the window's object name.
    std::optional<QSize> windowSize(const QString &window) const;
    void setWindowSize(const QString &window, const QSize &size);

    // The last choice between the simulated market and live prices.
    std::optional<bool> live() const;
    void setLive(bool on);

private:
    mutable QSettings m_settings;
};
