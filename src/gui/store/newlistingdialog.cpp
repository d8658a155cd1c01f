#include "gui/store/newlistingdialog.h"

#include "gui/controls/colorbutton.h"
#include "gui/shell/appcontext.h"
#include "gui/shell/panelstyle.h"
#include "gui/store/dialogparts.h"
#include "platform/store/listingvalidator.h"

#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QUrl>

NewListingDialog::NewListingDialog(AppContext &ctx, QWidget *parent, UrlOpener opener)
    : QDialog(parent), m_ctx(ctx), m_opener(std::move(opener)), m_listing(ctx.messenger),
      m_validator(new ListingValidator(m_listing, this))
{
    if (!m_opener)
        m_opener = [](const QUrl &url) { return QDesktopServices::openUrl(url); };
    m_validator->setBaseUrl(ctx.services.quote);

    DialogParts parts(this);
    setObjectName(QStringLiteral("newListingDialog"));
    setWindowTitle(QString::fromLatin1(Caption));
    setFixedSize(parts.units().size(250, 118));
    applyPanelStyle(this);

    parts.label(nullptr, QStringLiteral("Company Name"), 7, 9, 55, 9);
    m_name = parts.edit("companyName", 65, 7, 178, 13);
    parts.label(nullptr, QStringLiteral("NSE Name"), 7, 29, 55, 9);
    m_nse = parts.edit("nseSymbol", 65, 27, 70, 13);
    parts.label(nullptr, QStringLiteral("(without  .NS)"), 65, 41, 70, 9);
    parts.label(nullptr, QStringLiteral("BSE Name"), 7, 56, 55, 9);
    m_bse = parts.edit("bseSymbol", 65, 54, 70, 13);
    parts.label(nullptr, QStringLiteral("(without  .BO)"), 65, 68, 70, 9);
    m_nseResult = parts.label("nseResult", QString(), 140, 29, 103, 9, Qt::AlignCenter);
    m_bseResult = parts.label("bseResult", QString(), 140, 56, 103, 9, Qt::AlignCenter);
    m_waiting =
        parts.label("waiting", QString::fromLatin1(WaitingText), 7, 81, 236, 9, Qt::AlignCenter);

    m_validate = parts.button("validate", QStringLiteral("Validate"), 7, 96, 50, 14);
    m_validate->setDefault(true);
    m_find = parts.button("findSymbol", QStringLiteral("Find Symbol"), 69, 96, 50, 14);
    m_add = parts.button("add", QStringLiteral("Add"), 131, 96, 50, 14);
    auto *cancel = parts.button("cancel", QStringLiteral("Cancel"), 193, 96, 50, 14);

    connect(m_validate, &QPushButton::clicked, this, &NewListingDialog::validate);
    connect(m_validator, &ListingValidator::finished, this, &NewListingDialog::showState);
    connect(m_find, &QPushButton::clicked, this, &NewListingDialog::findSymbol);
    connect(m_add, &QPushButton::clicked, this, &NewListingDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    showState();
}

NewListingDialog::~NewListingDialog() = default;

void NewListingDialog::validate()
{
    m_validator->validate(m_nse->text().toStdString(), m_bse->text().toStdString());
    showState();
}

void NewListingDialog::showState()
{
    const bool busy = m_listing.validating();
    for (QWidget *w : std::initializer_list<QWidget *>{m_name, m_nse, m_bse, m_validate, m_find})
        w->setEnabled(!busy);
    m_waiting->setVisible(busy);
    m_nseResult->setText(QString::fromStdString(m_listing.nseResult()));
    m_bseResult->setText(QString::fromStdString(m_listing.bseResult()));
    m_add->setEnabled(m_listing.addEnabled());
}

void NewListingDialog::findSymbol()
{
    const auto path = m_listing.lookupPath(m_name->text().toStdString());
    if (!path)
        return;
    const std::string address = m_ctx.services.lookup + *path;
    if (!m_opener(QUrl::fromEncoded(QByteArray::fromStdString(address), QUrl::StrictMode)))
        m_ctx.messenger.inform(NoBrowserMessage + address);
}

void NewListingDialog::accept()
{
    if (m_listing.accept(m_name->text().toStdString()) && (!m_save || m_save(m_listing)))
        QDialog::accept();
}

std::optional<NewListing> NewListingDialog::ask(AppContext &ctx, QWidget *parent, UrlOpener opener,
                                                Saver save)
{
    NewListingDialog dialog(ctx, parent, std::move(opener));
    dialog.m_save = std::move(save);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.listing();
}
