// What the alarm editing dialog does, without the dialog: which record is
// shown, what the form holds for it, how the form goes back into the working
// copy, and what each button does. The dialog only moves texts between its
// controls and an AlarmForm.
#pragma once
#include <string>

class AlarmList;

// The weekday list's items, in their order: "everyday", then "Sunday" ..
// "Saturday". Record weekday 7 is "everyday", 0..6 the days.
extern const char* const kWeekdayItems[8];
const char* WeekdayItemText(int weekday);

// The form as the dialog shows it; the list fields hold the selected items'
// texts ("00".."23", "00".."59", a weekday item).
struct AlarmForm {
  bool switchOn = false;
  std::string hour = "00";
  std::string minute = "00";
  std::string second = "00";
  std::string weekday = "everyday";
  std::string title;
  std::string message;
  std::string voice;
};

// "Tue070500", or "070500" for "everyday".
std::string FormTimeKey(const AlarmForm& form);

class AlarmEditor {
 public:
  explicit AlarmEditor(AlarmList& list) : list_(list) {}

  // Opening: the first record of a fresh working copy.
  void Open();

  // The form for the shown record (the defaults when the copy is empty).
  AlarmForm Shown() const;
  // ">> No Data. ", "No. 002/005" or "No. 100 (Max)".
  std::string Counter() const;
  int Current() const { return current_; }

  // Buttons; `form` is what the dialog holds when it is pressed. Back, Next
  // and Delete do nothing on an empty copy and then return false: the form
  // keeps what the user typed.
  bool Back(const AlarmForm& form);
  bool Next(const AlarmForm& form);
  void Add(const AlarmForm& form);
  bool Delete();
  void Apply(const AlarmForm& form);
  void Ok(const AlarmForm& form);
  void Cancel();

 private:
  // The form into the shown record; on an empty copy only when it differs from
  // the defaults or is switched on.
  void Store(const AlarmForm& form);

  AlarmList& list_;
  int current_ = 0;
};
