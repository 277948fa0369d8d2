#pragma once
// A read-only look at a list of owned objects: its elements come out as
// pointers to const, so whoever holds the view can read every object and
// change none of them, nor the list.
#include <compare>
#include <cstddef>
#include <iterator>
#include <memory>
#include <vector>

namespace lumora {

template <typename T>
class PointerView {
public:
    using Owned = std::vector<std::unique_ptr<T>>;

    class Iterator {
    public:
        using iterator_category = std::random_access_iterator_tag;
        using iterator_concept = std::random_access_iterator_tag;
        using value_type = const T*;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = const T*;

        Iterator() = default;
        explicit Iterator(typename Owned::const_iterator at) : at_(at) {}

        const T* operator*() const { return at_->get(); }
        const T* operator[](difference_type n) const { return at_[n].get(); }
        Iterator& operator++() { ++at_; return *this; }
        Iterator operator++(int) { Iterator was = *this; ++at_; return was; }
        Iterator& operator--() { --at_; return *this; }
        Iterator operator--(int) { Iterator was = *this; --at_; return was; }
        Iterator& operator+=(difference_type n) { at_ += n; return *this; }
        Iterator& operator-=(difference_type n) { at_ -= n; return *this; }
        friend Iterator operator+(Iterator i, difference_type n) { return i += n; }
        friend Iterator operator+(difference_type n, Iterator i) { return i += n; }
        friend Iterator operator-(Iterator i, difference_type n) { return i -= n; }
        friend difference_type operator-(const Iterator& a, const Iterator& b) { return a.at_ - b.at_; }
        friend bool operator==(const Iterator&, const Iterator&) = default;
        friend auto operator<=>(const Iterator&, const Iterator&) = default;

    private:
        typename Owned::const_iterator at_{};
    };

    // Implicit: any such list is seen through a view where one is asked for.
    PointerView(const Owned& owned) : owned_(&owned) {}

    size_t size() const { return owned_->size(); }
    bool empty() const { return owned_->empty(); }
    const T* operator[](size_t i) const { return (*owned_)[i].get(); }
    const T* front() const { return owned_->front().get(); }
    const T* back() const { return owned_->back().get(); }
    Iterator begin() const { return Iterator(owned_->begin()); }
    Iterator end() const { return Iterator(owned_->end()); }

private:
    const Owned* owned_;
};

}  // namespace lumora
