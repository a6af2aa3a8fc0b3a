#pragma once

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <QWindow>

#include <algorithm>
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

// With ZUVRACK_BENCH_TRACE set, the resident set now and at its peak so far, on standard error:
// where the memory of a run goes.
inline void traceMemory(const char* where)
{
    static const bool on = qEnvironmentVariableIsSet("ZUVRACK_BENCH_TRACE");
    if (!on)
        return;
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return;
    QByteArray rss;
    QByteArray hwm;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            rss = line.mid(6).trimmed();
        else if (line.startsWith("VmHWM:"))
            hwm = line.mid(6).trimmed();
    }
    std::fprintf(stderr, "%-28s rss %12s  peak %12s\n", where, rss.constData(), hwm.constData());
    // "maps": the 25 largest mappings; "allmaps": every one, to compare two programs line by line.
    const QByteArray trace = qgetenv("ZUVRACK_BENCH_TRACE");
    if (trace != "maps" && trace != "allmaps")
        return;
    // Resident kilobytes by what is mapped: the libraries, the font files, the heap.
    QFile smaps(QStringLiteral("/proc/self/smaps"));
    if (!smaps.open(QIODevice::ReadOnly))
        return;
    QMap<QByteArray, long> byName;
    QByteArray name;
    for (const QByteArray& line : smaps.readAll().split('\n')) {
        if (line.isEmpty())
            continue;
        const QList<QByteArray> f = line.simplified().split(' ');
        if (!f.first().endsWith(':')) { // "start-end perms offset device inode [name]"
            name = f.size() > 5 ? f.at(5) : QByteArrayLiteral("[anonymous]");
        } else if (line.startsWith("Rss:")) {
            byName[name] += line.mid(4).trimmed().split(' ').at(0).toLong();
        }
    }
    QList<QPair<long, QByteArray>> sorted;
    for (auto it = byName.cbegin(); it != byName.cend(); ++it)
        sorted.append({it.value(), it.key()});
    std::sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    for (qsizetype i = 0; i < (trace == "maps" ? qMin<qsizetype>(25, sorted.size()) : sorted.size()); ++i)
        std::fprintf(stderr, "    %8ld kB  %s\n", sorted[i].first, sorted[i].second.constData());
}

// One line the harness reads: "<name> <CLOCK_REALTIME ns>".
inline void reportMark(const char* name, long long ns)
{
    std::printf("%s %lld\n", name, ns);
    std::fflush(stdout);
    traceMemory(name);
}

// Calls `done` once the window is exposed on the screen and, after that, the event loop has nothing
// left to do and is about to wait: the window is shown, painted and the program idle.
class ShownAndIdle : public QObject {
public:
    ShownAndIdle(QWidget* window, std::function<void()> done, QObject* parent = nullptr)
        : QObject(parent)
        , m_window(window)
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
