#pragma once

#include "core/portfolio/brokerbook.h"
#include "core/trades/tradestore.h"

#include <QDialog>

class AppContext;
class QListWidget;

// "Brokers List": the stored brokers in table order, with "Add New", "Edit" (also a double
// click) and "Delete". Every change is stored at once; "Close" only ends the dialog.
class BrokersListDialog : public QDialog
{
    Q_OBJECT
public:
    static constexpr const char *Caption = "Brokers List";

    explicit BrokersListDialog(AppContext &ctx, QWidget *parent = nullptr);

    // Runs the dialog until "Close".
    static void run(AppContext &ctx, QWidget *parent);

private:
    void addNew();
    void edit();
    void remove();
    void refill();
    int selected() const;

    Messenger &m_messenger;
    BrokerScheduleStore &m_schedules;
    BrokerBook m_book;
    QListWidget *m_list;
};
