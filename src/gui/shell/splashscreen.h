#pragma once

#include <QImage>
#include <QWidget>

#include <future>

// The start-up picture: borderless, centred, gone after three seconds or at the first key or
// mouse press anywhere in the program. It frees itself.
class SplashScreen : public QWidget
{
    Q_OBJECT
public:
    static constexpr int DisplayMs = 3000;

    // The window stands at once; it waits for its picture only when first drawn.
    static SplashScreen *show(std::shared_future<QImage> picture, QWidget *mainWindow);
    static bool exists() { return s_current != nullptr; }

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    SplashScreen(std::shared_future<QImage> picture, QWidget *mainWindow);
    ~SplashScreen() override;
    void dismiss();

    std::shared_future<QImage> m_picture;
    QWidget *m_mainWindow;
    static SplashScreen *s_current;
};
