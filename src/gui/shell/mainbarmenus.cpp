// The main bar's menus: the right-click position menu and the tray icon with its own menu,
// and the hiding, showing and closing they lead to.
#include "gui/shell/appcontext.h"
#include "gui/shell/artwork.h"
#include "gui/shell/mainbar.h"
#include "gui/shell/usernotices.h"

#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QSystemTrayIcon>

namespace {
struct PresetItem
{
    const char *label;
    BarPreset preset;
};
const PresetItem TopPresets[] = {{"Top    Left", BarPreset::TopLeft},
                                 {"Top    Right", BarPreset::TopRight},
                                 {"Bottom Left", BarPreset::BottomLeft},
                                 {"Bottom Right", BarPreset::BottomRight}};
const PresetItem CentrePresets[] = {{"Top    Center", BarPreset::TopCenter},
                                    {"Bottom Center", BarPreset::BottomCenter}};
} // namespace

void MainBar::contextMenuEvent(QContextMenuEvent *event)
{
    if (!showMenuAt(event->globalPos()))
        QWidget::contextMenuEvent(event);
}

bool MainBar::showMenuAt(const QPoint &globalPos)
{
    if (!isInside(clientRectOnScreen(), ScreenPoint{globalPos.x(), globalPos.y()}))
        return false;
    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("barMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    auto addPresets = [this, menu](const auto &items) {
        for (const PresetItem &item : items) {
            const BarPreset preset = item.preset;
            menu->addAction(QString::fromLatin1(item.label), this,
                            [this, preset] { place(preset); });
        }
    };
    addPresets(TopPresets);
    menu->addSeparator();
    addPresets(CentrePresets);
    menu->addSeparator();
    // The speed entries carry no action: the refresh period stays at 15 seconds.
    QMenu *speed = menu->addMenu(QStringLiteral("My Internet Speed"));
    for (const char *label : {"Low", "Medium", "High", "Very High"})
        speed->addAction(QString::fromLatin1(label));
    menu->addSeparator();
    menu->addAction(QStringLiteral("CLOSE ME!!!"), this, &MainBar::closeNow);
    // Centred horizontally on the point where the click was.
    menu->popup(globalPos - QPoint(menu->sizeHint().width() / 2, 0));
    return true;
}

void MainBar::buildTray()
{
    if (m_tray || !QSystemTrayIcon::isSystemTrayAvailable())
        return; // the bar works without a tray where there is none
    m_trayMenu = new QMenu(this);
    m_trayMenu->setObjectName(QStringLiteral("trayMenu"));
    QAction *showItem = m_trayMenu->addAction(QStringLiteral("Show"), this, &MainBar::showFromTray);
    QAction *hideItem = m_trayMenu->addAction(QStringLiteral("Hide"), this, &MainBar::hideToTray);
    m_trayMenu->addSeparator();
    m_trayMenu->addAction(QStringLiteral("Exit"), this, &MainBar::closeNow);
    connect(m_trayMenu, &QMenu::aboutToShow, this, [this, showItem, hideItem] {
        showItem->setEnabled(m_hiddenInTray);
        hideItem->setEnabled(!m_hiddenInTray);
    });
    connect(m_trayMenu, &QMenu::aboutToHide, this,
            [this, showItem] { m_trayMenu->setDefaultAction(showItem); });

    m_tray = new QSystemTrayIcon(artwork::appIcon(), this);
    m_tray->setToolTip(trayTip(m_context));
    m_tray->setContextMenu(m_trayMenu);
    connect(m_tray, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::DoubleClick)
                    toggleTray();
            });
    m_tray->show();
}

void MainBar::hideToTray()
{
    hide();
    m_hiddenInTray = true;
    emit shownWithPanels(false);
}

void MainBar::showFromTray()
{
    show();
    m_hiddenInTray = false;
    emit shownWithPanels(true);
}

void MainBar::toggleTray()
{
    if (m_hiddenInTray)
        showFromTray();
    else
        hideToTray();
}

void MainBar::closeNow()
{
    if (m_closing)
        return;
    m_closing = true;
    m_context.refresh.stopTimer();
    emit closing();
    if (m_tray)
        m_tray->hide();
    close();
}

namespace {
// Until the gateway has told where its prices come from, it says no more than that it is live.
QString liveLabelOf(const AppContext &context)
{
    return context.liveLabel.isEmpty() ? QStringLiteral("LIVE") : context.liveLabel;
}
} // namespace

QString MainBar::serviceLine(const AppContext &context)
{
    const QString url = QString::fromStdString(context.services.quote);
    if (context.services.simulated)
        return QStringLiteral("Quotes: SIMULATED MARKET at %1")
            .arg(url.section(QLatin1String("://"), 1));
    if (context.services.live)
        return QStringLiteral("Quotes: %1 at %2")
            .arg(liveLabelOf(context), url.section(QLatin1String("://"), 1));
    return QStringLiteral("Quotes: %1").arg(url);
}

QString MainBar::trayTip(const AppContext &context)
{
    QString tip = QString::fromLatin1(TrayTip);
    if (context.services.simulated)
        tip += QStringLiteral("\nSIMULATED MARKET");
    else if (context.services.live)
        tip += u'\n' + liveLabelOf(context);
    return tip;
}

void MainBar::setLiveLabel(const QString &label)
{
    m_context.liveLabel = label;
    m_liveLine->setText(label);
    m_liveLine->setVisible(!label.isEmpty());
    if (m_tray)
        m_tray->setToolTip(trayTip(m_context));
    if (m_notices)
        m_notices->liveLabel(label);
}
