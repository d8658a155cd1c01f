#!/usr/bin/env python3
"""Writes a year's equity tradebook CSV, as a broker's console exports it, for trying the import.

Companies come from data/companylist.csv. Buys come first, sales never exceed what was bought
before them, a few symbols are bought and sold on the same day, and now and then an order
fills in several rows of one order id. The same seed gives the same file.

    scripts/dev/make-tradebook.py [--trades N] [--year Y] [--seed S] [--preamble] > tradebook.csv
"""
import argparse
import csv
import datetime
import pathlib
import random
import sys
import zlib

HEADER = ["symbol", "isin", "trade_date", "exchange", "segment", "series", "trade_type",
          "auction", "quantity", "price", "trade_id", "order_id", "order_execution_time"]


def companies():
    path = pathlib.Path(__file__).resolve().parents[2] / "data" / "companylist.csv"
    with open(path, newline="", encoding="utf-8") as f:
        return [row for row in csv.DictReader(f) if row["NSENAME"]]


def trading_days(year):
    day = datetime.date(year, 1, 1)
    while day.year == year:
        if day.weekday() < 5:
            yield day
        day += datetime.timedelta(days=1)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--trades", type=int, default=400)
    parser.add_argument("--year", type=int, default=2025)
    parser.add_argument("--seed", type=int, default=7)
    parser.add_argument("--stocks", type=int, default=25)
    parser.add_argument("--preamble", action="store_true", help="a spreadsheet's lines on top")
    args = parser.parse_args()

    rng = random.Random(args.seed)
    stocks = rng.sample(companies(), args.stocks)
    price = {s["NSENAME"]: rng.uniform(50, 4000) for s in stocks}
    held = {s["NSENAME"]: 0 for s in stocks}
    days = list(trading_days(args.year))
    per_day = max(1, args.trades // len(days) + 1)

    out = csv.writer(sys.stdout, lineterminator="\n")
    if args.preamble:
        sys.stdout.write("Client ID,AB1234\nStatement,Tradebook\n\n")
    out.writerow(HEADER)
    trade_id = 100000
    written = 0
    for day in days:
        minute = 0
        touched = set()  # a symbol trades once a day, or as a same-day pair
        for _ in range(rng.randint(0, 2 * per_day)):
            if written >= args.trades:
                break
            stock = rng.choice(stocks)
            symbol = stock["NSENAME"]
            if symbol in touched:
                continue
            touched.add(symbol)
            price[symbol] *= rng.uniform(0.97, 1.03)
            sell = held[symbol] > 0 and rng.random() < 0.35
            same_day = not sell and rng.random() < 0.05  # bought and sold within the day
            quantity = rng.randint(1, held[symbol]) if sell else rng.randint(1, 200)
            legs = [("sell" if sell else "buy", quantity)]
            if same_day:
                legs.append(("sell", quantity))
            for side, qty in legs:
                held[symbol] += -qty if side == "sell" else qty
                minute += rng.randint(1, 20)
                when = datetime.datetime.combine(day, datetime.time(9, 15)) + \
                    datetime.timedelta(minutes=minute)
                order_id = (trade_id + 1) * 10
                # Now and then an order fills in parts: several rows of one order id.
                parts = rng.randint(2, 3) if qty >= 3 and rng.random() < 0.15 else 1
                cuts = sorted(rng.sample(range(1, qty), parts - 1)) if parts > 1 else []
                for fill in (b - a for a, b in zip([0] + cuts, cuts + [qty])):
                    trade_id += 1
                    out.writerow([symbol, "INE%06dA010" % (zlib.crc32(symbol.encode()) % 10**6),
                                  day.isoformat(), "NSE", "EQ", "EQ", side, "false", fill,
                                  "%.2f" % price[symbol], trade_id, order_id,
                                  when.strftime("%Y-%m-%dT%H:%M:%S")])
                    written += 1


if __name__ == "__main__":
    main()
