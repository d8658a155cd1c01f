#include "platform/store/listingvalidator.h"

#include "core/store/newlisting.h"
#include "platform/net/internetsession.h"

ListingValidator::ListingValidator(NewListing &listing, QObject *parent)
    : QObject(parent), m_listing(listing)
{
}

bool ListingValidator::validate(std::string_view nseSymbol, std::string_view bseSymbol)
{
    if (m_listing.validating())
        return false;
    const auto path = m_listing.startValidation(nseSymbol, bseSymbol);
    if (!path)
        return false;
    fetchOnce(this, QString::fromLatin1(NewListing::AgentName), m_baseUrl + *path, m_timeoutMs,
              [this](const FetchResult &result) {
                  if (result.ok)
                      m_listing.finishValidation(result.lines());
                  else
                      m_listing.failValidation();
                  emit finished();
              });
    return true;
}
