#pragma once

#include "core/store/storeresult.h"

#include <string>

class StoreConnection;

// The schema version this program writes: the number of migrations it knows. A database made
// before the schema carried a version reads as 0.
int currentSchemaVersion();

// The version the database says it has: PRAGMA user_version in SQLite, the one row of table
// SCHEMAVERSION through ODBC (0 when that table is absent).
StoreResult<int> storedSchemaVersion(const StoreConnection &connection);

// Runs the migrations the database lacks, in order, and records the new version, all in one
// transaction: it either reaches the current version or stays as it was. A database of a
// newer version than this program knows is refused and left untouched; what names it.
StoreStatus upgradeSchema(const StoreConnection &connection, const std::string &what);

// Runs every migration on freshly created tables and records the version; the caller holds
// the transaction.
StoreStatus migrateFresh(const StoreConnection &connection);
