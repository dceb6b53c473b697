#pragma once

#include "platform/services.h"

// Services that do nothing, for benchmarks that measure a window and not the world it acts on.
namespace kavu::bench {

class NoProcesses final : public ProcessStarter {
public:
    void start(const QString&, launch::WindowMode) override {}
};
class NoMessages final : public MessageBoxes {
public:
    void show(const QString&, const QString&, MessageIcon) override {}
};
class NoPause final : public Pause {
public:
    void sleep(int) override {}
};
class NoRandom final : public RandomSource {
public:
    double next() override { return 0; }
};
class NoBrowser final : public Browser {
public:
    void open(const QString&) override {}
};
class Folder final : public ProgramEnvironment {
public:
    QString programFolder() const override { return path; }
    void quit() override {}
    QString path;
};

} // namespace kavu::bench
