#include "core/common/clock.h"
#include "gui/controls/colorbutton.h"
#include "gui/shell/appcontext.h"
#include "gui/shell/mainbar.h"
#include "gui/shell/splashscreen.h"
#include "support/recordingmessenger.h"

#include <QCheckBox>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTableView>
#include <QTest>

class MainBarTest : public QObject
{
    Q_OBJECT
    RecordingMessenger messenger;
    FixedClock clock{makeLocalTime(2026, 12, 4, 11, 0, 0)};

    std::unique_ptr<AppContext> context()
    {
        ServiceUrls none; // a refresh against nothing fails quietly
        none.quote = "http://127.0.0.1:9";
        return std::make_unique<AppContext>(none, messenger, clock);
    }

private slots:
    void init() { messenger = RecordingMessenger(); }

    void presetsUseTheGivenScreenAndTaskbar()
    {
        auto ctx = context();
        MainBar bar(*ctx);
        bar.setScreenOverride(ScreenRect{0, 0, 1920, 1080}, 40);
        bar.place(BarPreset::BottomLeft);
        QCOMPARE(bar.pos(), QPoint(0, 1080 - 40 - bar.height()));
        bar.place(BarPreset::TopCenter);
        QCOMPARE(bar.pos(), QPoint(960 - bar.width() / 2, 0));
        bar.place(BarPreset::BottomRight);
        QCOMPARE(bar.pos(), QPoint(1920 - bar.width(), 1040 - bar.height()));
    }

    void menuOnlyInsideTheClientArea()
    {
        auto ctx = context();
        MainBar bar(*ctx);
        bar.startUp(false);
        const QPoint origin = bar.mapToGlobal(QPoint(0, 0));
        QVERIFY(!bar.showMenuAt(origin)); // the border is outside the client area
        QVERIFY(!bar.showMenuAt(origin + QPoint(bar.width() + 5, 5)));
        QVERIFY(bar.findChild<QMenu *>(QStringLiteral("barMenu")) == nullptr);

        // A right click over a control inside the client area reaches the bar's menu.
        QWidget *list = bar.findChild<QTableView *>(QStringLiteral("indexList"))->viewport();
        QContextMenuEvent onList(QContextMenuEvent::Mouse, QPoint(5, 5), list->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(list, &onList);
        auto *menu = bar.findChild<QMenu *>(QStringLiteral("barMenu"));
        QVERIFY(menu);
        QStringList labels;
        for (QAction *a : menu->actions())
            labels << (a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(labels, (QStringList{"Top    Left", "Top    Right", "Bottom Left", "Bottom Right", "-", "Top    Center",
                                      "Bottom Center", "-", "My Internet Speed", "-", "CLOSE ME!!!"}));
        // The speed entries do nothing to the refresh period.
        for (QAction *a : menu->actions()[8]->menu()->actions())
            a->trigger();
        QCOMPARE(ctx->refresh.periodMs(), 15000);
        menu->close();
    }

    void alwaysOnTopBoxReplacesAndTellsThePanels()
    {
        auto ctx = context();
        MainBar bar(*ctx);
        bar.startUp(false);
        QVERIFY(bar.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        const QPoint where = bar.pos() + QPoint(7, 9);
        bar.move(where);
        QSignalSpy placed(&bar, &MainBar::placed);
        bar.findChild<QCheckBox *>(QStringLiteral("alwaysOnTop"))->click();
        QVERIFY(!bar.alwaysOnTop());
        QVERIFY(!bar.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(bar.isVisible());
        QCOMPARE(bar.pos(), where); // re-placed where it stands
        QVERIFY(!placed.isEmpty());
        QCOMPARE(placed.last().at(0).toBool(), false);
    }

    void closingAsksFirst()
    {
        auto ctx = context();
        MainBar bar(*ctx);
        bar.startUp(false);
        QSignalSpy closing(&bar, &MainBar::closing);
        messenger.setNextAnswer(false);
        bar.button("close")->click();
        QCOMPARE(messenger.shown.back(), std::string(MainBar::CloseQuestion));
        QVERIFY(bar.isVisible());
        QVERIFY(ctx->refresh.timerActive());
        QCOMPARE(closing.count(), 0);

        messenger.setNextAnswer(true);
        bar.button("close")->click();
        QCOMPARE(closing.count(), 1);
        QVERIFY(!ctx->refresh.timerActive());
    }

    void runsWithoutATrayAndHidesWithItsPanels()
    {
        auto ctx = context();
        MainBar bar(*ctx);
        bar.startUp(false);
        QCOMPARE(bar.trayIconAdded(), QSystemTrayIcon::isSystemTrayAvailable());
        QSignalSpy shown(&bar, &MainBar::shownWithPanels);
        bar.toggleTray();
        QVERIFY(bar.hiddenInTray());
        QVERIFY(!bar.isVisible());
        bar.toggleTray();
        QVERIFY(bar.isVisible());
        QCOMPARE(shown.count(), 2);
        QCOMPARE(shown.at(0).at(0).toBool(), false);
        QCOMPARE(shown.at(1).at(0).toBool(), true);
    }

    void dragsByAnyFreePoint()
    {
        auto ctx = context();
        MainBar bar(*ctx);
        bar.startUp(false);
        const QPoint start = bar.pos();
        QWidget *banner = bar.findChild<QWidget *>(QStringLiteral("banner"));
        const QPoint grip = banner->mapTo(&bar, QPoint(20, 10));
        QTest::mousePress(&bar, Qt::LeftButton, {}, grip);
        QMouseEvent move(QEvent::MouseMove, QPointF(grip + QPoint(30, 40)), QPointF(bar.mapToGlobal(grip + QPoint(30, 40))),
                         Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(&bar, &move);
        QTest::mouseRelease(&bar, Qt::LeftButton, {}, grip + QPoint(30, 40));
        QCOMPARE(bar.pos(), start + QPoint(30, 40));
    }

    void splashGoesAtTheFirstKeyOrClick()
    {
        auto ctx = context();
        MainBar bar(*ctx);
        bar.startUp(true);
        QVERIFY(SplashScreen::exists());
        QTest::keyClick(&bar, Qt::Key_Space);
        QTRY_VERIFY(!SplashScreen::exists());
    }

    void controlsCarryTheirTextsAndTips()
    {
        auto ctx = context();
        MainBar bar(*ctx);
        QCOMPARE(bar.button("liveChart")->text(), QStringLiteral("Live Chart"));
        QCOMPARE(bar.button("futures")->toolTip(), QStringLiteral("FUTURE contracts"));
        QCOMPARE(bar.button("tickerBar")->text(), QStringLiteral("Ticker Bar"));
        QCOMPARE(bar.findChildren<CColorButton *>().size(), 11);
        auto *list = bar.findChild<QTableView *>(QStringLiteral("indexList"));
        QCOMPARE(list->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral(" Index"));
        QCOMPARE(list->model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Date    "));
        QVERIFY(list->isColumnHidden(8));
    }
};

QTEST_MAIN(MainBarTest)
#include "mainbar_test.moc"
