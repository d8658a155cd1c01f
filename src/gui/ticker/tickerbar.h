#pragma once

#include <QWidget>

class AppContext;
class ColorButton;
class ColourLabel;
class IndexBoard;
class QLabel;
class QSlider;
class ScrollingBand;
class WatchList;

// The thin top-most strip that stands in for the main bar: NIFTY's value and change, and the
// NSE stocks of the watch list running past in a band whose speed the slider sets (0, at its
// left end, stops it). Its text follows every refresh; "M" asks for the main bar back.
class TickerBar : public QWidget
{
    Q_OBJECT
public:
    static constexpr int StartSpeed = 500;
    static constexpr int MaxSpeed = 600;

    TickerBar(AppContext &context, const IndexBoard &board, const WatchList &list,
              QWidget *parent = nullptr);

    ScrollingBand *band() const { return m_band; }
    QSlider *speedSlider() const { return m_speed; }

    void rebuildText();

signals:
    // "M": the main bar comes back and this bar goes.
    void mainBarWanted();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void buildControls();

    const IndexBoard &m_board;
    const WatchList &m_list;
    ColourLabel *m_nifty = nullptr;
    ColourLabel *m_change = nullptr;
    ScrollingBand *m_band = nullptr;
    QSlider *m_speed = nullptr;
};
