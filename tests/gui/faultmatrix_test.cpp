#include "core/futures/futuresfetch.h"
#include "gui/chartlink/chartlinkdialog.h"
#include "gui/charts/historicalchartpanel.h"
#include "gui/futures/futurespanel.h"
#include "gui/shell/panelhost.h"
#include "gui/store/newlistingdialog.h"
#include "platform/chartlink/backfillrunner.h"
#include "platform/chartlink/chartfeed.h"
#include "platform/store/listingvalidator.h"
#include "support/dialogdriver.h"
#include "support/guibed.h"
#include "support/stallwatch.h"

#include <QDBusConnection>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

#include <functional>

namespace {
// Far above the machine's own hiccups, far below any network bound: a window that waits on
// the network shows up as a stall of a whole timeout.
constexpr int StallBoundMs = 500;
// Client bounds shortened through the windows' own setters: a hang fails at the silence
// timeout and a trickle at the whole-transfer deadline, as with the defaults, only sooner.
constexpr int TimeoutMs = 1000;
constexpr int DeadlineMs = 2000;
constexpr int EndCeilingMs = 60000; // any action ends well within this

enum class Outcome { Loaded, Failed, Stuck };

bool endsWithin(QSignalSpy &spy)
{
    return !spy.isEmpty() || spy.wait(EndCeilingMs);
}
} // namespace

// The charting program's part of backfill, on the test's private bus: it takes every stock's
// bars and says so.
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

// Each network service of the program against each fault of the simulator, end to end: the
// real program on a real database file. Per cell: the program keeps turning while the fault
// plays, says what it says at most once per action and only in its own words, works again
// once the fault clears, and keeps every stored row.
class FaultMatrixTest : public QObject
{
    Q_OBJECT
    GuiBed bed;
    BackfillTaker taker;
    QPointer<HistoricalChartPanel> chart;
    QPointer<NewListingDialog> listing;

    // One service as a user meets it: what opens it, the action that fetches, and the
    // messages it may show.
    struct Service
    {
        QString scope; // which requests the fault plays on
        std::function<void(FaultMatrixTest &)> open;
        std::function<Outcome(FaultMatrixTest &)> act;
        QStringList messages;          // each a prefix of a text the service may show
        QStringList loadsDespite = {}; // faults under which the action still gets its data
    };
    static const QMap<QString, Service> &services();

    FuturesPanel *futures() const
    {
        return qobject_cast<FuturesPanel *>(bed.program->panels().panel(PanelKind::Futures));
    }
    ChartLinkDialog *link() const { return bed.program->chartLink(); }

    Outcome refresh()
    {
        QSignalSpy applied(&bed.ctx->refresh, &RefreshCycle::replyApplied);
        QSignalSpy result(&bed.ctx->refresh, &RefreshCycle::resultArrived);
        bed.ctx->refresh.start();
        if (!endsWithin(result))
            return Outcome::Stuck;
        return applied.isEmpty() ? Outcome::Failed : Outcome::Loaded;
    }
    Outcome loadChart()
    {
        QSignalSpy shown(chart.data(), &HistoricalChartPanel::imageShown);
        chart->button("rangeOneYear")->click();
        if (!endsWithin(shown))
            return Outcome::Stuck;
        return shown.first().first().toBool() ? Outcome::Loaded : Outcome::Failed;
    }
    Outcome backfill()
    {
        const qsizetype mark = taker.taken.size();
        QSignalSpy ended(&link()->backfill(), &BackfillRunner::ended);
        control<QAbstractButton>(link(), "backfillOneMinute")->click();
        if (!endsWithin(ended))
            return Outcome::Stuck;
        QStringList stocks;
        for (qsizetype i = mark; i < taker.taken.size(); ++i)
            if (!taker.taken[i].endsWith(':')) // bars came for it
                stocks << taker.taken[i].section(':', 0, 0);
        return stocks == QStringList{"NIFTY", "SENSEX", "INFY"} ? Outcome::Loaded : Outcome::Failed;
    }
    Outcome fetchFutures()
    {
        const std::size_t told = bed.messenger.shown.size();
        QSignalSpy finished(futures(), &FuturesPanel::fetchFinished);
        control<QAbstractButton>(futures(), "getLatestData")->click();
        if (!endsWithin(finished))
            return Outcome::Stuck;
        const bool dated =
            control<QLabel>(futures(), "month1Expiry")->text() == QStringLiteral("31-DEC-2026") &&
            control<QLabel>(futures(), "statisticsHeading")->text().endsWith("04-Dec-2026");
        return dated && bed.messenger.shown.size() == told ? Outcome::Loaded : Outcome::Failed;
    }
    Outcome validate()
    {
        QSignalSpy finished(&listing->validator(), &ListingValidator::finished);
        control<QAbstractButton>(listing, "validate")->click();
        if (!endsWithin(finished))
            return Outcome::Stuck;
        return listing->listing().nseResult() == NewListing::NsePassed ? Outcome::Loaded
                                                                       : Outcome::Failed;
    }

    // The portfolio's lots ride on the refresh with the watch list's stocks.
    void openPortfolio()
    {
        bed.program->bar().button("profile")->click();
        QVERIFY(bed.refreshOnce());
        bed.ctx->refresh.setTimeoutMs(TimeoutMs);
        bed.ctx->refresh.setDeadlineMs(DeadlineMs);
    }
    void openChart()
    {
        chart =
            openHistoricalChart(*bed.ctx, &bed.program->bar(), "Infosys Limited", "NSE", "INFY");
        chart->setImageBounds(TimeoutMs, DeadlineMs);
    }
    void openBackfill()
    {
        link()->prepare();
        link()->show();
        link()->backfill().setTimeoutMs(TimeoutMs);
        link()->backfill().setDeadlineMs(DeadlineMs);
    }
    void openFutures()
    {
        bed.program->bar().button("futures")->click();
        futures()->setFetchTimeoutMs(TimeoutMs);
        futures()->setFetchDeadlineMs(DeadlineMs);
    }
    // Reached from the watch list's Add through the company search; the dialog alone here.
    void openListing()
    {
        listing = new NewListingDialog(*bed.ctx, &bed.program->bar());
        listing->show();
        control<QLineEdit>(listing, "companyName")->setText("Wipro Limited");
        control<QLineEdit>(listing, "nseSymbol")->setText("WIPRO");
        listing->validator().setTimeoutMs(TimeoutMs);
    }

    void seed()
    {
        CompanyDatabase seeder("faultmatrix-seed");
        QVERIFY(seeder.open(resolveStoreConfig({}, bed.databaseFile(), {})).ok());
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
                query.exec(QStringLiteral("SELECT * FROM \"%1\" ORDER BY rowid").arg(table));
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

    void setFault(const QString &fault, const QString &scope)
    {
        if (fault == "down")
            bed.sim.stop();
        else
            QVERIFY(simControl(bed.sim.port(), "fault=" + fault + "&short-lines=0&" + scope));
    }
    void clearFault(const QString &fault)
    {
        if (fault == "down")
            QVERIFY2(bed.sim.restart(), qPrintable(bed.sim.errorText()));
        else
            QVERIFY(simControl(bed.sim.port(), "fault=none"));
    }
    // The messages shown since mark: each the service's own, none twice.
    void toldAtMostOnce(std::size_t mark, const QStringList &own) const
    {
        QStringList told;
        for (std::size_t i = mark; i < bed.messenger.shown.size(); ++i)
            told << QString::fromStdString(bed.messenger.shown[i]);
        for (const QString &text : told) {
            QVERIFY2(told.count(text) == 1, qPrintable("shown twice: " + text));
            QVERIFY2(std::ranges::any_of(own, [&](const QString &m) { return text.startsWith(m); }),
                     qPrintable("not this service's: " + text));
        }
        qInfo().noquote() << "told:" << (told.isEmpty() ? "nothing" : told.join(" / "));
    }

private slots:
    void initTestCase()
    {
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (bus.isConnected())
            QVERIFY(
                bus.registerObject(ChartBridge::Path, &taker, QDBusConnection::ExportAllSlots) &&
                bus.registerService(ChartBridge::DefaultService));
    }
    void cleanup()
    {
        delete chart;
        delete listing;
        bed.reset();
        bed.sim.stop();
        QFile::remove(bed.databaseFile());
    }

    void serviceUnderFault_data()
    {
        QTest::addColumn<QString>("service");
        QTest::addColumn<QString>("fault");
        for (const QString &service : services().keys())
            for (const char *fault :
                 {"down", "hang", "http500", "drop", "short", "garbage", "longline", "trickle"})
                QTest::addRow("%s %s", qPrintable(service), fault) << service << fault;
    }
    void serviceUnderFault()
    {
        QFETCH(QString, service);
        QFETCH(QString, fault);
        const Service &s = services()[service];
        if (service == "chart data" && !QDBusConnection::sessionBus().isConnected())
            QSKIP("no session bus here for the charting program");
        seed();
        const QStringList stored = storedRows();
        QCOMPARE(stored.first(), QStringLiteral("ok"));
        QCOMPARE(stored.filter(QRegularExpression("^(SelectedComp2Watch|TRADES|SelectedFuture)\\|"))
                     .size(),
                 4); // the user's own rows are among what is read back
        QVERIFY2(bed.startSim(), qPrintable(bed.sim.errorText()));
        bed.makeProgram();
        QVERIFY(bed.openDatabase());
        bed.ctx->services.chartData = bed.sim.url();
        bed.program->start(false);
        // Refreshes come when the test says: a tick is the quotes' action here.
        bed.ctx->refresh.stopTimer();
        QVERIFY(bed.refreshOnce());
        s.open(*this);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(s.act(*this), Outcome::Loaded);
        const std::size_t mark = bed.messenger.shown.size();

        setFault(fault, s.scope);
        if (QTest::currentTestFailed())
            return;
        StallWatch stalls;
        const Outcome during = s.act(*this);
        const qint64 stall = stalls.maxStallMs();
        QVERIFY(during != Outcome::Stuck);
        if (s.loadsDespite.contains(fault))
            QCOMPARE(during, Outcome::Loaded);
        QVERIFY2(stall < StallBoundMs, qPrintable(QStringLiteral("stalled %1 ms").arg(stall)));
        toldAtMostOnce(mark, s.messages);
        qInfo().noquote() << (during == Outcome::Loaded ? "loaded" : "failed")
                          << "with stalls up to" << stall << "ms";
        clearFault(fault);
        if (QTest::currentTestFailed())
            return;

        const std::size_t recovered = bed.messenger.shown.size();
        QCOMPARE(s.act(*this), Outcome::Loaded);
        QCOMPARE(bed.messenger.shown.size(), recovered);

        delete chart;
        delete listing;
        bed.reset(); // read back with the program gone
        QCOMPARE(storedRows(), stored);
    }
};

const QMap<QString, FaultMatrixTest::Service> &FaultMatrixTest::services()
{
    using T = FaultMatrixTest;
    const QStringList exchange{FuturesFetch::ContractProblem, FuturesFetch::StatsProblem,
                               FuturesFetch::UnreadableContracts, FuturesFetch::UnreadableStats};
    static const QMap<QString, Service> all{
        {"quotes",
         {"fault-path=/d/quotes.csv",
          &T::openPortfolio,
          &T::refresh,
          {RefreshCycle::ShortReplyWarning}}},
        {"chart images",
         {"fault-path=/z", &T::openChart, &T::loadChart, {HistoricalChartPanel::RangeFailed}}},
        // A backfill cut off goes on with the lines read so far.
        {"chart data",
         {"fault-path=/instrument",
          &T::openBackfill,
          &T::backfill,
          {ChartFeed::DllMessage},
          {"drop"}}},
        // The exchange's pages: each stock's contracts, and the day's statistics.
        {"exchange pages", {"fault-path=/marketinfo", &T::openFutures, &T::fetchFutures, exchange}},
        {"exchange statistics",
         {"fault-path=/content", &T::openFutures, &T::fetchFutures, exchange}},
        // The lookup page itself is read by the user's browser, never by the program: what the
        // program asks of the network there is the new listing's check of its symbols.
        {"symbol lookup",
         {"fault-symbol=WIPRO.NS",
          &T::openListing,
          &T::validate,
          {NewListing::InternetErrorMessage}}},
    };
    return all;
}

QTEST_MAIN(FaultMatrixTest)
#include "faultmatrix_test.moc"
