#include "journal/json_line.h"

#include "core/numeric.h"

#include <QChar>

#include <bit>
#include <cstring>
#include <limits>

namespace kavu::journal {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The UTF-16 unit of the four hex digits at at (there are four bytes); false when they are not.
bool readHex4(const char* at, char16_t* unit) {
    const std::optional<std::uint32_t> value = hexValue(std::string_view(at, 4));
    if (!value) {
        return false;
    }
    *unit = static_cast<char16_t>(*value);
    return true;
}

// The character whose UTF-8 starts at at, which moves past it: false for bytes that are not one
// (a stray continuation byte, a sequence cut short or too long, a surrogate, beyond U+10FFFF).
bool readUtf8(const char*& at, const char* end, char32_t* character) {
    const auto first = static_cast<unsigned char>(*at);
    int more = 0;
    char32_t value = 0;
    char32_t least = 0;
    if (first >= 0xc2 && first <= 0xdf) {
        more = 1;
        value = first & 0x1fu;
        least = 0x80;
    } else if (first >= 0xe0 && first <= 0xef) {
        more = 2;
        value = first & 0x0fu;
        least = 0x800;
    } else if (first >= 0xf0 && first <= 0xf4) {
        more = 3;
        value = first & 0x07u;
        least = 0x10000;
    } else {
        return false;
    }
    if (end - at <= more) {
        return false;
    }
    for (int i = 1; i <= more; ++i) {
        const auto next = static_cast<unsigned char>(at[i]);
        if ((next & 0xc0u) != 0x80u) {
            return false;
        }
        value = (value << 6) | (next & 0x3fu);
    }
    if (value < least || (value >= 0xd800 && value <= 0xdfff) || value > 0x10ffff) {
        return false;
    }
    at += more + 1;
    *character = value;
    return true;
}

// The text of a string the reader took: valid UTF-8, escapes well formed and surrogates paired.
QString decoded(QByteArrayView text) {
    QString out;
    // No character takes more UTF-16 units than its bytes.
    out.reserve(text.size());
    const char* at = text.data();
    const char* const end = at + text.size();
    while (at < end) {
        const char c = *at;
        if (c == '\\') {
            const char kind = at[1];
            at += 2;
            switch (kind) {
            case 'b':
                out.append(QChar(u'\b'));
                break;
            case 'f':
                out.append(QChar(u'\f'));
                break;
            case 'n':
                out.append(QChar(u'\n'));
                break;
            case 'r':
                out.append(QChar(u'\r'));
                break;
            case 't':
                out.append(QChar(u'\t'));
                break;
            case 'u': {
                char16_t unit = 0;
                readHex4(at, &unit);
                out.append(QChar(unit));
                at += 4;
                break;
            }
            default: // '"', '\\' and '/' stand for themselves
                out.append(QChar(static_cast<char16_t>(kind)));
                break;
            }
        } else if (static_cast<unsigned char>(c) < 0x80) {
            out.append(QChar(static_cast<char16_t>(c)));
            ++at;
        } else {
            char32_t character = 0;
            readUtf8(at, end, &character);
            if (QChar::requiresSurrogates(character)) {
                out.append(QChar(QChar::highSurrogate(character)));
                out.append(QChar(QChar::lowSurrogate(character)));
            } else {
                out.append(QChar(static_cast<char16_t>(character)));
            }
        }
    }
    return out;
}

// Whether the ASCII bytes are the text.
bool sameAscii(QByteArrayView ascii, QStringView text) {
    if (ascii.size() != text.size()) {
        return false;
    }
    for (qsizetype i = 0; i < ascii.size(); ++i) {
        if (static_cast<char16_t>(ascii[i]) != text[i].unicode()) {
            return false;
        }
    }
    return true;
}

// How many of the eight bytes at at come before the first a string's reader stops at (a quote, a
// backslash, a control character or a byte beyond ASCII): 8 when none is among them.
int plainAsciiAt(const char* at) {
    constexpr quint64 kOnes = 0x0101010101010101u;
    constexpr quint64 kHighs = 0x8080808080808080u;
    quint64 word = 0;
    std::memcpy(&word, at, sizeof word);
    const quint64 quotes = word ^ (kOnes * '"');
    const quint64 backslashes = word ^ (kOnes * '\\');
    // A byte of 0 below 0x80 sets its high bit in (x - kOnes) & ~x: here a quote, a backslash, or
    // (with 0x20 taken) a control character. A borrow marks bytes above such a byte too, never
    // below: the first byte marked is one to stop at.
    const quint64 stops =
        (word | ((quotes - kOnes) & ~quotes) | ((backslashes - kOnes) & ~backslashes) |
         ((word - kOnes * 0x20) & ~word)) &
        kHighs;
    if (stops == 0) {
        return 8;
    }
    if constexpr (std::endian::native == std::endian::little) {
        return std::countr_zero(stops) / 8;
    } else {
        return std::countl_zero(stops) / 8;
    }
}

} // namespace

bool JsonLineValue::isString() const {
    return m_member >= 0 && m_line->member(m_member).type == JsonLine::Type::String;
}

bool JsonLineValue::isDouble() const {
    return m_member >= 0 && m_line->member(m_member).type == JsonLine::Type::Integer;
}

bool JsonLineValue::isObject() const {
    return m_member >= 0 && m_line->member(m_member).type == JsonLine::Type::Object;
}

QString JsonLineValue::toString() const {
    if (!isString()) {
        return {};
    }
    const JsonLine::Member& member = m_line->member(m_member);
    return member.textBytes == JsonLine::Bytes::Escaped ? decoded(member.text)
                                                        : QString::fromUtf8(member.text);
}

bool JsonLineValue::isText(QStringView text) const {
    if (!isString()) {
        return text.isEmpty();
    }
    const JsonLine::Member& member = m_line->member(m_member);
    switch (member.textBytes) {
    case JsonLine::Bytes::Ascii:
        return sameAscii(member.text, text);
    case JsonLine::Bytes::Utf8:
        return QString::fromUtf8(member.text) == text;
    case JsonLine::Bytes::Escaped:
        break;
    }
    return decoded(member.text) == text;
}

std::optional<QByteArrayView> JsonLineValue::utf8() const {
    if (!isString() || m_line->member(m_member).textBytes == JsonLine::Bytes::Escaped) {
        return std::nullopt;
    }
    return m_line->member(m_member).text;
}

qint64 JsonLineValue::toInteger(qint64 defaultValue) const {
    return isDouble() ? m_line->member(m_member).number : defaultValue;
}

int JsonLineValue::toInt(int defaultValue) const {
    if (!isDouble()) {
        return defaultValue;
    }
    const qint64 number = m_line->member(m_member).number;
    return number >= std::numeric_limits<int>::min() && number <= std::numeric_limits<int>::max()
               ? static_cast<int>(number)
               : defaultValue;
}

bool JsonLineValue::toBool(bool defaultValue) const {
    if (m_member < 0 || m_line->member(m_member).type != JsonLine::Type::Bool) {
        return defaultValue;
    }
    return m_line->member(m_member).number != 0;
}

JsonLineObject JsonLineValue::toObject() const {
    return {m_line, isObject() ? static_cast<int>(m_line->member(m_member).number) : -1};
}

JsonLineValue JsonLineObject::value(QStringView key) const {
    if (m_next < 0) {
        return {m_line, -1};
    }
    // Round the members from the hint, the first coming after the last.
    int at = m_next;
    do {
        const JsonLine::Member& member = m_line->member(at);
        const int next = member.next < 0 ? m_first : member.next;
        if (member.keyBytes == JsonLine::Bytes::Ascii ? sameAscii(member.key, key)
                                                      : QString::fromUtf8(member.key) == key) {
            m_next = next;
            return {m_line, at};
        }
        at = next;
    } while (at != m_next);
    return {m_line, -1};
}

bool JsonLine::read(QByteArrayView line) {
    m_at = line.data();
    m_end = m_at + line.size();
    m_count = 0;
    m_first = -1;
    skipSpace();
    if (m_at == m_end || *m_at != '{' || !readObject(1, &m_first)) {
        return false;
    }
    skipSpace();
    return m_at == m_end;
}

void JsonLine::skipSpace() {
    // The journal writes none: one look at the next byte, mostly.
    while (m_at < m_end && static_cast<unsigned char>(*m_at) <= ' ' &&
           (*m_at == ' ' || *m_at == '\t' || *m_at == '\r' || *m_at == '\n')) {
        ++m_at;
    }
}

// The object at '{', each member kept; first: its first member.
bool JsonLine::readObject(int depth, int* first) {
    ++m_at;
    skipSpace();
    *first = -1;
    if (m_at < m_end && *m_at == '}') {
        ++m_at;
        return true;
    }
    int last = -1;
    while (true) {
        QByteArrayView key;
        Bytes keyBytes = Bytes::Ascii;
        if (m_at == m_end || *m_at != '"' || !readString(&key, &keyBytes) ||
            keyBytes == Bytes::Escaped) {
            return false;
        }
        for (int at = *first; at >= 0; at = member(at).next) {
            if (member(at).key == key) {
                return false;
            }
        }
        skipSpace();
        if (m_at == m_end || *m_at != ':' || m_count == kMostMembers) {
            return false;
        }
        ++m_at;
        skipSpace();
        const int at = m_count++;
        Member& added = m_members[static_cast<std::size_t>(at)];
        added.key = key;
        added.keyBytes = keyBytes;
        added.next = -1;
        added.textBytes = Bytes::Ascii;
        if (!readValue(depth, added)) {
            return false;
        }
        if (last < 0) {
            *first = at;
        } else {
            m_members[static_cast<std::size_t>(last)].next = at;
        }
        last = at;
        skipSpace();
        if (m_at == m_end) {
            return false;
        }
        if (*m_at == '}') {
            ++m_at;
            return true;
        }
        if (*m_at != ',') {
            return false;
        }
        ++m_at;
        skipSpace();
    }
}

bool JsonLine::readValue(int depth, Member& member) {
    if (m_at == m_end) {
        return false;
    }
    switch (*m_at) {
    case '"':
        member.type = Type::String;
        return readString(&member.text, &member.textBytes);
    case '{': {
        member.type = Type::Object;
        int first = -1;
        if (depth == kDeepest || !readObject(depth + 1, &first)) {
            return false;
        }
        member.number = first;
        return true;
    }
    case '[':
        member.type = Type::Array;
        return skipValue(depth);
    case 't':
        member.type = Type::Bool;
        member.number = 1;
        return readWord("true");
    case 'f':
        member.type = Type::Bool;
        member.number = 0;
        return readWord("false");
    case 'n':
        member.type = Type::Null;
        return readWord("null");
    default:
        member.type = Type::Integer;
        return readInteger(&member.number);
    }
}

// Checks the value without keeping it: what an array holds.
bool JsonLine::skipValue(int depth) {
    if (m_at == m_end) {
        return false;
    }
    QByteArrayView text;
    Bytes bytes = Bytes::Ascii;
    qint64 number = 0;
    switch (*m_at) {
    case '"':
        return readString(&text, &bytes);
    case 't':
        return readWord("true");
    case 'f':
        return readWord("false");
    case 'n':
        return readWord("null");
    case '{':
    case '[':
        break;
    default:
        return readInteger(&number);
    }
    if (depth == kDeepest) {
        return false;
    }
    const char close = *m_at == '{' ? '}' : ']';
    ++m_at;
    skipSpace();
    if (m_at < m_end && *m_at == close) {
        ++m_at;
        return true;
    }
    while (true) {
        if (close == '}') {
            if (m_at == m_end || *m_at != '"' || !readString(&text, &bytes)) {
                return false;
            }
            skipSpace();
            if (m_at == m_end || *m_at != ':') {
                return false;
            }
            ++m_at;
            skipSpace();
        }
        if (!skipValue(depth + 1)) {
            return false;
        }
        skipSpace();
        if (m_at == m_end) {
            return false;
        }
        if (*m_at == close) {
            ++m_at;
            return true;
        }
        if (*m_at != ',') {
            return false;
        }
        ++m_at;
        skipSpace();
    }
}

// The string at '"': text, the bytes between its quotes, and what they are.
bool JsonLine::readString(QByteArrayView* text, Bytes* bytes) {
    ++m_at;
    const char* const start = m_at;
    *bytes = Bytes::Ascii;
    // A string that starts with a byte order mark is not read here: QString::fromUtf8() drops the
    // mark, and the general parser keeps it in a key's bytes.
    if (m_end - m_at >= 3 && static_cast<unsigned char>(m_at[0]) == 0xef &&
        static_cast<unsigned char>(m_at[1]) == 0xbb &&
        static_cast<unsigned char>(m_at[2]) == 0xbf) {
        return false;
    }
    while (true) {
        if (m_end - m_at >= 8) {
            const int plain = plainAsciiAt(m_at);
            m_at += plain;
            if (plain == 8) {
                continue;
            }
        } else if (m_at == m_end) {
            return false;
        }
        const auto c = static_cast<unsigned char>(*m_at);
        if (c == '"') {
            *text = QByteArrayView(start, m_at - start);
            ++m_at;
            return true;
        }
        if (c == '\\') {
            *bytes = Bytes::Escaped;
            if (!readEscape()) {
                return false;
            }
        } else if (c >= 0x80) {
            if (*bytes == Bytes::Ascii) {
                *bytes = Bytes::Utf8;
            }
            char32_t character = 0;
            if (!readUtf8(m_at, m_end, &character)) {
                return false;
            }
        } else if (c < 0x20) {
            return false;
        } else {
            ++m_at;
        }
    }
}

// The escape at '\\'; a high surrogate must come with its low one.
bool JsonLine::readEscape() {
    if (m_end - m_at < 2) {
        return false;
    }
    switch (m_at[1]) {
    case '"':
    case '\\':
    case '/':
    case 'b':
    case 'f':
    case 'n':
    case 'r':
    case 't':
        m_at += 2;
        return true;
    case 'u':
        break;
    default:
        return false;
    }
    char16_t unit = 0;
    if (m_end - m_at < 6 || !readHex4(m_at + 2, &unit) || QChar::isLowSurrogate(unit)) {
        return false;
    }
    m_at += 6;
    if (!QChar::isHighSurrogate(unit)) {
        return true;
    }
    char16_t low = 0;
    if (m_end - m_at < 6 || m_at[0] != '\\' || m_at[1] != 'u' || !readHex4(m_at + 2, &low) ||
        !QChar::isLowSurrogate(low)) {
        return false;
    }
    m_at += 6;
    return true;
}

// A JSON integer that a qint64 holds: no fraction, no exponent, no leading zero.
bool JsonLine::readInteger(qint64* value) {
    const bool negative = *m_at == '-';
    if (negative) {
        ++m_at;
    }
    if (m_at == m_end || !isDigit(*m_at)) {
        return false;
    }
    const quint64 limit = negative ? quint64(1) << 63 : (quint64(1) << 63) - 1;
    quint64 magnitude = 0;
    if (*m_at == '0') {
        ++m_at;
    } else {
        while (m_at < m_end && isDigit(*m_at)) {
            const auto digit = static_cast<quint64>(*m_at - '0');
            if (magnitude > (limit - digit) / 10) {
                return false;
            }
            magnitude = magnitude * 10 + digit;
            ++m_at;
        }
    }
    if (m_at < m_end && (*m_at == '.' || *m_at == 'e' || *m_at == 'E' || isDigit(*m_at))) {
        return false;
    }
    *value = negative ? static_cast<qint64>(0 - magnitude) : static_cast<qint64>(magnitude);
    return true;
}

bool JsonLine::readWord(const char* word) {
    for (; *word != '\0'; ++word, ++m_at) {
        if (m_at == m_end || *m_at != *word) {
            return false;
        }
    }
    return true;
}

} // namespace kavu::journal
