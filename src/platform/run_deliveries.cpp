#include "platform/run_deliveries.h"

namespace kavu {

RunDeliveries::RunDeliveries()
    : m_target(std::make_shared<Target>()) {
    m_target->context = std::make_unique<QObject>();
}

RunDeliveries::~RunDeliveries() {
    // Events already posted go with the context.
    const std::lock_guard lock(m_target->mutex);
    m_target->context.reset();
}

ProcessStarter::RunEnded RunDeliveries::through(ProcessStarter::RunEnded ended) const {
    if (!ended) {
        return {};
    }
    return [target = m_target, ended = std::move(ended)](const RunEnd& end) {
        const std::lock_guard lock(target->mutex);
        if (target->context) {
            QMetaObject::invokeMethod(
                target->context.get(), [ended, end] { ended(end); }, Qt::QueuedConnection);
        }
    };
}

} // namespace kavu
