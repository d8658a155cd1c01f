#pragma once

#include <QImage>
#include <QPointer>
#include <QWidget>

#include <future>

// The start-up picture: borderless, centred, gone after three seconds or at the first key or
// mouse press anywhere in the program. It frees itself.
class SplashScreen : public QWidget
{
    Q_OBJECT
public:
    static constexpr int DisplayMs = 3000;

    // Its picture is drawn while its window is made, and the first paint waits for it; a
    // picture drawn when the program was built is shown as it is on a screen of its ratio.
    static SplashScreen *show(const QImage &prebuilt = {});
    static bool exists() { return s_current != nullptr; }
    // The main window it is repainted over when it goes.
    void belongTo(QWidget *mainWindow) { m_mainWindow = mainWindow; }

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit SplashScreen(std::shared_future<QImage> picture);
    ~SplashScreen() override;
    void dismiss();

    std::shared_future<QImage> m_picture;
    QPointer<QWidget> m_mainWindow;
    static SplashScreen *s_current;
};
