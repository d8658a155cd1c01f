// search: one keystroke in "Search Company to Watch", from the third letter typed to the
// result list filled and drawn, against the same search run bare through the SQLite library.
// search_10x: the same over a company list ten times as long (each company copied ten times).
#include "../benchsupport.h"
#include "core/watch/watchlistsink.h"
#include "gui/shell/appcontext.h"
#include "gui/store/searchcompanydialog.h"
#include "platform/store/companytable.h"

#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

namespace {

// Three common letters: "ind" is in about a tenth of the BSE names.
constexpr const char *Typed = "ind";

struct NoWatchList : WatchListSink
{
    AddOutcome addEntry(const WatchRow &) override { return AddOutcome::Added; }
};

// The shipped company list, or that list copied `times` times, in a file of its own.
struct SearchScene
{
    QTemporaryDir dir;
    SilentMessenger messenger;
    FixedClock clock{makeLocalTime(2026, 12, 4, 11, 0, 0)};
    AppContext context{ServiceUrls{}, messenger, clock};
    NoWatchList watchList;
    std::unique_ptr<SearchCompanyDialog> dialog;
    QLineEdit *text = nullptr;
    std::string file;

    explicit SearchScene(int times)
    {
        const StoreConfig config =
            resolveStoreConfig({}, dir.filePath(QStringLiteral("CompanyList.sqlite")), {});
        file = config.databaseFile.toStdString();
        if (!context.database.open(config))
            std::exit(1);
        QSqlQuery copy(context.database.connection().database());
        copy.exec(QStringLiteral("SELECT MAX(rowid) FROM CompanyList"));
        const qlonglong shipped = copy.next() ? copy.value(0).toLongLong() : 0;
        for (int i = 1; i < times; ++i)
            copy.exec(QStringLiteral("INSERT INTO CompanyList (COMPNAME, NSENAME, BSENAME) "
                                     "SELECT COMPNAME, NSENAME, BSENAME FROM CompanyList "
                                     "WHERE rowid <= %1")
                          .arg(shipped));
        dialog = std::make_unique<SearchCompanyDialog>(context, watchList);
        dialog->findChild<QRadioButton *>(QStringLiteral("searchBse"))->click();
        text = dialog->findChild<QLineEdit *>(QStringLiteral("searchText"));
        dialog->show();
        type(Typed); // the list as it will be kept, read once
        QApplication::processEvents();
    }
    void type(const char *letters)
    {
        text->setText(QString::fromLatin1(letters));
        QApplication::processEvents(); // the list drawn
    }
};

void keystroke(benchmark::State &state, int times)
{
    SearchScene scene(times);
    for (auto _ : state) {
        state.PauseTiming();
        scene.type("in");
        state.ResumeTiming();
        scene.type(Typed);
    }
    state.counters["rows"] = double(
        scene.context.database.companyList().searchByName(Typed, Exchange::Bse).value().size());
}

std::string columnText(sqlite3_stmt *statement, int column)
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(statement, column));
    return text ? std::string(text) : std::string();
}

// The query as the database would run it on each keystroke, stepped by hand into rows.
void bareQuery(benchmark::State &state, int times)
{
    SearchScene scene(times);
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(scene.file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        state.SkipWithError("can't open the company list");
        return;
    }
    const char *sql =
        "SELECT COMPNAME, NSENAME, BSENAME FROM CompanyList WHERE COMPNAME LIKE ? "
        "ESCAPE '!' AND BSENAME IS NOT NULL AND BSENAME <> '' ORDER BY UPPER(COMPNAME), COMPNAME";
    const std::string pattern = CompanyTable::containsPattern(Typed);
    for (auto _ : state) {
        sqlite3_stmt *statement = nullptr;
        sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
        sqlite3_bind_text(statement, 1, pattern.c_str(), -1, SQLITE_TRANSIENT);
        std::vector<CompanyRow> rows;
        while (sqlite3_step(statement) == SQLITE_ROW)
            rows.push_back(
                {columnText(statement, 0), columnText(statement, 1), columnText(statement, 2)});
        sqlite3_finalize(statement);
        benchmark::DoNotOptimize(rows);
    }
    sqlite3_close(db);
}

void BM_SearchKeystroke(benchmark::State &state)
{
    keystroke(state, 1);
}
BENCHMARK(BM_SearchKeystroke)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SearchKeystroke)->Name("BM_SearchKeystroke_Absolute")->Unit(benchmark::kMicrosecond);

void BM_SearchKeystrokeBaseline(benchmark::State &state)
{
    bareQuery(state, 1);
}
BENCHMARK(BM_SearchKeystrokeBaseline)->Unit(benchmark::kMicrosecond);

void BM_SearchKeystroke10x(benchmark::State &state)
{
    keystroke(state, 10);
}
BENCHMARK(BM_SearchKeystroke10x)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SearchKeystroke10x)
    ->Name("BM_SearchKeystroke10x_Absolute")
    ->Unit(benchmark::kMicrosecond);

void BM_SearchKeystroke10xBaseline(benchmark::State &state)
{
    bareQuery(state, 10);
}
BENCHMARK(BM_SearchKeystroke10xBaseline)->Unit(benchmark::kMicrosecond);
} // namespace
