#pragma once
// The seven sources of the information panel. Each reads the device afresh
// (the providers may keep an index checked against the files) and returns
// promptly; none shows anything to the user.

#include <cstdint>
#include <string>

#include "info/InfoTexts.h"
#include "platform/pim/MessageStore.h"
#include "platform/pim/Organiser.h"

class InfoSources {
  public:
    // Unread and total messages of the inbox; false (both 0) when there is no inbox.
    [[nodiscard]] bool ReadInboxCounts(int& unread, int& total);
    // "%i / %i" of (appointments ending after now, all), or "Calendar Setting Error".
    [[nodiscard]] std::u16string ReadCalendarText();
    // "%i" of all tasks, or "Task Setting Error".
    [[nodiscard]] std::u16string ReadTaskText();
    // "%d%%" of the charge, rounded down to a multiple of 5 above 5 and at
    // least 1; `current` when the charge is unknown or unavailable.
    [[nodiscard]] std::u16string ReadBatteryText(const std::u16string& current);
    // Free store over free program memory in megabytes, one decimal each.
    [[nodiscard]] std::u16string ReadMemoryText();
    // The local date as dd/mm/yy.
    [[nodiscard]] std::u16string ReadDateText();
    // The locale's language over its country, each cut to 10 characters.
    [[nodiscard]] std::u16string ReadRegionText();

    // All seven, in field order, into `texts`; the inbox text is kept when
    // the inbox cannot be read.
    void ReadAll(InfoTexts& texts);

    // The conversions, for the tests and the fuzzer.
    [[nodiscard]] static std::u16string BatteryText(int percent);
    [[nodiscard]] static std::u16string MemoryText(bool haveStore, std::uint64_t freeStoreBytes,
                                                   std::uint64_t availPhysBytes);
    [[nodiscard]] static std::u16string CutName(const std::u16string& name);
    [[nodiscard]] static std::u16string DateText(int day, int month, int year);

  private:
    zorun::MessageStore messages_;
    zorun::Organiser organiser_;
};
