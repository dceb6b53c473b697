#include "app/language.h"

#include <QCoreApplication>
#include <QLocale>

namespace kavu {

Language languageFor(QStringView forced, QStringView localeName) {
    if (forced == u"zh") {
        return Language::Chinese;
    }
    if (forced == u"en") {
        return Language::English;
    }
    // A system that names no language (the C or POSIX locale, or none) keeps the program's own.
    if (localeName.startsWith(u"zh") || localeName == u"C" || localeName.isEmpty()) {
        return Language::Chinese;
    }
    return Language::English;
}

Language languageOfEnvironment() {
    return languageFor(qEnvironmentVariable("KAVU_LANG"), QLocale::system().name());
}

Translation::Translation(Language language) {
    if (language == Language::Chinese) {
        return;
    }
    // Built into the program (src/app/CMakeLists.txt): only a broken build lacks it.
    if (!m_translator.load(QStringLiteral(":/i18n/kavu_en.qm"))) {
        qWarning("The English translation is missing from this build; the texts stay Chinese");
        return;
    }
    m_installed = QCoreApplication::installTranslator(&m_translator);
}

Translation::~Translation() {
    if (m_installed) {
        QCoreApplication::removeTranslator(&m_translator);
    }
}

} // namespace kavu
