#pragma once

#include "platform/services.h"

#include <QObject>

#include <memory>
#include <mutex>

namespace kavu {

// Hands the ends of hidden runs from the threads that see them to the event loop of the thread
// that made it. Threads may outlive it: once it is gone, what they hand over is dropped.
class RunDeliveries {
public:
    RunDeliveries();
    ~RunDeliveries();
    RunDeliveries(const RunDeliveries&) = delete;
    RunDeliveries& operator=(const RunDeliveries&) = delete;

    // ended, called from any thread, heard in the event loop; empty for empty.
    ProcessStarter::RunEnded through(ProcessStarter::RunEnded ended) const;

private:
    struct Target {
        std::mutex mutex;
        std::unique_ptr<QObject> context;
    };
    std::shared_ptr<Target> m_target;
};

} // namespace kavu
