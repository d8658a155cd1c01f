#include "gui/portfolio/jan2018valuesdialog.h"

#include "core/common/messenger.h"
#include "gui/shell/panelstyle.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

#include <cmath>

Jan2018ValuesDialog::Jan2018ValuesDialog(const std::vector<std::string> &symbols,
                                         Messenger &messenger, QWidget *parent)
    : QDialog(parent), m_messenger(messenger)
{
    setObjectName(QStringLiteral("jan2018ValuesDialog"));
    setWindowTitle(QStringLiteral("31-Jan-2018 values"));
    applyPanelStyle(this);
    auto *layout = new QFormLayout(this);
    auto *prompt = new QLabel(
        QStringLiteral("Lots bought before 1 February 2018 are taxed from the highest traded "
                       "price on 31 January 2018.\nWrite it for each company (empty: its sales "
                       "are left out of the totals)."),
        this);
    layout->addRow(prompt);
    for (const std::string &symbol : symbols) {
        auto *edit = new QLineEdit(this);
        edit->setObjectName(QString::fromStdString(symbol));
        layout->addRow(QString::fromStdString(symbol), edit);
        m_fields.emplace_back(symbol, edit);
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &Jan2018ValuesDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addRow(buttons);
}

QLineEdit *Jan2018ValuesDialog::field(const std::string &symbol) const
{
    for (const auto &[name, edit] : m_fields)
        if (name == symbol)
            return edit;
    return nullptr;
}

void Jan2018ValuesDialog::accept()
{
    Jan2018Values values;
    for (const auto &[symbol, edit] : m_fields) {
        const QString text = edit->text().trimmed();
        if (text.isEmpty())
            continue;
        bool ok = false;
        const double value = text.toDouble(&ok); // C number form, whatever the locale
        if (!ok || !std::isfinite(value) || value <= 0) {
            m_messenger.inform(NotAPrice);
            edit->setFocus();
            return;
        }
        values[symbol] = value;
    }
    m_values = std::move(values);
    QDialog::accept();
}

std::optional<Jan2018Values> Jan2018ValuesDialog::ask(const std::vector<std::string> &symbols,
                                                      Messenger &messenger, QWidget *parent)
{
    Jan2018ValuesDialog dialog(symbols, messenger, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.values();
}
