#pragma once

#include "core/common/version.h"

#include <QDialog>

// The product name and version: icon, name, the quote service line in a frame, OK.
class AboutBox : public QDialog
{
    Q_OBJECT
public:
    static constexpr const char *Caption = vantrel::ProductName;
    AboutBox(const QString &serviceLine, QWidget *parent = nullptr);
};
