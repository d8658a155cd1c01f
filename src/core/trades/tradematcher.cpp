#include "core/trades/tradematcher.h"

#include <algorithm>
#include <deque>
#include <numeric>
#include <unordered_map>

namespace {
std::string keyOf(const Trade &trade)
{
    std::string key = trade.symbol;
    key += trade.kind == TradeKind::Delivery ? "\x1f"
                                               "D"
                                             : "\x1f"
                                               "I";
    return key;
}

// The part of a trade's charges that falls on some of its shares.
double shareOf(double charges, long part, long whole)
{
    return whole != 0 ? charges * double(part) / double(whole) : 0;
}
} // namespace

TradeBook matchTrades(const std::vector<Trade> &trades, const std::vector<TradeCharges> &charges)
{
    std::vector<std::size_t> order(trades.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::ranges::stable_sort(
        order, [&](std::size_t a, std::size_t b) { return happenedBefore(trades[a], trades[b]); });
    const auto chargesOf = [&](std::size_t i) {
        return i < charges.size() ? charges[i].total : 0.0;
    };

    TradeBook book;
    std::unordered_map<std::string, std::deque<std::size_t>> queues; // open lot positions
    for (std::size_t i : order) {
        const Trade &trade = trades[i];
        if (trade.side == TradeSide::Buy) {
            queues[keyOf(trade)].push_back(book.open.size());
            book.open.push_back({trade, trade.quantity, chargesOf(i)});
            continue;
        }
        SaleResult result;
        result.sale = trade;
        result.saleValue = double(trade.quantity) * trade.price;
        result.sellCharges = chargesOf(i);
        long wanted = trade.quantity;
        auto &queue = queues[keyOf(trade)];
        while (wanted > 0 && !queue.empty()) {
            OpenLot &lot = book.open[queue.front()];
            if (lot.remaining <= 0) { // a lot of no shares, as an old table may hold
                queue.pop_front();
                continue;
            }
            const long taken = std::min(wanted, lot.remaining);
            const double lotCharges = shareOf(lot.charges, taken, lot.remaining);
            const double cost = double(taken) * lot.buy.price;
            result.costOfLots += cost;
            result.buyCharges += lotCharges;
            result.lots.push_back(
                {trade.symbol, lot.buy.date, taken, cost + lotCharges,
                 double(taken) * trade.price - shareOf(result.sellCharges, taken, trade.quantity),
                 trade.kind, lot.buy.id});
            lot.remaining -= taken;
            lot.charges -= lotCharges;
            wanted -= taken;
            if (lot.remaining == 0)
                queue.pop_front();
        }
        result.unmatched = wanted;
        result.profit = result.saleValue - shareOf(result.saleValue, wanted, trade.quantity) -
                        result.costOfLots - result.buyCharges - result.sellCharges;
        book.sales.push_back(std::move(result));
    }
    std::erase_if(book.open,
                  [](const OpenLot &lot) { return lot.remaining == 0 && lot.buy.quantity > 0; });
    return book;
}
