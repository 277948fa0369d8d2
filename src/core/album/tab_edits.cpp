// The edits of section tabs: a new tab, a tab deleted, a tab's name and
// colours.
#include "core/album/album_document.h"
#include "core/album/album_edits.h"
#include "core/album/tab_numbering.h"

namespace lumora {
namespace {

AlbumChange TabsTouched()
{
    AlbumChange change = AlbumChange::Items(0, AlbumChange::kToEnd);
    change.tabs = true;
    return change;
}

class TabInsertion final : public AlbumEdit {
public:
    TabInsertion(size_t position, std::unique_ptr<SectionTab> tab, size_t firstItem)
        : position_(position), firstItem_(firstItem), held_(std::move(tab))
    {
    }

    std::string Label() const override { return "l'ajout d'un onglet"; }

    AlbumChange Apply(AlbumDocument& doc) override
    {
        numbers_ = NoteTabNumbers(StateOf(doc).items);
        RenumberForInsertedTab(StateOf(doc).items, firstItem_);
        auto& tabs = StateOf(doc).tabs;
        tabs.insert(tabs.begin() + static_cast<std::ptrdiff_t>(position_), std::move(held_));
        return TabsTouched();
    }

    AlbumChange Revert(AlbumDocument& doc) override
    {
        held_ = std::move(StateOf(doc).tabs[position_]);
        StateOf(doc).tabs.erase(StateOf(doc).tabs.begin() + static_cast<std::ptrdiff_t>(position_));
        RestoreTabNumbers(StateOf(doc).items, numbers_);
        return TabsTouched();
    }

    size_t OverheadBytes() const override
    {
        return sizeof *this + sizeof(SectionTab) + numbers_.capacity() * sizeof(TabRun);
    }

private:
    size_t position_, firstItem_;
    std::unique_ptr<SectionTab> held_;  // while undone
    TabNumbers numbers_;
};

class TabRemoval final : public AlbumEdit {
public:
    explicit TabRemoval(size_t position) : position_(position) {}

    std::string Label() const override { return "la suppression de l'onglet"; }

    AlbumChange Apply(AlbumDocument& doc) override
    {
        numbers_ = NoteTabNumbers(StateOf(doc).items);
        RenumberForRemovedTab(StateOf(doc).items, position_);
        held_ = std::move(StateOf(doc).tabs[position_]);
        StateOf(doc).tabs.erase(StateOf(doc).tabs.begin() + static_cast<std::ptrdiff_t>(position_));
        return TabsTouched();
    }

    AlbumChange Revert(AlbumDocument& doc) override
    {
        auto& tabs = StateOf(doc).tabs;
        tabs.insert(tabs.begin() + static_cast<std::ptrdiff_t>(position_), std::move(held_));
        RestoreTabNumbers(StateOf(doc).items, numbers_);
        return TabsTouched();
    }

    size_t OverheadBytes() const override
    {
        return sizeof *this + sizeof(SectionTab) + numbers_.capacity() * sizeof(TabRun);
    }

private:
    size_t position_;
    std::unique_ptr<SectionTab> held_;  // while done
    TabNumbers numbers_;
};

struct TabLook {
    std::string name;
    Rgb tabColor = 0, nameColor = 0;
};

class TabChange final : public AlbumEdit {
public:
    TabChange(size_t position, TabLook before, TabLook after)
        : position_(position), before_(std::move(before)), after_(std::move(after))
    {
    }

    std::string Label() const override { return "la modification de l'onglet"; }
    AlbumChange Apply(AlbumDocument& doc) override { return Store(doc, after_); }
    AlbumChange Revert(AlbumDocument& doc) override { return Store(doc, before_); }
    size_t OverheadBytes() const override { return sizeof *this + before_.name.size() + after_.name.size(); }

private:
    AlbumChange Store(AlbumDocument& doc, const TabLook& look) const
    {
        SectionTab& tab = *StateOf(doc).tabs[position_];
        tab.name = look.name;
        tab.tabColor = look.tabColor;
        tab.nameColor = look.nameColor;
        AlbumChange change;
        change.tabs = true;
        return change;
    }

    size_t position_;
    TabLook before_, after_;
};

}  // namespace

std::unique_ptr<AlbumEdit> MakeTabInsertion(const AlbumDocument&, size_t position,
                                            std::unique_ptr<SectionTab> tab, size_t firstItem)
{
    return std::make_unique<TabInsertion>(position, std::move(tab), firstItem);
}

std::unique_ptr<AlbumEdit> MakeTabRemoval(const AlbumDocument&, size_t position)
{
    return std::make_unique<TabRemoval>(position);
}

std::unique_ptr<AlbumEdit> MakeTabChange(const AlbumDocument& doc, size_t position, std::string name,
                                         Rgb tabColor, Rgb nameColor)
{
    const SectionTab& tab = doc.Tab(position);
    return std::make_unique<TabChange>(position, TabLook{tab.name, tab.tabColor, tab.nameColor},
                                       TabLook{std::move(name), tabColor, nameColor});
}

}  // namespace lumora
