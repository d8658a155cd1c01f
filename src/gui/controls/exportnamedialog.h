#pragma once

#include <QDialog>

#include <optional>

class Clock;
class Messenger;
class QLineEdit;

// "Export to CSV": asks for the export's file name, without extension, proposing one from
// the clock. A name of only blanks, or one that is more than a file name, is refused and the
// dialog stays open.
class ExportNameDialog : public QDialog
{
    Q_OBJECT
public:
    ExportNameDialog(const Clock &clock, Messenger &messenger, QWidget *parent = nullptr);

    // Runs the dialog; the trimmed name on OK, nothing on Cancel.
    static std::optional<QString> ask(const Clock &clock, Messenger &messenger, QWidget *parent);

    QString name() const { return m_name; }
    QLineEdit *edit() const { return m_edit; }
    void accept() override;

private:
    Messenger &m_messenger;
    QLineEdit *m_edit;
    QString m_name;
};
