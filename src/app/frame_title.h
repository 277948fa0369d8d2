#pragma once
// The main window's title: "Lumora" alone, or "Lumora - vacances.qza[*]"
// while a document window is maximised inside it, the mark shown exactly
// while that document is modified.
class QMainWindow;
class QMdiArea;

namespace lumora {

// Keeps `frame`'s title so for as long as it lives.
void KeepFrameTitle(QMainWindow& frame, QMdiArea& area);

}  // namespace lumora
