#pragma once

#include <QWidget>

#include <vector>

class AppContext;
class ColorButton;
class QVBoxLayout;

// A panel that hangs under the main bar: as wide as the bar, moved along with it, shown one
// at a time by the panel host. Panels that close with their own "X" destroy themselves.
class DockedPanel : public QWidget
{
    Q_OBJECT
public:
    DockedPanel(AppContext &context, QWidget *bar, int heightDlu);

    // Top-left corner on the bar's bottom-left corner; top-most when the bar is.
    void dockUnder(const QWidget *bar, bool topMost);

    bool connected() const { return m_connected; }
    void setConnected(bool on) { m_connected = on; }

    AppContext &context() const { return m_context; }

signals:
    void closedByUser();

protected:
    void paintEvent(QPaintEvent *event) override;
    // For the panel's own "X": the window goes, and the host forgets it.
    void closeAndDestroy();
    // Sizes the panel's height to what its layout asks for; the width stays the bar's.
    void fitHeightToContents();
    // The client area inside the one-pixel border.
    QWidget *client() const { return m_client; }
    // The panel's layout, begun with its title row: the banner, then the given buttons at the
    // right (the panel's "X" last).
    QVBoxLayout *titledLayout(const QString &title, const std::vector<QWidget *> &buttons);
    // A colour button of the panel, sized in dialog units and named for its role.
    ColorButton *makeButton(const QString &caption, const char *name, int widthDlu, int heightDlu);

private:
    AppContext &m_context;
    QWidget *m_client;
    bool m_connected = false;
};
