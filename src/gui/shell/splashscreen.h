#pragma once

#include <QPixmap>
#include <QWidget>

// The start-up picture: borderless, centred, gone after three seconds or at the first key or
// mouse press anywhere in the program. It frees itself.
class SplashScreen : public QWidget
{
    Q_OBJECT
public:
    static constexpr int DisplayMs = 3000;

    static SplashScreen *show(const QPixmap &picture, QWidget *mainWindow);
    static bool exists() { return s_current != nullptr; }

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    SplashScreen(const QPixmap &picture, QWidget *mainWindow);
    ~SplashScreen() override;
    void dismiss();

    QPixmap m_picture;
    QWidget *m_mainWindow;
    static SplashScreen *s_current;
};
