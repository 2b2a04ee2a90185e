#include "info/InfoSources.h"

#include "platform/afx/StringTable.h"
#include "platform/base/Clock.h"
#include "platform/base/Format.h"
#include "platform/base/Text.h"
#include "platform/kernel/LocalTime.h"
#include "platform/kernel/Locale.h"
#include "platform/kernel/Memory.h"
#include "platform/kernel/Power.h"
#include "platform/kernel/Store.h"

using zorun::Format;

namespace {

constexpr UINT kCalendarErrorId = 65021;
constexpr UINT kTaskErrorId = 65024;

std::u16string ErrorText(UINT id) {
    std::u16string text = LoadStringW(id);
    // A build whose table lacks the text still says what went wrong.
    if (text.empty())
        text = id == kCalendarErrorId ? u"Calendar Setting Error" : u"Task Setting Error";
    return text;
}

constexpr double kBytesToMegabytes = 9.5367431640625e-07; // 1 / 1,048,576

std::u16string LocaleText(LCTYPE type) {
    // The size query comes first as on the device; its answer is not needed
    // with a buffer of this size.
    (void)GetLocaleInfoW(LOCALE_SYSTEM_DEFAULT, type, nullptr, 0);
    char16_t buffer[256] = {};
    if (GetLocaleInfoW(LOCALE_SYSTEM_DEFAULT, type, buffer, 256) == 0)
        buffer[0] = 0;
    return std::u16string(buffer, zorun::BoundedLength(buffer, 256));
}

} // namespace

bool InfoSources::ReadInboxCounts(int& unread, int& total) {
    unread = 0;
    total = 0;
    const auto counts = messages_.ReadInbox();
    if (!counts)
        return false;
    unread = counts->unread;
    total = counts->total;
    return true;
}

std::u16string InfoSources::ReadCalendarText() {
    const auto counts = organiser_.CountAppointments(zorun::CurrentClock().WallTimeMs());
    if (!counts)
        return ErrorText(kCalendarErrorId);
    return Format(u"%i / %i", counts->notEnded, counts->total);
}

std::u16string InfoSources::ReadTaskText() {
    const auto count = organiser_.CountTasks();
    if (!count)
        return ErrorText(kTaskErrorId);
    return Format(u"%i", *count);
}

std::u16string InfoSources::BatteryText(int percent) {
    int p = percent;
    if (p > 5)
        p = (p / 5) * 5;
    if (p < 1)
        p = 1;
    return Format(u"%d%%", p);
}

std::u16string InfoSources::ReadBatteryText(const std::u16string& current) {
    SYSTEM_POWER_STATUS_EX2 status{};
    if (GetSystemPowerStatusEx2(&status, sizeof status, TRUE) == 0 ||
        status.BatteryLifePercent == BATTERY_PERCENTAGE_UNKNOWN)
        return current;
    return BatteryText(status.BatteryLifePercent);
}

bool InfoSources::IsErrorText(const std::u16string& text) {
    return text == ErrorText(kCalendarErrorId) || text == ErrorText(kTaskErrorId);
}

std::u16string InfoSources::SizeText(std::uint64_t bytes) {
    std::u16string text = Format(u"%3.1f", static_cast<double>(bytes) * kBytesToMegabytes);
    // Seven characters (99999.9) are as wide as a field holds.
    if (text.size() <= 7)
        return text;
    double size = static_cast<double>(bytes) / (1024.0 * 1024.0 * 1024.0);
    for (const char16_t unit : {u'G', u'T', u'P'}) {
        text = Format(u"%.1f", size);
        if (text.size() <= 5) // up to 999.9
            return text + unit;
        size /= 1024.0;
    }
    return Format(u"%.1f", size) + u'E'; // 2^64 bytes are 16 EiB
}

std::u16string InfoSources::MemoryText(bool haveStore, std::uint64_t freeStoreBytes,
                                       std::uint64_t availPhysBytes) {
    // A store that cannot be queried shows a dash rather than a made-up 0.0.
    return (haveStore ? SizeText(freeStoreBytes) : u"-") + u"\n" + SizeText(availPhysBytes);
}

std::u16string InfoSources::ReadMemoryText() {
    MEMORYSTATUS memory{};
    memory.dwLength = sizeof memory;
    GlobalMemoryStatus(&memory);
    STORE_INFORMATION store{};
    const bool haveStore = GetStoreInformation(&store) != FALSE;
    return MemoryText(haveStore, store.dwFreeSize, memory.dwAvailPhys);
}

std::u16string InfoSources::DateText(int day, int month, int year) {
    const auto twoDigits = [](int v) { return Format(v < 10 ? u"0%i" : u"%i", v); };
    return Format(u"%s/%s/%s", twoDigits(day), twoDigits(month), twoDigits(year % 100));
}

std::u16string InfoSources::ReadDateText() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return DateText(now.wDay, now.wMonth, now.wYear);
}

std::u16string InfoSources::CutName(const std::u16string& name) {
    if (name.size() <= 9)
        return name;
    std::size_t keep = 7;
    // Never keep half of a surrogate pair.
    if (name[keep - 1] >= 0xD800 && name[keep - 1] <= 0xDBFF)
        --keep;
    return name.substr(0, keep) + u"...";
}

std::u16string InfoSources::ReadRegionText() {
    const std::u16string language = CutName(LocaleText(LOCALE_SLANGUAGE));
    const std::u16string country = CutName(LocaleText(LOCALE_SCOUNTRY));
    return Format(u"%s\n%s", language, country);
}

void InfoSources::ReadAll(InfoTexts& texts) {
    int unread = 0, total = 0;
    if (ReadInboxCounts(unread, total))
        texts.inbox = Format(u"%d / %d", unread, total);
    texts.calendar = ReadCalendarText();
    texts.tasks = ReadTaskText();
    texts.battery = ReadBatteryText(texts.battery);
    texts.memory = ReadMemoryText();
    texts.date = ReadDateText();
    texts.region = ReadRegionText();
}
