#include "catalogue/DefaultCatalogue.h"

#include "catalogue/SettingsFile.h"

namespace {

constexpr const char16_t* kWindows = u"\\Windows";

struct Candidate {
    int group;
    const char16_t* name;
    const char16_t* folder;
    const char16_t* file;
};

} // namespace

CatalogueContents DefaultCatalogueContents(const DefaultCatalogueTexts& t) {
    const Candidate candidates[] = {
        {0, t.calendar, t.startMenuFolder, t.calendarLink},
        {0, t.contacts, t.startMenuFolder, t.contactsLink},
        {0, t.internetExplorer, kWindows, u"iexplore.exe"},
        {0, t.fileExplorer, kWindows, u"fexplore.exe"},
        {0, t.inbox, kWindows, u"tmail.exe"},
        {0, t.excel, kWindows, u"pxl.exe"},
        {0, t.word, kWindows, u"pword.exe"},
        {0, t.tasks, t.startMenuFolder, t.tasksLink},
        {0, t.today, kWindows, u"shell32.exe"},
        {1, t.mediaPlayer, kWindows, u"player.exe"},
        {2, t.solitaire, kWindows, u"solitare.exe"},
        {2, t.jawbreaker, kWindows, u"jawbreaker.exe"},
    };
    const char16_t* backgrounds[] = {u"\\windows\\skin 1.bmp", u"\\windows\\skin 5.bmp",
                                     u"\\windows\\skin 2.bmp", u"\\windows\\skin 2.bmp"};

    CatalogueContents contents;
    for (int g = 0; g < 4; ++g) {
        GroupRecord& group = contents.groupList.emplace_back();
        for (const Candidate& candidate : candidates) {
            std::u16string path;
            if (candidate.group == g && FindExistingFile(candidate.folder, candidate.file, path))
                group.Append({std::move(path), candidate.name, u"0"});
        }
        contents.groupNames.emplace_back(t.groupNames[g]);
        contents.backgroundPaths.emplace_back(backgrounds[g]);
        contents.groupOrder.push_back(static_cast<std::uint8_t>(g));
    }
    return contents;
}

void BuildDefaultCatalogue(Catalogue& catalogue, const DefaultCatalogueTexts& texts) {
    const bool replaced = catalogue.Replace(DefaultCatalogueContents(texts));
    (void)replaced; // four groups in order are always well formed
}
