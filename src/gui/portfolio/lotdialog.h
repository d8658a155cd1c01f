#pragma once

#include "core/portfolio/holdingrow.h"

#include <QDialog>

#include <optional>

class Messenger;
class QLineEdit;

// "Add/Edit Stocks": one lot's number of shares and buying price, neither of them 0, and the
// day it was bought (empty for a lot whose day is not known).
class LotDialog : public QDialog
{
    Q_OBJECT
public:
    static constexpr const char *Caption = "Add/Edit Stocks";

    LotDialog(Messenger &messenger, const QString &company, const LotValues &lot,
              QWidget *parent = nullptr);

    // Runs the dialog; the lot on OK, nothing on Cancel.
    static std::optional<LotValues> ask(Messenger &messenger, const QString &company,
                                        const LotValues &lot, QWidget *parent);

    const LotValues &lot() const { return m_lot; }
    void accept() override;

private:
    Messenger &m_messenger;
    QLineEdit *m_shares;
    QLineEdit *m_price;
    QLineEdit *m_date;
    LotValues m_lot;
};
