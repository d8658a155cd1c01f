#pragma once

#include "core/store/storeresult.h"
#include "core/store/storerows.h"

#include <optional>
#include <string_view>
#include <vector>

// What the panels and their rules ask of the company database, one interface per table.
// Every call either succeeds or carries the driver's error text; callers show that text and
// go on. Lists come back in the table's own order unless said otherwise. While the database
// could not be opened, reads give empty lists and writes fail with the reason.

// The reference list of listed companies (table CompanyList).
class CompanyListStore
{
public:
    virtual ~CompanyListStore() = default;
    // Companies listed on the exchange whose name contains part, ignoring case; every
    // character of part stands for itself. Sorted by name, whatever its case.
    virtual StoreResult<std::vector<CompanyRow>> searchByName(std::string_view part,
                                                              Exchange exchange) = 0;
    // Every company listed on the exchange, sorted by name whatever its case.
    virtual StoreResult<std::vector<CompanyRow>> listedOn(Exchange exchange) = 0;
    virtual StoreResult<bool> hasSymbol(Exchange exchange, std::string_view symbol) = 0;
    // An empty symbol is stored as "not listed".
    virtual StoreStatus insert(const CompanyRow &row) = 0;
};

// The watch list (table SelectedComp2Watch).
class WatchListStore
{
public:
    virtual ~WatchListStore() = default;
    virtual StoreResult<std::vector<WatchRow>> load() = 0;
    // Replaces the whole list in one transaction: all of it lands or the table stays as it was.
    virtual StoreStatus save(const std::vector<WatchRow> &rows) = 0;
    virtual StoreStatus insert(const WatchRow &row) = 0;
    // Changes the alert of the first row with the symbol; false when there is no such row.
    virtual StoreResult<bool> setAlert(std::string_view symbol, int alert, double lowerLimit,
                                       double upperLimit) = 0;
    virtual StoreResult<std::vector<WatchRow>> nseRows() = 0;
};

// The user's brokers (table BROKERLIST).
class BrokerStore
{
public:
    virtual ~BrokerStore() = default;
    virtual StoreResult<std::vector<BrokerEntry>> loadAll() = 0;
    // The first broker of that name, if any.
    virtual StoreResult<std::optional<BrokerEntry>> findByName(std::string_view name) = 0;
    // The database assigns the id.
    virtual StoreStatus insert(const BrokerEntry &broker) = 0;
    // Rewrites name and rates of the broker with that id; false when there is none. Names may
    // repeat after a rename, so a broker is edited by its id.
    virtual StoreResult<bool> update(long brokerId, const BrokerEntry &broker) = 0;
    // Removes the broker, and its charge schedule, unless a trade names it; false when one does.
    virtual StoreResult<bool> removeUnused(long brokerId) = 0;
};

// The purchase lots of the portfolio: the buys that sales have not consumed (table TRADES).
class ProfileStore
{
public:
    virtual ~ProfileStore() = default;
    virtual StoreResult<std::vector<ProfileLot>> loadAll() = 0;
    virtual StoreResult<std::vector<ProfileLot>> lots(std::string_view symbol,
                                                      int deliveryType) = 0;
    virtual StoreStatus removeStock(std::string_view symbol, int deliveryType) = 0;
    virtual StoreStatus insert(const ProfileLot &lot) = 0;
    // Appends lots in one transaction: all of them or none.
    virtual StoreStatus insertLots(const std::vector<ProfileLot> &lots) = 0;
    // Rewrites one stock's lots of that delivery type in one transaction, each stored lot
    // taking the next new one in table order, so every lot keeps its place among the others.
    // New lots beyond the stored ones are appended; stored ones beyond the new ones go.
    virtual StoreStatus replaceStock(std::string_view symbol, int deliveryType,
                                     const std::vector<ProfileLot> &lots) = 0;
};

// The futures contracts to choose from (table Future); read only.
class FutureCatalogue
{
public:
    virtual ~FutureCatalogue() = default;
    virtual StoreResult<std::vector<FutureRow>> loadAll() = 0;
};

// The futures the user watches (table SelectedFuture).
class SelectedFutureStore
{
public:
    virtual ~SelectedFutureStore() = default;
    virtual StoreResult<std::vector<FutureRow>> load() = 0;
    virtual StoreStatus insert(const FutureRow &row) = 0;
    virtual StoreStatus removeSymbol(std::string_view symbol) = 0;
};
