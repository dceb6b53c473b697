#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <array>
#include <optional>

namespace kavu::journal {

class JsonLine;
class JsonLineObject;

// A value of a line JsonLine read. It answers as QJsonValue does for the same JSON: a string
// asked for as anything else is its default, and so on.
class JsonLineValue {
public:
    bool isString() const;
    // A number: the reader takes integers only.
    bool isDouble() const;
    bool isObject() const;
    QString toString() const;
    // toString() == text, without making the string when it needs no decoding.
    bool isText(QStringView text) const;
    // A string's UTF-8 bytes, when it has no escapes (valid UTF-8, no control character); none
    // for any other value.
    std::optional<QByteArrayView> utf8() const;
    qint64 toInteger(qint64 defaultValue = 0) const;
    // The integer when an int holds it, else defaultValue.
    int toInt(int defaultValue = 0) const;
    bool toBool(bool defaultValue = false) const;
    // The object; an empty one for any other value.
    JsonLineObject toObject() const;

private:
    friend class JsonLineObject;
    JsonLineValue(const JsonLine* line, int member)
        : m_line(line)
        , m_member(member) {}

    const JsonLine* m_line;
    // The member that holds the value; -1 for none.
    int m_member;
};

// An object of a line JsonLine read.
class JsonLineObject {
public:
    // The member's value; an undefined one when the object has no such member.
    JsonLineValue value(QStringView key) const;

private:
    friend class JsonLine;
    friend class JsonLineValue;
    JsonLineObject(const JsonLine* line, int first)
        : m_line(line)
        , m_first(first)
        , m_next(first) {}

    const JsonLine* m_line;
    // Its first member; -1 for an empty object.
    int m_first;
    // Where the next look-up starts: after the member found last, since members are mostly
    // asked for in the order they are written.
    mutable int m_next;
};

// A small, strict reader for one JSON object as the journal writes its lines: it notes where each
// member is and decodes a string only when asked. It reads strings (every JSON escape, a character
// beyond the first plane as a pair of \u escapes), integers, true, false, null and objects, and
// checks arrays without keeping them. Whatever else it does not read, and says so: a number with
// a fraction or an exponent or beyond 64 bits; in a string a lone surrogate, a control character,
// bytes that are not UTF-8, or a byte order mark first; a key escaped or given twice; more members
// or depth than a journal line has; anything around the object but white space. Such a line is
// for a general JSON parser; for every line this one reads, it answers as that parser does.
//
// The line is not copied: it must outlive the reader and every value taken from it.
class JsonLine {
public:
    // Reads the line; false when it is not JSON this reader takes.
    bool read(QByteArrayView line);
    // The line's object, once read.
    JsonLineObject object() const { return {this, m_first}; }

private:
    friend class JsonLineValue;
    friend class JsonLineObject;

    enum class Type : quint8 { Null, Bool, Integer, String, Object, Array };
    // What a string's bytes are: ASCII, other UTF-8 as well, or with escapes too.
    enum class Bytes : quint8 { Ascii, Utf8, Escaped };
    struct Member {
        QByteArrayView key;
        // A string's bytes between its quotes, escapes as written.
        QByteArrayView text;
        // An integer's value, a bool's (0 or 1), or an object's first member (-1 for none).
        qint64 number;
        // The next member of the same object; -1 after the last.
        int next;
        Type type;
        Bytes keyBytes;
        Bytes textBytes;
    };
    // A journal line has about 25 members, three objects deep.
    static constexpr int kMostMembers = 64;
    static constexpr int kDeepest = 8;

    bool readObject(int depth, int* first);
    bool readValue(int depth, Member& member);
    bool skipValue(int depth);
    bool readString(QByteArrayView* text, Bytes* bytes);
    bool readEscape();
    bool readInteger(qint64* value);
    bool readWord(const char* word);
    void skipSpace();
    const Member& member(int at) const { return m_members[static_cast<std::size_t>(at)]; }

    const char* m_at = nullptr;
    const char* m_end = nullptr;
    int m_count = 0;
    int m_first = -1;
    std::array<Member, kMostMembers> m_members;
};

} // namespace kavu::journal
