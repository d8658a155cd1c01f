#pragma once

#include "core/shell/barplacement.h"
#include "core/shell/indexboard.h"
#include "gui/shell/panelbutton.h"

#include <QPointer>
#include <QWidget>

#include <optional>

class AppContext;
class ColorButton;
class IndexListModel;
class QCheckBox;
class QLabel;
class QMenu;
class QSystemTrayIcon;
class StockListView;
class UserNotices;

// The program's face: a small borderless bar with NIFTY and SENSEX, the connection dot, the
// always-on-top box and the buttons that open the panels. It owns the refresh timer's
// start-up, the tray icon and the right-click position menu. Closing it ends the program.
class MainBar : public QWidget
{
    Q_OBJECT
public:
    static constexpr const char *TrayTip = "           VANTREL !      \nDouble Click to Show/Hide";
    static constexpr const char *CloseQuestion = "Are you sure that you want to CLOSE Vantrel ?";

    explicit MainBar(AppContext &context, QWidget *parent = nullptr);
    ~MainBar() override;

    // The start-up sequence: empty index rows, Top Center, first refresh, tray. The splash, up
    // before the bar, is the start's.
    void startUp();

    AppContext &context() { return m_context; }
    const IndexBoard &board() const { return m_board; }
    bool connected() const;
    bool alwaysOnTop() const { return m_alwaysOnTop; }
    bool hiddenInTray() const { return m_hiddenInTray; }
    bool trayIconAdded() const { return m_tray != nullptr; }
    QSystemTrayIcon *trayIcon() const { return m_tray; }
    // Where alerts and label changes are told; set by the program, absent in bare tests.
    UserNotices *notices() const { return m_notices; }
    void setNotices(UserNotices *notices) { m_notices = notices; }
    ColorButton *button(const char *name) const;

    // Screen rectangles the presets use; tests may stand in their own.
    void setScreenOverride(const ScreenRect &desktop, int taskbarHeight);
    void place(std::optional<BarPreset> preset);
    void setAlwaysOnTop(bool on);

    void hideToTray();
    void showFromTray();
    void toggleTray();
    void askAndClose();
    void closeNow();

    // The right-click menu, shown only for points inside the client area (screen coordinates).
    bool showMenuAt(const QPoint &globalPos);
    QMenu *trayMenu() const { return m_trayMenu; }

    static QString serviceLine(const AppContext &context);
    // The tray icon's tip: the program's own, then where the prices come from.
    static QString trayTip(const AppContext &context);
    // The live gateway's label has changed: the tray tip follows it.
    void setLiveLabel(const QString &label);

signals:
    // The bar has moved or changed its z-order: docked panels follow.
    void placed(bool topMost);
    // The bar and its visible panels were hidden (false) or shown (true) together.
    void shownWithPanels(bool shown);
    // A panel button was pressed; the panel host answers.
    void panelButton(PanelButton button);
    // A double click on an index row while connected: (name, price, symbol).
    void chartRequested(const QString &name, const QString &price, const QString &symbol);
    // The bar is going away; the program ends after this.
    void closing();

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    void buildTray();
    void onResult(bool ok);
    void onReplyApplied();
    ScreenRect clientRectOnScreen() const;
    // The place and z-order the user left, else the top centre.
    void restorePlace();

    AppContext &m_context;
    IndexBoard m_board;
    QWidget *m_client = nullptr;
    QLabel *m_redDot = nullptr;
    QLabel *m_greenDot = nullptr;
    QLabel *m_liveLine = nullptr; // where live prices come from, and how fresh they are
    QCheckBox *m_topBox = nullptr;
    StockListView *m_indexList = nullptr;
    IndexListModel *m_indexModel = nullptr;
    QSystemTrayIcon *m_tray = nullptr;
    UserNotices *m_notices = nullptr;
    QMenu *m_trayMenu = nullptr;
    bool m_alwaysOnTop = true;
    bool m_hiddenInTray = false;
    bool m_closing = false;
    std::optional<std::pair<ScreenRect, int>> m_screenOverride;
    std::optional<QPoint> m_cornerPoint; // where the last corner preset put the bar
};
