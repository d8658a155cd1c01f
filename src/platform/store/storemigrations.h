#pragma once

#include "core/store/storeresult.h"

#include <functional>
#include <vector>

class StoreConnection;

using StoreMigration = std::function<StoreStatus(const StoreConnection &)>;

// The numbered migrations: entry k takes a database from version k to k + 1. Each runs inside
// the caller's transaction and is never changed once released; a new schema is a new entry.
const std::vector<StoreMigration> &storeMigrations();
