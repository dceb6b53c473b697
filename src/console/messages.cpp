#include "console/messages.h"

namespace kavu::console {

std::string Messages::notFound(std::string_view name) const {
    std::string text(notFoundBefore);
    text += name;
    text += notFoundAfter;
    return text;
}

std::string Messages::unexpected(std::string_view op) const {
    std::string text(unexpectedBefore);
    text += op == "\n" ? lineBreak : op;
    text += unexpectedAfter;
    return text;
}

const Messages& messagesFor(const char* language) {
    return language != nullptr && std::string_view(language) == "en" ? kEnglishMessages
                                                                     : kChineseMessages;
}

} // namespace kavu::console
