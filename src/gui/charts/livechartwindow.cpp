#include "gui/charts/livechartwindow.h"

#include "gui/charts/chartcontrol.h"
#include "gui/controls/colorbutton.h"
#include "gui/controls/colourlabel.h"
#include "gui/shell/appcontext.h"
#include "gui/shell/panelstyle.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

#include <algorithm>

LiveChartWindow::LiveChartWindow(AppContext &context, QWidget *owner)
    : QDialog(owner), m_context(context), m_chart(context.dataRoot.toStdString())
{
    setObjectName(QStringLiteral("liveChart"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Live Charting"));
    applyPanelStyle(this);
    buildControls();
    connect(&m_timer, &QTimer::timeout, this, &LiveChartWindow::tick);
    fillStocks();
    // Without its history the window draws nothing and waits for "START".
    if (m_stocks->count() > 0 && loadHistory()) {
        redraw();
        m_timer.setInterval(LiveChart::periodMs(LiveChart::Rate::Medium));
        setRunning(true);
    }
}

void LiveChartWindow::buildControls()
{
    auto *grid = new QGridLayout(this);
    const auto label = [this](const char *text) {
        return new QLabel(QString::fromLatin1(text), this);
    };
    const auto priceLabel = [this](const char *name) {
        auto *l = new ColourLabel(this);
        l->setObjectName(QString::fromLatin1(name));
        QFont f(QStringLiteral("MsChart Font"));
        f.setPixelSize(24);
        f.setBold(true);
        l->setFont(f);
        l->setMinimumWidth(140);
        return l;
    };
    const auto button = [this](const char *caption, const char *name) {
        auto *b = new ColorButton(QString::fromLatin1(caption), this);
        b->setObjectName(QString::fromLatin1(name));
        return b;
    };

    m_stocks = new QComboBox(this);
    m_stocks->setObjectName(QStringLiteral("stockCombo"));
    m_rates = new QComboBox(this);
    m_rates->setObjectName(QStringLiteral("rateCombo"));
    m_rates->addItems({QStringLiteral("High"), QStringLiteral("Medium"), QStringLiteral("Low")});
    m_rates->setCurrentIndex(1);
    m_start = button("START", "start");
    m_stop = button("STOP", "stop");
    m_stop->setEnabled(false);
    ColorButton *close = button("Close", "close");
    m_niftyPrice = priceLabel("niftyPrice");
    m_stockPrice = priceLabel("stockPrice");

    auto *top = new QHBoxLayout;
    top->addWidget(m_stocks);
    top->addWidget(m_rates);
    top->addWidget(m_start);
    top->addWidget(m_stop);
    top->addStretch();
    top->addWidget(label("NIFTY ::"));
    top->addWidget(m_niftyPrice);
    top->addWidget(label("Stock Price ::"));
    top->addWidget(m_stockPrice);
    top->addWidget(close);
    grid->addLayout(top, 0, 0, 1, 2);

    m_priceChart = new ChartControl(ChartControl::Kind::Lines, this);
    m_priceChart->setObjectName(QStringLiteral("priceChart"));
    m_priceChart->setColumnLabel(1, QStringLiteral("Price"));
    m_priceChart->setColumnLabel(2, QStringLiteral("Nifty Price"));
    m_priceChart->setMinimumSize(620, 300);
    m_volumeChart = new ChartControl(ChartControl::Kind::Bars, this);
    m_volumeChart->setObjectName(QStringLiteral("volumeChart"));
    m_volumeChart->setMinimumSize(620, 190);
    grid->addWidget(m_priceChart, 1, 0, 1, 2);
    grid->addWidget(label("LINE chart ::"), 2, 0);
    grid->addWidget(label("Stock PRICE(Green) && NIFTY(Red) vs Time"), 2, 1);
    grid->addWidget(m_volumeChart, 3, 0, 1, 2);
    grid->addWidget(label("BAR chart ::"), 4, 0);
    grid->addWidget(label("Stock VOLUME vs Time"), 4, 1);
    m_status = label("");
    m_status->setObjectName(QStringLiteral("status"));
    m_status->setStyleSheet(QStringLiteral("color: rgb(255,0,0)"));
    grid->addWidget(m_status, 5, 0, 1, 2);
    grid->setColumnStretch(1, 1);

    connect(m_start, &QPushButton::clicked, this, [this] {
        m_timer.setInterval(LiveChart::periodMs(rate()));
        setRunning(true);
    });
    connect(m_stop, &QPushButton::clicked, this, [this] { setRunning(false); });
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    connect(m_rates, &QComboBox::currentIndexChanged, this, [this] {
        if (running())
            m_timer.start(LiveChart::periodMs(rate()));
    });
    connect(m_stocks, &QComboBox::currentIndexChanged, this, [this] {
        loadHistory();
        redraw();
    });
}

void LiveChartWindow::fillStocks()
{
    const auto rows = m_context.database.watchList().nseRows();
    QStringList symbols;
    if (rows.ok())
        for (const WatchRow &row : rows.value())
            symbols << QString::fromStdString(row.symbol);
    symbols.sort();
    symbols.removeDuplicates();
    const QSignalBlocker quiet(m_stocks);
    m_stocks->addItems(symbols);
    if (symbols.isEmpty())
        m_status->setText(QStringLiteral("No NSE stock in the watch list"));
}

LiveChart::Rate LiveChartWindow::rate() const
{
    return static_cast<LiveChart::Rate>(std::max(0, m_rates->currentIndex()));
}

void LiveChartWindow::setRunning(bool on)
{
    if (on)
        m_timer.start();
    else
        m_timer.stop();
    m_start->setEnabled(!on);
    m_stop->setEnabled(on);
}

bool LiveChartWindow::loadHistory()
{
    const std::string problem =
        m_chart.load(m_stocks->currentText().toStdString(), m_context.clock.now());
    tell("intraday", problem);
    m_loaded = problem.empty();
    return m_loaded;
}

void LiveChartWindow::tick()
{
    // A day whose files were not there yet is tried again at every tick.
    if (!m_loaded && !loadHistory())
        return;
    tell("live", m_chart.readSnapshot());
    redraw();
}

void LiveChartWindow::tell(const std::string &which, const std::string &problem)
{
    m_status->setText(problem.empty() ? QString() : QString::fromStdString(problem));
    // A file that stays missing is said once, not at every tick.
    const std::string news = m_said.filter(which, problem);
    if (!news.empty())
        m_context.messenger.inform(news);
}

QString LiveChartWindow::problem() const
{
    return m_status->text();
}

void LiveChartWindow::redraw()
{
    // A tick that only added points extends the lines; anything else draws them anew.
    const LiveRowsFeed::Update update = m_rowsFeed.next(m_chart);
    QList<QPointF> price, nifty, volume;
    price.reserve(qsizetype(update.rows.size()));
    volume.reserve(qsizetype(update.rows.size()));
    if (update.whole)
        m_mostVolume = 0;
    for (const LiveChart::Row &r : update.rows) {
        price << QPointF(r.seconds, r.price);
        volume << QPointF(r.seconds, r.volume);
        m_mostVolume = std::max(m_mostVolume, r.volume);
    }
    for (const auto &[seconds, value] : update.nifty)
        nifty << QPointF(seconds, value);
    const LiveChart::Scale stock = m_chart.stockScale();
    const LiveChart::Scale index = m_chart.niftyScale();
    m_priceChart->setValueScale(1, stock.lower, stock.upper, 5);
    m_priceChart->setValueScale(2, index.lower, index.upper, 5);
    m_volumeChart->setValueScale(1, 0, m_mostVolume * 1.1, 5);
    if (update.whole) {
        m_priceChart->setColumn(1, price);
        m_priceChart->setColumn(2, nifty);
        m_volumeChart->setColumn(1, volume);
    } else {
        m_priceChart->appendToColumn(1, price);
        m_priceChart->appendToColumn(2, nifty);
        m_volumeChart->appendToColumn(1, volume);
    }
    m_niftyPrice->setText(QString::fromStdString(m_chart.nifty().latestPrice()));
    m_stockPrice->setText(QString::fromStdString(m_chart.stock().latestPrice()));
    emit redrawn();
}
