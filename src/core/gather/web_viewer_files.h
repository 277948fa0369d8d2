#pragma once
// The viewer's fixed files (page, style, script), kept as real files in
// src/core/gather/web and built into the program.
#include <span>
#include <string_view>

namespace lumora {

struct WebViewerFile {
    std::string_view name;   // "index.html", "viewer.css", "viewer.js"
    std::string_view bytes;
};

std::span<const WebViewerFile> WebViewerFiles();

}  // namespace lumora
