#include "core/common/clock.h"
#include "gui/controls/colorbutton.h"
#include "gui/controls/stocklist.h"
#include "gui/market/indexpanelbase.h"
#include "gui/market/worldpanel.h"
#include "gui/shell/appcontext.h"
#include "gui/shell/mainbar.h"
#include "gui/shell/panelhost.h"
#include "gui/shell/program.h"
#include "support/recordingmessenger.h"
#include "support/simcontrol.h"
#include "support/testsim.h"

#include <QLabel>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

// The indices and world panels on the main refresh, against a real simulator.
class MarketPanelsTest : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;
    TestSim sim;
    RecordingMessenger messenger;
    FixedClock clock{makeLocalTime(2026, 12, 4, 11, 0, 0)};
    std::unique_ptr<AppContext> ctx;
    std::unique_ptr<Program> program;

    QString log() const { return dir.filePath(QStringLiteral("access.log")); }
    bool refreshOnce()
    {
        QSignalSpy applied(&ctx->refresh, &RefreshCycle::replyApplied);
        if (ctx->refresh.inProgress()) {
            QSignalSpy result(&ctx->refresh, &RefreshCycle::resultArrived);
            result.wait(10000);
        }
        ctx->refresh.start();
        return applied.wait(10000);
    }
private slots:
    void init()
    {
        QFile::remove(log());
        QVERIFY2(sim.startWith({QStringLiteral("--access-log"), log()}), qPrintable(sim.errorText()));
        ServiceUrls services;
        services.quote = services.chart = sim.url();
        ctx = std::make_unique<AppContext>(services, messenger, clock);
        program = std::make_unique<Program>(*ctx);
        program->bar().show();
    }
    void cleanup()
    {
        program.reset();
        ctx.reset();
        sim.stop();
    }

    void requestCarriesThePanelSymbolsOnlyWhileTheyExist()
    {
        program->bar().button("world")->click(); // creating the panel starts a refresh
        QTRY_COMPARE_WITH_TIMEOUT(quoteRequests(log()).size(), 1, 5000);
        QTRY_VERIFY_WITH_TIMEOUT(!ctx->refresh.inProgress(), 5000); // a press during a fetch starts nothing
        program->bar().button("indices")->click();
        QTRY_COMPARE_WITH_TIMEOUT(quoteRequests(log()).size(), 2, 5000);
        const QString both = quoteRequests(log()).last();
        QVERIFY(both.contains(QStringLiteral("USDINR=X,%5EDJI,%5EIXIC,%5EGSPC,%5EFTSE%20,%5EGDAXI,")));
        QVERIFY(both.contains(QStringLiteral(",WIT,%5ENSED,%5ENSMIDCP,")));
        QVERIFY(both.contains(QStringLiteral(",%5ECNXIT,BSE-AUTO.BO,")));
        QVERIFY(both.endsWith(QStringLiteral("BSE-OILGAS.BO&f=sl1d1t1c1ohgvjk")));
        QCOMPARE(both.count(QLatin1Char(',')), 2 + 26 + 22);

        auto *world = program->panels().panel(PanelKind::World);
        world->findChild<QPushButton *>(QStringLiteral("close1046"))->click();
        QTRY_VERIFY(!program->panels().panel(PanelKind::World));
        QVERIFY(refreshOnce());
        const QString indicesOnly = quoteRequests(log()).last();
        QVERIFY(!indicesOnly.contains(QStringLiteral("DJI")));
        QVERIFY(indicesOnly.startsWith(QStringLiteral("/d/quotes.csv?s=%5ENSEI,%5EBSESN,USDINR=X,%5ENSED,")));
        QVERIFY(messenger.shown.empty());
    }

    void rowsColoursAndTheDollarLineAfterARefresh()
    {
        program->bar().button("world")->click();
        auto *world = static_cast<WorldPanel *>(program->panels().panel(PanelKind::World));
        QCOMPARE(world->upperList()->model()->rowCount(), 15);
        QCOMPARE(world->upperList()->model()->index(0, 2).data().toString(), QStringLiteral("0.00"));
        QCOMPARE(world->findChild<QLabel *>(QStringLiteral("label1051"))->text(), QStringLiteral("0.000"));
        QVERIFY(refreshOnce());
        QAbstractItemModel *m = world->upperList()->model();
        QCOMPARE(m->index(0, 0).data().toString(), QStringLiteral("Dow (DJIA)"));
        QVERIFY(m->index(0, 2).data().toString().contains(QLatin1Char(',')));
        QVERIFY(!m->index(0, 3).data().toString().isEmpty());
        for (int r = 0; r < m->rowCount(); ++r) {
            const double change = m->index(r, 4).data().toString().remove(QLatin1Char(',')).toDouble();
            const QColor expected = change < 0 ? QColor(255, 0, 0) : change == 0 ? QColor(0, 0, 255) : QColor(0, 128, 0);
            for (int c : {2, 4, 5})
                QCOMPARE(m->index(r, c).data(Qt::ForegroundRole).value<QBrush>().color(), expected);
            QCOMPARE(m->index(r, 6).data(Qt::ForegroundRole).value<QBrush>().color(), QColor(0, 0, 0));
        }
        QCOMPARE(world->lowerList()->model()->rowCount(), 11);
        const QString dollar = world->findChild<QLabel *>(QStringLiteral("label1051"))->text();
        QVERIFY(dollar.contains(QRegularExpression(QStringLiteral("^[0-9]{2}\\.[0-9]{3}$"))));
        QCOMPARE(WorldPanel::formatDollar(48.5), QStringLiteral("48.500"));
    }

    void doubleClickOpensTheIndexChartWithoutSuffix()
    {
        program->bar().button("indices")->click();
        auto *indices = static_cast<IndexPanelBase *>(program->panels().panel(PanelKind::Indices));
        QTableView *nse = indices->upperList();
        QTest::mouseDClick(nse->viewport(), Qt::LeftButton, {}, nse->visualRect(nse->model()->index(4, 0)).center());
        QCOMPARE(messenger.shown.back(), std::string("Sorry!!!There is no internet connection detected"));
        QVERIFY(refreshOnce());
        QTest::mouseDClick(nse->viewport(), Qt::LeftButton, {}, nse->visualRect(nse->model()->index(4, 0)).center());
        QTRY_VERIFY_WITH_TIMEOUT(quoteRequests(log()).last().contains(QStringLiteral("s=%5ENSEBANK&f=w")), 5000);
    }
};

QTEST_MAIN(MarketPanelsTest)
#include "marketpanels_test.moc"
