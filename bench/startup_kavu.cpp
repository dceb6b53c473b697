// Kavu's start as main() makes it (the display check, Qt, the program's name, icon and language,
// the font check, the working folder in KAVU_HOME, the main window) to the first paint of its main
// window, with a process starter that starts nothing (no device-check console) and no journal
// written. Reports through FirstPaintProbe.
#include "program.h"
#include "startup_probe.h"

#include <memory>

namespace {

class NoProcesses final : public kavu::ProcessStarter {
protected:
    bool launch(const QString&, kavu::launch::WindowMode, const kavu::StartEnvironment&,
                RunEnded) override {
        return true;
    }
};

} // namespace

int main(int argc, char* argv[]) {
    NoProcesses none;
    std::unique_ptr<kavu::bench::FirstPaintProbe> probe;
    return kavu::runProgram(argc, argv, {&none, false, [&probe] {
                                             probe = std::make_unique<kavu::bench::FirstPaintProbe>(
                                                 QStringLiteral("Form1"));
                                         }});
}
