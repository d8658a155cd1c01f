#include "gui/shell/splashscreen.h"
#include "support/guibed.h"

#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QSystemTrayIcon>
#include <QTableView>
#include <QTest>

// The main bar on the offscreen platform, refreshed by a simulator of its own.
class MainBarTest : public QObject
{
    Q_OBJECT
    GuiBed bed;
    std::unique_ptr<MainBar> bar;

    QAbstractItemModel *rows() const { return list()->model(); }
    QTableView *list() const { return bar->findChild<QTableView *>("indexList"); }
    QString cell(int row, int column) const { return rows()->index(row, column).data().toString(); }
    double number(int row, int column) const { return cell(row, column).remove(',').toDouble(); }
    QColor colour(int row, int column, int role = Qt::BackgroundRole) const
    {
        return rows()->index(row, column).data(role).value<QBrush>().color();
    }
    bool dotShown(const char *name) const { return bar->findChild<QLabel *>(name)->isVisible(); }
    void doubleClick(int row, int column)
    {
        const QRect where = list()->visualRect(rows()->index(row, column));
        QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, where.center());
    }

private slots:
    void init()
    {
        QVERIFY2(bed.startSim(), qPrintable(bed.sim.errorText()));
        bar = std::make_unique<MainBar>(bed.context());
    }
    void cleanup()
    {
        bar.reset();
        bed.reset();
        bed.sim.stop();
    }

    void presetsUseTheGivenScreenAndTaskbar()
    {
        bar->setScreenOverride(ScreenRect{0, 0, 1920, 1080}, 40);
        const int right = 1920 - bar->width(), centre = 960 - bar->width() / 2;
        const int bottom = 1080 - 40 - bar->height(); // on the taskbar's top edge
        for (const auto &[preset, where] : {std::pair{BarPreset::TopLeft, QPoint(0, 0)},
                                            {BarPreset::TopRight, QPoint(right, 0)},
                                            {BarPreset::BottomLeft, QPoint(0, bottom)},
                                            {BarPreset::BottomRight, QPoint(right, bottom)},
                                            {BarPreset::TopCenter, QPoint(centre, 0)},
                                            {BarPreset::BottomCenter, QPoint(centre, bottom)}}) {
            bar->place(preset);
            QCOMPARE(bar->pos(), where);
        }
    }

    void menuOnlyInsideTheClientArea()
    {
        bar->startUp(false);
        const QPoint origin = bar->mapToGlobal(QPoint(0, 0));
        QVERIFY(!bar->showMenuAt(origin)); // the border is outside the client area
        QVERIFY(!bar->showMenuAt(origin + QPoint(bar->width() + 5, 5)));
        QVERIFY(bar->findChild<QMenu *>("barMenu") == nullptr);

        // A right click over a control inside the client area reaches the bar's menu.
        QWidget *viewport = list()->viewport();
        QContextMenuEvent onList(QContextMenuEvent::Mouse, QPoint(5, 5),
                                 viewport->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(viewport, &onList);
        auto *menu = bar->findChild<QMenu *>("barMenu");
        QVERIFY(menu);
        QStringList labels;
        for (QAction *a : menu->actions())
            labels << (a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(labels, (QStringList{"Top    Left", "Top    Right", "Bottom Left", "Bottom Right",
                                      "-", "Top    Center", "Bottom Center", "-",
                                      "My Internet Speed", "-", "CLOSE ME!!!"}));
        // The speed entries do nothing to the refresh period.
        for (QAction *a : menu->actions()[8]->menu()->actions())
            a->trigger();
        QCOMPARE(bed.ctx->refresh.periodMs(), 15000);
        menu->close();
    }

    void alwaysOnTopBoxReplacesTheBarAndClosingAsksFirst()
    {
        bar->startUp(false);
        QVERIFY(bar->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        const QPoint where = bar->pos() + QPoint(7, 9);
        bar->move(where);
        bar->findChild<QCheckBox *>("alwaysOnTop")->click();
        QVERIFY(!bar->alwaysOnTop());
        QVERIFY(!bar->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(bar->isVisible());
        QCOMPARE(bar->pos(), where); // re-placed where it stands; the panels follow (panels test)

        QSignalSpy closing(bar.get(), &MainBar::closing);
        bed.messenger.setNextAnswer(false);
        bar->button("close")->click();
        QCOMPARE(bed.messenger.shown.back(), std::string(MainBar::CloseQuestion));
        QVERIFY(bar->isVisible());
        QVERIFY(bed.ctx->refresh.timerActive());
        QCOMPARE(closing.count(), 0);

        bed.messenger.setNextAnswer(true);
        bar->button("close")->click();
        QCOMPARE(closing.count(), 1);
        QVERIFY(!bed.ctx->refresh.timerActive());
    }

    void runsWithoutATrayDragsByAnyFreePointAndTheSplashGoesAtAKey()
    {
        bar->startUp(true);
        QCOMPARE(bar->trayIconAdded(), QSystemTrayIcon::isSystemTrayAvailable()); // or none
        QVERIFY(SplashScreen::exists());
        QTest::keyClick(bar.get(), Qt::Key_Space);
        QTRY_VERIFY_WITH_TIMEOUT(!SplashScreen::exists(), 30000);

        const QPoint start = bar->pos();
        const QPoint grip = bar->findChild<QWidget *>("banner")->mapTo(bar.get(), QPoint(20, 10));
        const QPoint to = grip + QPoint(30, 40);
        QTest::mousePress(bar.get(), Qt::LeftButton, {}, grip);
        QMouseEvent move(QEvent::MouseMove, QPointF(to), QPointF(bar->mapToGlobal(to)),
                         Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(bar.get(), &move);
        QTest::mouseRelease(bar.get(), Qt::LeftButton, {}, to);
        QCOMPARE(bar->pos(), start + QPoint(30, 40));
    }

    void rowsStandFromTheStartAndTheFirstRefreshComesAtOnce()
    {
        QSignalSpy started(&bed.ctx->refresh, &RefreshCycle::requestStarted);
        bar->startUp(false);
        QCOMPARE(rows()->rowCount(), 2);
        QCOMPARE(cell(1, 0), QStringLiteral("SENSEX"));
        QVERIFY(list()->isColumnHidden(8)); // the previous price is kept, not shown
        QCOMPARE(bar->findChildren<ColorButton *>().size(), 11);
        QVERIFY(dotShown("redDot"));
        // The first refresh is on its way as soon as events run, not a period later.
        QCoreApplication::processEvents();
        QCOMPARE(started.count(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(dotShown("greenDot"), 30000);
        QVERIFY(!dotShown("redDot"));
        QTRY_VERIFY_WITH_TIMEOUT(cell(0, 1) != QStringLiteral("0.00"), 30000);
        QVERIFY(cell(0, 1).contains(QLatin1Char(',')));
        // The About box's service line.
        QVERIFY(MainBar::serviceLine(*bed.ctx).contains("SIMULATED MARKET"));
        bed.ctx->services.simulated = false;
        QVERIFY(!MainBar::serviceLine(*bed.ctx).contains("SIMULATED"));
        QVERIFY(MainBar::serviceLine(*bed.ctx).contains(QString::fromStdString(bed.sim.url())));
        // A live run says where its prices come from now, and follows the gateway's label.
        bed.ctx->services.live = true;
        bar->setLiveLabel(QStringLiteral("END OF DAY 6/26/2023"));
        QVERIFY(MainBar::serviceLine(*bed.ctx).startsWith("Quotes: END OF DAY 6/26/2023 at 127."));
        QVERIFY(MainBar::trayTip(*bed.ctx).endsWith("\nEND OF DAY 6/26/2023"));
        if (bar->trayIcon())
            QCOMPARE(bar->trayIcon()->toolTip(), MainBar::trayTip(*bed.ctx));
    }

    void currentPriceIsBlackFirstThenComparedWithThePrevious()
    {
        QVERIFY(bed.refreshOnce());
        QCOMPARE(colour(0, 1), QColor(0, 0, 0));
        QCOMPARE(colour(1, 1), QColor(0, 0, 0));
        QCOMPARE(colour(1, 1, Qt::ForegroundRole), QColor(255, 255, 255));
        QVERIFY(bed.refreshOnce()); // the simulated clock stands still: the same price
        QCOMPARE(colour(0, 1), QColor(0, 0, 255));
        QCOMPARE(cell(0, 8), cell(0, 1)); // the previous refresh's price, kept hidden
        QVERIFY(simControl(bed.sim.port(), "advance=900"));
        QVERIFY(bed.refreshOnce());
        const double now = number(0, 1), before = number(0, 8);
        QVERIFY(now != before);
        QCOMPARE(colour(0, 1), now > before ? QColor(0, 255, 0) : QColor(255, 0, 0));
        QCOMPARE(colour(0, 1, Qt::ForegroundRole),
                 now > before ? QColor(0, 0, 0) : QColor(255, 255, 255));
    }

    // What the bar shows under each fault of the service is the fault matrix's.
    void chartsWhileConnectedAndRefusedOffline()
    {
        bar->show();
        QVERIFY(bed.refreshOnce());
        QSignalSpy charts(bar.get(), &MainBar::chartRequested);
        doubleClick(1, 2);
        QCOMPARE(charts.count(), 1);
        QCOMPARE(charts.first().at(0).toString(), QStringLiteral("SENSEX"));
        QCOMPARE(charts.first().at(2).toString(), QStringLiteral("^BSESN"));

        bed.sim.stop();
        QVERIFY(!bed.refreshOnce());
        doubleClick(0, 1);
        QCOMPARE(bed.messenger.shown.back(),
                 std::string("Sorry!!!There is no internet connection detected"));
        QCOMPARE(charts.count(), 1);
    }
};

QTEST_MAIN(MainBarTest)
#include "mainbar_test.moc"
