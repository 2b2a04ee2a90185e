// iCalendar counting: any bytes given to the organiser's parser must neither
// crash nor hang it; whatever it makes of them is acceptable.

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/pim/Organiser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto items = zorun::Organiser::ParseItems(text);
    // Touch every field so a corrupted item would be noticed by the sanitizers.
    std::size_t sum = 0;
    for (const auto& item : items)
        sum += item.uid.size() + static_cast<std::size_t>(item.end.seconds & 1) + item.isEvent;
    return sum == static_cast<std::size_t>(-1) ? 1 : 0;
}
