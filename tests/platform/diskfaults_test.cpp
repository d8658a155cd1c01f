#include "core/common/datafiles.h"
#include "platform/store/companydatabase.h"
#include "platform/store/sqlitefile.h"
#include "support/diskfaults.h"

#include <QFileInfo>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

namespace {
// What a killed save may have left in the tables, as a program that opens them reads them.
struct Tables
{
    std::vector<WatchRow> watch;
    std::vector<ProfileLot> lots;
    std::vector<std::string> workers; // the companies the worker added, in table order
};

qlonglong value(const QSqlDatabase &db, const QString &sql)
{
    QSqlQuery query(db);
    return query.exec(sql) && query.next() ? query.value(0).toLongLong() : -1;
}

QString integrity(const QString &file)
{
    TemporaryConnection check(QStringLiteral("QSQLITE"), file);
    QSqlQuery query(check.database());
    if (!check.database().open() || !query.exec(QStringLiteral("PRAGMA integrity_check")) ||
        !query.next())
        return QStringLiteral("can't check: ") + check.database().lastError().text();
    return query.value(0).toString();
}

std::string text(const std::string &file)
{
    QFile in(QString::fromStdString(file));
    return in.open(QIODevice::ReadOnly) ? in.readAll().toStdString() : std::string();
}
} // namespace

// The company database against a kill -9 in the middle of a save, and a data file against a
// disk that fills up halfway through a write.
class DiskFaultsTest : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    const QString m_noMounts; // why this test has no mounts of its own; empty when it has

    QString file() const { return m_dir.filePath(QStringLiteral("CompanyList.sqlite")); }

    Tables read() const
    {
        Tables t;
        CompanyDatabase db(QStringLiteral("reader"));
        if (!db.open(resolveStoreConfig({}, file(), {})))
            return t;
        t.watch = db.watchList().load().value();
        t.lots = db.profile().loadAll().value();
        QSqlQuery query(db.connection().database());
        query.exec(QStringLiteral("SELECT COMPNAME FROM CompanyList "
                                  "WHERE COMPNAME LIKE 'Worker Company %' ORDER BY rowid"));
        while (query.next())
            t.workers.push_back(query.value(0).toString().toStdString());
        return t;
    }

public:
    explicit DiskFaultsTest(QString noMounts) : m_noMounts(std::move(noMounts)) {}

private slots:
    // A worker saves the watch list, a stock's lots and a new company in rounds and is killed
    // at varied moments. Each table is then exactly as its last save left it, or as the save
    // under way would have left it, whole: never a mix, never a damaged file.
    void aKillDuringASaveLeavesTheLastSavedRows()
    {
        const struct
        {
            const char *after;
            int delayMs;
        } moments[] = {{"watch 1", 0},    {"profile 1", 0},  {"company 1", 0},  {"watch 2", 1},
                       {"profile 3", 2},  {"company 2", 3},  {"watch 5", 5},    {"profile 4", 7},
                       {"company 6", 11}, {"watch 9", 13},   {"profile 2", 17}, {"company 1", 19},
                       {"watch 3", 23},   {"profile 7", 29}, {"company 4", 31}, {"watch 1", 37}};
        QFile::remove(file());
        {
            CompanyDatabase db(QStringLiteral("seeder"));
            QVERIFY(db.open(resolveStoreConfig({}, file(), {})).ok());
            QVERIFY(db.profile().insertLots(savedstate::keptLots()).ok());
        }
        Tables known = read();
        for (int run = 1; const auto &moment : moments) {
            StoreWorker worker;
            QVERIFY(worker.start({"save", file(), QString::number(run)}));
            QVERIFY2(worker.waitFor(moment.after), qPrintable(worker.errorText()));
            QThread::msleep(moment.delayMs);
            worker.kill();
            QCOMPARE(integrity(file()), QStringLiteral("ok"));
            const Tables after = read();
            // A table holds what the last save the worker told of left, or the next one whole.
            const auto saved = [&](const char *table, const auto &now, auto before, auto state) {
                const int n = worker.last(table);
                QVERIFY2(now == (n > 0 ? state(n) : before) || now == state(n + 1),
                         qPrintable(QStringLiteral("%1 after %2").arg(table, moment.after)));
            };
            saved("watch", after.watch, known.watch,
                  [&](int n) { return savedstate::watchList(run, n); });
            saved("profile", after.lots, known.lots, [&](int n) {
                auto table = savedstate::keptLots();
                const auto held = savedstate::heldLots(run, n);
                table.insert(table.end(), held.begin(), held.end());
                return table;
            });
            saved("company", after.workers, known.workers, [&](int n) {
                auto names = known.workers;
                for (int k = 1; k <= n; ++k)
                    names.push_back(savedstate::company(run, k).name);
                return names;
            });
            if (QTest::currentTestFailed())
                return;
            known = after;
            ++run;
        }
    }

    // A first start killed while it makes the database leaves no file or a whole one, and the
    // next start finds it seeded.
    void aKillDuringTheFirstStartLeavesNoHalfMadeDatabase()
    {
        const QString reference = m_dir.filePath(QStringLiteral("reference.sqlite"));
        QVERIFY(createDatabaseFile(reference).ok());
        const auto seeded = [](const QString &file) {
            CompanyDatabase db(QStringLiteral("seeded"));
            if (!db.open(resolveStoreConfig({}, file, {})))
                return std::pair(-1LL, -1LL);
            const QSqlDatabase sql = db.connection().database();
            return std::pair(value(sql, "SELECT COUNT(*) FROM CompanyList WHERE COMPNAME NOT "
                                        "LIKE 'Worker Company %'"),
                             value(sql, "SELECT COUNT(*) FROM Future"));
        };
        for (int delayMs : {0, 10, 30, 60, 100, 150, 250}) {
            QFile::remove(file());
            StoreWorker worker;
            QVERIFY(worker.start({"save", file(), QStringLiteral("0")}));
            QVERIFY2(worker.waitFor("opening"), qPrintable(worker.errorText()));
            QThread::msleep(delayMs);
            worker.kill();
            if (QFileInfo::exists(file()))
                QCOMPARE(integrity(file()), QStringLiteral("ok"));
            QCOMPARE(seeded(file()), seeded(reference));
        }
    }

    // A line that finds the disk full after its first bytes is taken back whole, and a file
    // replaced keeps its old content: when room comes back, the next line starts on a line of
    // its own.
    void aWriteThatFindsTheDiskFullLeavesNoPartOfItsText()
    {
        if (!m_noMounts.isEmpty())
            QSKIP(qPrintable("no tmpfs of the test's own: " + m_noMounts));
        TmpfsFolder disk(m_dir.filePath(QStringLiteral("small")), 64);
        if (!disk.mounted())
            QSKIP(qPrintable("no tmpfs of the test's own: " + disk.errorText()));
        const std::string path = m_dir.filePath(QStringLiteral("small/INFY.txt")).toStdString();
        const std::string line = "INFY,12/04/2026,11:01:00,1500.00,1501.25,1500.00,1501.25,900\n";
        std::string before;
        while (before.size() + line.size() < 4096) // room for part of one more line
            before += line;
        StdDataFileSystem files;
        QCOMPARE(files.append(path, before), DataFileSystem::Result::Done);
        QVERIFY(disk.fill());
        QCOMPARE(files.append(path, line), DataFileSystem::Result::WriteFailed);
        QVERIFY(files.replace(path, line) != DataFileSystem::Result::Done);
        QCOMPARE(text(path), before);
        QVERIFY(disk.free());
        QCOMPARE(files.append(path, line), DataFileSystem::Result::Done);
        QCOMPARE(text(path), before + line);
    }
};

int main(int argc, char **argv)
{
    const QString noMounts = enterPrivateMounts(); // while there is only this thread
    QCoreApplication app(argc, argv);
    DiskFaultsTest test(noMounts);
    return QTest::qExec(&test, argc, argv);
}

#include "diskfaults_test.moc"
