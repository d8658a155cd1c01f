// The company search as the search dialog runs it on every keystroke, against the same query
// run bare through the SQLite library.
#include "platform/store/companydatabase.h"
#include "platform/store/companytable.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// A common three letters: "ind" is in about a fifth of the names, a search that returns much.
constexpr const char *Text = "ind";

// The seeded list in a file of its own, opened once for all runs.
struct SeededList
{
    QTemporaryDir dir;
    CompanyDatabase database{QStringLiteral("bench")};
    std::string file;

    SeededList()
    {
        const StoreConfig config =
            resolveStoreConfig({}, dir.filePath(QStringLiteral("CompanyList.sqlite")), {});
        file = config.databaseFile.toStdString();
        if (const StoreStatus opened = database.open(config); !opened) {
            std::fprintf(stderr, "can't prepare the company list: %s\n", opened.error().c_str());
            std::exit(1);
        }
    }
};

SeededList &seeded()
{
    static SeededList list;
    return list;
}

void searchThroughTheStore(benchmark::State &state)
{
    CompanyListStore &store = seeded().database.companyList();
    std::size_t found = 0;
    for (auto _ : state) {
        auto rows = store.searchByName(Text, Exchange::Bse);
        found = rows.value().size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["rows"] = double(found);
}

void BM_CompanySearch(benchmark::State &state)
{
    searchThroughTheStore(state);
}
BENCHMARK(BM_CompanySearch);

// The time a keystroke waits for its results; must stay well under 5 ms.
void BM_CompanySearch_Absolute(benchmark::State &state)
{
    searchThroughTheStore(state);
}
BENCHMARK(BM_CompanySearch_Absolute)->Unit(benchmark::kMillisecond);

std::string columnText(sqlite3_stmt *statement, int column)
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(statement, column));
    return text ? std::string(text) : std::string();
}

// The same statement, prepared, bound and stepped by hand into the same rows.
void BM_CompanySearchBaseline(benchmark::State &state)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(seeded().file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        state.SkipWithError("can't open the company list");
        return;
    }
    const char *sql =
        "SELECT COMPNAME, NSENAME, BSENAME FROM CompanyList WHERE COMPNAME LIKE ? "
        "ESCAPE '!' AND BSENAME IS NOT NULL AND BSENAME <> '' ORDER BY UPPER(COMPNAME), COMPNAME";
    const std::string pattern = CompanyTable::containsPattern(Text);
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
BENCHMARK(BM_CompanySearchBaseline);

} // namespace
