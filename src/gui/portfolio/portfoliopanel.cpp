#include "gui/portfolio/portfoliopanel.h"

#include "core/gains/gainsexport.h"
#include "core/gains/tradelotsales.h"
#include "core/gains/tradereturns.h"
#include "core/portfolio/portfolioexport.h"
#include "gui/charts/historicalchartpanel.h"
#include "gui/controls/colorbutton.h"
#include "gui/controls/exportnamedialog.h"
#include "gui/controls/stocklist.h"
#include "gui/portfolio/brokerslistdialog.h"
#include "gui/portfolio/gainsyeardialog.h"
#include "gui/portfolio/holdingentrydialog.h"
#include "gui/portfolio/holdinglistmodel.h"
#include "gui/portfolio/holdingsection.h"
#include "gui/portfolio/importtradesdialog.h"
#include "gui/portfolio/jan2018valuesdialog.h"
#include "gui/portfolio/profitcalculatordialog.h"
#include "gui/portfolio/selldialog.h"
#include "gui/portfolio/tradedate.h"
#include "gui/portfolio/tradesdialog.h"
#include "gui/shell/appcontext.h"
#include "gui/shell/timerpause.h"
#include "platform/store/pricedtrades.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

PortfolioPanel::PortfolioPanel(AppContext &context, QWidget *bar)
    : DockedPanel(context, bar, 348), m_portfolio(context.database.profile(), context.messenger)
{
    setObjectName(QStringLiteral("portfolioPanel"));
    buildControls();
    fitHeightToContents();
    loadBrokers();
    loadTradeLines();
    m_portfolio.load();
    m_portfolio.buildSymbolTable();
    m_portfolio.setOnArrived([this] { refresh(); });
    context.registry.attach(GroupSlot::Portfolio, &m_portfolio);
    refresh();
}

PortfolioPanel::~PortfolioPanel()
{
    context().registry.detach(GroupSlot::Portfolio, &m_portfolio);
}

void PortfolioPanel::buildControls()
{
    const struct
    {
        const char *caption;
        const char *name;
        int width;
        void (PortfolioPanel::*slot)();
    } buttons[] = {{"Brokers List", "brokersList", 52, &PortfolioPanel::pressBrokers},
                   {"Profit Calc", "profitCalc", 48, &PortfolioPanel::pressProfitCalc},
                   {"Export to CSV", "exportToCsv", 56, &PortfolioPanel::pressExport},
                   {"Export Gains", "exportGains", 52, &PortfolioPanel::pressExportGains},
                   {"Import Trades", "importTrades", 56, &PortfolioPanel::pressImportTrades},
                   {"Trades", "trades", 32, &PortfolioPanel::pressTrades},
                   {"X", "closePanel", 14, &PortfolioPanel::closeAndDestroy}};
    std::vector<QWidget *> titleButtons;
    for (const auto &b : buttons) {
        ColorButton *button =
            makeButton(QLatin1String(b.caption), b.name, b.width, b.width == 14 ? 12 : 14);
        connect(button, &QPushButton::clicked, this, b.slot);
        titleButtons.push_back(button);
    }
    QVBoxLayout *layout = titledLayout(QStringLiteral("My Profile"), titleButtons);

    m_delivery = new HoldingSection(context().messenger, TradeKind::Delivery, 9, client());
    m_intraday = new HoldingSection(context().messenger, TradeKind::Intraday, 5, client());
    for (HoldingSection *section : {m_delivery, m_intraday}) {
        const TradeKind kind = section->kind();
        connect(section, &HoldingSection::addPressed, this, [this, kind] { pressAdd(kind); });
        connect(section, &HoldingSection::editPressed, this, [this, kind] { pressEdit(kind); });
        connect(section, &HoldingSection::deletePressed, this, [this, kind] { pressDelete(kind); });
        connect(section, &HoldingSection::sellPressed, this, [this, kind] { pressSell(kind); });
        connect(section, &HoldingSection::rowActivated, this,
                [this, kind](int row) { openChart(kind, row); });
        layout->addWidget(section);
    }
    m_returns = new QLabel(client());
    m_returns->setObjectName(QStringLiteral("portfolioReturns"));
    layout->addWidget(m_returns);
}

HoldingSection *PortfolioPanel::section(TradeKind kind) const
{
    return kind == TradeKind::Delivery ? m_delivery : m_intraday;
}

void PortfolioPanel::loadBrokers()
{
    auto loaded = context().database.brokers().loadAll();
    if (!loaded) {
        context().messenger.inform(loaded.error());
        return;
    }
    m_brokers = std::move(loaded.value());
    auto schedules = context().database.brokerSchedules().loadAll();
    m_schedules = schedules ? std::move(schedules).value() : std::map<long, BrokerSchedule>{};
}

void PortfolioPanel::refresh()
{
    // Trades are dated "YYYY-MM-DD", and so is the day a holding would be sold on.
    std::vector<std::string> warnings =
        m_portfolio.refresh(pricing(), todayText(context()).toStdString());
    HoldingList delivery = m_portfolio.list(TradeKind::Delivery);
    HoldingList intraday = m_portfolio.list(TradeKind::Intraday);
    showReturns(delivery, intraday);
    m_delivery->display(delivery);
    m_intraday->display(intraday);
    emit refreshed();
    tell(std::move(warnings));
}

void PortfolioPanel::loadTradeLines()
{
    auto lines = pricedTradeLines(context().database);
    m_tradeLinesError = lines ? std::string() : lines.error();
    m_tradeLines = lines ? std::move(lines).value() : std::vector<TradeLine>{};
}

void PortfolioPanel::showReturns(HoldingList &delivery, HoldingList &intraday)
{
    if (!m_tradeLinesError.empty()) {
        m_returns->setText(
            QStringLiteral("Returns: N/A (%1)").arg(QString::fromStdString(m_tradeLinesError)));
        return;
    }
    const LocalTime now = context().clock.now();
    const std::chrono::year_month_day today =
        std::chrono::year{now.year} / unsigned(now.month) / unsigned(now.day);
    std::vector<HoldingHistory> all;
    for (const auto &[list, kind] :
         {std::pair{&delivery, TradeKind::Delivery}, std::pair{&intraday, TradeKind::Intraday}}) {
        std::vector<HoldingHistory> histories =
            holdingHistories(m_tradeLines, kind, latestPrices(list->rows));
        setRowReturns(list->rows, histories, today);
        all.insert(all.end(), histories.begin(), histories.end());
    }
    m_returns->setText(QString::fromStdString(portfolioReturnsText(portfolioReturns(all, today))));
}

void PortfolioPanel::tell(std::vector<std::string> warnings)
{
    if (warnings.empty())
        return;
    // As the watch list does: the boxes open after the refresh that found the condition, and
    // refreshes while one is open add no second one.
    QTimer::singleShot(0, this, [this, warnings] {
        if (m_telling)
            return;
        m_telling = true;
        for (const std::string &warning : warnings)
            context().messenger.inform(warning);
        m_telling = false;
    });
}

void PortfolioPanel::pressAdd(TradeKind kind)
{
    if (!m_portfolio.mayAdd(kind))
        return;
    TimerPause pause(context().refresh);
    HoldingEntryRequest request;
    request.exchange = "NSE";
    request.kind = kind;
    const auto added = HoldingEntryDialog::ask(
        context(), request,
        [this](const HoldingEntry &entry) { return m_portfolio.addStock(entry); }, this);
    if (added) {
        loadTradeLines();
        refresh();
    }
}

void PortfolioPanel::pressEdit(TradeKind kind)
{
    const HoldingRow *row = section(kind)->selected();
    if (!row) {
        context().messenger.inform(NoEditSelection);
        return;
    }
    TimerPause pause(context().refresh);
    HoldingEntryRequest request;
    request.companyName = row->companyName;
    request.exchange = row->exchange;
    request.symbol = row->symbol;
    request.brokerId = row->brokerId;
    request.edit = true;
    request.kind = kind;
    const auto edited = HoldingEntryDialog::ask(
        context(), request,
        [this](const HoldingEntry &entry) { return m_portfolio.editStock(entry); }, this);
    if (edited) {
        loadTradeLines();
        refresh();
    }
}

void PortfolioPanel::pressDelete(TradeKind kind)
{
    const HoldingRow *row = section(kind)->selected();
    if (!row) {
        context().messenger.inform(NoDeleteSelection);
        return;
    }
    const std::string symbol = row->symbol;
    if (!context().messenger.ask("Are you sure that you want to DELETE  " + row->companyName + "?"))
        return;
    if (m_portfolio.deleteStock(kind, symbol)) {
        loadTradeLines();
        refresh();
    }
}

void PortfolioPanel::pressSell(TradeKind kind)
{
    const HoldingRow *row = section(kind)->selected();
    if (!row) {
        context().messenger.inform(NoSellSelection);
        return;
    }
    TimerPause pause(context().refresh);
    const SaleHolding holding{row->companyName, row->exchange, row->symbol, kind, row->quantity};
    if (SellDialog::run(context(), holding, m_brokers, row->brokerId, this))
        reloadLots();
}

void PortfolioPanel::pressImportTrades()
{
    TimerPause pause(context().refresh);
    if (ImportTradesDialog::run(context(), m_brokers, this))
        reloadLots();
}

void PortfolioPanel::pressTrades()
{
    TimerPause pause(context().refresh);
    if (TradesDialog::run(context(), pricing(), this))
        reloadLots();
}

TradePricing PortfolioPanel::pricing() const
{
    TradePricing pricing;
    pricing.brokers = m_brokers;
    pricing.schedules = m_schedules;
    return pricing;
}

void PortfolioPanel::reloadLots()
{
    loadTradeLines();
    m_portfolio.load();
    m_portfolio.buildSymbolTable();
    refresh();
}

void PortfolioPanel::pressBrokers()
{
    {
        TimerPause pause(context().refresh);
        BrokersListDialog::run(context(), this);
    }
    // New rates price the lists at once.
    loadBrokers();
    loadTradeLines();
    refresh();
}

void PortfolioPanel::pressProfitCalc()
{
    TimerPause pause(context().refresh);
    ProfitCalculatorDialog::run(context(), this);
}

void PortfolioPanel::pressExport()
{
    const HoldingList &delivery = m_portfolio.list(TradeKind::Delivery);
    const HoldingList &intraday = m_portfolio.list(TradeKind::Intraday);
    if (delivery.rows.empty() && intraday.rows.empty()) {
        context().messenger.inform(portfolioexport::NoData);
        return;
    }
    const std::optional<QString> name =
        ExportNameDialog::ask(context().clock, context().messenger, this);
    if (!name)
        return;
    context().messenger.inform(
        portfolioexport::write(*context().files, context().dataRoot.toStdString() + "/ProfileData",
                               name->toStdString(), delivery, intraday));
}

void PortfolioPanel::pressExportGains()
{
    TimerPause pause(context().refresh);
    Messenger &messenger = context().messenger;
    auto lines = pricedTradeLines(context().database);
    if (!lines) {
        messenger.inform(lines.error());
        return;
    }
    const std::vector<LotSale> sales = lotSales(lines.value());
    const LocalTime now = context().clock.now();
    const FinancialYear current =
        financialYearOf(std::chrono::year{now.year} / unsigned(now.month) / unsigned(now.day));
    const auto year = GainsYearDialog::ask(salesYears(sales, current), current, this);
    if (!year)
        return;
    Jan2018ValueTable &stored = context().database.jan2018Values();
    auto values = stored.loadAll();
    if (!values) {
        messenger.inform(values.error());
        return;
    }
    GainsReport report = gainsReport(sales, *year, values.value());
    // Asked before writing, and kept: the next report needs them too.
    if (const auto missing = symbolsNeedingJan2018Value(report); !missing.empty()) {
        const auto given = Jan2018ValuesDialog::ask(missing, messenger, this);
        if (!given)
            return;
        if (!given->empty()) {
            if (auto saved = stored.setAll(*given); !saved) {
                messenger.inform(saved.error());
                return;
            }
            for (const auto &[symbol, value] : *given)
                values.value()[symbol] = value;
            report = gainsReport(sales, *year, values.value());
        }
    }
    const std::optional<QString> name = ExportNameDialog::ask(context().clock, messenger, this);
    if (!name)
        return;
    messenger.inform(gainsexport::write(*context().files,
                                        context().dataRoot.toStdString() + "/ProfileData",
                                        name->toStdString(), report));
}

void PortfolioPanel::openChart(TradeKind kind, int row)
{
    const HoldingRow &holding = section(kind)->model()->row(row);
    if (holding.symbol.empty())
        return;
    if (!connected()) {
        context().messenger.inform(StockListView::NoConnection);
        return;
    }
    openHistoricalChart(context(), this, QString::fromStdString(holding.companyName),
                        QString::fromStdString(holding.exchange),
                        QString::fromStdString(holding.symbol));
}
