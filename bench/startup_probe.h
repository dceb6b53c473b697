#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <sys/resource.h>
#include <unistd.h>

// What a start-up measurement's child reports: the milliseconds from its spawn (the parent puts the
// moment, in CLOCK_MONOTONIC nanoseconds, in KAVU_BENCH_SPAWNED_NS) to the end of the first paint
// of its window, its peak memory and the processor time it took by then, and the processor time
// it took while idle for KAVU_BENCH_IDLE_MS after that (0: not measured). One line on standard
// output, then it ends at once, without tearing anything down.
namespace kavu::bench {

inline double monotonicMs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

inline double processCpuMs() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

// Watches for the first paint of the top-level widget with this object name. Made once Qt is up.
class FirstPaintProbe final : public QObject {
public:
    explicit FirstPaintProbe(QString window)
        : m_window(std::move(window)) {
        QCoreApplication::instance()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!m_seen && event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow() && watched->objectName() == m_window) {
            m_seen = true;

            // Once this paint and the rest of its frame are done.
            QMetaObject::invokeMethod(this, &FirstPaintProbe::painted, Qt::QueuedConnection);
        }
        return false;
    }

private:
    void painted() {
        const char* spawnedNs = std::getenv("KAVU_BENCH_SPAWNED_NS");
        const double spawned = spawnedNs != nullptr ? std::strtod(spawnedNs, nullptr) / 1e6 : 0;
        m_paintedMs = monotonicMs() - spawned;
        m_cpuMs = processCpuMs();
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        m_peakKiB = usage.ru_maxrss;

        const char* idle = std::getenv("KAVU_BENCH_IDLE_MS");
        const int idleMs = idle != nullptr ? std::atoi(idle) : 0;
        if (idleMs <= 0) {
            report(0);
        }
        m_idleFromMs = processCpuMs();
        QTimer::singleShot(idleMs, this, [this] { report(processCpuMs() - m_idleFromMs); });
    }
    void report(double idleCpuMs) const {
        std::printf("%.3f %ld %.3f %.3f\n", m_paintedMs, m_peakKiB, m_cpuMs, idleCpuMs);
        std::fflush(stdout);
        _exit(0);
    }

    QString m_window;
    bool m_seen = false;
    double m_paintedMs = 0;
    double m_cpuMs = 0;
    long m_peakKiB = 0;
    double m_idleFromMs = 0;
};

} // namespace kavu::bench
