#pragma once

#include "core/common/rgb.h"

#include <QAbstractTableModel>
#include <QTableView>

#include <functional>
#include <string>

class Messenger;

// Every quote list of the program: the display role gives the formatted cell text, the colour
// and font roles come from the subclass's rules, headers are fixed. A list whose rows hold numbers
// also gives them unformatted in the raw-value role, for sorting.
class StockListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    struct Colours
    {
        Rgb background = colours::White;
        Rgb text = colours::Black;
        bool italic = false; // a figure made from a price that is not live
    };

    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Call after the rows behind the model have been rebuilt.
    void reload();

    virtual int stockCount() const = 0;
    virtual int columns() const = 0;
    virtual std::string header(int column) const = 0;
    virtual std::string text(int row, int column) const = 0;
    virtual Colours colours(int row, int column) const = 0;
    // The row's own tooltip; empty leaves the view's.
    virtual std::string toolTip(int) const { return {}; }
    virtual Qt::Alignment alignment(int column) const;
};

// The list view that goes with it: grid lines, whole-row selection, fixed column widths (a
// width of 0 hides the column) and a double click that opens the row's chart, but only while
// the owning window is connected. A column of numbers (right-aligned) is never cut: it widens
// to its longest text, taking the room from the name columns, and past that the list scrolls
// sideways.
class StockListView : public QTableView
{
    Q_OBJECT
public:
    static constexpr const char *NoConnection = "Sorry!!!There is no internet connection detected";

    StockListView(Messenger &messenger, QWidget *parent = nullptr);

    void setStockModel(StockListModel *model, const std::vector<int> &widths);
    // The given widths are in proportion: the visible columns share the whole width of the
    // list, so text drawn with the program's font is not cut where the widths were set for a
    // smaller one.
    void setFillWidth(bool fill);
    void setConnectedCheck(std::function<bool()> connected) { m_connected = std::move(connected); }

signals:
    // A double click on a row while connected.
    void rowActivated(int row);

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void applyWidths();
    int cellWidth(const QString &text) const;
    int widestIn(int column) const;

    StockListModel *m_stockModel = nullptr;
    std::vector<int> m_widths;
    bool m_fill = false;
    Messenger &m_messenger;
    std::function<bool()> m_connected;
};
