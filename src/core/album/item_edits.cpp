// The edits of items: insertion, removal, moves and their contents.
#include <algorithm>

#include "core/album/album_document.h"
#include "core/album/album_edits.h"
#include "core/album/tab_numbering.h"

namespace lumora {
namespace {

using Items = std::vector<std::unique_ptr<AlbumItem>>;

std::unique_ptr<AlbumItem> TakeItem(Items& items, size_t index)
{
    auto item = std::move(items[index]);
    items.erase(items.begin() + static_cast<std::ptrdiff_t>(index));
    return item;
}

void PutItem(Items& items, size_t index, std::unique_ptr<AlbumItem> item)
{
    items.insert(items.begin() + static_cast<std::ptrdiff_t>(std::min(index, items.size())),
                 std::move(item));
}

// The item that takes the place of a removed one: the same index, or the
// last item.
int SelectionAfterRemoval(const Items& items, size_t index)
{
    if (items.empty())
        return 0;
    return static_cast<int>(std::min(index, items.size() - 1));
}

size_t StringBytes(const std::string& s) { return s.capacity() > 15 ? s.capacity() : 0; }

size_t ContentBytes(const ItemContent& c)
{
    return StringBytes(c.text) + StringBytes(c.soundPath) + StringBytes(c.description) +
           (c.font ? StringBytes(c.font->faceName) : 0);
}

void StoreContent(AlbumItem& item, const ItemContent& content)
{
    item.text = content.text;
    item.font = content.font;
    item.textColor = content.textColor;
    item.soundPath = content.soundPath;
    item.description = content.description;
}

class Insertion final : public AlbumEdit {
public:
    Insertion(size_t index, Items items, InsertionKind kind, bool grouped)
        : index_(index), count_(items.size()), held_(std::move(items)), kind_(kind), grouped_(grouped)
    {
    }

    std::string Label() const override
    {
        switch (kind_) {
        case InsertionKind::Text: return "l'insertion d'un texte";
        case InsertionKind::Paste: return "le collage";
        case InsertionKind::Photos: break;
        }
        return count_ == 1 ? "l'insertion d'une photo"
                           : "l'insertion de " + std::to_string(count_) + " photos";
    }

    AlbumChange Apply(AlbumDocument& doc) override
    {
        index_ = std::min(index_, StateOf(doc).items.size());
        StateOf(doc).items.insert(StateOf(doc).items.begin() + static_cast<std::ptrdiff_t>(index_),
                         std::make_move_iterator(held_.begin()), std::make_move_iterator(held_.end()));
        held_.clear();
        held_.shrink_to_fit();
        return AlbumChange::Items(index_, AlbumChange::kToEnd, static_cast<int>(index_));
    }

    AlbumChange Revert(AlbumDocument& doc) override
    {
        const auto first = StateOf(doc).items.begin() + static_cast<std::ptrdiff_t>(index_);
        const auto last = first + static_cast<std::ptrdiff_t>(count_);
        held_.assign(std::make_move_iterator(first), std::make_move_iterator(last));
        StateOf(doc).items.erase(first, last);
        return AlbumChange::Items(index_, AlbumChange::kToEnd, SelectionAfterRemoval(StateOf(doc).items, index_));
    }

    bool Absorb(AlbumEdit& next) override
    {
        auto* more = dynamic_cast<Insertion*>(&next);
        if (!more || !grouped_ || !more->grouped_ || more->kind_ != kind_ ||
            more->index_ != index_ + count_)
            return false;
        count_ += more->count_;
        return true;
    }

    size_t OverheadBytes() const override { return sizeof *this + held_.capacity() * sizeof(void*); }
    size_t HeldItems() const override { return held_.size(); }

private:
    size_t index_;
    size_t count_;
    Items held_;  // while undone
    InsertionKind kind_;
    bool grouped_;
};

class Removal final : public AlbumEdit {
public:
    Removal(size_t index, std::optional<size_t> tab, RemovalKind kind)
        : index_(index), tab_(tab), kind_(kind)
    {
    }

    std::string Label() const override { return kind_ == RemovalKind::Cut ? "la coupe" : "la suppression"; }

    AlbumChange Apply(AlbumDocument& doc) override
    {
        AlbumChange change = AlbumChange::Items(index_, AlbumChange::kToEnd);
        if (tab_) {
            numbers_ = NoteTabNumbers(StateOf(doc).items);
            RenumberForRemovedTab(StateOf(doc).items, *tab_);
            heldTab_ = std::move(StateOf(doc).tabs[*tab_]);
            StateOf(doc).tabs.erase(StateOf(doc).tabs.begin() + static_cast<std::ptrdiff_t>(*tab_));
            change.tabs = true;
        }
        held_ = TakeItem(StateOf(doc).items, index_);
        change.select = SelectionAfterRemoval(StateOf(doc).items, index_);
        return change;
    }

    AlbumChange Revert(AlbumDocument& doc) override
    {
        PutItem(StateOf(doc).items, index_, std::move(held_));
        AlbumChange change = AlbumChange::Items(index_, AlbumChange::kToEnd, static_cast<int>(index_));
        if (tab_) {
            StateOf(doc).tabs.insert(StateOf(doc).tabs.begin() + static_cast<std::ptrdiff_t>(*tab_), std::move(heldTab_));
            RestoreTabNumbers(StateOf(doc).items, numbers_);
            numbers_ = {};
            change.tabs = true;
        }
        return change;
    }

    size_t OverheadBytes() const override
    {
        return sizeof *this + numbers_.capacity() * sizeof(TabRun) +
               (heldTab_ ? sizeof(SectionTab) + StringBytes(heldTab_->name) : 0);
    }
    size_t HeldItems() const override { return held_ ? 1 : 0; }

private:
    size_t index_;
    std::optional<size_t> tab_;
    RemovalKind kind_;
    std::unique_ptr<AlbumItem> held_;     // while done
    std::unique_ptr<SectionTab> heldTab_;
    TabNumbers numbers_;                  // the sections before the tab went
};

class Move final : public AlbumEdit {
public:
    Move(size_t from, size_t to, std::optional<int16_t> section) : from_(from), to_(to), section_(section) {}

    std::string Label() const override { return "le déplacement"; }

    AlbumChange Apply(AlbumDocument& doc) override
    {
        auto item = TakeItem(StateOf(doc).items, from_);
        oldTab_ = item->tabIndex;
        item->tabIndex = section_.value_or(SectionForInsertion(StateOf(doc).items, to_));
        PutItem(StateOf(doc).items, to_, std::move(item));
        return Touched(static_cast<int>(to_));
    }

    AlbumChange Revert(AlbumDocument& doc) override
    {
        auto item = TakeItem(StateOf(doc).items, to_);
        item->tabIndex = oldTab_;
        PutItem(StateOf(doc).items, from_, std::move(item));
        return Touched(static_cast<int>(from_));
    }

    size_t OverheadBytes() const override { return sizeof *this; }

private:
    AlbumChange Touched(int select) const
    {
        const size_t first = std::min(from_, to_);
        return AlbumChange::Items(first, std::max(from_, to_) - first + 1, select);
    }

    size_t from_, to_;
    std::optional<int16_t> section_;
    int16_t oldTab_ = 0;
};

class ContentChange final : public AlbumEdit {
public:
    ContentChange(size_t index, ItemContent before, ItemContent after, ContentKind kind, bool typing)
        : index_(index), before_(std::move(before)), after_(std::move(after)), kind_(kind), typing_(typing)
    {
    }

    std::string Label() const override
    {
        switch (kind_) {
        case ContentKind::Text: return "la modification du texte";
        case ContentKind::Description: return "la modification de la description";
        case ContentKind::SoundAttached: return "l'association du son";
        case ContentKind::SoundRemoved: return "la suppression du son";
        }
        return {};
    }

    AlbumChange Apply(AlbumDocument& doc) override { return Store(doc, after_); }
    AlbumChange Revert(AlbumDocument& doc) override { return Store(doc, before_); }

    bool Absorb(AlbumEdit& next) override
    {
        auto* more = dynamic_cast<ContentChange*>(&next);
        if (!more || !typing_ || !more->typing_ || more->index_ != index_ || more->kind_ != kind_)
            return false;
        after_ = std::move(more->after_);
        return true;
    }

    size_t OverheadBytes() const override { return sizeof *this + ContentBytes(before_) + ContentBytes(after_); }

private:
    AlbumChange Store(AlbumDocument& doc, const ItemContent& content) const
    {
        StoreContent(*StateOf(doc).items[index_], content);
        AlbumChange change = AlbumChange::Items(index_, 1, static_cast<int>(index_));
        // Only a text's words and font take room on the pages.
        change.relayout = kind_ == ContentKind::Text;
        return change;
    }

    size_t index_;
    ItemContent before_, after_;
    ContentKind kind_;
    bool typing_;
};

class PhotoFileChange final : public AlbumEdit {
public:
    PhotoFileChange(size_t index, std::string before, std::string after)
        : index_(index), before_(std::move(before)), after_(std::move(after))
    {
    }

    std::string Label() const override { return "le changement de fichier"; }
    AlbumChange Apply(AlbumDocument& doc) override { return Store(doc, after_); }
    AlbumChange Revert(AlbumDocument& doc) override { return Store(doc, before_); }
    size_t OverheadBytes() const override { return sizeof *this + StringBytes(before_) + StringBytes(after_); }

private:
    AlbumChange Store(AlbumDocument& doc, const std::string& path) const
    {
        StateOf(doc).items[index_]->imagePath = path;
        AlbumChange change = AlbumChange::Items(index_, 1);
        change.relayout = false;  // the preview stays: nothing moves
        return change;
    }

    size_t index_;
    std::string before_, after_;
};

}  // namespace

ItemContent ContentOf(const AlbumItem& item)
{
    return {item.text, item.font, item.textColor, item.soundPath, item.description};
}

std::unique_ptr<AlbumEdit> MakeInsertion(const AlbumDocument&, size_t index, Items items,
                                         InsertionKind kind, bool grouped)
{
    return std::make_unique<Insertion>(index, std::move(items), kind, grouped);
}

std::unique_ptr<AlbumEdit> MakeRemoval(const AlbumDocument&, size_t index, std::optional<size_t> tab,
                                       RemovalKind kind)
{
    return std::make_unique<Removal>(index, tab, kind);
}

std::unique_ptr<AlbumEdit> MakeMove(const AlbumDocument&, size_t from, size_t to,
                                    std::optional<int16_t> section)
{
    return std::make_unique<Move>(from, to, section);
}

std::unique_ptr<AlbumEdit> MakeContentChange(const AlbumDocument& doc, size_t index, ItemContent after,
                                             ContentKind kind, bool typing)
{
    return std::make_unique<ContentChange>(index, ContentOf(doc.Item(index)), std::move(after), kind,
                                           typing);
}

std::unique_ptr<AlbumEdit> MakePhotoFileChange(const AlbumDocument& doc, size_t index, std::string imagePath)
{
    return std::make_unique<PhotoFileChange>(index, doc.Item(index).imagePath, std::move(imagePath));
}

}  // namespace lumora
