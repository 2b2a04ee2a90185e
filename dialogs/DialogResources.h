#pragma once
// Resource numbers and control ids of the editing dialogs' templates and
// pictures. Bitmaps and icons are separate number spaces.

namespace DialogResource {

// Dialog templates.
constexpr int GroupPickerDialog = 153;
constexpr int OrganizeGroupsDialog = 159;
constexpr int BrowseFileDialog = 161;
constexpr int ShortcutDialog = 166;
constexpr int ChangeIconDialog = 181;

// Controls.
constexpr int GroupList = 1003;  // the group list box of 153 and 159
constexpr int FolderList = 1013; // the program browser's folder drop-down
constexpr int UpButton = 1018;   // its up-one-level picture
constexpr int FileList = 1020;   // its list of files
// The shortcut dialog and the change-icon panel.
constexpr int ProgramField = 1025;
constexpr int ProgramBrowse = 1026;
constexpr int IconBrowse = 1028;
constexpr int NameField = 1029;
constexpr int DefaultIconButton = 1039;

// Bitmaps.
constexpr int MoveTitleBitmap = 130;           // 240 x 46, "Move to group"
constexpr int CopyTitleBitmap = 131;           // 240 x 46, "Copy to group"
constexpr int PickerBackgroundBitmap = 132;    // 240 x 268
constexpr int OrganizerBackgroundBitmap = 145; // 240 x 268, with its title
constexpr int UpFolderBitmap = 163;            // 16 x 16

// Icons, normal and pressed.
constexpr int CancelIcon = 143, CancelPressedIcon = 144;       // 64 x 20
constexpr int UpArrowIcon = 142, UpArrowPressedIcon = 141;     // 32 x 32
constexpr int DownArrowIcon = 139, DownArrowPressedIcon = 138; // 32 x 32

// The program browser's column titles.
constexpr unsigned NameColumnString = 65049;
constexpr unsigned DateColumnString = 65050;
constexpr unsigned SizeColumnString = 65051;

// The shortcut dialog's and the change-icon panel's refusals.
constexpr unsigned SelectIconString = 65027;
constexpr unsigned NoShortcutNameString = 65036;
constexpr unsigned NoSuchFileString = 65037;
constexpr unsigned NotExecutableString = 65038;
constexpr unsigned NameTooLongString = 65039;

} // namespace DialogResource
