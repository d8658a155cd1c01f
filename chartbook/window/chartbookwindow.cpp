#include "chartbookwindow.h"

#include "bridge/bridgeservice.h"
#include "candlechart.h"
#include "store/barstore.h"

#include <QListWidget>
#include <QSplitter>
#include <QStatusBar>

ChartBookWindow::ChartBookWindow(BarStore &store, BridgeService &bridge, const QString &serviceName,
                                 QWidget *parent)
    : QMainWindow(parent), m_store(store), m_stocks(new QListWidget), m_chart(new CandleChart)
{
    setWindowTitle(QStringLiteral("vantrel-chartbook"));
    m_stocks->setObjectName(QStringLiteral("stockList"));
    m_chart->setObjectName(QStringLiteral("candleChart"));
    auto *splitter = new QSplitter;
    splitter->addWidget(m_stocks);
    splitter->addWidget(m_chart);
    splitter->setStretchFactor(1, 1);
    setCentralWidget(splitter);
    statusBar()->showMessage(
        tr("Serving %1 on the session bus; bars in %2").arg(serviceName, store.file()));
    resize(1000, 620);

    connect(&bridge, &BridgeService::stocksChanged, this, &ChartBookWindow::reloadStocks);
    connect(&bridge, &BridgeService::barsChanged, this, &ChartBookWindow::redrawChart);
    connect(m_stocks, &QListWidget::currentTextChanged, this, &ChartBookWindow::redrawChart);
    reloadStocks();
}

void ChartBookWindow::reloadStocks()
{
    const QString selected = m_stocks->currentItem() ? m_stocks->currentItem()->text() : QString();
    const QStringList stocks = m_store.stocks();
    if (stocks == [&] {
            QStringList shown;
            for (int row = 0; row < m_stocks->count(); ++row)
                shown << m_stocks->item(row)->text();
            return shown;
        }())
        return;
    const QSignalBlocker quiet(m_stocks);
    m_stocks->clear();
    m_stocks->addItems(stocks);
    const int row = stocks.indexOf(selected);
    m_stocks->setCurrentRow(row >= 0 ? row : 0);
    redrawChart();
}

void ChartBookWindow::redrawChart()
{
    const QString symbol = m_stocks->currentItem() ? m_stocks->currentItem()->text() : QString();
    m_chart->setBars(symbol,
                     symbol.isEmpty() ? std::vector<Bar>() : m_store.bars(symbol, BarsShown));
}
