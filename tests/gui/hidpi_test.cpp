#include "core/portfolio/brokerrates.h"
#include "gui/chartlink/chartlinkdialog.h"
#include "gui/charts/historicalchartpanel.h"
#include "gui/charts/livechartwindow.h"
#include "gui/controls/exportnamedialog.h"
#include "gui/controls/stocklist.h"
#include "gui/portfolio/brokerslistdialog.h"
#include "gui/portfolio/configurebrokerdialog.h"
#include "gui/portfolio/holdingentrydialog.h"
#include "gui/portfolio/lotdialog.h"
#include "gui/portfolio/profitcalculatordialog.h"
#include "gui/shell/aboutbox.h"
#include "gui/shell/dockedpanel.h"
#include "gui/shell/panelhost.h"
#include "gui/shell/splashscreen.h"
#include "gui/store/companysearchresultdialog.h"
#include "gui/store/newlistingdialog.h"
#include "gui/store/searchcompanydialog.h"
#include "gui/ticker/tickerbar.h"
#include "gui/watch/alerthelpdialog.h"
#include "gui/watch/alertlimitsdialog.h"
#include "gui/watch/watchlistpanel.h"
#include "support/dialogdriver.h"
#include "support/guibed.h"
#include "support/resultlist.h"
#include "support/textfit.h"

#include <QCheckBox>
#include <QScreen>
#include <QSettings>

#include <cmath>

namespace {
// The scale this run draws at, set before the application object exists.
const double Scale = qEnvironmentVariableIsSet("VANTREL_TEST_SCALE")
                         ? qEnvironmentVariable("VANTREL_TEST_SCALE").toDouble()
                         : 2.0;
} // namespace

// Every window at the run's scale: texts fit, pictures are sharp, the proportions are those
// measured by this test run first at scale 1, and the bar fits every corner of the screen.
class HiDpiTest : public QObject
{
    Q_OBJECT
    GuiBed bed;
    QMap<QString, QSize> m_atScaleOne;
    QMap<QString, QSize> m_seen;

    MainBar &bar() { return bed.program->bar(); }

    // All the checks on one shown window, named by its object name.
    void inspect(QWidget *window)
    {
        QVERIFY(window && window->isVisible());
        QCoreApplication::processEvents(); // layouts settle before anything is measured
        const QString name = window->objectName();
        m_seen.insert(name, window->size());

        const QStringList cut = textfit::cutTexts(window);
        QVERIFY2(cut.isEmpty(), qPrintable(name + ":\n  " + cut.join("\n  ")));
        const QStringList blurred = textfit::blurredPictures(window);
        QVERIFY2(blurred.isEmpty(), qPrintable(name + ": " + blurred.join(", ")));

        if (Scale != 1.0) {
            QVERIFY2(m_atScaleOne.contains(name), qPrintable(name + " never opened at scale 1"));
            const QSize one = m_atScaleOne.value(name), now = window->size();
            QVERIFY2(
                std::abs(now.width() - double(now.height()) * one.width() / one.height()) <= 2,
                qPrintable(name + QDebug::toString(now) + " at scale 1 " + QDebug::toString(one)));
        }
    }

    // Presses a button that opens a modal dialog of type D, inspects the dialog, then does
    // inside it what opens the next one. A dialog that never opens fails the run (the driver's).
    template <typename D>
    void through(QWidget *from, const char *button, std::function<void(D *)> inside = {})
    {
        whenModal<D>([&](D *dialog) {
            inspect(dialog);
            if (inside)
                inside(dialog);
        });
        control<QAbstractButton>(from, button)->click();
    }

    DockedPanel *panel(const char *button, PanelKind kind)
    {
        bar().button(button)->click();
        return bed.program->panels().panel(kind);
    }

private slots:
    void initTestCase()
    {
        if (Scale == 1.0)
            return;
        // The same windows at scale 1, with their sizes; any failure there is this run's too.
        QTemporaryDir dir;
        const QString sizes = dir.filePath("sizes.txt");
        QProcess one;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("VANTREL_TEST_SCALE", "1");
        env.insert("VANTREL_WINDOW_SIZES", sizes);
        one.setProcessEnvironment(env);
        one.setProcessChannelMode(QProcess::MergedChannels);
        one.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(one.waitForFinished(120000));
        QVERIFY2(one.exitCode() == 0, one.readAll().constData());
        const QSettings seen(sizes, QSettings::IniFormat);
        for (const QString &name : seen.allKeys())
            m_atScaleOne.insert(name, seen.value(name).toSize());
    }

    void cleanupTestCase()
    {
        bed.tearDown();
        const QString sizes = qEnvironmentVariable("VANTREL_WINDOW_SIZES");
        if (sizes.isEmpty())
            return;
        QSettings seen(sizes, QSettings::IniFormat);
        for (auto it = m_seen.cbegin(); it != m_seen.cend(); ++it)
            seen.setValue(it.key(), it.value());
    }

    // The real program on a simulated market, with one stock watched and one broker: the bar
    // in every corner, each panel and what its buttons open, the chart windows and the ticker.
    void everyWindowAndTheBarInEveryCorner()
    {
        QVERIFY2(bed.startSim(), qPrintable(bed.sim.errorText()));
        bed.makeProgram();
        QVERIFY(bed.openDatabase());
        QVERIFY(bed.ctx->database.watchList().save({{"Infosys Limited", "NSE", "INFY"}}).ok());
        BrokerEntry broker = newBroker();
        broker.name = "Alpha Securities";
        QVERIFY(bed.ctx->database.brokers().insert(broker).ok());
        bed.program->start();
        QVERIFY(bed.refreshOnce());
        inspect(&bar());
        SplashScreen *splash = SplashScreen::show();
        inspect(splash);
        splash->close();

        const QRect available = bar().screen()->availableGeometry();
        for (int preset = int(BarPreset::TopLeft); preset <= int(BarPreset::BottomCenter);
             ++preset) {
            bar().place(BarPreset(preset));
            QVERIFY2(available.contains(bar().frameGeometry()),
                     qPrintable(QString::number(preset)));
        }
        bar().place(BarPreset::TopCenter);

        DockedPanel *watch = panel("watchlist", PanelKind::WatchList);
        QVERIFY(bed.refreshOnce());
        inspect(watch);
        through<AlertHelpDialog>(watch, "alertHelp");
        through<ExportNameDialog>(watch, "exportToCsv");
        static_cast<WatchListPanel *>(watch)->listView()->selectRow(0);
        through<AlertLimitsDialog>(watch, "setAlert");
        through<SearchCompanyDialog>(watch, "addStock", [this](SearchCompanyDialog *d) {
            typeInto(d, "searchText", "tata");
            control<QAbstractButton>(d, "search")->click();
            inspect(d); // again, with the names found
            through<NewListingDialog>(d, "addNewListing");
        });

        DockedPanel *profile = panel("profile", PanelKind::Profile);
        inspect(profile);
        through<ProfitCalculatorDialog>(profile, "profitCalc");
        through<BrokersListDialog>(profile, "brokersList", [this](BrokersListDialog *d) {
            through<ConfigureBrokerDialog>(d, "addNew");
        });
        through<HoldingEntryDialog>(profile, "deliveryAdd", [this](HoldingEntryDialog *d) {
            typeInto(d, "searchText", "tata steel");
            through<CompanySearchResultDialog>(d, "search", [](CompanySearchResultDialog *r) {
                pickRow(control<QAbstractItemView>(r, "resultList"), 0);
                control<QAbstractButton>(r, "ok")->click();
            });
            through<LotDialog>(d, "addLot");
        });

        for (const auto &[button, kind] :
             {std::pair{"indices", PanelKind::Indices}, std::pair{"world", PanelKind::World},
              std::pair{"toppers", PanelKind::Toppers}, std::pair{"futures", PanelKind::Futures}}) {
            DockedPanel *p = panel(button, kind);
            QVERIFY(bed.refreshOnce());
            inspect(p);
        }
        through<AboutBox>(&bar(), "about");
        through<ChartLinkDialog>(&bar(), "amiBroker");

        auto *chart = openHistoricalChart(*bed.ctx, &bar(), "NIFTY", "NSE", "^NSEI");
        QTRY_VERIFY_WITH_TIMEOUT(!chart->findChild<QLabel *>("chartImage")->pixmap().isNull(),
                                 30000);
        inspect(chart);

        control<QCheckBox>(watch, "intraday")->setChecked(true);
        control<QCheckBox>(watch, "liveData")->setChecked(true);
        bar().button("liveChart")->click();
        inspect(bar().findChild<LiveChartWindow *>());

        bar().button("tickerBar")->click();
        inspect(bed.program->ticker());
    }
};

int main(int argc, char *argv[])
{
    // A 4K screen, at the scale asked for; both must be set before the application exists.
    QTemporaryDir dir;
    const QString config = dir.filePath("screen.json");
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly))
        return 2;
    file.write(R"({"screens": [{"name": "4K", "x": 0, "y": 0, "width": 3840, "height": 2160,
                   "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    file.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());
    qputenv("QT_SCALE_FACTOR", QByteArray::number(Scale));
    QApplication app(argc, argv);
    HiDpiTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "hidpi_test.moc"
