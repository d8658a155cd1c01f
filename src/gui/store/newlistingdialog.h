#pragma once

#include "core/store/newlisting.h"

#include <QDialog>

#include <functional>
#include <optional>

class AppContext;
class ColorButton;
class ListingValidator;
class QLabel;
class QLineEdit;
class QUrl;

// "Add a new Listing": the user types a company's name and its NSE and/or BSE symbol, and
// each symbol is checked against the quote service before it may be added. The check runs
// asynchronously: meanwhile the controls are disabled and the waiting text is shown, and
// Cancel still ends the dialog.
class NewListingDialog : public QDialog
{
    Q_OBJECT
public:
    static constexpr const char *Caption = "Add a new Listing";
    static constexpr const char *WaitingText = "WAIT...Retrieving Data...";
    static constexpr const char *NoBrowserMessage =
        "The web browser could not be started. The lookup page is\n";

    // Opens a page in the user's browser; true when it could. Tests record instead.
    using UrlOpener = std::function<bool(const QUrl &)>;

    NewListingDialog(AppContext &ctx, QWidget *parent = nullptr, UrlOpener opener = {});
    ~NewListingDialog() override;

    // Stores an accepted listing; false keeps the dialog open (it has said why).
    using Saver = std::function<bool(const NewListing &)>;

    // Runs the dialog; on "Add" the accepted listing (name, validated symbols and flags),
    // once save (if given) has taken it. Cancel gives nothing.
    static std::optional<NewListing> ask(AppContext &ctx, QWidget *parent, UrlOpener opener = {},
                                         Saver save = {});

    const NewListing &listing() const { return m_listing; }
    ListingValidator &validator() { return *m_validator; }
    void accept() override;

private:
    void validate();
    void findSymbol();
    void showState();

    AppContext &m_ctx;
    UrlOpener m_opener;
    Saver m_save;
    NewListing m_listing;
    ListingValidator *m_validator;
    QLineEdit *m_name;
    QLineEdit *m_nse;
    QLineEdit *m_bse;
    QLabel *m_nseResult;
    QLabel *m_bseResult;
    QLabel *m_waiting;
    ColorButton *m_validate;
    ColorButton *m_find;
    ColorButton *m_add;
};
