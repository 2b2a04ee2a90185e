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
    // Free store over free program memory, each in megabytes with one
    // decimal, or in a larger unit when that is too wide (SizeText).
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
    // Megabytes with one decimal ("12.4") up to 99999.9; a larger size in the
    // first binary unit that keeps it below 1000, with its letter ("312.5G",
    // "1.9T"), so that every figure fits its field.
    [[nodiscard]] static std::u16string SizeText(std::uint64_t bytes);
    // Whether `text` is the calendar's or the tasks' error text rather than a count.
    [[nodiscard]] static bool IsErrorText(const std::u16string& text);
    [[nodiscard]] static std::u16string CutName(const std::u16string& name);
    [[nodiscard]] static std::u16string DateText(int day, int month, int year);

  private:
    zorun::MessageStore messages_;
    zorun::Organiser organiser_;
};
