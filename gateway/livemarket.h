#pragma once

#include "market.h"
#include "quotebook.h"
#include "sources/livesource.h"
#include "sources/marketcalendar.h"

#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

// The live market: a cache of quotes that a poller keeps filled. A quote request is answered
// from the cache at once; only a symbol never seen before waits, briefly, for its first fetch.
// The poller keeps fresh every symbol asked for lately, the bar's first, asking the sources in
// order and each only for what the ones before it did not answer. Every answer is labelled by
// its least fresh quote. A symbol no source knows is N/A on the wire and reported once; when
// every source refuses and nothing is kept, the request is refused too.
class LiveMarket : public Market
{
public:
    // The label once every source has refused the latest request.
    static constexpr const char *NoSourceLabel = "NO SOURCE ANSWERING";

    struct Options
    {
        QuoteBook::Settings book = {
            std::chrono::seconds(15), std::chrono::minutes(5), {"^NSEI", "^BSESN", "USDINR=X"}};
        // How long a symbol never seen before may wait for its first fetch.
        std::chrono::milliseconds firstWait{2000};
        std::shared_ptr<const MarketCalendar> calendar;
        std::chrono::system_clock::time_point (*now)() = nullptr;
    };

    explicit LiveMarket(std::vector<std::unique_ptr<LiveSource>> sources);
    LiveMarket(std::vector<std::unique_ptr<LiveSource>> sources, Options options);
    ~LiveMarket() override;

    bool quotes(const std::vector<std::string> &symbols,
                std::vector<std::optional<QuoteFields>> &out, std::string &reason) override;

    // The first source's bars that make a chart; the previous close from the kept quote.
    std::optional<ChartSubject> chart(const std::string &symbol, ChartRange range) override;

    // The least fresh of the quotes of every symbol asked for lately ("LIVE via ...",
    // "DELAYED ...", "CLOSED ...", "END OF DAY ..."), or NoSourceLabel when every source
    // refused them; empty until then.
    std::string label() const override;
    // The label of the latest answer on this thread.
    std::string answerLabel() const override;
    // Where each quote of the latest answer on this thread came from and how fresh it is,
    // one entry per symbol asked, comma-separated: "kind;source;utcSeconds;delayMinutes"
    // (kind live, delayed, closed or eod), empty for a symbol without a quote.
    std::string answerOrigins() const;

    // The whole exchange's closes for a sweep: answered from the end-of-day files alone, so
    // it never takes a request from the symbols the poller keeps fresh, nor adds to them.
    // False when no end-of-day source answers.
    bool closes(const std::vector<std::string> &symbols,
                std::vector<std::optional<QuoteFields>> &out, std::string &reason);

    // GET /gateway/status: the label and each source's health.
    std::string statusJson() const;

    // One poll of whatever is due, on the caller's thread (the poller's loop body).
    void pollOnce(const std::vector<std::string> &due);

private:
    void run();
    std::string labelOf(const std::vector<std::string> &symbols, bool &any) const;
    // Labels one answer and notes its origins, for this thread's headers.
    void noteAnswer(const std::vector<std::optional<LiveQuote>> &quotes);
    std::int64_t nowSeconds() const;
    // True the first time a symbol turns out unknown to every source.
    bool firstTimeUnknown(const std::string &symbol);

    std::vector<std::unique_ptr<LiveSource>> m_sources;
    Options m_options;
    QuoteBook m_book;
    mutable std::mutex m_mutex;
    std::set<std::string> m_unknown;
    std::thread m_poller;
};
