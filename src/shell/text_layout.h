#pragma once

#include <QFont>
#include <QtGlobal>

class QLabel;

namespace kavu {

// The face of file lists and of boxes that take names and paths: Consolas where there is one,
// else the system's monospaced face.
QFont monospaceFont();

// Sets the label inset over a run of blanks in host's one-line text (the run of length blanks
// starting at index start), centred in it, in host's parent. The line is laid out for blanks half
// as wide as a Han character; where host's face has narrower ones, host takes its blanks and Latin
// letters from a monospaced face, which has such blanks.
void placeInBlankRun(QLabel& host, QLabel& inset, qsizetype start, qsizetype length);

// Sets the label after host's one-line text, a blank's width from its end, in host's parent.
void placeAfterText(const QLabel& host, QLabel& after);

} // namespace kavu
