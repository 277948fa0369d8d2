#pragma once
// The order of a slideshow: which item comes next, texts skipped in the
// direction of the last step, the wrap of a looping show, the palette's
// button states and the one-second timer of the automatic mode. The window
// that shows the slides answers the questions the sequence cannot: can this
// photo be shown, is its sound still playing.
#include <functional>
#include <vector>

namespace lumora {

struct SlideshowOptions {
    bool automatic = false;
    bool loop = true;           // automatic mode: the last photo leads to the first
    int pause = 10;             // automatic mode: seconds a photo stays
    bool soundIsMaster = true;  // automatic mode: wait while the photo's sound plays
};

class SlideshowSequence {
public:
    struct Host {
        // Loads and shows the photo at `index` (and starts its sound); false
        // when it cannot be read: the previous picture stays.
        std::function<bool(int index)> showPhoto;
        std::function<bool()> soundPlaying;
    };

    // `isPhoto[i]` tells whether item i is a photo (else a text).
    SlideshowSequence(std::vector<bool> isPhoto, SlideshowOptions options, Host host);

    // Shows slide 0 or the first photo after it.
    void Start() { GoTo(0); }
    // Shows the photo at `index`, or the next one in the step direction when
    // `index` is a text; at either end nothing happens (but a looping
    // automatic show wraps from the end to item 0).
    void GoTo(int index);
    void Next();
    void Previous();
    void First();
    void Last();
    // The one-second timer: true when it moved to another slide.
    bool Tick();

    int Current() const { return current_; }
    int Direction() const { return direction_; }
    int ElapsedSeconds() const { return elapsed_; }
    int Count() const { return static_cast<int>(isPhoto_.size()); }
    // The palette buttons: first and previous off at item 0, next and last
    // off at the last item (texts included).
    bool CanGoBack() const { return current_ != 0; }
    bool CanGoForward() const { return current_ != Count() - 1; }

private:
    bool Wraps() const { return options_.automatic && options_.loop; }

    std::vector<bool> isPhoto_;
    SlideshowOptions options_;
    Host host_;
    int current_ = 0;
    int direction_ = 1;
    int elapsed_ = 0;
};

}  // namespace lumora
