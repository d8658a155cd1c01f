#pragma once

#include <QObject>
#include <QPointer>

#include <array>
#include <functional>
#include <optional>

class AppContext;
class DockedPanel;
class MainBar;

enum class PanelKind { WatchList, World, Indices, Toppers, Profile, Futures };
inline constexpr std::size_t PanelKindCount = 6;

// The main bar's docked panels: one pointer and one visible flag per kind. A button shows its
// panel under the bar and hides every other one; a second press hides it; a destroyed panel
// is made afresh by the next press.
class PanelHost : public QObject
{
    Q_OBJECT
public:
    using Factory = std::function<DockedPanel *(AppContext &, MainBar &)>;

    static constexpr const char *MarketClosed =
        "Market is not open at the moment. Please use Live Charting During\n"
        "Market Hours i.e. 9:55AM-3:30PM during working days";
    static constexpr const char *CheckSwitches =
        "Please CHECK both Intraday & LiveData in Watchlist\nbefore you start LIVE CHARTING";

    explicit PanelHost(MainBar &bar);

    // What a kind's button creates, and whether a refresh starts right after creating it.
    void setFactory(PanelKind kind, Factory factory, bool refreshAfterCreate);
    // A panel docked under the bar from now on; a new one stays hidden until it is pressed.
    void adopt(PanelKind kind, DockedPanel *panel);

    void press(PanelKind kind);
    // The kinds by the names the user's settings keep them under.
    static const char *nameOf(PanelKind kind);
    static std::optional<PanelKind> kindNamed(const QString &name);
    DockedPanel *panel(PanelKind kind) const { return m_entries[index(kind)].panel; }
    bool visibleFlag(PanelKind kind) const { return m_entries[index(kind)].visible; }

    // "Live Chart": market hours by the local clock, then the watch list's two switches.
    void pressLiveChart();
    void setLiveChartSwitches(std::function<bool()> bothOn) { m_liveSwitches = std::move(bothOn); }

signals:
    // Both live-chart checks passed: a new live chart window is wanted.
    void liveChartWanted();

private:
    struct Entry
    {
        QPointer<DockedPanel> panel;
        bool visible = false;
        Factory factory;
        bool refreshAfterCreate = false;
    };
    static std::size_t index(PanelKind k) { return static_cast<std::size_t>(k); }
    void dockAll(bool topMost);
    void showWithBar(bool shown);
    void setConnected(bool connected);
    void remember(PanelKind kind, bool visible);

    MainBar &m_bar;
    std::array<Entry, PanelKindCount> m_entries;
    std::function<bool()> m_liveSwitches;
};
