#pragma once

#include "platform/store/brokerscheduletable.h"
#include "platform/store/brokertable.h"
#include "platform/store/companytable.h"
#include "platform/store/futurestable.h"
#include "platform/store/jan2018valuetable.h"
#include "platform/store/lottable.h"
#include "platform/store/saleresulttable.h"
#include "platform/store/selectedfuturestable.h"
#include "platform/store/storeconfig.h"
#include "platform/store/storeconnection.h"
#include "platform/store/tradetable.h"
#include "platform/store/watchlisttable.h"

// The company database "CompanyList" and the record classes over its tables, all on one
// named connection, opened once.
//
// The embedded SQLite file is created and seeded on first start; an existing file is never
// re-seeded or overwritten. Opening brings an older schema up to date in one transaction;
// a database from a newer version of the program is refused and never written. An ODBC data source
// must already have the tables (initDatabase prepares one). When the database can't be used, open()
// says why, naming the file or data source, and the record classes run on with empty lists and
// refuse to write.
class CompanyDatabase
{
public:
    static constexpr const char *DefaultConnectionName = "CompanyList";

    explicit CompanyDatabase(QString connectionName = QString::fromLatin1(DefaultConnectionName));
    ~CompanyDatabase();
    CompanyDatabase(const CompanyDatabase &) = delete;
    CompanyDatabase &operator=(const CompanyDatabase &) = delete;

    StoreStatus open(const StoreConfig &config);
    void close();
    bool isOpen() const { return m_connection.available(); }
    const StoreConnection &connection() const { return m_connection; }

    CompanyTable &companyList() { return m_companyList; }
    WatchListTable &watchList() { return m_watchList; }
    BrokerTable &brokers() { return m_brokers; }
    LotTable &profile() { return m_profile; }
    FuturesTable &futures() { return m_futures; }
    SelectedFuturesTable &selectedFutures() { return m_selectedFutures; }
    TradeTable &trades() { return m_trades; }
    BrokerScheduleTable &brokerSchedules() { return m_brokerSchedules; }
    Jan2018ValueTable &jan2018Values() { return m_jan2018Values; }
    SaleResultTable &saleResults() { return m_saleResults; }

private:
    StoreStatus openFile(const QString &file);
    StoreStatus openDataSource(const QString &dsn);
    StoreStatus unavailable(const std::string &reason);
    // Marks the opened database available once its schema is at the current version.
    StoreStatus upgraded(const std::string &what);

    StoreConnection m_connection;
    CompanyTable m_companyList{m_connection};
    WatchListTable m_watchList{m_connection};
    BrokerTable m_brokers{m_connection};
    LotTable m_profile{m_connection};
    FuturesTable m_futures{m_connection};
    SelectedFuturesTable m_selectedFutures{m_connection};
    TradeTable m_trades{m_connection};
    BrokerScheduleTable m_brokerSchedules{m_connection};
    Jan2018ValueTable m_jan2018Values{m_connection};
    SaleResultTable m_saleResults{m_connection};
};

// Prepares an empty database behind the configured source with the tables and the seed
// lists. A database that has any of the tables is refused and left as it is.
StoreStatus initDatabase(const StoreConfig &config);
