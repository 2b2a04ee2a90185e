#pragma once
// The seven texts of the information panel, in field order.

#include <string>

struct InfoTexts {
    std::u16string inbox;    // "unread / total"
    std::u16string calendar; // "not ended / all", or the calendar error text
    std::u16string tasks;    // task count, or the task error text
    std::u16string memory;   // free store over free program memory, megabytes
    std::u16string battery;  // "45%"
    std::u16string date;     // dd/mm/yy
    std::u16string region;   // language over country

    friend bool operator==(const InfoTexts&, const InfoTexts&) = default;
};
