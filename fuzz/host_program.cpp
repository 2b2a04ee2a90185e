// The host's side of the texts: host program files, the helper's answers
// and provisioning's record, on any bytes.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/host/HostProgramFile.h"
#include "platform/host/HostProgramRecord.h"
#include "platform/host/HostProtocol.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (auto file = zorun::HostProgramFile::Parse(bytes))
        for (const auto& section : file->ArgumentSections())
            (void)section.lines.size();
    (void)zorun::ParseAnswer(bytes, size % 4);
    const auto record = zorun::HostProgramRecord::FromText(bytes);
    // What is written back reads as the same record.
    if (zorun::HostProgramRecord::FromText(record.Text()) != record)
        __builtin_trap();
    return 0;
}
