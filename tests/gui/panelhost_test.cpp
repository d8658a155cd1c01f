#include "core/common/clock.h"
#include "gui/controls/colorbutton.h"
#include "gui/market/indexpanelbase.h"
#include "gui/shell/appcontext.h"
#include "gui/shell/dockedpanel.h"
#include "gui/shell/mainbar.h"
#include "gui/shell/panelhost.h"
#include "gui/shell/program.h"
#include "support/recordingmessenger.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

class PanelHostTest : public QObject
{
    Q_OBJECT
    RecordingMessenger messenger;
    FixedClock clock{makeLocalTime(2026, 12, 4, 11, 0, 0)};
    std::unique_ptr<AppContext> ctx;
    std::unique_ptr<Program> program;

    PanelHost &host() { return program->panels(); }
    MainBar &bar() { return program->bar(); }
    QPoint underBar() { return bar().frameGeometry().bottomLeft() + QPoint(0, 1); }

private slots:
    void init()
    {
        messenger = RecordingMessenger();
        ServiceUrls dead;
        dead.quote = dead.chart = "http://127.0.0.1:9";
        ctx = std::make_unique<AppContext>(dead, messenger, clock);
        program = std::make_unique<Program>(*ctx);
        bar().show();
    }
    void cleanup()
    {
        program.reset();
        ctx.reset();
    }

    void panelsDockUnderTheBarAndFollowIt()
    {
        bar().button("indices")->click();
        DockedPanel *panel = host().panel(PanelKind::Indices);
        QVERIFY(panel && panel->isVisible());
        QCOMPARE(panel->pos(), underBar());
        QCOMPARE(panel->width(), bar().width());
        bar().move(bar().pos() + QPoint(40, 25));
        QCOMPARE(panel->pos(), underBar());
    }

    void oneVisibleAtATimeAndASecondPressHides()
    {
        bar().button("world")->click();
        DockedPanel *world = host().panel(PanelKind::World);
        bar().button("indices")->click();
        QVERIFY(!world->isVisible());
        QVERIFY(!host().visibleFlag(PanelKind::World));
        QVERIFY(host().panel(PanelKind::Indices)->isVisible());

        auto *indices = static_cast<IndexPanelBase *>(host().panel(PanelKind::Indices));
        const_cast<QuoteRecord &>(indices->quotes().record(0)).last = 321; // data the panel holds
        bar().button("indices")->click();
        QVERIFY(!indices->isVisible());
        bar().button("indices")->click();
        QCOMPARE(host().panel(PanelKind::Indices), indices);
        QVERIFY(indices->isVisible());
        QCOMPARE(indices->quotes().record(0).last, 321.0);
    }

    void closingWithXThenPressingMakesANewPanelAndRefreshes()
    {
        bar().button("world")->click();
        QPointer<DockedPanel> first = host().panel(PanelKind::World);
        QVERIFY(ctx->registry.has(GroupSlot::World));
        QTRY_VERIFY(!ctx->refresh.inProgress());
        first->findChild<QPushButton *>(QStringLiteral("close1046"))->click();
        QTRY_VERIFY(first.isNull());
        QVERIFY(!host().visibleFlag(PanelKind::World));
        QVERIFY(!ctx->registry.has(GroupSlot::World));

        QSignalSpy started(&ctx->refresh, &RefreshCycle::requestStarted);
        bar().button("world")->click();
        QVERIFY(host().panel(PanelKind::World));
        QCOMPARE(started.count(), 1);
        QVERIFY(started.first().first().toString().contains(QStringLiteral("^DJI")));
    }

    void trayRestoresExactlyTheVisiblePanels()
    {
        bar().button("indices")->click();
        bar().button("world")->click();
        bar().toggleTray();
        QVERIFY(!host().panel(PanelKind::World)->isVisible());
        QVERIFY(host().visibleFlag(PanelKind::World));
        bar().toggleTray();
        QVERIFY(host().panel(PanelKind::World)->isVisible());
        QVERIFY(!host().panel(PanelKind::Indices)->isVisible());
    }

    void alwaysOnTopOffRedocksPanelsAsNormalWindows()
    {
        bar().button("indices")->click();
        DockedPanel *panel = host().panel(PanelKind::Indices);
        QVERIFY(panel->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        bar().setAlwaysOnTop(false);
        QVERIFY(!panel->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(panel->isVisible());
        QCOMPARE(panel->pos(), underBar());
    }

    void liveChartChecksTheClockThenTheSwitches()
    {
        QSignalSpy wanted(&host(), &PanelHost::liveChartWanted);
        clock.set(makeLocalTime(2026, 12, 4, 15, 30, 1));
        bar().button("liveChart")->click();
        QCOMPARE(messenger.shown.back(), std::string(PanelHost::MarketClosed));
        clock.set(makeLocalTime(2026, 12, 5, 11, 0, 0)); // a Saturday
        bar().button("liveChart")->click();
        QCOMPARE(messenger.shown.back(), std::string(PanelHost::MarketClosed));
        clock.set(makeLocalTime(2026, 12, 4, 9, 55, 0));
        bar().button("liveChart")->click();
        QCOMPARE(messenger.shown.back(), std::string(PanelHost::CheckSwitches));
        host().setLiveChartSwitches([] { return true; });
        bar().button("liveChart")->click();
        QCOMPARE(wanted.count(), 1);
        QCOMPARE(messenger.shown.size(), std::size_t(3));
    }

    void newPanelsTakeTheBarsConnectedFlag()
    {
        bar().button("indices")->click();
        QVERIFY(!host().panel(PanelKind::Indices)->connected());
        QTRY_VERIFY(!ctx->refresh.inProgress());
        emit ctx->refresh.resultArrived(true);
        QVERIFY(host().panel(PanelKind::Indices)->connected());
    }
};

QTEST_MAIN(PanelHostTest)
#include "panelhost_test.moc"
