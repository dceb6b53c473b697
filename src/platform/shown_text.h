#pragma once

#include "core/shown_text.h"

#include <QString>

#include <string>
#include <string_view>

// Where the texts marked with KAVU_TEXT reach Qt: each is looked up in the translator the program
// installed (none for Chinese, the source language), in the context kShownTextContext.
namespace kavu {

// The marked text in the program's language.
QString shownText(std::string_view marked);

// The same as UTF-8, the Translate that the Qt-free functions joining marked texts take.
std::string translatedText(std::string_view marked);

// A fixed console text (launch.h) with the phrases Kavu writes on the console in the program's
// language; the commands around them stay as they are.
QString shownConsoleText(std::string_view fixedText);

} // namespace kavu
