#pragma once

#include <QFont>
#include <QtGlobal>

#include <initializer_list>

class QLabel;

namespace kavu {

// The face of file lists and of boxes that take names and paths: Consolas where there is one,
// else the system's monospaced face.
QFont monospaceFont();

// A label to be set over a run of blanks in a one-line text: the run of length blanks starting at
// index start.
struct BlankRun {
    QLabel& inset;
    qsizetype start;
    qsizetype length;
};

// Sets each inset label over its run of blanks in host's one-line text, centred in it, and the
// label after (if any) a blank's width after the text, all in host's parent. Such lines were
// written for blanks half as wide as a Han character; where host's face has blanks too narrow for
// an inset, host takes its blanks and Latin letters from the first face with wide enough ones (a
// common Latin face, a Song face, at last the monospaced one), so that the line grows no more than
// it must; its Han characters keep their face. A line that then outgrows its label, or whose label
// after it would leave the parent, is set smaller, labels and all, down to 6 points. The labels
// are set on the host's baseline.
void placeInBlankRuns(QLabel& host, std::initializer_list<BlankRun> runs, QLabel* after = nullptr);

} // namespace kavu
