#include "app/language.h"
#include "platform/font_check.h"
#include "platform/tool_files.h"
#include "program.h"
#include "shell/form1.h"
#include "shell/picture.h"

#include <QApplication>
#include <QFile>
#include <QFont>

#include <cstdio>

#ifndef Q_OS_WIN
#include "platform/display_check.h"
#endif

int main(int argc, char* argv[]) {
    // The system locale is known before Qt starts.
    const kavu::Language language = kavu::languageOfEnvironment();
#ifndef Q_OS_WIN
    // Qt would end the program with an abort and a core dump, blaming the installation.
    kavu::platform::DisplayCheck display(argc, argv, language == kavu::Language::English);
    if (display.problem()) {
        std::fprintf(stderr, "%s\n", display.problem()->c_str());
        return 1;
    }
#endif
    QApplication application(argc, argv);
#ifndef Q_OS_WIN
    display.close();
#endif
    QApplication::setApplicationName(QStringLiteral("Kavu"));
    QApplication::setWindowIcon(kavu::programIcon());
    if (const std::optional<QString> sans = kavu::sansFaceInstead()) {
        QFont font = QApplication::font();
        font.setFamilies({*sans});
        QApplication::setFont(font);
    }

    // Before any window, so that each sets up its texts in the user's language.
    const kavu::Translation translation(language);
    // Every console inherits the choice, so that kavu-cmd speaks the same language.
    qputenv("KAVU_LANG", language == kavu::Language::English ? "en" : "zh");
    // And takes the program folder's tools before PATH's, whatever folder it works in.
    qputenv("KAVU_TOOLS", QFile::encodeName(QCoreApplication::applicationDirPath()));
    kavu::Program program;
    // Told once, in words any font draws; the program then starts as it can.
    if (const std::optional<QString> noFont = kavu::missingChineseFont()) {
        std::fprintf(stderr, "%s\n", noFont->toUtf8().constData());
        program.app().messages().show(*noFont, QStringLiteral("Kavu"),
                                      kavu::MessageIcon::Exclamation);
    }
    // The main window's box names the tool files that cannot serve; a start from a terminal keeps
    // the lines after the box is gone.
    if (const QList<kavu::ToolProblem> problems = kavu::toolProblems(program.app().programFolder());
        !problems.isEmpty()) {
        const QString text = kavu::toolProblemsText(problems, program.app().programFolder());
        std::fprintf(stderr, "%s\n", text.toUtf8().constData());
    }
    if (!program.enterWorkingFolder() || program.app().mainWindow() == nullptr) {
        return 1;
    }
    return QApplication::exec();
}
