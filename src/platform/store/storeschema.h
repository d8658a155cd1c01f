#pragma once

#include "core/store/storeresult.h"

#include <QSqlDatabase>
#include <QStringList>

class StoreConnection;

// The six tables of every company database.
const QStringList &storeTables();

// The tables of storeTables() that the database has.
QStringList presentStoreTables(const QSqlDatabase &db);

// Creates the tables from the shipped schema, fills the company list and the futures
// catalogue from the shipped lists and brings the schema to the current version, all in one
// transaction.
StoreStatus createAndSeed(const StoreConnection &connection);
