#pragma once

#include <QByteArrayView>
#include <QString>

#include <vector>

namespace kavu::journal {

// Texts read lately, so that one read again shares their copy: a journal's entries say the same
// over and over (their window, control, phone, session, often their line), and each such text then
// takes its memory, and its decoding, once. A text is kept in the one place its hash gives, in
// place of the one there before, so the memory held stays bounded however many texts are read.
class SharedTexts {
public:
    SharedTexts();

    // The text of these bytes, which are valid UTF-8.
    QString text(QByteArrayView utf8);

private:
    // Longer texts (a run's output) seldom recur, and are not kept.
    static constexpr qsizetype kLongest = 256;
    static constexpr std::size_t kPlaces = 1024;

    struct Place {
        std::size_t hash = 0;
        QString text;
        // The text is ASCII.
        bool ascii = false;
    };
    std::vector<Place> m_places;
};

} // namespace kavu::journal
