#include "core/typed_text.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <utility>

namespace kavu {
namespace {

constexpr Refusal ok = Refusal::None;
constexpr Refusal pc = Refusal::PcCharacters;
constexpr Refusal phone = Refusal::PhoneCharacters;

struct SpliceCase {
    const char* text;
    Refusal pcBare;
    Refusal pcQuoted;
    Refusal phoneBare;
    Refusal phoneQuoted;
};

class TypedText : public testing::TestWithParam<SpliceCase> {};

TEST_P(TypedText, EachSpliceRefusesWhatItsReaderWouldActOn) {
    const SpliceCase& c = GetParam();
    EXPECT_EQ(checkSplice(c.text, Splice::PcBare), c.pcBare) << c.text;
    EXPECT_EQ(checkSplice(c.text, Splice::PcQuoted), c.pcQuoted) << c.text;
    EXPECT_EQ(checkSplice(c.text, Splice::PhoneBare), c.phoneBare) << c.text;
    EXPECT_EQ(checkSplice(c.text, Splice::PhoneQuoted), c.phoneQuoted) << c.text;
    // Text for the input tool is quoted the same way, so it takes the same rule.
    EXPECT_EQ(checkSplice(c.text, Splice::PhoneInputText), c.phoneQuoted) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TypedText,
    testing::Values(SpliceCase{"com.tencent.mm", ok, ok, ok, ok}, SpliceCase{"", ok, ok, ok, ok},
                    SpliceCase{"apps,-a.b,c_d:e/f=g+h@i", ok, ok, ok, ok},
                    SpliceCase{"-12.5", ok, ok, ok, ok},
                    SpliceCase{"hello world", ok, ok, phone, ok},
                    SpliceCase{"微信 安装包.apk", ok, ok, phone, ok},
                    SpliceCase{"com.x;reboot", ok, ok, phone, ok},
                    SpliceCase{"x$(reboot)", ok, ok, phone, ok},
                    SpliceCase{"it's", ok, ok, phone, ok}, SpliceCase{"(1)", ok, ok, phone, ok},
                    SpliceCase{"a&calc", pc, ok, pc, pc}, SpliceCase{"a && b", pc, ok, pc, pc},
                    SpliceCase{"a|b", pc, ok, pc, pc}, SpliceCase{"a<b", pc, ok, pc, pc},
                    SpliceCase{"a>b", pc, ok, pc, pc}, SpliceCase{"a^b", pc, ok, pc, pc},
                    SpliceCase{"%LESSOPEN%", pc, pc, pc, pc}, SpliceCase{"50%", pc, pc, pc, pc},
                    SpliceCase{"a\"b", pc, pc, pc, pc}, SpliceCase{"a\nb", pc, pc, pc, pc},
                    SpliceCase{"a\rb", pc, pc, pc, pc}, SpliceCase{"a\tb", pc, pc, pc, pc},
                    SpliceCase{"a\x7f", pc, pc, pc, pc},
                    SpliceCase{"a\xc2\x85"
                               "b",
                               pc, pc, pc, pc},
                    SpliceCase{"a\xe2\x80\xa8"
                               "b",
                               pc, pc, pc, pc},
                    SpliceCase{"a\xe2\x80\x94"
                               "b",
                               ok, ok, phone, ok},
                    SpliceCase{"Download\\", ok, pc, phone, ok},
                    SpliceCase{"C:\\File\\a.apk", ok, ok, phone, ok}));

constexpr Refusal partition = Refusal::PartitionName;

struct NameCase {
    std::string text;
    Refusal phoneName;
    Refusal partitionName;
};

void PrintTo(const NameCase& c, std::ostream* out) {
    *out << '"' << c.text << '"';
}

class NameText : public testing::TestWithParam<NameCase> {};

// A name stands as its own argument, so it must be one word that the command cannot take for
// one of its options.
TEST_P(NameText, NamesAreOneWordAndNeverAnOption) {
    const NameCase& c = GetParam();
    EXPECT_EQ(checkSplice(c.text, Splice::PhoneName), c.phoneName) << c.text;
    EXPECT_EQ(checkSplice(c.text, Splice::PartitionName), c.partitionName) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, NameText,
    testing::Values(NameCase{"", ok, ok}, NameCase{"vendor_boot.a-1", ok, ok},
                    NameCase{"com.tencent.mm", ok, ok}, NameCase{"-w", phone, partition},
                    NameCase{"--user", phone, partition}, NameCase{"  -x", phone, partition},
                    NameCase{" boot", phone, partition}, NameCase{"boot -w", phone, partition},
                    NameCase{"boot\t-w", pc, partition}, NameCase{"a,b:c", ok, partition},
                    NameCase{"boot;reboot", phone, partition}, NameCase{"boot&calc", pc, partition},
                    NameCase{"boot\n", pc, partition}, NameCase{"分区", phone, partition},
                    NameCase{std::string(64, 'a'), ok, ok},
                    NameCase{std::string(65, 'a'), ok, partition}));

TEST(TypedText, PhoneQuotingKeepsTheTextOneWord) {
    EXPECT_EQ(phoneQuoted(""), "''");
    EXPECT_EQ(phoneQuoted("a b;c"), "'a b;c'");
    EXPECT_EQ(phoneQuoted("it's"), "'it'\\''s'");
}

TEST(TypedText, InputTextWritesSpacesForTheToolAndStaysOneWord) {
    const std::pair<const char*, const char*> cases[] = {
        {"", "''"},
        {"a b", "'a%^sb'"},
        {"  a  ", "'%^s%^sa%^s%^s'"},
        {"it's me", "'it'\\''s%^sme'"},
        {"x;reboot", "'x;reboot'"},
        {"$(id) `id`", "'$(id)%^s`id`'"},
    };
    for (const auto& [typed, sent] : cases) {
        EXPECT_EQ(phoneInputText(typed), sent) << typed;
    }
}

TEST(TypedText, Messages) {
    EXPECT_EQ(kUnsafeTextMessage,
              "输入内容含有不允许的字符（& | < > ^ % \" 或换行），已取消执行！");
    EXPECT_EQ(kUnsafePhoneTextMessage, "输入内容含有手机命令不允许的字符，已取消执行！");
    EXPECT_EQ(kInvalidPartitionNameMessage,
              "分区名无效（只能包含字母、数字、_ . -，且不能以 - 开头），已取消执行！");
    EXPECT_EQ(kUnsafeTextTitle, "警告!");
}

} // namespace
} // namespace kavu
