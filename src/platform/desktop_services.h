#pragma once

#include "platform/services.h"

#include <random>

// Production services backed by Qt and the desktop.
namespace kavu {

class DialogMessageBoxes final : public MessageBoxes {
public:
    void show(const QString& text, const QString& title, MessageIcon icon) override;
};

class ThreadPause final : public Pause {
public:
    void sleep(int milliseconds) override;
};

// Seeded from the clock when the program starts.
class ClockSeededRandom final : public RandomSource {
public:
    ClockSeededRandom();
    double next() override;

private:
    std::mt19937_64 m_engine;
};

class DesktopBrowser final : public Browser {
public:
    void open(const QString& url) override;
};

class ApplicationEnvironment final : public ProgramEnvironment {
public:
    QString programFolder() const override;
    QString dataFolder() const override;
    void quit() override;
};

} // namespace kavu
