#include "core/futures/futuresfetch.h"
#include "gui/chartlink/chartlinkdialog.h"
#include "gui/charts/historicalchartpanel.h"
#include "gui/futures/futurespanel.h"
#include "gui/shell/panelhost.h"
#include "gui/store/newlistingdialog.h"
#include "gui/toppers/toppersmodel.h"
#include "gui/toppers/topperspanel.h"
#include "platform/chartlink/backfillrunner.h"
#include "platform/chartlink/chartfeed.h"
#include "platform/store/listingvalidator.h"
#include "platform/toppers/topperssweep.h"
#include "support/dialogdriver.h"
#include "support/guibed.h"

#include <QDBusConnection>
#include <QLabel>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTableView>

namespace {
// Client bounds set through the windows' own setters: a hang fails at the silence timeout and
// a trickle at the whole-transfer deadline, as with the defaults, only sooner.
constexpr int TimeoutMs = 1000;
constexpr int DeadlineMs = 2000;
constexpr int EndCeilingMs = 60000; // any action ends well within this

enum class Outcome { Loaded, Failed, Stuck };

// How an action ended: never, or loaded when the check says so.
template <typename Check> Outcome ended(QSignalSpy &spy, Check loaded)
{
    if (spy.isEmpty() && !spy.wait(EndCeilingMs))
        return Outcome::Stuck;
    return loaded() ? Outcome::Loaded : Outcome::Failed;
}

// The faults of a service (apart by spaces) that end alike: the messages shown, in order (each
// a part of the text), and the service's view.
struct Cell
{
    const char *service;
    const char *faults;
    QStringList told;
    QString shows;
};

const QString Internet = FuturesFetch::ContractProblem;
const QString InternetStats = FuturesFetch::StatsProblem;
const QString Unreadable =
    QString::fromLatin1(FuturesFetch::UnreadableContracts) + "Infosys Limited";
const QString UnreadableStats = FuturesFetch::UnreadableStats;
const QString NoValidation = NewListing::InternetErrorMessage;
const QString Warning = RefreshCycle::ShortReplyWarning;
const QString NoChart = "The chart could not be loaded: ";
const QString NoPicture = "The chart service sent no picture for INFY.NS.";
// A sweep with failed requests or unreadable replies says so; no row is listed without a price.
const QString Incomplete = "0 rows, Data Retrieval Incomplete!!!\n0 of ";
const QString Unanswered = "requests to the quote service failed";
const QString Unpriced = "the quote service sent no readable price";
const QString Passed = QString::fromLatin1(NewListing::NsePassed) + ", Add";
const QString NoBars = "BackFill Done!!!, no bars";

// clang-format off
const Cell Expected[] = {
    {"quotes", "down hang http500 drop trickle", {},        "red dot, prices kept"},
    {"quotes", "short longline",                 {Warning}, "green dot, no rows"},
    {"quotes", "garbage",                        {},        "green dot, NIFTY N/A"},

    {"chart images", "down",                   {}, NoChart + "Connection refused"},
    {"chart images", "hang http500 drop",      {}, NoChart},
    {"chart images", "short garbage longline", {}, NoPicture},
    {"chart images", "trickle",                {}, NoChart + "no whole reply within 2000 ms"},

    {"chart data", "down hang http500 short longline trickle", {}, NoBars},
    {"chart data", "drop",    {}, "BackFill Done!!!, bars for NIFTY SENSEX INFY"},
    {"chart data", "garbage", {}, "BackFill Done!!!, junk for NIFTY SENSEX INFY"},

    {"exchange pages", "down",                      {Internet, InternetStats}, "data kept"},
    {"exchange pages", "hang http500 drop trickle", {Internet},                "data kept"},
    {"exchange pages", "short garbage longline",    {Unreadable},              "data kept"},

    // "down" stops the whole simulator, so the pages' row above is that case for both.
    {"exchange statistics", "hang http500 drop trickle", {InternetStats},   "data kept"},
    {"exchange statistics", "short garbage longline",    {UnreadableStats}, "data kept"},

    {"symbol check", "down hang http500 drop",   {NoValidation}, NewListing::InitialResult},
    {"symbol check", "short",                    {},             NewListing::NseFailed},
    {"symbol check", "garbage longline trickle", {},             Passed},

    {"toppers", "down hang http500 drop trickle", {Unanswered}, Incomplete},
    {"toppers", "short garbage longline",         {Unpriced},   Incomplete},
};
// clang-format on
} // namespace

// The charting program's part of backfill, on the test's private bus: it takes the bars.
class BackfillTaker : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.vantrel.ChartBridge1")
public:
    QStringList taken; // "NAME:bars"

public slots:
    void Connect() {}
    void BackfillStock(const QString &name, const QString &bars) { taken << name + ":" + bars; }
};

// Each network service under each fault, end to end: told and shown what the table says, the
// action works again silently once the fault clears, and every stored row reads back as before.
class FaultMatrixTest : public QObject
{
    Q_OBJECT
    GuiBed bed;
    BackfillTaker taker;
    QPointer<HistoricalChartPanel> chart;
    QPointer<NewListingDialog> listing;
    QString m_before; // the view as the action left it before the fault
    QString m_backfillLabel;
    QStringList m_backfilled; // "NAME:bars" of the last backfill

    // A service: which requests the fault plays on, what opens it, its action, its view.
    struct Service
    {
        const char *scope;
        void (FaultMatrixTest::*open)();
        Outcome (FaultMatrixTest::*act)();
        QString (FaultMatrixTest::*look)();
    };
    static const QMap<QString, Service> &services();

    template <typename P> P *panel(PanelKind kind) const
    {
        return qobject_cast<P *>(bed.program->panels().panel(kind));
    }
    FuturesPanel *futures() const { return panel<FuturesPanel>(PanelKind::Futures); }
    ToppersPanel *toppers() const { return panel<ToppersPanel>(PanelKind::Toppers); }
    ChartLinkDialog *link() const { return bed.program->chartLink(); }
    void click(QWidget *in, const char *button) { control<QAbstractButton>(in, button)->click(); }

    Outcome refresh()
    {
        QSignalSpy applied(&bed.ctx->refresh, &RefreshCycle::replyApplied);
        QSignalSpy result(&bed.ctx->refresh, &RefreshCycle::resultArrived);
        bed.ctx->refresh.start();
        return ended(result, [&] { return !applied.isEmpty(); });
    }
    QString lookAtQuotes()
    {
        const auto *indices = bed.program->bar().findChild<QTableView *>("indexList")->model();
        const QString nifty = indices->index(0, 1).data().toString();
        const QString dot = bed.program->bar().connected() ? "green dot" : "red dot";
        if (nifty.isEmpty())
            return dot + ", no rows";
        return dot + ", " + (nifty == m_before ? "prices kept" : "NIFTY " + nifty);
    }
    Outcome loadChart()
    {
        QSignalSpy shown(chart.data(), &HistoricalChartPanel::imageShown);
        chart->button("rangeOneYear")->click();
        return ended(shown, [&] { return shown.first().first().toBool(); });
    }
    QString lookAtChart()
    {
        auto *image = control<QLabel>(chart, "chartImage");
        return image->pixmap().isNull() ? image->text() : "a picture";
    }
    Outcome backfill()
    {
        const qsizetype mark = taker.taken.size();
        QSignalSpy done(&link()->backfill(), &BackfillRunner::ended);
        QSignalSpy label(&link()->backfill(), &BackfillRunner::labelChanged);
        click(link(), "backfillOneMinute");
        return ended(done, [&] {
            m_backfillLabel = label.isEmpty() ? QString() : label.last().first().toString();
            m_backfilled = taker.taken.mid(mark);
            return lookAtBackfill() == "BackFill Done!!!, bars for NIFTY SENSEX INFY";
        });
    }
    // Bars are records of numbers, each ended by a star; anything else handed over is junk.
    QString lookAtBackfill()
    {
        static const QRegularExpression bar(R"(^\d+,[\d.]+,[\d.]+,[\d.]+,[\d.]+,\d+$)");
        QStringList handed[2]; // the names given bars, and those given junk
        for (const QString &taken : m_backfilled) {
            const QStringList lines = taken.section(':', 1).split('*', Qt::SkipEmptyParts);
            if (!lines.isEmpty())
                handed[lines.filter(bar).size() < lines.size()] << taken.section(':', 0, 0);
        }
        QString seen = m_backfillLabel;
        for (int junk : {0, 1})
            if (!handed[junk].isEmpty())
                seen += (junk ? ", junk for " : ", bars for ") + handed[junk].join(' ');
        return handed[0].isEmpty() && handed[1].isEmpty() ? seen + ", no bars" : seen;
    }
    Outcome fetchFutures()
    {
        QSignalSpy finished(futures(), &FuturesPanel::fetchFinished);
        click(futures(), "getLatestData");
        return ended(finished, [&] { return lookAtFutures() == "data kept"; });
    }
    QString lookAtFutures()
    {
        const QString shown = control<QLabel>(futures(), "month1Expiry")->text() + ", " +
                              control<QLabel>(futures(), "statisticsHeading")->text();
        return shown == "31-DEC-2026, Trade Statistics for 04-Dec-2026" ? "data kept" : shown;
    }
    Outcome validate()
    {
        QSignalSpy finished(&listing->validator(), &ListingValidator::finished);
        click(listing, "validate");
        return ended(finished,
                     [&] { return listing->listing().nseResult() == NewListing::NsePassed; });
    }
    QString lookAtListing()
    {
        const bool add = control<QAbstractButton>(listing, "add")->isEnabled();
        return QString::fromStdString(listing->listing().nseResult()) + (add ? ", Add" : "");
    }
    Outcome sweep()
    {
        QSignalSpy finished(toppers()->sweep(), &ToppersSweep::finished);
        click(toppers(), "getLatestData");
        return ended(finished, [&] { return toppers()->model()->rowCount() > 0; });
    }
    QString lookAtToppers()
    {
        return QString("%1 rows, ").arg(toppers()->model()->rowCount()) + toppers()->status();
    }

    // The portfolio's lots ride on the refresh with the watch list's stocks.
    void openPortfolio()
    {
        bed.program->bar().button("profile")->click();
        QVERIFY(bed.refreshOnce());
    }
    void openChart()
    {
        chart =
            openHistoricalChart(*bed.ctx, &bed.program->bar(), "Infosys Limited", "NSE", "INFY");
    }
    void openBackfill() { link()->prepare(); }
    void openFutures() { bed.program->bar().button("futures")->click(); }
    // Reached from the watch list's Add through the company search; the dialog alone here.
    void openListing()
    {
        listing = new NewListingDialog(*bed.ctx, &bed.program->bar());
        control<QLineEdit>(listing, "companyName")->setText("Wipro Limited");
        control<QLineEdit>(listing, "nseSymbol")->setText("WIPRO");
    }
    void openToppers()
    {
        bed.program->bar().button("toppers")->click();
        toppers()->setConnected(true);
    }
    // Short bounds only where the fault's outcome is the bound (a hang meets the silence
    // timeout, a trickle the deadline), so that those end soon; loose ones for every other
    // action, so that a busy machine never turns a slow answer into another outcome.
    void bound(const QString &fault)
    {
        const int scale = fault == "hang" || fault == "trickle" ? 1 : 15;
        const int timeout = TimeoutMs * scale, deadline = DeadlineMs * scale;
        bed.ctx->refresh.setTimeoutMs(timeout);
        bed.ctx->refresh.setDeadlineMs(deadline);
        if (chart)
            chart->setImageBounds(timeout, deadline);
        if (link()) {
            link()->backfill().setTimeoutMs(timeout);
            link()->backfill().setDeadlineMs(deadline);
        }
        if (futures()) {
            futures()->setFetchTimeoutMs(timeout);
            futures()->setFetchDeadlineMs(deadline);
        }
        if (listing)
            listing->validator().setTimeoutMs(timeout);
        if (toppers()) {
            toppers()->sweep()->setTimeoutMs(timeout);
            toppers()->sweep()->setDeadlineMs(deadline);
        }
    }

    void seed()
    {
        CompanyDatabase &seeder = bed.ctx->database;
        QVERIFY(seeder.watchList()
                    .save({{"Infosys Limited", "NSE", "INFY", 1, 1000, 2500},
                           {"Reliance Industries", "BSE", "500325"}})
                    .ok());
        QVERIFY(seeder.brokers().insert(BrokerEntry{0, "Shah & Sons", {0.5, 0.1}}).ok());
        const long broker = seeder.brokers().loadAll().value().front().id;
        QVERIFY(seeder.profile()
                    .insert(ProfileLot{"Infosys Limited", "NSE", "INFY", 0, 1480.5, 10, broker})
                    .ok());
        QVERIFY(seeder.selectedFutures().insert(FutureRow{"Infosys Limited", "INFY"}).ok());
    }
    // Every row of every table as read from the file, and the file's own verdict on itself.
    QStringList storedRows() const
    {
        QStringList rows;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "faultmatrix-reader");
            db.setDatabaseName(bed.databaseFile());
            if (!db.open())
                return {"unreadable"};
            QSqlQuery query(db);
            query.exec("PRAGMA integrity_check");
            rows << (query.next() ? query.value(0).toString() : "no verdict");
            for (const QString &table : db.tables()) {
                query.exec(QString("SELECT * FROM \"%1\" ORDER BY rowid").arg(table));
                while (query.next()) {
                    QStringList values{table};
                    for (int c = 0; c < query.record().count(); ++c)
                        if (query.record().fieldName(c) != "ID") // a rewrite may renumber
                            values << query.value(c).toString();
                    rows << values.join('|');
                }
            }
        }
        QSqlDatabase::removeDatabase("faultmatrix-reader");
        return rows;
    }
    // The fault on (or off), played by the simulator; "down" is the simulator stopped.
    bool setFault(const QString &fault, const QString &scope, bool on)
    {
        if (fault == "down")
            return on ? (bed.sim.stop(), true) : bed.sim.restart();
        return simControl(bed.sim.port(),
                          on ? "fault=" + fault + "&short-lines=0&" + scope : "fault=none");
    }
    void closeAll()
    {
        delete chart;
        delete listing;
        bed.reset();
    }

private slots:
    void initTestCase()
    {
        QDBusConnection bus = QDBusConnection::sessionBus();
        QVERIFY(bus.registerObject(ChartBridge::Path, &taker, QDBusConnection::ExportAllSlots) &&
                bus.registerService(ChartBridge::DefaultService));
    }
    void cleanup()
    {
        closeAll();
        bed.tearDown();
    }

    void serviceUnderFault_data()
    {
        QTest::addColumn<int>("cell");
        QTest::addColumn<QString>("fault");
        for (const Cell &cell : Expected)
            for (const QString &fault : QString(cell.faults).split(' '))
                QTest::addRow("%s %s", cell.service, qPrintable(fault))
                    << int(&cell - Expected) << fault;
    }
    void serviceUnderFault()
    {
        QFETCH(int, cell);
        QFETCH(QString, fault);
        const auto &[service, faults, told, shows] = Expected[cell];
        const Service &s = services()[service];
        QVERIFY2(bed.startSim(), qPrintable(bed.sim.errorText()));
        bed.makeProgram();
        QVERIFY(bed.openDatabase());
        seed();
        const QStringList stored = storedRows();
        bed.ctx->services.chartData = bed.sim.url();
        bed.program->start();
        // Refreshes come when the test says: a tick is the quotes' action here.
        bed.ctx->refresh.stopTimer();
        QVERIFY(bed.refreshOnce());
        (this->*s.open)();
        bound("none");
        QCOMPARE((this->*s.act)(), Outcome::Loaded);
        QTRY_VERIFY_WITH_TIMEOUT(!bed.ctx->refresh.inProgress(), EndCeilingMs); // none left over
        m_before.clear(); // so that the look below shows the price, not "kept"
        m_before = service == QString("quotes") ? lookAtQuotes().section("NIFTY ", 1) : QString();
        const std::size_t mark = bed.messenger.shown.size();

        bound(fault);
        QVERIFY2(setFault(fault, s.scope, true), qPrintable(bed.sim.errorText()));
        QVERIFY((this->*s.act)() != Outcome::Stuck);
        QStringList said;
        for (std::size_t i = mark; i < bed.messenger.shown.size(); ++i)
            said << QString::fromStdString(bed.messenger.shown[i]);
        const QString seen = (this->*s.look)();
        QVERIFY2(seen.startsWith(shows), qPrintable("shows: " + seen));
        QVERIFY2(said.size() == told.size(), qPrintable("told: " + said.join(" / ")));
        for (qsizetype i = 0; i < told.size(); ++i)
            QVERIFY2(said[i].contains(told[i]), qPrintable("told: " + said.join(" / ")));
        QVERIFY2(setFault(fault, s.scope, false), qPrintable(bed.sim.errorText()));
        bound("none");

        const std::size_t recovered = bed.messenger.shown.size();
        QCOMPARE((this->*s.act)(), Outcome::Loaded);
        QCOMPARE(bed.messenger.shown.size(), recovered);
        closeAll(); // read back with the program gone
        QCOMPARE(storedRows(), stored);
    }
};

const QMap<QString, FaultMatrixTest::Service> &FaultMatrixTest::services()
{
    using T = FaultMatrixTest;
    static const QMap<QString, Service> all{
        {"quotes", {"fault-path=/d/quotes.csv", &T::openPortfolio, &T::refresh, &T::lookAtQuotes}},
        {"chart images", {"fault-path=/z", &T::openChart, &T::loadChart, &T::lookAtChart}},
        {"chart data",
         {"fault-path=/instrument", &T::openBackfill, &T::backfill, &T::lookAtBackfill}},
        // The exchange's pages: each stock's contracts, and the day's statistics.
        {"exchange pages",
         {"fault-path=/marketinfo", &T::openFutures, &T::fetchFutures, &T::lookAtFutures}},
        {"exchange statistics",
         {"fault-path=/content", &T::openFutures, &T::fetchFutures, &T::lookAtFutures}},
        // The lookup page is read by the user's browser; the program's own call is this check.
        {"symbol check",
         {"fault-symbol=WIPRO.NS", &T::openListing, &T::validate, &T::lookAtListing}},
        {"toppers", {"fault-path=/d/quotes.csv", &T::openToppers, &T::sweep, &T::lookAtToppers}},
    };
    return all;
}

QTEST_MAIN(FaultMatrixTest)
#include "faultmatrix_test.moc"
