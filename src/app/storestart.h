#pragma once

#include <string>

class CompanyDatabase;
struct StoreConfig;

// --init-db: prepares the configured database with the tables and the seed lists and says on
// the standard output what it did, or on the standard error why it refused. The exit code.
int runInitDb(const StoreConfig &config);

// Opens the company database for the run. When it can't be used the program runs on with
// empty lists and leaves it alone; the text tells the user so, naming the file or data
// source. Empty when the database is open.
std::string openCompanyDatabase(CompanyDatabase &database, const StoreConfig &config);
