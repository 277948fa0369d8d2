#pragma once
// The album subcommands that make or change an album file, each on the
// words that follow its name. `new` and `set` always write the file; the
// others save the album only when it changed.
#include "cli/cli_support.h"

namespace lumora::cli {

int RunAlbumNew(Arguments args);       // new FILE [--title T] [--description D] ...
int RunAlbumAdd(Arguments args);       // add FILE PICTURE... [--at INDEX]
int RunAlbumAddText(Arguments args);   // add-text FILE TEXT [--at INDEX]
int RunAlbumAddTab(Arguments args);    // add-tab FILE --before INDEX [--name NAME]
int RunAlbumDelete(Arguments args);    // delete FILE INDEX
int RunAlbumDeleteTab(Arguments args); // delete-tab FILE TAB
int RunAlbumMove(Arguments args);      // move FILE FROM TO
int RunAlbumTab(Arguments args);       // tab FILE TAB [--name N] [--color C] [--namecolor C]
int RunAlbumText(Arguments args);      // text FILE INDEX [--text T] [--color C] [--font F]
int RunAlbumDescribe(Arguments args);  // describe FILE INDEX TEXT
int RunAlbumSet(Arguments args);       // set FILE KEY=VALUE...

}  // namespace lumora::cli
