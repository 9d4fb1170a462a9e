#include "calendar/anniversary_store.h"

#include <new>

#include "calendar/japanese_holidays.h"
#include "platform/local_clock.h"
#include "platform/files.h"
#include "platform/profile.h"
#include "platform/text_encoding.h"

namespace {

const char kNoPlans[] = "予定はありません";
const char kBullet[] = "・";

}  // namespace

void EventSlot::Add(std::string_view event) {
  text.reserve(text.size() + sizeof kBullet + event.size() + 2);
  text += kBullet;
  text += event;
  text += "\r\n";
  holdsText = true;
  ++eventCount;
}

std::string_view EventSlot::Read() const {
  if (eventCount > 0) return text;
  return kNoPlans;
}

void EventSlot::Clear() {
  eventCount = 0;
  holdsText = false;
  std::string().swap(text);
}

AnniversaryStore::AnniversaryStore()
    : AnniversaryStore(platform::ProgramDirectory(), LocalYear()) {}

AnniversaryStore::AnniversaryStore(std::string folder, int year)
    : folder(std::move(folder)), year(year) {
  Load();
}

AnniversaryStore::~AnniversaryStore() = default;

void AnniversaryStore::Load() {
  if (folder.empty()) return;  // no program folder: nothing to read
  const std::string config = platform::SettingsFilePath(folder);
  // Only an explicit 0 hides them: a mistyped value keeps the default.
  holidaysShown = platform::ReadProfileString("Default", "Holidays", "1", config.c_str()) != "0";
  const std::string user =
      platform::ReadProfileString("Default", "UserAnniversaryFile", "<<<", config.c_str(), 260);
  if (user != "<<<" && user != "non") AddFile(platform::JoinPath(folder, user));
  AddFile(platform::JoinPath(folder, "Anniv.DAT"));
}

void AnniversaryStore::Reload() {
  for (EventSlot& slot : daySlots) slot.Clear();
  for (EventSlot& slot : weekdaySlots) slot.Clear();
  Load();
}

void AnniversaryStore::RefreshYear() { RefreshYear(LocalYear()); }

void AnniversaryStore::RefreshYear(int currentYear) {
  if (currentYear == year) return;
  year = currentYear;
  Reload();
}

std::string AnniversaryStore::DayText(int y, int m, int d) const {
  // A date that does not exist (or a weekday before 1582) has no slot.
  const int day = DaySlotIndex(static_cast<long>(m) * 100 + d);
  const int weekday = Weekday(y, m, d);
  const EventSlot* daySlot = day >= 0 ? &daySlots[day] : nullptr;
  const EventSlot* weekdaySlot = weekday >= 0 ? &weekdaySlots[weekday] : nullptr;
  const bool dayHas = daySlot && daySlot->eventCount > 0;
  const bool weekdayHas = weekdaySlot && weekdaySlot->eventCount > 0;
  std::string out;
  if (dayHas) out += daySlot->text;
  if (weekdayHas) out += weekdaySlot->text;
  if (!dayHas && !weekdayHas) out = kNoPlans;
  return out;
}

std::vector<std::string> AnniversaryStore::CalendarEvents(int y, int m, int d) const {
  std::vector<std::string> events;
  const std::string_view holiday =
      holidaysShown ? calendar::JapaneseHolidayName(y, m, d) : std::string_view();
  if (!holiday.empty()) events.emplace_back(holiday);
  const std::string text = DayText(y, m, d);
  if (text == kNoPlans) return events;
  // Event texts hold no line break, so the bullet lines split cleanly.
  const std::string_view bullet = kBullet;
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) end = text.size();
    std::string_view line(text.data() + start, end - start);
    if (line.substr(0, bullet.size()) == bullet) line.remove_prefix(bullet.size());
    if (line != holiday) events.emplace_back(line);
    start = end + 2;
  }
  return events;
}

std::string AnniversaryStore::CalendarText(int y, int m, int d) const {
  const std::vector<std::string> events = CalendarEvents(y, m, d);
  if (events.empty()) return kNoPlans;
  std::string text;
  for (const std::string& event : events) text += kBullet + event + "\r\n";
  return text;
}

void AnniversaryStore::AddText(std::string_view bytes) {
  calendar::ParseAnniversaryText(
      bytes, year, [this](calendar::SlotKind kind, int index, std::string_view text) {
        if (kind == calendar::SlotKind::Day) {
          daySlots[index].Add(text);
        } else {
          weekdaySlots[index].Add(text);
        }
      });
}

void AnniversaryStore::AddFile(const std::string& path) {
  // A file too large to hold adds what fitted; the calendar goes on. Files
  // saved as UTF-8 or UTF-16 list like their CP932 twins.
  try {
    std::string bytes;
    if (platform::ReadWholeFile(path.c_str(), bytes)) AddText(platform::DecodeText(bytes).text);
  } catch (const std::bad_alloc&) {
  }
}
