#pragma once

#include <QtGlobal>

class QLabel;
class QWidget;

namespace kavu {

// Sets inset over a run of blanks in host's one-line text (the run of length blanks starting at
// index start), centred in it, in host's parent. Where host's face has blanks too narrow for the
// inset, host takes its blanks and Latin letters from a monospaced face, which has wider ones.
void placeInBlankRun(QLabel& host, QWidget& inset, qsizetype start, qsizetype length);

} // namespace kavu
