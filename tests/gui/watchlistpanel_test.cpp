#include "core/common/clock.h"
#include "core/store/watchsearchform.h"
#include "core/watch/watchexport.h"
#include "gui/controls/colorbutton.h"
#include "gui/controls/exportnamedialog.h"
#include "gui/shell/appcontext.h"
#include "gui/shell/mainbar.h"
#include "gui/shell/panelhost.h"
#include "gui/shell/program.h"
#include "gui/watch/alerthelpdialog.h"
#include "gui/watch/alertlimitsdialog.h"
#include "gui/watch/watchlistmodel.h"
#include "gui/watch/watchlistpanel.h"
#include "support/recordingmessenger.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

// The watch list panel inside the real program, on a real database file, without quotes
// from outside: the tests put the quotes in themselves.
class WatchListPanelTest : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;
    RecordingMessenger messenger;
    FixedClock clock{makeLocalTime(2026, 12, 4, 18, 0, 0)};
    std::unique_ptr<AppContext> ctx;
    std::unique_ptr<Program> program;
    std::vector<WatchRow> chosen; // what the stand-in search dialog hands back, in turn
    int chooserCalls = 0;
    bool timerRanDuringDialog = false;

    StoreConfig config() const
    {
        StoreConfig c;
        c.databaseFile = dir.filePath(QStringLiteral("CompanyList.sqlite"));
        return c;
    }
    WatchListPanel *panel() const { return program->watchList(); }
    WatchList &list() const { return panel()->list(); }
    QPushButton *button(const char *name) const
    {
        return panel()->findChild<QPushButton *>(QLatin1String(name));
    }
    QCheckBox *box(const char *name) const
    {
        return panel()->findChild<QCheckBox *>(QLatin1String(name));
    }
    std::vector<std::string> order() const
    {
        std::vector<std::string> out;
        for (const WatchRow &e : list().entries())
            out.push_back(e.symbol);
        return out;
    }
    // What another program reading the same file sees, now.
    std::vector<WatchRow> tableSeenElsewhere() const
    {
        CompanyDatabase other(QStringLiteral("watch-test-reader"));
        if (!other.open(config()))
            return {};
        return other.watchList().load().value();
    }
    void startProgram()
    {
        ServiceUrls dead;
        dead.quote = dead.chart = "http://127.0.0.1:9";
        ctx = std::make_unique<AppContext>(dead, messenger, clock);
        ctx->dataRoot = dir.filePath(QStringLiteral("data"));
        QVERIFY(ctx->database.open(config()).ok());
        program = std::make_unique<Program>(*ctx);
        program->start(false);
        QVERIFY(panel());
        new QAbstractItemModelTester(
            panel()->model(), QAbstractItemModelTester::FailureReportingMode::QtTest, panel());
        panel()->setCompanyChooser([this](QWidget *) -> std::optional<WatchRow> {
            ++chooserCalls;
            timerRanDuringDialog = ctx->refresh.timerActive();
            if (chosen.empty())
                return std::nullopt;
            WatchRow next = chosen.front();
            chosen.erase(chosen.begin());
            return next;
        });
    }
    void select(std::initializer_list<int> rows)
    {
        QItemSelectionModel *s = panel()->listView()->selectionModel();
        s->clearSelection();
        for (int r : rows)
            s->select(panel()->model()->index(r, 0),
                      QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    void price(const char *quoteSymbol, double last)
    {
        const auto &symbols = list().quoteSymbols();
        const auto at = std::find(symbols.begin(), symbols.end(), quoteSymbol) - symbols.begin();
        list().quoteTarget(std::size_t(at), quoteSymbol)->last = last;
    }
    // Runs f on the modal dialog of type D as soon as it is open.
    template <typename D> void whenOpen(std::function<void(D *)> f)
    {
        QTimer::singleShot(0, this, [this, f] {
            auto *dialog = qobject_cast<D *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            timerRanDuringDialog = ctx->refresh.timerActive();
            f(dialog);
        });
    }

private slots:
    void init()
    {
        messenger = RecordingMessenger();
        chosen.clear();
        chooserCalls = 0;
        CompanyDatabase seed(QStringLiteral("watch-test-seed"));
        QVERIFY(seed.open(config()).ok());
        QVERIFY(seed.watchList()
                    .save({{"Infosys Limited", "NSE", "INFY"},
                           {"Reliance Industries", "BSE", "500325"},
                           {"Dr. Reddy's Laboratories, Ltd", "NSE", "DRREDDY", 1, 5000, 6200.25}})
                    .ok());
        seed.close();
        startProgram();
    }
    void cleanup()
    {
        program.reset();
        ctx.reset();
        QFile::remove(config().databaseFile);
    }

    void madeHiddenAtStartWithTheTableAndItsSymbolsInTheRequest()
    {
        QVERIFY(!panel()->isVisible());
        QCOMPARE(program->panels().panel(PanelKind::WatchList), panel());
        QVERIFY(!program->panels().visibleFlag(PanelKind::WatchList));
        QCOMPARE(panel()->model()->rowCount(), 3);
        QCOMPARE(panel()->model()->index(2, 0).data().toString(),
                 QStringLiteral("Dr. Reddy's Laboratories, Ltd"));
        QCOMPARE(panel()->model()->index(2, 14).data().toString(), QStringLiteral("6,200.25"));
        QVERIFY(QString::fromStdString(ctx->registry.plan("").url)
                    .contains(QStringLiteral("USDINR=X,INFY.NS,500325.BO,DRREDDY.NS&")));

        QHeaderView *header = panel()->listView()->horizontalHeader();
        QCOMPARE(header->sectionSize(0), 125);
        for (int hidden : {2, 10, 11, 12, 13, 14, 15, 16, 17})
            QVERIFY(panel()->listView()->isColumnHidden(hidden));

        program->bar().button("watchlist")->click();
        QVERIFY(panel()->isVisible());
        QCOMPARE(panel()->pos(), program->bar().frameGeometry().bottomLeft() + QPoint(0, 1));
        button("close1016")->click();
        QVERIFY(!panel()->isVisible());
        QVERIFY(!program->panels().visibleFlag(PanelKind::WatchList));
        QCOMPARE(program->panels().panel(PanelKind::WatchList), panel()); // X only hides it
    }

    void addGoesThroughTheChooserAndReachesTheTableAtOnce()
    {
        chosen = {{"Tata Consultancy Services", "NSE", "TCS"}, {"Infosys (BSE)", "BSE", "INFY"}};
        button("add1022")->click();
        QVERIFY(!timerRanDuringDialog);
        QVERIFY(ctx->refresh.timerActive());
        QCOMPARE(panel()->model()->rowCount(), 4);
        QCOMPARE(tableSeenElsewhere().back().symbol, std::string("TCS"));
        button("add1022")->click();
        QCOMPARE(messenger.shown.back(), std::string(WatchList::DuplicateMessage));
        while (list().count() < WatchList::AddButtonLimit)
            panel()->addEntry({"Company", "NSE", "C" + std::to_string(list().count())});
        button("add1022")->click();
        QCOMPARE(messenger.shown.back(), std::string(WatchList::AddButtonFullMessage));
        QCOMPARE(chooserCalls, 2);
    }

    void deleteRemovesEverySelectedRow()
    {
        button("delete1023")->click();
        QCOMPARE(messenger.shown.back(), std::string(WatchList::NoDeleteSelection));
        price("DRREDDY.NS", 5500);
        panel()->refresh();
        select({0, 1});
        button("delete1023")->click();
        QCOMPARE(order(), std::vector<std::string>{"DRREDDY"});
        QCOMPARE(panel()->model()->index(0, 3).data().toString(), QStringLiteral("5,500.00"));
        QCOMPARE(tableSeenElsewhere().size(), std::size_t(1));
    }

    void headerClicksSortUnlessDataIsBeingLogged()
    {
        price("INFY.NS", 1500);
        price("500325.BO", 2450);
        price("DRREDDY.NS", 5500.5);
        panel()->refresh();
        QHeaderView *header = panel()->listView()->horizontalHeader();
        const auto clickHeader = [header](int section) {
            QTest::mouseClick(
                header->viewport(), Qt::LeftButton, {},
                QPoint(header->sectionViewportPosition(section) + 5, header->height() / 2));
        };
        clickHeader(3); // ascending
        clickHeader(3);
        QCOMPARE(order(), (std::vector<std::string>{"DRREDDY", "500325", "INFY"}));
        QCOMPARE(panel()->model()->index(0, 3).data().toString(), QStringLiteral("5,500.50"));
        QCOMPARE(tableSeenElsewhere().front().symbol, std::string("DRREDDY"));

        box("intraday1137")->click();
        clickHeader(0);
        QCOMPARE(messenger.shown.back(), std::string(WatchList::LoggingSortMessage));
        QCOMPARE(order(), (std::vector<std::string>{"DRREDDY", "500325", "INFY"}));
    }

    void setAlertEditsTheLimitsOfTheFirstSelectedStock()
    {
        button("setAlert1025")->click();
        QCOMPARE(messenger.shown.back(), std::string(WatchList::NoAlertSelection));
        price("500325.BO", 2450.5);
        panel()->refresh();
        select({1});
        whenOpen<AlertLimitsDialog>([this](AlertLimitsDialog *d) {
            QCOMPARE(d->findChild<QLabel *>(QStringLiteral("1097"))->text(),
                     QStringLiteral("Reliance Industries"));
            auto *lower = d->findChild<QLineEdit *>(QStringLiteral("1129"));
            auto *upper = d->findChild<QLineEdit *>(QStringLiteral("1128"));
            QCOMPARE(lower->text(), QStringLiteral("2450.5")); // no alert yet: the current price
            QVERIFY(!lower->isEnabled());
            d->findChild<QCheckBox *>(QStringLiteral("1132"))->click();
            QVERIFY(lower->isEnabled() && upper->isEnabled());
            lower->setText(QStringLiteral("2500"));
            upper->setText(QStringLiteral("2500"));
            d->findChild<QPushButton *>(QStringLiteral("ok"))->click();
            QCOMPARE(messenger.shown.back(), std::string(WatchSearchForm::LimitOrderMessage));
            upper->setText(QStringLiteral("10001"));
            d->findChild<QPushButton *>(QStringLiteral("ok"))->click();
            QCOMPARE(messenger.shown.back(), std::string(WatchSearchForm::LimitRangeMessage));
            QVERIFY(d->isVisible());
            upper->setText(QStringLiteral("2600.75"));
            d->findChild<QPushButton *>(QStringLiteral("ok"))->click();
        });
        button("setAlert1025")->click();
        QVERIFY(!timerRanDuringDialog);
        QVERIFY(ctx->refresh.timerActive());
        const WatchRow expected{"Reliance Industries", "BSE", "500325", 1, 2500, 2600.75};
        QCOMPARE(list().entries()[1], expected);
        QCOMPARE(tableSeenElsewhere()[1], expected);
        // Below the new lower limit, the name turns red.
        QCOMPARE(panel()->model()->index(1, 0).data(Qt::BackgroundRole).value<QBrush>().color(),
                 QColor(255, 0, 0));

        select({2});
        whenOpen<AlertLimitsDialog>([](AlertLimitsDialog *d) {
            QCOMPARE(d->findChild<QLineEdit *>(QStringLiteral("1128"))->text(),
                     QStringLiteral("6200.25"));
            d->findChild<QCheckBox *>(QStringLiteral("1132"))->click();
            d->findChild<QPushButton *>(QStringLiteral("ok"))->click();
        });
        button("setAlert1025")->click();
        QCOMPARE(tableSeenElsewhere()[2],
                 (WatchRow{"Dr. Reddy's Laboratories, Ltd", "NSE", "DRREDDY"}));
    }

    void helpOpensAndClosesWithOk()
    {
        whenOpen<AlertHelpDialog>([](AlertHelpDialog *d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("ALERT & Data Logger Help"));
            QCOMPARE(d->findChildren<QLabel *>().size(), 9);
            d->findChild<QPushButton *>(QStringLiteral("ok"))->click();
        });
        button("help1136")->click();
    }

    void exportWritesTheRowsUnderTheDataFolder()
    {
        whenOpen<ExportNameDialog>([](ExportNameDialog *d) {
            d->edit()->setText(QStringLiteral("  my list "));
            d->accept();
        });
        button("export1024")->click();
        const QString path = ctx->dataRoot + QStringLiteral("/WatchListData/my list.csv");
        QCOMPARE(messenger.shown.back(), std::string(watchexport::Exported) + path.toStdString());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QCOMPARE(lines.size(), 5);
        QCOMPARE(
            lines[3],
            QByteArray("Dr. Reddy's Laboratories Ltd,NSE,0.00,0.00,0.00,0.00,0,0.00,0.00,0.00"));

        select({0, 1, 2});
        button("delete1023")->click();
        const std::size_t shown = messenger.shown.size();
        button("export1024")->click(); // no rows: no name is asked for
        QCOMPARE(messenger.shown.size(), shown + 1);
        QCOMPARE(messenger.shown.back(), std::string(watchexport::NoData));
    }

    void theListSurvivesARestartAndDatabaseErrorsAreShown()
    {
        chosen = {{"Wipro Limited", "NSE", "WIPRO"}};
        button("add1022")->click();
        list().setAlert("INFY", 1, 1400, 1600);
        const std::vector<WatchRow> before = list().entries();
        QCOMPARE(tableSeenElsewhere(), before); // a killed program loses nothing

        QSqlQuery(ctx->database.connection().database())
            .exec(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON SelectedComp2Watch WHEN "
                                 "NEW.INDEXNAME = 'TCS' "
                                 "BEGIN SELECT RAISE(ABORT, 'TCS refused by the test'); END"));
        panel()->addEntry({"Tata Consultancy Services", "NSE", "TCS"});
        QCOMPARE(messenger.shown.back(), std::string("TCS refused by the test"));
        QCOMPARE(list().count(), std::size_t(5)); // kept in memory
        QCOMPARE(tableSeenElsewhere(), before);   // the failed save changed nothing
        select({0});
        button("delete1023")->click(); // the window is still usable
        QCOMPARE(list().count(), std::size_t(4));

        QSqlQuery(ctx->database.connection().database())
            .exec(QStringLiteral("DROP TRIGGER refuse"));
        program->bar().closeNow(); // the save at exit writes what the failed saves could not
        program.reset();
        ctx.reset();
        startProgram();
        QCOMPARE(order(), (std::vector<std::string>{"500325", "DRREDDY", "WIPRO", "TCS"}));
    }

    void doubleClickNeedsAConnectionAndTheLiveChartNeedsBothSwitches()
    {
        QTableView *view = panel()->listView();
        const QPoint row0 = view->visualRect(view->model()->index(0, 0)).center();
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, row0);
        QCOMPARE(messenger.shown.back(), std::string(StockListView::NoConnection));
        panel()->setConnected(true);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, row0);
        QWidget *chart = program->bar().findChild<QWidget *>(QStringLiteral("historicalChart"));
        QVERIFY(chart);

        clock.set(makeLocalTime(2026, 12, 4, 11, 0, 0));
        QSignalSpy wanted(&program->panels(), &PanelHost::liveChartWanted);
        box("intraday1137")->click();
        program->panels().pressLiveChart();
        QCOMPARE(messenger.shown.back(), std::string(PanelHost::CheckSwitches));
        box("liveData1138")->click();
        program->panels().pressLiveChart();
        QCOMPARE(wanted.count(), 1);
    }
};

QTEST_MAIN(WatchListPanelTest)
#include "watchlistpanel_test.moc"
