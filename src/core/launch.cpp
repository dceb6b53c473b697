#include "core/launch.h"

#include <array>

namespace kavu::launch {

namespace {

std::string repeat(char c, std::size_t count) {
    return std::string(count, c);
}

std::string joinPieces(const std::string* begin, const std::string* end) {
    std::string joined;
    for (const std::string* piece = begin; piece != end; ++piece) {
        joined += " && ";
        joined += *piece;
    }
    return joined;
}

// Inside the banner's frame a row is three blanks, the text, and blanks up to the frame's width.
constexpr std::size_t kFrameInside = 64;

std::string framedRow(const std::string& text) {
    const std::string sp3 = repeat(' ', 3);
    const std::size_t used = 3 + consoleColumns(text);
    return "echo" + sp3 + "*" + sp3 + text +
           repeat(' ', used < kFrameInside ? kFrameInside - used : 0) + "*";
}

} // namespace

std::string deviceCheckBanner(Translate shown) {
    const std::string sp3 = repeat(' ', 3);
    const std::string frameEdge = "*" + repeat(' ', kFrameInside) + "*";
    const std::array<std::string, 14> pieces{
        "COLOR 3f ",
        "title " + shown(KAVU_TEXT("kavu", "设备连接检测结果")),
        "echo" + sp3 + repeat('*', kFrameInside + 2),
        "echo.  " + frameEdge,
        framedRow(
            shown(KAVU_TEXT("kavu", "1.device前显示设备序列号即表示连接成功，软件才可正常使用！"))),
        framedRow(shown(KAVU_TEXT("kavu", "2.若连接不到设备，请在帮助界面下载驱动或更换电脑。"))),
        framedRow(shown(KAVU_TEXT("kavu", "3.连接问题属于个人设备问题，不接受反馈。"))),
        "echo.  " + frameEdge,
        "echo.  " + repeat('*', kFrameInside + 2),
        "echo. ",
        "echo.",
        "echo " + shown(KAVU_TEXT("kavu", "按任意键关闭此窗口...")),
        "pause>nul",
        "EXIT",
    };
    return joinPieces(pieces.data(), pieces.data() + pieces.size());
}

std::string consoleText(std::string_view fixedText, Translate shown) {
    std::string text(fixedText);
    for (const std::string_view phrase : kConsolePhrases) {
        const std::string inLanguage = shown(phrase);
        for (std::size_t at = text.find(phrase); at != std::string::npos;
             at = text.find(phrase, at + inLanguage.size())) {
            text.replace(at, phrase.size(), inLanguage);
        }
    }
    return text;
}

Tool toolOf(std::string_view commandText) {
    const std::size_t first = commandText.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return Tool::Adb;
    }
    commandText.remove_prefix(first);
    constexpr std::string_view kFastboot = "fastboot";
    if (commandText.size() < kFastboot.size()) {
        return Tool::Adb;
    }
    for (std::size_t i = 0; i < kFastboot.size(); ++i) {
        const char c = commandText[i];
        if ((c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c) != kFastboot[i]) {
            return Tool::Adb;
        }
    }
    const std::string_view rest = commandText.substr(kFastboot.size());
    return rest.empty() || rest.front() == ' ' || rest.front() == '\t' ||
                   rest.substr(0, 4) == ".exe" || rest.substr(0, 4) == ".EXE"
               ? Tool::Fastboot
               : Tool::Adb;
}

} // namespace kavu::launch
