#pragma once
// Every preference of the program, as plain values. The windowed program
// reads and writes them in lumora.ini (gui/platform/ini_preferences.h); the
// core sees them through its services.
#include <array>
#include <string>

#include "core/platform/rgb.h"

namespace lumora {

constexpr Rgb kDefaultDeskColor = 0x808000;
constexpr Rgb kDefaultViewerColor = 0x404040;

struct Preferences {
    // Gathering an album.
    bool convertJpeg = false;
    bool copySounds = true;
    bool copyRuntime = true;
    int compression = 50;
    // With the viewer: each photo's JPEG copies for phones and screens.
    bool webSizes = true;
    // The album window.
    bool animatePages = true;
    bool deskShadow = true;
    bool fastBitmaps = true;
    bool newOnStartup = true;
    bool maximiseOnOpen = true;
    bool showProperties = true;
    bool printDescriptions = true;
    // The zoom the last album window was left at, in percent of the classic
    // size; 0: the book fitted to the window.
    int albumZoomPercent = 0;
    // The slideshow.
    bool slideshowLoop = true;
    int slideshowPause = 10;
    bool slideshowAuto = false;
    // Photos larger than the screen are shown cut at its edges instead of
    // reduced to fit.
    bool slideshowRealSize = false;
    bool soundIsMaster = true;
    // Reading pictures.
    bool showPreview = true;
    bool jpeg256 = true;
    int photoCDSize = 2;
    // Album previews as 8-bit halftones on the application palette (smaller
    // album files) instead of 24-bit pictures.
    bool previews256 = false;
    // Colours as stored: a decimal Rgb, empty for the built-in colour.
    std::string standardDeskColor;
    std::string viewerColor;
    // The properties window's position (-1: not placed yet).
    int propertiesX = -1;
    int propertiesY = -1;
    // The colour dialogs' sixteen custom colours.
    std::array<Rgb, 16> customColors{};

    // -1 means "screen width - 150" and "screen height / 3"; then negative
    // coordinates become 0 and positions keep 20 pixels on the screen.
    void ClampPropertiesPosition(int screenWidth, int screenHeight);

    Rgb DeskColor() const;
    Rgb ViewerColor() const;

    friend bool operator==(const Preferences&, const Preferences&) = default;
};

// A stored colour: the decimal text, or `fallback` when it is empty.
Rgb ColorOr(const std::string& text, Rgb fallback);

}  // namespace lumora
