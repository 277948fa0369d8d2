#pragma once
// A sound player that records what it is asked to play, installed while it
// lives.
#include <string>
#include <vector>

#include "core/platform/services.h"

namespace lumora::test {

class RecordingSoundPlayer final : public SoundPlayer {
public:
    bool Play(const std::string& path) override
    {
        played.push_back(path);
        playing = true;
        return true;
    }
    void Stop() override
    {
        ++stops;
        playing = false;
    }
    bool IsPlaying() const override { return playing; }

    std::vector<std::string> played;
    int stops = 0;
    bool playing = false;
    ScopedServices installed{[this](Services& s) { s.sound = this; }};
};

}  // namespace lumora::test
