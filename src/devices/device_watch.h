#pragma once

#include "devices/device_state.h"

#include <QObject>

namespace kavu {

// The devices the local adb server sees, kept up to date while the program runs.
class DeviceWatch : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // Begins watching; does nothing when already watching.
    virtual void start() = 0;
    const devices::Snapshot& snapshot() const { return m_snapshot; }

signals:
    void changed();

protected:
    // Takes a new snapshot; announces it when it differs from the last one.
    void publish(devices::Snapshot snapshot);

private:
    devices::Snapshot m_snapshot;
};

} // namespace kavu
