#include "soakviews.h"

#include "gui/shell/mainbar.h"
#include "gui/shell/panelhost.h"
#include "gui/shell/program.h"
#include "gui/ticker/tickerbar.h"
#include "gui/toppers/topperspanel.h"
#include "gui/watch/watchlistpanel.h"
#include "platform/store/companydatabase.h"

#include <QCheckBox>
#include <QTest>

namespace soakviews {

namespace {
constexpr int ExposeWaitMs = 10000;
constexpr PanelKind Turns[] = {PanelKind::WatchList, PanelKind::Indices, PanelKind::World,
                               PanelKind::Profile, PanelKind::Toppers};

// count companies spread evenly over the exchange's list.
bool pick(CompanyDatabase &database, Exchange exchange, int count, std::vector<WatchRow> &rows,
          QString &error)
{
    auto listed = database.companyList().listedOn(exchange);
    if (!listed || listed.value().size() < std::size_t(count)) {
        error = QStringLiteral("the company list has too few companies on %1")
                    .arg(QLatin1String(exchangeCode(exchange).data()));
        return false;
    }
    const std::vector<CompanyRow> &all = listed.value();
    for (int k = 0; k < count; ++k) {
        const CompanyRow &c = all[all.size() * std::size_t(k) / std::size_t(count)];
        rows.push_back({c.name, std::string(exchangeCode(exchange)), c.symbol(exchange)});
    }
    return true;
}
} // namespace

bool seed(CompanyDatabase &database, QString &error)
{
    std::vector<WatchRow> rows;
    if (!pick(database, Exchange::Nse, WatchedNse, rows, error) ||
        !pick(database, Exchange::Bse, WatchedBse, rows, error))
        return false;
    BrokerEntry broker{0, "Soak Broker", {}};
    broker.rates = {0.5,  12.36, 0.125, 0.01, 0.5,  12.36, 0.125, 0.01,
                    0.05, 12.36, 0.025, 0.01, 0.05, 12.36, 0.025, 0.01};
    StoreStatus status = database.watchList().save(rows);
    if (status)
        status = database.brokers().insert(broker);
    const auto brokers = database.brokers().loadAll();
    if (status && (!brokers || brokers.value().empty()))
        status = StoreError{"the broker did not land"};
    if (status) {
        const long id = brokers.value().back().id;
        const auto lot = [&rows, id](std::size_t k, int type, double price, long quantity) {
            return ProfileLot{
                rows[k].companyName, rows[k].exchange, rows[k].symbol, type, price, quantity, id};
        };
        status = database.profile().insertLots({lot(0, 0, 100, 50), lot(0, 0, 120, 25),
                                                lot(7, 0, 850, 10), lot(13, 1, 400, 100),
                                                lot(41, 0, 2400, 5), lot(45, 1, 55, 1000)});
    }
    if (!status)
        error = QString::fromStdString(status.error());
    return bool(status);
}

bool open(Program &program)
{
    WatchListPanel *watch = program.watchList();
    for (const char *name : {"intraday", "liveData"})
        watch->findChild<QCheckBox *>(QLatin1String(name))->setChecked(true);
    MainBar &bar = program.bar();
    auto *ticker = new TickerBar(bar.context(), bar.board(), watch->list(), &bar);
    ticker->show();
    bool shown = QTest::qWaitForWindowExposed(&bar, ExposeWaitMs) &&
                 QTest::qWaitForWindowExposed(ticker, ExposeWaitMs);
    // Each press makes its panel and hides the one before; every one is drawn once, as part of
    // the start-up, and the watch list ends up shown.
    for (PanelKind kind : {PanelKind::Indices, PanelKind::World, PanelKind::Profile,
                           PanelKind::Toppers, PanelKind::WatchList}) {
        program.panels().press(kind);
        shown = shown && QTest::qWaitForWindowExposed(program.panels().panel(kind), ExposeWaitMs);
    }
    return shown;
}

void showNextPanel(Program &program, int turn)
{
    program.panels().press(Turns[std::size_t(turn) % std::size(Turns)]);
}

ToppersPanel *toppers(Program &program)
{
    return qobject_cast<ToppersPanel *>(program.panels().panel(PanelKind::Toppers));
}

} // namespace soakviews
