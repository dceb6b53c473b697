#pragma once

#include <QStringView>
#include <QTranslator>

class QCoreApplication;

namespace kavu {

// The languages Kavu speaks. Chinese is the language its texts are written in; English comes from
// its translation file (translations/kavu_en.ts, built into the program).
enum class Language { Chinese, English };

// The language for a forced choice (KAVU_LANG: "zh" or "en"; anything else forces nothing) and the
// system locale's name: Chinese for any zh locale and for a system that names no language (the C
// or POSIX locale), English for every other.
Language languageFor(QStringView forced, QStringView localeName);

// The language of this run: KAVU_LANG, else the system locale.
Language languageOfEnvironment();

// Puts the application's texts into a language for as long as it lives: for English its
// translator is installed into the application, for Chinese nothing is needed. Made before any
// window, so that every text a window sets up is looked up in it.
class Translation {
public:
    explicit Translation(Language language);
    ~Translation();
    Translation(const Translation&) = delete;
    Translation& operator=(const Translation&) = delete;

private:
    QTranslator m_translator;
    bool m_installed = false;
};

} // namespace kavu
