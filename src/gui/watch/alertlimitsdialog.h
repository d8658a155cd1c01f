#pragma once

#include <QDialog>

#include <functional>
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
// while "Set Alert" is on. Without an alert the edits show the current price. OK hands the
// alert to the caller's save and ends the dialog only once that has stored it, so a failed
// save keeps what was typed for another try.
class AlertLimitsDialog : public QDialog
{
    Q_OBJECT
public:
    using Save = std::function<bool(const AlertLimits &)>;

    AlertLimitsDialog(Messenger &messenger, const QString &company, double price,
                      const AlertLimits &current, Save save = {}, QWidget *parent = nullptr);

    // Runs the dialog; the stored alert on OK, nothing on Cancel.
    static std::optional<AlertLimits> ask(Messenger &messenger, const QString &company,
                                          double price, const AlertLimits &current, Save save,
                                          QWidget *parent);

    AlertLimits limits() const { return m_limits; }
    void accept() override;

private:
    bool saved(const AlertLimits &limits);

    Messenger &m_messenger;
    Save m_save;
    QCheckBox *m_setAlert;
    QLineEdit *m_lower;
    QLineEdit *m_upper;
    AlertLimits m_limits;
};
