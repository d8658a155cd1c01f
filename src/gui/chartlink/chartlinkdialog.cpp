#include "gui/chartlink/chartlinkdialog.h"

#include "core/chartlink/feedtext.h"
#include "core/chartlink/instancekiller.h"
#include "gui/controls/colorbutton.h"
#include "gui/shell/appcontext.h"
#include "gui/shell/mainbar.h"
#include "gui/shell/panelstyle.h"
#include "gui/store/dialogparts.h"
#include "platform/chartlink/backfillrunner.h"
#include "platform/chartlink/chartbridge.h"
#include "platform/chartlink/chartfeed.h"
#include "platform/chartlink/processtable.h"

#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>

using chartlink::BackfillKind;

ChartLinkDialog::ChartLinkDialog(AppContext &context, MainBar &bar, ChartFeed &feed,
                                 StockSource stocks)
    : QDialog(&bar), m_context(context), m_feed(feed), m_stocks(std::move(stocks)),
      m_bridge(new ChartBridge(context.bridgeService, this)),
      m_backfill(new BackfillRunner(context.bridgeService, context.services.chartData,
                                    context.messenger, m_stocks, this))
{
    setObjectName(QStringLiteral("chartLinkDialog"));
    setWindowTitle(QStringLiteral("Configure AmiBroker Link"));
    applyPanelStyle(this);
    build();
    connect(m_backfill, &BackfillRunner::progressChanged, m_progress, &QProgressBar::setValue);
    connect(m_backfill, &BackfillRunner::labelChanged, m_name, &QLabel::setText);
    connect(m_backfill, &BackfillRunner::ended, this, &ChartLinkDialog::backfillEnded);
}

ChartLinkDialog::~ChartLinkDialog() = default;

void ChartLinkDialog::build()
{
    DialogParts parts(this);
    setFixedSize(parts.units().size(262, 160));
    parts.label(nullptr, QStringLiteral("Synchronize AmiBroker Stock List with WatchList"), 7, 10,
                174, 8);
    m_sync = parts.button("syncStockList", QStringLiteral("Synchronize"), 187, 7, 68, 14);
    parts.label(nullptr, QStringLiteral("Delete All Stocks from AmiBroker Stock List"), 7, 28, 174,
                8);
    m_deleteAll = parts.button("deleteAllStocks", QStringLiteral("Delete All"), 187, 25, 68, 14);
    parts.place(
        new QGroupBox(QStringLiteral("Live Data Fetching && Refresh Action to AmiBroker"), this),
        "feedGroup", 7, 44, 248, 32);
    m_start = parts.button("startFeeding", QStringLiteral("START"), 50, 56, 60, 14);
    m_stop = parts.button("stopFeeding", QStringLiteral("STOP"), 150, 56, 60, 14);
    m_oneMinute = parts.button(
        "backfillOneMinute", QStringLiteral("BACKFILL  with 1-Min Data for 1 Day"), 7, 82, 122, 14);
    m_fiveMinute =
        parts.button("backfillFiveMinute", QStringLiteral("BACKFILL  with 5-Min Data for 5 Days"),
                     133, 82, 122, 14);
    m_stopBackfill = parts.button("stopBackfill", QStringLiteral("STOP BackFill"), 7, 100, 60, 14);
    m_progress = parts.place(new QProgressBar(this), "backfillProgress", 71, 102, 110, 10);
    m_progress->setRange(0, 100);
    m_progress->setTextVisible(false);
    m_name = parts.label("backfillName", QStringLiteral("Stock Name"), 185, 102, 70, 10);
    m_killAll = parts.button("killAll", QStringLiteral("Kill All instances of Ami Broker"), 7, 120,
                             248, 14);
    m_status = parts.label("syncStatus", QString(), 7, 143, 180, 10);
    m_close = parts.button("closeDialog", QStringLiteral("Close"), 205, 140, 50, 14);

    connect(m_sync, &QPushButton::clicked, this, &ChartLinkDialog::pressSync);
    connect(m_deleteAll, &QPushButton::clicked, this, &ChartLinkDialog::pressDeleteAll);
    connect(m_start, &QPushButton::clicked, this, &ChartLinkDialog::pressStart);
    connect(m_stop, &QPushButton::clicked, this, &ChartLinkDialog::pressStop);
    connect(m_oneMinute, &QPushButton::clicked, this, [this] { pressBackfill(false); });
    connect(m_fiveMinute, &QPushButton::clicked, this, [this] { pressBackfill(true); });
    connect(m_stopBackfill, &QPushButton::clicked, m_backfill, &BackfillRunner::stop);
    connect(m_killAll, &QPushButton::clicked, this, &ChartLinkDialog::pressKillAll);
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);
}

void ChartLinkDialog::setCallTimeoutMs(int ms)
{
    m_bridge->setTimeoutMs(ms);
    m_backfill->setTimeoutMs(ms);
}

int ChartLinkDialog::run()
{
    prepare();
    return exec();
}

void ChartLinkDialog::prepare()
{
    showFeedingState();
    m_stopBackfill->setEnabled(false);
    m_progress->hide();
    if (!m_bridge->create()) {
        m_context.messenger.inform(NoBridge);
        return;
    }
    m_bridge->connectBridge([this](bool ok) {
        if (ok)
            return;
        m_context.messenger.inform(NotRunning);
        m_backfill->bridge().setReady(false);
    });
}

void ChartLinkDialog::showFeedingState()
{
    const bool feeding = m_feed.feeding();
    for (ColorButton *b : {m_start, m_sync, m_deleteAll, m_oneMinute, m_fiveMinute, m_killAll})
        b->setEnabled(!feeding);
    m_stop->setEnabled(feeding);
}

// Synchronising and backfill hold every button but their own until they end.
void ChartLinkDialog::lock(bool locked)
{
    m_busy = locked;
    for (ColorButton *b :
         {m_start, m_sync, m_deleteAll, m_oneMinute, m_fiveMinute, m_close, m_killAll})
        b->setEnabled(!locked);
    if (!locked)
        showFeedingState();
}

void ChartLinkDialog::reject()
{
    if (!m_busy)
        QDialog::reject();
}

void ChartLinkDialog::pressSync()
{
    m_backfill->run().rewind();
    lock(true);
    m_status->setText(QString::fromLatin1(SyncInProgress));
    m_bridge->syncStockList(chartlink::syncList(m_stocks()), [this](bool) {
        m_status->clear();
        lock(false);
    });
}

void ChartLinkDialog::pressDeleteAll()
{
    m_backfill->run().rewind();
    if (m_context.messenger.ask(DeleteQuestion))
        m_bridge->deleteAllStocks([this](bool ok) {
            if (!ok)
                m_context.messenger.inform(DeleteFailed);
        });
}

void ChartLinkDialog::pressStart()
{
    m_backfill->run().rewind();
    m_feed.setFeeding(true);
    showFeedingState();
}

void ChartLinkDialog::pressStop()
{
    m_backfill->run().rewind();
    m_feed.setFeeding(false);
    showFeedingState();
}

void ChartLinkDialog::pressBackfill(bool fiveMinute)
{
    m_progress->setValue(0);
    m_progress->show();
    lock(true);
    m_stopBackfill->setEnabled(true);
    m_backfill->start(fiveMinute ? BackfillKind::FiveMinute : BackfillKind::OneMinute);
}

void ChartLinkDialog::backfillEnded(bool finished)
{
    if (finished)
        m_progress->hide();
    lock(false);
    m_stopBackfill->setEnabled(false);
}

void ChartLinkDialog::pressKillAll()
{
    ProcTable table;
    const std::string program = m_context.chartbookProgram.toStdString();
    m_context.messenger.inform(
        chartlink::killMessage(chartlink::InstanceKiller(table).killAll(program), program));
}
