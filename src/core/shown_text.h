#pragma once

#include <string>
#include <string_view>

// The texts people read are written in Chinese, the source language of Qt's translation tools.
// In this Qt-free code each one is marked with KAVU_TEXT("kavu", "…"), which is the literal itself;
// lupdate takes the macro for QT_TRANSLATE_NOOP, so the text lands in the translation file under
// the context "kavu", where the Qt side looks it up (shownText in src/platform/shown_text.h).
#define KAVU_TEXT(context, text) text

namespace kavu {

// The context of every text marked with KAVU_TEXT.
inline constexpr const char* kShownTextContext = "kavu";

// Turns a marked text into the text people read. Functions that join marked texts with other
// text (a serial, a count) take one: the Qt side passes its translator, tests and the Chinese
// program the source text.
using Translate = std::string (*)(std::string_view marked);
inline std::string sourceText(std::string_view marked) {
    return std::string(marked);
}

// The pattern with each "%1" replaced by argument.
std::string fillIn(std::string_view pattern, std::string_view argument);

// How many columns a console gives the UTF-8 text: two for each wide East Asian character, one
// for the others.
std::size_t consoleColumns(std::string_view utf8Text);

} // namespace kavu
