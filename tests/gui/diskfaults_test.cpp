#include "core/common/exportfile.h"
#include "core/net/quoteparser.h"
#include "core/portfolio/brokerbook.h"
#include "core/watch/watchexport.h"
#include "gui/controls/exportnamedialog.h"
#include "gui/portfolio/configurebrokerdialog.h"
#include "gui/watch/alertlimitsdialog.h"
#include "gui/watch/watchlistmodel.h"
#include "gui/watch/watchlistpanel.h"
#include "support/dialogdriver.h"
#include "support/diskfaults.h"
#include "support/guibed.h"
#include "support/immutablefolder.h"

#include <QCheckBox>
#include <QDirIterator>
#include <QPushButton>

#include <filesystem>
#include <map>

namespace {
// The file seam failing as a read-only or full disk does, where no test may mount a disk.
struct FailingFiles : StdDataFileSystem
{
    enum Fault { None, ReadOnly, Full } fault = None;

    bool makeFolders(const std::string &folder) override
    {
        return fault == ReadOnly ? std::filesystem::is_directory(folder)
                                 : StdDataFileSystem::makeFolders(folder);
    }
    Result readAll(const std::string &file, std::string &content) override
    {
        return fault == ReadOnly ? Result::OpenFailed : StdDataFileSystem::readAll(file, content);
    }
    Result append(const std::string &file, std::string_view text) override
    {
        return fault == None ? StdDataFileSystem::append(file, text) : failed();
    }
    Result replace(const std::string &file, std::string_view text) override
    {
        return fault == None ? StdDataFileSystem::replace(file, text) : failed();
    }
    Result failed() const { return fault == ReadOnly ? Result::OpenFailed : Result::WriteFailed; }
};

// Every file under a folder with its content.
std::map<QString, QByteArray> filesUnder(const QString &folder)
{
    std::map<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (!file.fileName().endsWith(QLatin1String(".ballast")) && file.open(QIODevice::ReadOnly))
            files[file.fileName()] = file.readAll();
    }
    return files;
}
} // namespace

// A data folder turned read-only or full, and a company database locked or unwritable.
class DiskFaultsTest : public QObject
{
    Q_OBJECT
    GuiBed bed;
    QString m_noMounts; // why the data folder is no tmpfs of the test's own
    FailingFiles m_seam;
    std::unique_ptr<TmpfsFolder> m_tmpfs;
    QString m_databaseFile; // the file the program has open
    int minute = 0;

    WatchListPanel *panel() const { return bed.program->watchList(); }
    std::vector<WatchRow> entries() const
    {
        std::vector<WatchRow> out;
        for (const WatchedStock &s : panel()->list().stocks())
            out.push_back(s.entry);
        return out;
    }
    std::vector<WatchRow> table() const
    {
        CompanyDatabase other(QStringLiteral("disk-faults-reader"));
        if (!other.open(resolveStoreConfig({}, m_databaseFile, {})))
            return {};
        return other.watchList().load().value();
    }
    bool useTmpfs() const { return m_noMounts.isEmpty(); }

    void startProgram()
    {
        bed.context();
        if (!useTmpfs())
            bed.ctx->files = &m_seam;
        bed.program = std::make_unique<Program>(*bed.ctx);
        QVERIFY(bed.openDatabase());
        QVERIFY(bed.ctx->database.watchList()
                    .save({{"Infosys Limited", "NSE", "INFY"},
                           {"Reliance Industries", "BSE", "500325"},
                           {"Dr. Reddy's Laboratories", "NSE", "DRREDDY"}})
                    .ok());
        bed.program->start();
    }
    // Refreshes a minute apart with quotes of their own, as the refresh cycle runs them.
    void refreshes(int count)
    {
        auto &board = const_cast<IndexBoard &>(bed.program->bar().board());
        WatchList &list = panel()->list();
        for (int k = 0; k < count; ++k) {
            bed.clock.set(makeLocalTime(2026, 12, 4, 11, ++minute, 0));
            for (const auto &[target, symbol, last] :
                 {std::tuple{board.quoteTarget(0, ""), "^NSEI", 24000},
                  {board.quoteTarget(1, ""), "^BSESN", 80000},
                  {list.quoteTarget(0, "INFY.NS"), "INFY.NS", 1500},
                  {list.quoteTarget(1, "500325.BO"), "500325.BO", 2400},
                  {list.quoteTarget(2, "DRREDDY.NS"), "DRREDDY.NS", 5500}})
                parseQuoteLine('"' + std::string(symbol) + "\"," + std::to_string(last + minute) +
                                   ",\"12/4/2026\",\"11:00am\",1,1,2,3,9000,5,6",
                               *target);
            panel()->refresh();
            emit bed.ctx->refresh.replyApplied();
            QCoreApplication::processEvents(); // what a refresh has to say comes just after it
        }
    }
    // "Export to CSV" under a name; what it said.
    std::string exportAs(const QString &name)
    {
        whenModal<ExportNameDialog>([name](ExportNameDialog *d) {
            d->edit()->setText(name);
            d->accept();
        });
        const std::size_t before = bed.messenger.shown.size();
        control<QPushButton>(panel(), "exportToCsv")->click();
        return bed.messenger.shown.size() == before + 1 ? bed.messenger.shown.back()
                                                        : "<not one message>";
    }
    bool setDataFault(FailingFiles::Fault fault)
    {
        m_seam.fault = fault;
        return !useTmpfs() ||
               (fault == FailingFiles::ReadOnly ? m_tmpfs->setReadOnly(true)
                : fault == FailingFiles::Full   ? m_tmpfs->fill()
                                                : m_tmpfs->setReadOnly(false) && m_tmpfs->free());
    }

public:
    explicit DiskFaultsTest(QString noMounts) : m_noMounts(std::move(noMounts)) {}

private slots:
    void initTestCase()
    {
        if (useTmpfs() && qEnvironmentVariableIsSet("VANTREL_DISKFAULTS_SEAM"))
            m_noMounts = QStringLiteral("the seam was asked for");
        if (useTmpfs()) { // a namespace of our own may still allow no tmpfs
            TmpfsFolder probe(bed.path("probe"), 64);
            m_noMounts = probe.errorText();
        }
        qInfo("data folder faults: %s",
              useTmpfs() ? "on a tmpfs of the test's own"
                         : qPrintable("through the program's file seam (" + m_noMounts + ")"));
    }
    void init()
    {
        minute = 0;
        m_seam.fault = FailingFiles::None;
        m_databaseFile = bed.databaseFile();
        if (useTmpfs()) {
            m_tmpfs = std::make_unique<TmpfsFolder>(bed.path("data"), 4096);
            QVERIFY2(m_tmpfs->mounted(), qPrintable(m_tmpfs->errorText()));
        }
        bed.clock.set(makeLocalTime(2026, 12, 4, 11, 0, 0));
        startProgram();
    }
    void cleanup()
    {
        bed.reset();
        m_tmpfs.reset();
        QFile::remove(bed.databaseFile());
        QDir(bed.path("data")).removeRecursively();
    }

    // Refreshes go on logging while the data folder can't be written, and each export says so
    // once per press. What the files held stays, the list and its table are untouched, and once
    // the disk takes writes again the files follow the refreshes without a word.
    void aDataFolderFaultIsToldOnceAndLosesNothing_data()
    {
        QTest::addColumn<int>("fault");
        QTest::newRow("read-only") << int(FailingFiles::ReadOnly);
        QTest::newRow("full") << int(FailingFiles::Full);
    }
    void aDataFolderFaultIsToldOnceAndLosesNothing()
    {
        QFETCH(int, fault);
        control<QCheckBox>(panel(), "intraday")->click();
        control<QCheckBox>(panel(), "liveData")->click();
        refreshes(3);
        const std::string exported =
            watchexport::Exported + bed.path("data/WatchListData/kept.csv").toStdString();
        QCOMPARE(exportAs("kept"), exported);
        const std::vector<WatchRow> shown = entries();
        const auto before = filesUnder(bed.path("data"));
        bed.messenger = RecordingMessenger();

        QVERIFY(setDataFault(FailingFiles::Fault(fault)));
        refreshes(4);
        // Which writer says what, and only once, is the logger's own test.
        QVERIFY(!bed.messenger.shown.empty());    // the live file needs room it does not get
        for (int press = 0; press < 2; ++press) { // told once per press, by exportAs
            const std::string said = exportAs("kept");
            QVERIFY2(said == exportfile::OpenFailed || said == exportfile::WriteFailed,
                     said.c_str());
        }
        QCOMPARE(entries(), shown);
        QCOMPARE(table(), shown);
        const auto during = filesUnder(bed.path("data"));
        for (const auto &[file, content] : before) {
            QVERIFY2(during.count(file), qPrintable(file));
            QVERIFY2(during.at(file).startsWith(content), qPrintable(file));
        }

        QVERIFY(setDataFault(FailingFiles::None));
        bed.messenger = RecordingMessenger();
        refreshes(2);
        QCOMPARE(bed.messenger.shown, std::vector<std::string>{});
        const auto after = filesUnder(bed.path("data"));
        const QByteArray latest =
            QStringLiteral(",11:%1:00,").arg(minute, 2, 10, QLatin1Char('0')).toLatin1();
        for (const char *file : {"LiveData/LiveData.txt", "IntraDay/12-04-2026/NIFTY.txt",
                                 "IntraDay/12-04-2026/INFY.txt"})
            QVERIFY2(after.at(bed.path(QString("data/") + file)).contains(latest), file);
        QCOMPARE(exportAs("kept"), exported);
    }

    // OK under a database that another program has locked, that can no longer be written, or
    // whose disk is full: the driver's text, the dialog open with what was typed, the window
    // OK again once the fault has gone stores it.
    void aSaveUnderADatabaseFaultKeepsWhatWasTyped_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<bool>("broker"); // else the watch list's alert limits
        for (const char *fault : {"locked", "read-only", "full"})
            for (bool broker : {true, false})
                QTest::addRow("%s, %s", fault,
                              broker ? "Configure A Broker" : "Set Limits for ALERT")
                    << QString::fromLatin1(fault) << broker;
    }
    void aSaveUnderADatabaseFaultKeepsWhatWasTyped()
    {
        QFETCH(QString, fault);
        QFETCH(bool, broker);
        const bool locked = fault == QLatin1String("locked");
        StoreWorker holder;
        std::unique_ptr<ImmutableFolder> frozen;
        if (locked) {
            QVERIFY(holder.start({"hold", bed.databaseFile()}));
            QVERIFY2(holder.waitFor("held"), qPrintable(holder.errorText()));
        } else if (fault == QLatin1String("read-only")) {
            frozen =
                std::make_unique<ImmutableFolder>(QFileInfo(bed.databaseFile()).absolutePath());
            if (!frozen->held())
                QSKIP(qPrintable("no folder can be made immutable here: " + frozen->errorText()));
        } else {
            if (!useTmpfs())
                QSKIP(qPrintable("no disk of the test's own to fill: " + m_noMounts));
            // Where the program keeps it by default: in the data folder.
            m_databaseFile = bed.path("data/CompanyList.sqlite");
            bed.ctx->database.close();
            QVERIFY(QFile::copy(bed.databaseFile(), m_databaseFile));
            QVERIFY(bed.ctx->database.open(resolveStoreConfig({}, m_databaseFile, {})).ok());
            QVERIFY(m_tmpfs->fill());
        }
        const auto clear = [&] {
            if (locked)
                QVERIFY(holder.release());
            frozen.reset();
            if (m_tmpfs)
                QVERIFY(m_tmpfs->free());
        };
        std::string said;
        // Fills the dialog, presses OK into the fault, then again once it has gone.
        const auto drive = [&](QDialog *d,
                               std::initializer_list<std::pair<const char *, QString>> typed) {
            for (const auto &[edit, text] : typed)
                typeInto(d, edit, text);
            control<QPushButton>(d, "ok")->click();
            said = bed.messenger.shown.empty() ? std::string() : bed.messenger.shown.back();
            QVERIFY2(d->isVisible(), "the dialog closed on a failed save");
            clear(); // what was typed stays for the second OK to store
            control<QPushButton>(d, "ok")->click();
            QVERIFY(!d->isVisible());
        };
        if (broker) {
            BrokerBook book(bed.ctx->database.brokers(), bed.messenger);
            whenModal<ConfigureBrokerDialog>([&](ConfigureBrokerDialog *d) {
                drive(d, {{"brokerName", QStringLiteral("Disk Broker")},
                          {"deliveryBuyBrokerage", QStringLiteral("0.5")}});
            });
            const auto saved =
                ConfigureBrokerDialog::ask(book, bed.messenger, std::nullopt, panel());
            QCOMPARE(saved, std::optional<std::string>("Disk Broker"));
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
            QCOMPARE(entries().front(),
                     (WatchRow{"Infosys Limited", "NSE", "INFY", 1, 1400, 1600}));
            QCOMPARE(table(), entries());
        }
        if (locked)
            QCOMPARE(said, std::string("database is locked"));
        QVERIFY2(!said.empty() && said.find("Vantrel") == std::string::npos, said.c_str());
    }
};

int main(int argc, char **argv)
{
    const QString noMounts = enterPrivateMounts(); // while there is only this thread
    QApplication app(argc, argv);
    DiskFaultsTest test(noMounts);
    return QTest::qExec(&test, argc, argv);
}

#include "diskfaults_test.moc"
