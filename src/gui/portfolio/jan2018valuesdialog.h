#pragma once

#include "core/gains/grandfathering.h"

#include <QDialog>

#include <optional>
#include <string>
#include <vector>

class Messenger;
class QLineEdit;

// Asks the 31 January 2018 value per share of the companies whose lots were bought before
// February 2018. A field left empty stays unknown (its sales are left out of the totals); one
// that is not a positive price is refused and the dialog stays open.
class Jan2018ValuesDialog : public QDialog
{
    Q_OBJECT
public:
    static constexpr const char *NotAPrice =
        "Please write the 31-Jan-2018 value as a price per share, such as 1234.50, or leave "
        "it empty";

    Jan2018ValuesDialog(const std::vector<std::string> &symbols, Messenger &messenger,
                        QWidget *parent = nullptr);

    // The values given on OK (possibly none), nothing on Cancel.
    static std::optional<Jan2018Values> ask(const std::vector<std::string> &symbols,
                                            Messenger &messenger, QWidget *parent);

    QLineEdit *field(const std::string &symbol) const;
    const Jan2018Values &values() const { return m_values; }
    void accept() override;

private:
    Messenger &m_messenger;
    std::vector<std::pair<std::string, QLineEdit *>> m_fields;
    Jan2018Values m_values;
};
