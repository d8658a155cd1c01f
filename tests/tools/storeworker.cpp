// A program of the tests' own on the company database, through the program's store classes:
//   save FILE RUN   opens (and on first start creates) FILE, then saves in rounds until it is
//                   killed: the watch list, the held stock's lots, one new company, saying
//                   "watch N", "profile N" and "company N" once each has been stored;
//   hold FILE       takes an exclusive lock on FILE, says "held", and keeps it until a line
//                   or the end of its input.
#include "platform/store/companydatabase.h"
#include "support/diskfaults.h"

#include <QCoreApplication>
#include <QSqlQuery>

#include <cstdio>
#include <iostream>
#include <string>

namespace {
void say(const char *what, int n)
{
    std::printf("%s %d\n", what, n);
    std::fflush(stdout);
}

int fail(const std::string &why)
{
    std::fprintf(stderr, "storeworker: %s\n", why.c_str());
    return 1;
}

int saveRounds(const QString &file, int run)
{
    say("opening", 0);
    CompanyDatabase database;
    if (auto opened = database.open(resolveStoreConfig({}, file, {})); !opened)
        return fail(opened.error());
    for (int n = 1;; ++n) {
        if (auto saved = database.watchList().save(savedstate::watchList(run, n)); !saved)
            return fail(saved.error());
        say("watch", n);
        if (auto saved = database.profile().replaceStock(savedstate::HeldSymbol, 0,
                                                         savedstate::heldLots(run, n));
            !saved)
            return fail(saved.error());
        say("profile", n);
        if (auto saved = database.companyList().insert(savedstate::company(run, n)); !saved)
            return fail(saved.error());
        say("company", n);
    }
}

int holdLock(const QString &file)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
    db.setDatabaseName(file);
    QSqlQuery lock(db);
    if (!db.open() || !lock.exec(QStringLiteral("BEGIN EXCLUSIVE")))
        return fail("can't lock " + file.toStdString());
    say("held", 0);
    std::string line;
    std::getline(std::cin, line);
    lock.exec(QStringLiteral("ROLLBACK"));
    return 0;
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 4 && args[1] == QLatin1String("save"))
        return saveRounds(args[2], args[3].toInt());
    if (args.size() == 3 && args[1] == QLatin1String("hold"))
        return holdLock(args[2]);
    return fail("usage: storeworker save FILE RUN | hold FILE");
}
