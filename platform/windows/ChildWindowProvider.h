#pragma once
// The task list where there is no window system to ask (a Wayland session,
// a bare frame buffer, headless): one window for each program this program
// started that still runs, titled by the program's name. Closing asks the
// program to end (SIGTERM); it cannot be brought to the front.

#include "platform/windows/HostWindowProvider.h"

namespace zorun {

class ChildWindowProvider final : public HostWindowProvider {
  public:
    [[nodiscard]] std::vector<HostWindow> List() override;
    [[nodiscard]] bool Exists(std::uint64_t id) override;
    bool Close(std::uint64_t id) override;
    bool Activate(std::uint64_t id) override;
};

} // namespace zorun
