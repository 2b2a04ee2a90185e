#include "platform/user/Chrome.h"

#include "platform/user/CommandBar.h"

namespace zorun {

HWND CreateNavigationBar(); // NavigationBar.cpp

void EnsureChrome() {
    CreateNavigationBar();
    CreateCommandBar();
}

} // namespace zorun
