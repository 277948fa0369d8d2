#pragma once
// Helpers shared by the tests: where the test pictures are, building small
// pictures by hand, capturing what the core tells the user.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/picture/picture.h"
#include "core/platform/services.h"

namespace lumora::test {

// ../shared/testdata/<relative>
std::string TestDataPath(const std::string& relative);

// A fresh empty directory for one test, removed with the object.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> ReadBytes(const std::string& path);

// Records every message box while installed.
class CapturingReporter final : public ErrorReporter {
public:
    // Installed for the object's lifetime.
    ScopedServices installed_{[this](Services& services) { services.errors = this; }};
    CapturingReporter() = default;
    void ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon) override
    {
        messages.push_back({text, caption, icon});
    }
    struct Message {
        std::string text, caption;
        MessageIcon icon;
    };
    std::vector<Message> messages;
};

// Records begin, steps and end of the progress gauge while installed.
class RecordingProgress final : public ProgressSink {
public:
    // Installed for the object's lifetime.
    ScopedServices installed_{[this](Services& services) { services.progress = this; }};
    RecordingProgress() = default;
    void Begin() override { ++begun; }
    void SetProgress(long done, long total) override { steps.emplace_back(done, total); }
    void End() override { ++ended; }

    int begun = 0;
    int ended = 0;
    std::vector<std::pair<long, long>> steps;
};

// Pixel access on valid blocks, rows counted from the first in memory.
uint8_t IndexAt(const Picture& dib, uint32_t x, uint32_t memoryRow);
ColorTriple ColorAt(const Picture& dib, uint32_t x, uint32_t memoryRow);
void SetRgb(Picture& dib, uint32_t x, uint32_t memoryRow, ColorTriple color);

// A 24-bit picture filled by `colorAt(x, memoryRow)`.
template <typename F>
Picture MakeRgbPicture(int32_t width, int32_t height, F colorAt)
{
    Picture dib = Picture::Make(width, height, 24);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            SetRgb(dib, static_cast<uint32_t>(x), static_cast<uint32_t>(y), colorAt(x, y));
    return dib;
}

// Runs lumora-cli with the arguments; returns its exit status and fills the
// captured output.
int RunCli(const std::vector<std::string>& args, std::string* out = nullptr, std::string* err = nullptr);

}  // namespace lumora::test
