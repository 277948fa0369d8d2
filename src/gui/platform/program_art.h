#pragma once
// The program's own small pictures: cursors, toolbar icons, gauge cells.
#include <QCursor>
#include <QIcon>
#include <QPixmap>

namespace lumora {

enum class ProgramCursor { Select = 104, NextPage = 105, PreviousPage = 106 };

QCursor LoadProgramCursor(ProgramCursor which);
// The toolbar icon of a command; a null icon for a command without one.
QIcon CommandIcon(int commandId);
// The program's own icon (the album's leather cover), for every window.
QIcon ProgramIcon();
// The gauge's two cells side by side (filled, then empty), 20 x 9.
QPixmap GaugeCells();

}  // namespace lumora
