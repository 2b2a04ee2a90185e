#include "app/ExcludedProcess.h"

#include "platform/kernel/ProcessSnapshot.h"

bool IsProcessRunning(std::u16string_view name) {
    // Only the names are read: this runs at every start.
    return zorun::AnyProcessNamed(name);
}
