#pragma once
// The printing commands of the album and picture windows: the album's
// print and preview (after "Impression d'un album"), the picture's poster
// and poster preview (after "Impression d'un poster"), and "Exporter en
// PDF..." in both windows. Every printing starts from the program's
// printer, so that the page set-up chosen stays chosen.
namespace lumora {

class CommandHost;

void InstallPrintCommands(CommandHost& frame);

}  // namespace lumora
