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

} // namespace

std::string deviceCheckBanner() {
    const std::string sp3 = repeat(' ', 3);
    const std::string frameEdge = "*" + repeat(' ', 64) + "*";
    const std::array<std::string, 14> pieces{
        "COLOR 3f ",
        "title 设备连接检测结果",
        "echo" + sp3 + repeat('*', 66),
        "echo.  " + frameEdge,
        "echo" + sp3 + "*" + sp3 + "1.device前显示设备序列号即表示连接成功，软件才可正常使用！" +
            sp3 + "*",
        "echo" + sp3 + "*" + sp3 + "2.若连接不到设备，请在帮助界面下载驱动或更换电脑。" +
            repeat(' ', 11) + "*",
        "echo" + sp3 + "*" + sp3 + "3.连接问题属于个人设备问题，不接受反馈。" + repeat(' ', 21) +
            "*",
        "echo.  " + frameEdge,
        "echo.  " + repeat('*', 66),
        "echo. ",
        "echo.",
        "echo 按任意键关闭此窗口...",
        "pause>nul",
        "EXIT",
    };
    return joinPieces(pieces.data(), pieces.data() + pieces.size());
}

} // namespace kavu::launch
