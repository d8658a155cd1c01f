#include "core/portfolio/brokerbook.h"
#include "gui/portfolio/configurebrokerdialog.h"
#include "gui/watch/alertlimitsdialog.h"
#include "gui/watch/watchlistmodel.h"
#include "gui/watch/watchlistpanel.h"
#include "support/dialogdriver.h"
#include "support/diskfaults.h"
#include "support/guibed.h"

#include <QCheckBox>
#include <QPushButton>

// A company database that another program has locked.
class DiskFaultsTest : public QObject
{
    Q_OBJECT
    GuiBed bed;

    WatchListPanel *panel() const { return bed.program->watchList(); }

private slots:
    void init()
    {
        bed.clock.set(makeLocalTime(2026, 12, 4, 11, 0, 0));
        bed.makeProgram();
        QVERIFY(bed.openDatabase());
        QVERIFY(bed.ctx->database.watchList().save({{"Infosys Limited", "NSE", "INFY"}}).ok());
        bed.program->start();
    }
    void cleanup()
    {
        bed.reset();
        QFile::remove(bed.databaseFile());
    }

    // OK under a database that another program has locked: the driver's text, the dialog open
    // with what was typed, the window OK again once the lock has gone stores it.
    void aSaveUnderALockedDatabaseKeepsWhatWasTyped_data()
    {
        QTest::addColumn<bool>("broker"); // else the watch list's alert limits
        QTest::newRow("Configure A Broker") << true;
        QTest::newRow("Set Limits for ALERT") << false;
    }
    void aSaveUnderALockedDatabaseKeepsWhatWasTyped()
    {
        QFETCH(bool, broker);
        StoreWorker holder;
        QVERIFY(holder.start({"hold", bed.databaseFile()}));
        QVERIFY2(holder.waitFor("held"), qPrintable(holder.errorText()));
        std::string said;
        // Fills the dialog, presses OK into the lock, then again once it has gone.
        const auto drive = [&](QDialog *d,
                               std::initializer_list<std::pair<const char *, QString>> typed) {
            for (const auto &[edit, text] : typed)
                typeInto(d, edit, text);
            control<QPushButton>(d, "ok")->click();
            said = bed.messenger.shown.empty() ? std::string() : bed.messenger.shown.back();
            QVERIFY2(d->isVisible(), "the dialog closed on a failed save");
            QVERIFY(holder.release()); // what was typed stays for the second OK to store
            control<QPushButton>(d, "ok")->click();
        };
        if (broker) {
            BrokerBook book(bed.ctx->database.brokers(), bed.messenger);
            whenModal<ConfigureBrokerDialog>([&](ConfigureBrokerDialog *d) {
                drive(d, {{"brokerName", QStringLiteral("Disk Broker")},
                          {"deliveryBuyBrokerage", QStringLiteral("0.5")}});
            });
            ConfigureBrokerDialog::ask(book, bed.messenger, std::nullopt, panel());
            const auto found = bed.ctx->database.brokers().findByName("Disk Broker").value();
            QVERIFY(found && found->rates[DeliveryBuyBrokerage] == 0.5);
        } else {
            panel()->listView()->selectRow(0);
            whenModal<AlertLimitsDialog>([&](AlertLimitsDialog *d) {
                control<QCheckBox>(d, "setAlert")->click();
                drive(d, {{"alertLowerLimit", QStringLiteral("1400")},
                          {"alertUpperLimit", QStringLiteral("1600")}});
            });
            control<QPushButton>(panel(), "setAlert")->click();
            CompanyDatabase other(QStringLiteral("disk-faults-reader"));
            QVERIFY(other.open(resolveStoreConfig({}, bed.databaseFile(), {})));
            QCOMPARE(other.watchList().load().value(),
                     (std::vector<WatchRow>{{"Infosys Limited", "NSE", "INFY", 1, 1400, 1600}}));
        }
        QCOMPARE(said, std::string("database is locked"));
    }
};

QTEST_MAIN(DiskFaultsTest)

#include "diskfaults_test.moc"
