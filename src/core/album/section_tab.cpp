#include "core/album/section_tab.h"

#include <random>

namespace lumora {

int RandomTabNumber()
{
    thread_local std::minstd_rand generator{std::random_device{}()};
    return std::uniform_int_distribution<int>(0, static_cast<int>(kTabColors.size()) - 1)(generator);
}

const ArchiveClass SectionTab::kClass = {"COnglet", 3};

SectionTab::SectionTab(std::string tabName, int number)
    : name(std::move(tabName)),
      tabColor(kTabColors[static_cast<unsigned>(number % 6 + 6) % 6]),
      nameColor(0xFFFFFF)
{
}

void SectionTab::Serialize(Archive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteString(name);
        ar.WriteString(reserved);
        ar.Write32(tabColor);
        ar.Write32(nameColor);
    } else {
        name = ar.ReadString();
        reserved = ar.ReadString();
        tabColor = ar.Read32();
        nameColor = ar.Read32();
    }
}

}  // namespace lumora
