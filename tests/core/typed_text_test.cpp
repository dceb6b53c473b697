#include "core/typed_text.h"

#include <gtest/gtest.h>

namespace kavu {
namespace {

struct SpliceCase {
    const char* text;
    bool safeUnquoted;
    bool safeQuoted;
};

class TypedText : public testing::TestWithParam<SpliceCase> {};

TEST_P(TypedText, RefusesWhatWouldRunAnotherCommand) {
    EXPECT_EQ(isSafeToSplice(GetParam().text, Splice::Unquoted), GetParam().safeUnquoted)
        << GetParam().text;
    EXPECT_EQ(isSafeToSplice(GetParam().text, Splice::Quoted), GetParam().safeQuoted)
        << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TypedText,
    testing::Values(SpliceCase{"com.tencent.mm", true, true}, SpliceCase{"", true, true},
                    SpliceCase{"hello world", true, true}, SpliceCase{"微信 安装包.apk", true, true},
                    SpliceCase{"a&calc", false, true}, SpliceCase{"a && b", false, true},
                    SpliceCase{"a|b", false, true}, SpliceCase{"a<b", false, true},
                    SpliceCase{"a>b", false, true}, SpliceCase{"a^b", false, true},
                    SpliceCase{"a\"b", false, false}, SpliceCase{"a\nb", false, false},
                    SpliceCase{"a\rb", false, false}, SpliceCase{"a\tb", false, false},
                    SpliceCase{"a\x7f", false, false}, SpliceCase{"a\xc2\x85" "b", false, false},
                    SpliceCase{"a\xe2\x80\xa8" "b", false, false},
                    SpliceCase{"a\xe2\x80\x94" "b", true, true}, SpliceCase{"50%", true, true},
                    SpliceCase{"(1)", true, true}, SpliceCase{"C:\\File\\a.apk", true, true}));

TEST(TypedText, MessageText) {
    EXPECT_EQ(kUnsafeTextMessage, "输入内容含有不允许的字符（& | < > ^ \" 或换行），已取消执行！");
    EXPECT_EQ(kUnsafeTextTitle, "警告!");
}

} // namespace
} // namespace kavu
