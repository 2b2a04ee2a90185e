#pragma once
// The device's system programs as host program files (see
// platform/host/HostProgramFile.h): which host application each one starts
// on a desktop. Provisioning writes a file only when what it names is
// installed; the user may change it afterwards.

#include <string>
#include <string_view>
#include <vector>

#include "catalogue/DefaultCatalogueTexts.h"

struct DeviceProgramTemplate {
    std::u16string devicePath; // "\Windows\iexplore.exe"
    std::string_view content;
};

// The system programs, in the order they are provisioned (a program that
// others name in their Program= lines comes before them).
[[nodiscard]] const std::vector<DeviceProgramTemplate>& DeviceProgramTemplates();

// The Start menu's links to the calendar, contacts and tasks, in the
// language's folder and names: where each is and the program it starts.
struct DeviceLinkTemplate {
    std::u16string devicePath; // "\Windows\Start Menu\calendar.lnk"
    std::u16string target;     // "\Windows\calendar.exe"
};
[[nodiscard]] std::vector<DeviceLinkTemplate>
DeviceLinkTemplates(const DefaultCatalogueTexts& texts);

// A shortcut file's text for a target: "<length>#<target>".
[[nodiscard]] std::string ShortcutFileText(std::u16string_view target);
