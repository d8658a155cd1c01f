#pragma once

#include <QDialog>

#include <array>

// "ALERT & Data Logger Help": what the colours and the switches of the watch list mean.
class AlertHelpDialog : public QDialog
{
    Q_OBJECT
public:
    // The static texts, top to bottom, as shown.
    static const std::array<QString, 9> &texts();

    explicit AlertHelpDialog(QWidget *parent = nullptr);

    // Runs the dialog until OK.
    static void run(QWidget *parent);
};
