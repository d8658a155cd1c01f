#pragma once

#include <QDialog>

// "Vantrel Pro 2.3.0": icon, name, the quote service line in a frame, OK.
class AboutBox : public QDialog
{
    Q_OBJECT
public:
    static constexpr const char *Caption = "Vantrel Pro 2.3.0";
    AboutBox(const QString &serviceLine, QWidget *parent = nullptr);
};
