#include "gui/portfolio/lotdialog.h"

#include "core/common/messenger.h"
#include "core/portfolio/holdingform.h"
#include "core/trades/saleform.h"
#include "gui/controls/colorbutton.h"
#include "gui/controls/fieldedits.h"
#include "gui/shell/panelstyle.h"
#include "gui/store/dialogparts.h"

#include <QLabel>
#include <QLineEdit>

LotDialog::LotDialog(Messenger &messenger, const QString &company, const LotValues &lot,
                     QWidget *parent)
    : QDialog(parent), m_messenger(messenger), m_lot(lot)
{
    DialogParts parts(this);
    setObjectName(QStringLiteral("lotDialog"));
    setWindowTitle(QString::fromLatin1(Caption));
    setFixedSize(parts.units().size(186, 104));
    applyPanelStyle(this);

    parts.label(nullptr, QStringLiteral("Stock Name"), 7, 9, 45, 8);
    parts.label("companyName", company, 55, 9, 124, 8);
    parts.label(nullptr, QStringLiteral("No of Shares"), 7, 27, 55, 8);
    m_shares = parts.edit("shares", 70, 25, 70, 13);
    m_shares->setText(QString::number(lot.shares));
    parts.label(nullptr, QStringLiteral("Buying Price"), 7, 45, 55, 8);
    m_price = parts.edit("price", 70, 43, 70, 13);
    m_price->setText(numberText(lot.price));
    parts.label(nullptr, QStringLiteral("Bought on"), 7, 63, 55, 8);
    m_date = parts.edit("date", 70, 61, 70, 13);
    m_date->setText(QString::fromStdString(lot.date));
    m_date->setPlaceholderText(QStringLiteral("not known"));

    auto *ok = parts.button("ok", QStringLiteral("OK"), 36, 83, 50, 14);
    ok->setDefault(true);
    auto *cancel = parts.button("cancel", QStringLiteral("Cancel"), 100, 83, 50, 14);
    connect(ok, &QPushButton::clicked, this, &LotDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void LotDialog::accept()
{
    const auto shares = readInteger(m_shares, 0, HoldingForm::MaximumShares, m_messenger);
    if (!shares)
        return;
    const auto price = readNumber(m_price, 0, HoldingForm::MaximumPrice, m_messenger);
    if (!price)
        return;
    // A lot typed before lots had dates may stay undated; any other date is a real one.
    const std::string date = m_date->text().trimmed().toStdString();
    if (!date.empty() && !isCalendarDate(date)) {
        m_messenger.inform("Enter the date the shares were bought as YYYY-MM-DD");
        return;
    }
    const LotValues lot{*price, *shares, date};
    if (!HoldingForm::lotAcceptable(lot, m_messenger))
        return;
    m_lot = lot;
    QDialog::accept();
}

std::optional<LotValues> LotDialog::ask(Messenger &messenger, const QString &company,
                                        const LotValues &lot, QWidget *parent)
{
    LotDialog dialog(messenger, company, lot, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.lot();
}
