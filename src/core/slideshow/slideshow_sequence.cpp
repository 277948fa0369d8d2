#include "core/slideshow/slideshow_sequence.h"

namespace lumora {

SlideshowSequence::SlideshowSequence(std::vector<bool> isPhoto, SlideshowOptions options, Host host)
    : isPhoto_(std::move(isPhoto)), options_(options), host_(std::move(host))
{
}

void SlideshowSequence::GoTo(int index)
{
    const int count = Count();
    // Texts are passed over one by one; a looping show that holds no photo
    // at all must still come to rest, hence the bound.
    for (int steps = 0; steps <= count + 1; ++steps) {
        if (index < 0 || index >= count)
            return;
        if (isPhoto_[static_cast<size_t>(index)]) {
            // A photo that cannot be shown still becomes current, but the
            // seconds go on counting: an automatic show moves on at once.
            if (host_.showPhoto && host_.showPhoto(index))
                elapsed_ = 0;
            current_ = index;
            return;
        }
        index += direction_;
        if (index == count) {
            if (!Wraps())
                return;
            index = 0;
        }
    }
}

void SlideshowSequence::Next()
{
    direction_ = 1;
    if (current_ < Count() - 1)
        GoTo(current_ + 1);
    else if (Wraps())
        GoTo(0);
}

void SlideshowSequence::Previous()
{
    direction_ = -1;
    if (current_ > 0)
        GoTo(current_ - 1);
}

void SlideshowSequence::First()
{
    direction_ = 1;
    GoTo(0);
}

void SlideshowSequence::Last()
{
    direction_ = -1;
    GoTo(Count() - 1);
}

bool SlideshowSequence::Tick()
{
    if (!options_.automatic)
        return false;
    ++elapsed_;
    if (elapsed_ < options_.pause)
        return false;
    if (options_.soundIsMaster && host_.soundPlaying && host_.soundPlaying())
        return false;
    const int before = current_;
    Next();
    return current_ != before;
}

}  // namespace lumora
