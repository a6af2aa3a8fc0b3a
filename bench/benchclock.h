#pragma once

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <QWindow>

#include <cstdio>
#include <ctime>
#include <functional>

// The wall clock shared with the harness that started us: nanoseconds of CLOCK_REALTIME.
inline long long wallNowNs()
{
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

// One line the harness reads: "<name> <CLOCK_REALTIME ns>".
inline void reportMark(const char* name, long long ns)
{
    std::printf("%s %lld\n", name, ns);
    std::fflush(stdout);
}

// Calls `done` once the window is exposed on the screen and, after that, the event loop has nothing
// left to do and is about to wait: the window is shown, painted and the program idle.
class ShownAndIdle : public QObject {
public:
    ShownAndIdle(QWidget* window, std::function<void()> done)
        : m_window(window)
        , m_done(std::move(done))
    {
        QWindow* handle = window->windowHandle();
        if (handle && handle->isExposed())
            waitForIdle();
        else if (handle)
            handle->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Expose && !m_exposed) {
            auto* handle = static_cast<QWindow*>(watched);
            // The expose is handled (and the window painted) before the loop turns again.
            if (handle->isExposed()) {
                handle->removeEventFilter(this);
                waitForIdle();
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void waitForIdle()
    {
        m_exposed = true;
        auto* dispatcher = QAbstractEventDispatcher::instance();
        m_connection = connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, [this] {
            disconnect(m_connection);
            m_done();
        });
    }

    QPointer<QWidget> m_window;
    std::function<void()> m_done;
    QMetaObject::Connection m_connection;
    bool m_exposed = false;
};
