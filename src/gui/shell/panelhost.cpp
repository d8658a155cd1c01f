#include "gui/shell/panelhost.h"
#include "platform/shell/usersettings.h"

#include "core/common/markethours.h"
#include "gui/shell/appcontext.h"
#include "gui/shell/dockedpanel.h"
#include "gui/shell/mainbar.h"

namespace {
const std::pair<PanelButton, PanelKind> ButtonKinds[] = {
    {PanelButton::WatchList, PanelKind::WatchList}, {PanelButton::World, PanelKind::World},
    {PanelButton::Indices, PanelKind::Indices},     {PanelButton::Toppers, PanelKind::Toppers},
    {PanelButton::Profile, PanelKind::Profile},     {PanelButton::Futures, PanelKind::Futures},
};
} // namespace

PanelHost::PanelHost(MainBar &bar) : QObject(&bar), m_bar(bar)
{
    connect(&bar, &MainBar::placed, this, &PanelHost::dockAll);
    connect(&bar, &MainBar::shownWithPanels, this, &PanelHost::showWithBar);
    connect(&bar.context().refresh, &RefreshCycle::resultArrived, this, &PanelHost::setConnected);
    connect(&bar, &MainBar::panelButton, this, [this](PanelButton pressed) {
        if (pressed == PanelButton::LiveChart) {
            pressLiveChart();
            return;
        }
        for (const auto &[button, kind] : ButtonKinds)
            if (pressed == button)
                press(kind);
    });
}

void PanelHost::setFactory(PanelKind kind, Factory factory, bool refreshAfterCreate)
{
    Entry &e = m_entries[index(kind)];
    e.factory = std::move(factory);
    e.refreshAfterCreate = refreshAfterCreate;
}

void PanelHost::adopt(PanelKind kind, DockedPanel *panel)
{
    Entry &e = m_entries[index(kind)];
    e.panel = panel;
    e.visible = false;
    panel->setConnected(m_bar.connected());
    panel->dockUnder(&m_bar, m_bar.alwaysOnTop());
    // A destroyed panel is simply gone: its pointer clears itself, its flag goes down.
    connect(panel, &QObject::destroyed, this,
            [this, kind] { m_entries[index(kind)].visible = false; });
    connect(panel, &DockedPanel::closedByUser, this, [this, kind] {
        m_entries[index(kind)].visible = false;
        remember(kind, false);
    });
}

void PanelHost::press(PanelKind kind)
{
    for (std::size_t i = 0; i < PanelKindCount; ++i) {
        Entry &other = m_entries[i];
        if (i != index(kind) && other.panel) {
            other.panel->hide();
            other.visible = false;
        }
    }
    Entry &e = m_entries[index(kind)];
    if (e.visible) {
        if (e.panel)
            e.panel->hide();
        e.visible = false;
        remember(kind, false);
        return;
    }
    if (e.panel) {
        e.panel->show();
    } else {
        if (!e.factory)
            return; // this kind of panel is not part of the program yet
        DockedPanel *panel = e.factory(m_bar.context(), m_bar);
        adopt(kind, panel);
        panel->show();
        if (e.refreshAfterCreate)
            m_bar.context().refresh.start();
    }
    e.visible = true;
    remember(kind, true);
}

namespace {
constexpr const char *KindNames[PanelKindCount] = {"watchList", "world",   "indices",
                                                   "toppers",   "profile", "futures"};
}

const char *PanelHost::nameOf(PanelKind kind)
{
    return KindNames[index(kind)];
}

std::optional<PanelKind> PanelHost::kindNamed(const QString &name)
{
    for (std::size_t i = 0; i < PanelKindCount; ++i)
        if (name == QLatin1String(KindNames[i]))
            return static_cast<PanelKind>(i);
    return std::nullopt;
}

void PanelHost::remember(PanelKind kind, bool visible)
{
    if (UserSettings *s = m_bar.context().settings)
        s->setOpenPanel(visible ? QString::fromLatin1(nameOf(kind)) : QString());
}

void PanelHost::pressLiveChart()
{
    Messenger &messenger = m_bar.context().messenger;
    if (!markethours::LiveChart.contains(m_bar.context().clock.now())) {
        messenger.inform(MarketClosed);
        return;
    }
    if (!m_liveSwitches || !m_liveSwitches()) {
        messenger.inform(CheckSwitches);
        return;
    }
    emit liveChartWanted();
}

void PanelHost::dockAll(bool topMost)
{
    for (Entry &e : m_entries)
        if (e.panel)
            e.panel->dockUnder(&m_bar, topMost);
}

void PanelHost::showWithBar(bool shown)
{
    for (Entry &e : m_entries)
        if (e.panel && e.visible)
            e.panel->setVisible(shown);
}

void PanelHost::setConnected(bool connected)
{
    for (Entry &e : m_entries)
        if (e.panel)
            e.panel->setConnected(connected);
}
