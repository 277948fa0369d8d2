// The edits of the album's settings, and of its layout with the previews
// made again for another picture box.
#include <utility>

#include "core/album/album_document.h"
#include "core/album/album_edits.h"

namespace lumora {
namespace {

std::string SettingsLabel(SettingsKind kind)
{
    switch (kind) {
    case SettingsKind::Properties: return "la modification des propriétés de l'album";
    case SettingsKind::TitleAndFonts: return "la modification du titre et des polices";
    case SettingsKind::TabsOn: return "l'activation des onglets";
    case SettingsKind::TabsOff: return "la désactivation des onglets";
    }
    return {};
}

size_t SettingsBytes(const AlbumSettings& s)
{
    size_t bytes = sizeof s + s.title.capacity() + s.description.capacity() + s.password.capacity();
    for (const TextFont& font : s.fonts)
        bytes += font.faceName.capacity();
    return bytes;
}

void StoreSettings(AlbumFields& album, const AlbumSettings& settings) { album.settings = settings; }

AlbumChange SettingsTouched()
{
    // Page titles, tabs on or off and the flyleaf all move pages.
    AlbumChange change = AlbumChange::Items(0, AlbumChange::kToEnd);
    change.tabs = true;
    change.settings = true;
    return change;
}

class SettingsChange final : public AlbumEdit {
public:
    SettingsChange(AlbumSettings before, AlbumSettings after, SettingsKind kind)
        : before_(std::move(before)), after_(std::move(after)), kind_(kind)
    {
    }

    std::string Label() const override { return SettingsLabel(kind_); }

    AlbumChange Apply(AlbumDocument& doc) override
    {
        StoreSettings(StateOf(doc), after_);
        return SettingsTouched();
    }

    AlbumChange Revert(AlbumDocument& doc) override
    {
        StoreSettings(StateOf(doc), before_);
        return SettingsTouched();
    }

    size_t OverheadBytes() const override { return SettingsBytes(before_) + SettingsBytes(after_); }

private:
    AlbumSettings before_, after_;
    SettingsKind kind_;
};

class LayoutChange final : public AlbumEdit {
public:
    LayoutChange(AlbumSettings before, AlbumSettings after, ParallelHooks hooks)
        : before_(std::move(before)), after_(std::move(after)), hooks_(std::move(hooks))
    {
    }

    std::string Label() const override { return SettingsLabel(SettingsKind::Properties); }

    AlbumChange Apply(AlbumDocument& doc) override
    {
        StoreSettings(StateOf(doc), after_);
        if (remade_) {
            std::swap(StateOf(doc).items, other_);
        } else {
            // The items as they are go into the step; the album goes on with
            // copies whose previews are made again.
            other_.reserve(StateOf(doc).items.size());
            for (const auto& item : StateOf(doc).items)
                other_.push_back(std::make_unique<AlbumItem>(*item));
            std::swap(StateOf(doc).items, other_);
            AlbumEdit::RemakePreviews(doc, hooks_);
            hooks_ = {};
            remade_ = true;
        }
        return SettingsTouched();
    }

    AlbumChange Revert(AlbumDocument& doc) override
    {
        std::swap(StateOf(doc).items, other_);
        StoreSettings(StateOf(doc), before_);
        return SettingsTouched();
    }

    size_t OverheadBytes() const override
    {
        return SettingsBytes(before_) + SettingsBytes(after_) + other_.capacity() * sizeof(void*);
    }
    size_t HeldItems() const override { return other_.size(); }

private:
    AlbumSettings before_, after_;
    ParallelHooks hooks_;
    bool remade_ = false;
    // The items of the other side of the step: before the change while it
    // is done, after it while undone.
    std::vector<std::unique_ptr<AlbumItem>> other_;
};

}  // namespace

AlbumSettings SettingsOf(const AlbumDocument& album) { return album.Settings(); }

std::unique_ptr<AlbumEdit> MakeSettingsChange(const AlbumDocument& doc, AlbumSettings after,
                                              SettingsKind kind)
{
    return std::make_unique<SettingsChange>(SettingsOf(doc), std::move(after), kind);
}

std::unique_ptr<AlbumEdit> MakeLayoutChange(const AlbumDocument& doc, AlbumSettings after,
                                            ParallelHooks hooks)
{
    return std::make_unique<LayoutChange>(SettingsOf(doc), std::move(after), std::move(hooks));
}

}  // namespace lumora
