#include "journal/shared_texts.h"

#include <algorithm>
#include <cstring>

namespace kavu::journal {

namespace {

// A quick hash of the bytes, eight at a time: a poor one only costs texts a second copy.
std::size_t hashOf(QByteArrayView bytes) {
    constexpr quint64 kFactor = 0x9e3779b97f4a7c15u;
    quint64 hash = static_cast<quint64>(bytes.size()) * kFactor;
    for (qsizetype at = 0; at < bytes.size(); at += 8) {
        quint64 word = 0;
        std::memcpy(&word, bytes.data() + at,
                    static_cast<std::size_t>(std::min<qsizetype>(8, bytes.size() - at)));
        hash = (hash ^ word) * kFactor;
        hash ^= hash >> 32;
    }
    return static_cast<std::size_t>(hash);
}

} // namespace

SharedTexts::SharedTexts()
    : m_places(kPlaces) {}

QString SharedTexts::text(QByteArrayView utf8) {
    if (utf8.isEmpty() || utf8.size() > kLongest) {
        return QString::fromUtf8(utf8);
    }
    const std::size_t hash = hashOf(utf8);
    Place& place = m_places[hash % kPlaces];
    // A text kept as ASCII is these bytes when they read as it in Latin-1 (where a byte beyond
    // ASCII matches none of its characters); any other is compared with them as UTF-8.
    const bool same = place.hash == hash && !place.text.isNull() &&
                      (place.ascii ? QAnyStringView::equal(QLatin1StringView(utf8), place.text)
                                   : QAnyStringView::equal(QUtf8StringView(utf8), place.text));
    if (!same) {
        place.hash = hash;
        place.text = QString::fromUtf8(utf8);
        place.ascii = place.text.size() == utf8.size(); // a character a byte
    }
    return place.text;
}

} // namespace kavu::journal
