#pragma once

#include <QObject>

#include <string>
#include <string_view>

class NewListing;

// Carries a new listing's validation over the network: one quote request in an internet
// session of its own ("ValidationSession"), answered asynchronously so the dialog never
// blocks. The verdicts land in the NewListing; finished() says they are there.
class ListingValidator : public QObject
{
    Q_OBJECT
public:
    static constexpr int DefaultTimeoutMs = 10000;

    explicit ListingValidator(NewListing &listing, QObject *parent = nullptr);

    // The quote service's base URL, without a trailing "/".
    void setBaseUrl(std::string url) { m_baseUrl = std::move(url); }
    void setTimeoutMs(int ms) { m_timeoutMs = ms; }

    // Starts validating the typed symbols; false when nothing started (no symbol given, or a
    // validation still running).
    bool validate(std::string_view nseSymbol, std::string_view bseSymbol);

signals:
    void finished();

private:
    NewListing &m_listing;
    std::string m_baseUrl;
    int m_timeoutMs = DefaultTimeoutMs;
};
