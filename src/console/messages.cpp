#include "console/messages.h"

namespace kavu::console {

std::string notFoundMessage(std::string_view name) {
    std::string text = "'";
    text += name;
    text += "' 不是内部或外部命令，也不是可运行的程序或批处理文件。";
    return text;
}

std::string unexpectedMessage(std::string_view op) {
    std::string text = "此时不应有 ";
    text += op == "\n" ? std::string_view("换行") : op;
    text += "。";
    return text;
}

} // namespace kavu::console
