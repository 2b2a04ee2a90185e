#pragma once
// Keeping the device in step with the desktop it runs on, at every start:
//  - the system programs (DevicePrograms.h) whose host application is
//    installed become host program files, with the Start menu's calendar,
//    contacts and tasks links, so the default catalogue shows exactly the
//    shortcuts that work here; one the user deleted is not made again;
//  - every application of the desktop's menu gets a shortcut file in the
//    Start menu's Programs folder (for the program browser), pointing at a
//    host program file of its own in \Program Files; the files of
//    applications removed since are removed;
//  - the icon of the application each host program file in \Windows starts
//    is recorded, for the launcher to draw.
// Nothing that exists is overwritten, and only files made here and left
// unchanged are ever removed. What was made and found is kept in a hidden
// record (platform/host/HostProgramRecord.h); when nothing the answer
// depends on has changed since (HostApplicationsStamp.h), nothing is asked.

#include "catalogue/DefaultCatalogueTexts.h"

// Works on the platform's device root. False when the host's applications
// could not be asked about or a file could not be written; what was done
// stays, and the next start tries again.
[[nodiscard]] bool SyncHostPrograms(const DefaultCatalogueTexts& texts);
