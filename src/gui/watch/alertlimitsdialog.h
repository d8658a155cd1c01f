#pragma once

#include <QDialog>

#include <optional>

class Messenger;
class QCheckBox;
class QLineEdit;

// An alert as "Set Limits for ALERT" gives it back: without an alert the limits are 0.
struct AlertLimits
{
    int alert = 0;
    double lowerLimit = 0;
    double upperLimit = 0;
};

// "Set Limits for ALERT": the stock's name, "Set Alert" and the two limits, editable only
// while "Set Alert" is on. Without an alert the edits show the current price.
class AlertLimitsDialog : public QDialog
{
    Q_OBJECT
public:
    AlertLimitsDialog(Messenger &messenger, const QString &company, double price,
                      const AlertLimits &current, QWidget *parent = nullptr);

    // Runs the dialog; the new alert on OK, nothing on Cancel.
    static std::optional<AlertLimits> ask(Messenger &messenger, const QString &company,
                                          double price, const AlertLimits &current,
                                          QWidget *parent);

    AlertLimits limits() const { return m_limits; }
    void accept() override;

private:
    Messenger &m_messenger;
    QCheckBox *m_setAlert;
    QLineEdit *m_lower;
    QLineEdit *m_upper;
    AlertLimits m_limits;
};
