#include "core/portfolio/brokerbook.h"
#include "gui/portfolio/configurebrokerdialog.h"
#include "gui/watch/alertlimitsdialog.h"
#include "gui/watch/watchlistmodel.h"
#include "gui/watch/watchlistpanel.h"
#include "support/dialogdriver.h"
#include "support/diskfaults.h"
#include "support/guibed.h"

#include <QCheckBox>
#include <QLabel>
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

    // OK under a database that another program has locked, in each dialog that stores: the
    // driver's text, the dialog open with what was typed, OK again once the lock has gone
    // stores it.
    void aSaveUnderALockedDatabaseKeepsWhatWasTyped()
    {
        // Fills the dialog, presses OK into a lock, then again once it has gone.
        const auto drive = [&](QDialog *d,
                               std::initializer_list<std::pair<const char *, QString>> typed) {
            StoreWorker holder;
            QVERIFY(holder.start({"hold", bed.databaseFile()}));
            QVERIFY2(holder.waitFor("held"), qPrintable(holder.errorText()));
            for (const auto &[edit, text] : typed)
                typeInto(d, edit, text);
            const std::size_t told = bed.messenger.shown.size();
            control<QPushButton>(d, "ok")->click();
            QCOMPARE(bed.messenger.shown.size(), told + 1);
            QCOMPARE(bed.messenger.shown.back(), "database is locked");
            QVERIFY2(d->isVisible(), "the dialog closed on a failed save");
            QVERIFY(holder.release()); // what was typed stays for the second OK to store
            control<QPushButton>(d, "ok")->click();
        };
        BrokerBook book(bed.ctx->database.brokers(), bed.messenger);
        whenModal<ConfigureBrokerDialog>([&](ConfigureBrokerDialog *d) {
            drive(d, {{"brokerName", QStringLiteral("Disk Broker")},
                      {"deliveryBuyBrokerage", QStringLiteral("0.5")}});
        });
        ConfigureBrokerDialog::ask(book, bed.messenger, std::nullopt, panel());
        const auto found = bed.ctx->database.brokers().findByName("Disk Broker").value();
        QVERIFY(found && found->rates[DeliveryBuyBrokerage] == 0.5);

        // The alert limits start from the price (above ten thousand, yet it can have an alert)
        // and are refused out of range or crossed, the refresh waiting for the dialog.
        panel()->list().quoteTarget(0, "INFY.NS")->last = 12000.5;
        panel()->refresh();
        panel()->listView()->selectRow(0);
        whenModal<AlertLimitsDialog>([&](AlertLimitsDialog *d) {
            QVERIFY(!bed.ctx->refresh.timerActive());
            QCOMPARE(control<QLabel>(d, "companyName")->text(), "Infosys Limited");
            auto *lower = control<QLineEdit>(d, "alertLowerLimit");
            QCOMPARE(lower->text(), "12000.5"); // no alert yet: the current price
            QVERIFY(!lower->isEnabled());
            control<QCheckBox>(d, "setAlert")->click();
            typeInto(d, "alertUpperLimit", "1000000.01");
            control<QPushButton>(d, "ok")->click();
            typeInto(d, "alertUpperLimit", "12000.5");
            control<QPushButton>(d, "ok")->click();
            drive(d, {{"alertLowerLimit", QStringLiteral("12100")},
                      {"alertUpperLimit", QStringLiteral("20000")}});
        });
        control<QPushButton>(panel(), "setAlert")->click();
        QCOMPARE(panel()->model()->index(0, 0).data(Qt::BackgroundRole).value<QBrush>().color(),
                 QColor(255, 0, 0));                            // below the new lower limit
        whenModal<AlertLimitsDialog>([](AlertLimitsDialog *d) { // the stock's own limits now
            QCOMPARE(control<QLineEdit>(d, "alertUpperLimit")->text(), "20000");
        });
        control<QPushButton>(panel(), "setAlert")->click();
    }
};

QTEST_MAIN(DiskFaultsTest)

#include "diskfaults_test.moc"
