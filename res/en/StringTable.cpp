// The English string table: the program title, the document strings and
// every message and caption the program shows.

#include "res/en/Tables.h"

namespace zorun::res::en {

namespace {

const StringResource strings[] = {
    {128, u"Zorun\n\nZorun\n\n\nZorun.Document\nZorun Document"},
    {65009, u"Zorun"},
    {65010, u"Write Setting File Error"},
    {65015, u"The default group can't be deleted."},
    {65016, u"Deleting the current group will delete all items within the group. Are you sure "
            u"you want to do this?"},
    {65017, u"You must select a shortcut in one group."},
    {65018, u"Selected item will be deleted. Are you sure you want to do this?"},
    {65019, u"Please selected a shortcut first."},
    {65020, u"The default group cannot be renamed."},
    {65021, u"Calendar Setting Error"},
    {65024, u"Task Setting Error"},
    {65027, u"Please select an icon for the shortcut."},
    {65032, u"Unable to stop the process! If you select OK, all your unsaved data will be lost, "
            u"Do you want to terminate it?"},
    {65033, u"Please type a group name."},
    {65034, u"Group name can not exceed 256 characters!"},
    {65035, u"That group name already exists! Please create another group name."},
    {65036, u"Please input a name for this shortcut."},
    {65037, u"That file name does not exist. Please select another file name."},
    {65038, u"Please select an executable file."},
    {65039, u"Program and Shortcut names can not exceed 256 characters!"},
    {65040, u"Monitor"},
    {65041, u"Edit"},
    {65042, u"Tools"},
    {65043, u"Running Application List"},
    {65044, u"Name"},
    {65045, u"Activate"},
    {65046, u"Stop"},
    {65047, u"Stop all"},
    {65049, u"Name"},
    {65050, u"Date"},
    {65051, u"Size"},
    {65052, u"Your groups and shortcuts were kept in:\n%s"},
    {65053, u"No more groups can be added."},
    {65054, u"There is no more room for shortcuts. Please delete some shortcuts first."},
};

} // namespace

extern const std::span<const StringResource> stringTable = strings;

} // namespace zorun::res::en
