// The alarm editing dialog: shows one record of the working copy at a time.
// Every decision is AlarmEditor's; this file moves texts between the controls
// and the form, paints the labels and runs the voice file dialog.
#include "alarm/win32/alarm_dialog.h"

#include <cstdio>
#include <string>

#include "alarm/alarm_editor.h"
#include "alarm/win32/alarm_objects.h"
#include "alarm/win32/alarm_service.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/text.h"
#include "render/clock_state.h"
#include "resources/resource_ids.h"
#include "ui/win32/dialog_paint.h"
#include "ui/win32/file_dialog.h"
#include "ui/win32/japanese_font.h"
#include "ui/win32/program_state.h"
#include "ui/win32/window_drag.h"

namespace {

constexpr int kApply = IDC_ALARM_APPLY;
constexpr int kCancel = IDC_ALARM_CANCEL;
constexpr int kBack = IDC_ALARM_BACK;
constexpr int kNext = IDC_ALARM_NEXT;
constexpr int kAdd = IDC_ALARM_ADD;
constexpr int kDelete = IDC_ALARM_DELETE;
constexpr int kTitle = IDC_ALARM_TITLE;
constexpr int kOk = IDC_ALARM_OK;
constexpr int kMessage = IDC_ALARM_MESSAGE;
constexpr int kBrowse = IDC_ALARM_BROWSE;
constexpr int kVoice = IDC_ALARM_VOICE;
constexpr int kWeekday = IDC_ALARM_WEEKDAY;
constexpr int kHour = IDC_ALARM_HOUR;
constexpr int kSwitch = IDC_ALARM_SWITCH;
constexpr int kMinute = IDC_ALARM_MINUTE;
constexpr int kSecond = IDC_ALARM_SECOND;

AlarmEditor& Editor() {
  static AlarmEditor editor(alarmList);
  return editor;
}

// The painted word "switch" toggles the check box; elsewhere a press drags.
// Both in layout pixels.
bool InSwitchLabel(POINT at) { return at.x >= 30 && at.x <= 67 && at.y >= 27 && at.y <= 38; }

const RECT kCounterArea{10, 8, 95, 23};

// The alarms keep their texts in code page 932, which would turn these into '?'.
constexpr char kUnusableCharacterText[] =
    "使用できない文字が含まれています.\n他の文字に変えて下さい.";
constexpr char kUnusableNameText[] =
    "ファイル名かフォルダ名に使用できない文字が含まれています.\n他のファイルを選んで下さい.";

std::wstring WideEditText(HWND dialog, int id) {
  HWND edit = GetDlgItem(dialog, id);
  const int length = GetWindowTextLengthW(edit);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(edit, &text[0], length + 1);
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return text;
}

std::string EditText(HWND dialog, int id) {
  return platform::Cp932FromWide(WideEditText(dialog, id));
}

// True when every text field can be stored as typed; otherwise one beep and
// one message, and the caller stores nothing (the form stays as typed).
bool FieldsCanBeStored(HWND dialog) {
  for (const int id : {kTitle, kMessage, kVoice}) {
    if (!platform::Cp932CanHold(WideEditText(dialog, id))) {
      MessageBeep(MB_ICONWARNING);
      platform::ShowMessage(dialog, kUnusableCharacterText, platform::kCaption,
                            platform::MessageKind::Plain);
      SetFocus(GetDlgItem(dialog, id));
      return false;
    }
  }
  return true;
}

std::string SelectedItem(HWND dialog, int id) {
  const LRESULT index = SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0);
  if (index == CB_ERR) return std::string();
  const LRESULT length = SendDlgItemMessageW(dialog, id, CB_GETLBTEXTLEN, index, 0);
  if (length == CB_ERR) return std::string();
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  SendDlgItemMessageW(dialog, id, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(&text[0]));
  text.resize(static_cast<std::size_t>(length));
  return platform::Cp932FromWide(text);
}

void SelectItem(HWND dialog, int id, const std::string& text) {
  const std::wstring wide = platform::WideFromCp932(text);
  const LRESULT index =
      SendDlgItemMessageW(dialog, id, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                          reinterpret_cast<LPARAM>(wide.c_str()));
  SendDlgItemMessageW(dialog, id, CB_SETCURSEL, index == CB_ERR ? 0 : index, 0);
}

void FillList(HWND dialog, int id, int count) {
  SendDlgItemMessageW(dialog, id, CB_RESETCONTENT, 0, 0);
  for (int i = 0; i < count; ++i) {
    wchar_t text[8];
    std::swprintf(text, 8, L"%02d", i);
    SendDlgItemMessageW(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  }
}

void FillLists(HWND dialog) {
  FillList(dialog, kHour, 24);
  FillList(dialog, kMinute, 60);
  FillList(dialog, kSecond, 60);
  SendDlgItemMessageW(dialog, kWeekday, CB_RESETCONTENT, 0, 0);
  for (const char* item : kWeekdayItems) {
    const std::wstring wide = platform::WideFromCp932(item);
    SendDlgItemMessageW(dialog, kWeekday, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
  }
}

AlarmForm ReadForm(HWND dialog) {
  AlarmForm form;
  form.switchOn = IsDlgButtonChecked(dialog, kSwitch) == BST_CHECKED;
  form.hour = SelectedItem(dialog, kHour);
  form.minute = SelectedItem(dialog, kMinute);
  form.second = SelectedItem(dialog, kSecond);
  form.weekday = SelectedItem(dialog, kWeekday);
  form.title = EditText(dialog, kTitle);
  form.message = EditText(dialog, kMessage);
  form.voice = EditText(dialog, kVoice);
  return form;
}

void ShowForm(HWND dialog, const AlarmForm& form) {
  CheckDlgButton(dialog, kSwitch, form.switchOn ? BST_CHECKED : BST_UNCHECKED);
  SelectItem(dialog, kHour, form.hour);
  SelectItem(dialog, kMinute, form.minute);
  SelectItem(dialog, kSecond, form.second);
  SelectItem(dialog, kWeekday, form.weekday);
  SetDlgItemTextW(dialog, kTitle, platform::WideFromCp932(form.title).c_str());
  SetDlgItemTextW(dialog, kMessage, platform::WideFromCp932(form.message).c_str());
  SetDlgItemTextW(dialog, kVoice, platform::WideFromCp932(form.voice).c_str());
}

// After a command that changes the shown record: a fresh counter, the record.
void Refresh(HWND dialog) {
  const RECT counterArea = WindowRect(dialog, kCounterArea);
  InvalidateRect(dialog, &counterArea, TRUE);
  ShowForm(dialog, Editor().Shown());
}

struct Label {
  const char* text;  // nullptr: the counter
  RECT box;          // right or bottom below 0: measured from the client's edge
  UINT format;
  int height;
  int weight;
  int underline;
  int italic;
  int colour;
};

void PaintLabels(HWND dialog) {
  const RECT client = LayoutClient(dialog);
  const LONG R = client.right;
  const LONG B = client.bottom;
  const UINT line = DT_SINGLELINE;
  const Label labels[] = {
      {nullptr, {10, 8, 95, 23}, line, 12, 600, 1, 0, COLOR_BTNTEXT},
      {"switch", {34, 26, 98, 41}, line, 12, 0, 0, 0, COLOR_BTNTEXT},
      {"Title", {10, 50, 65, 65}, line | DT_RIGHT, 12, 0, 0, 0, COLOR_BTNTEXT},
      {"Time", {10, 85, 65, 100}, line | DT_RIGHT, 12, 0, 0, 0, COLOR_BTNTEXT},
      {"Message", {10, 112, 65, 127}, line | DT_RIGHT, 12, 0, 0, 0, COLOR_BTNTEXT},
      {"Voice", {10, 141, 65, 156}, line | DT_RIGHT, 12, 0, 0, 0, COLOR_BTNTEXT},
      {"Hour", {75, 70, R - 10, 85}, line, 11, 0, 0, 0, COLOR_BTNTEXT},
      {"Min", {117, 70, R - 10, 85}, line, 11, 0, 0, 0, COLOR_BTNTEXT},
      {"Sec", {160, 70, R - 10, 85}, line, 11, 0, 0, 0, COLOR_BTNTEXT},
      {"Week", {204, 70, R - 10, 85}, line, 11, 0, 0, 0, COLOR_BTNTEXT},
      {"AlarmData Edit", {10, B - 20, R - 10, B - 2}, DT_BOTTOM, 16, 700, 1, 1,
       COLOR_BTNHIGHLIGHT},
  };
  const std::string counter = Editor().Counter();
  for (const Label& label : labels) {
    DrawDialogText(dialog, label.box, label.format, label.height, label.weight, label.underline,
                   label.italic, GetSysColor(label.colour),
                   0, label.text ? label.text : counter.c_str());
  }
}

// The voice file dialog; true with the chosen path in the voice edit.
bool ChooseVoiceFile(HWND dialog) {
  OpenFileRequest request;
  request.owner = dialog;
  request.filter = FilterList({"主な形式(*.avi;*.mp3;*.mid;*.mpg;*.wav)",
                               "*.avi;*.mp3;*.mid;*.mpg;*.wav", "avi(*.avi)", "*.avi",
                               "mp3(*.mp3)", "*.mp3", "mid(*.mid)", "*.mid", "mpg(*.mpg)", "*.mpg",
                               "wav(*.wav)", "*.wav", "すべてのファイル(*.*)", "*.*"});
  request.filterIndex = 1;
  request.folder = platform::WideFromUtf8(clockState.programDirectory);
  request.title = platform::WideFromCp932("ファイルを選んで下さい");
  std::wstring file;
  if (!ShowOpenFileDialog(request, file)) return false;
  // The alarm keeps its path in code page 932; a name that does not survive
  // the conversion could never be opened again.
  if (!platform::Cp932CanHold(file)) {
    MessageBeep(MB_ICONWARNING);
    platform::ShowMessage(dialog, kUnusableNameText, platform::kCaption,
                          platform::MessageKind::Plain);
    return false;
  }
  if (!platform::PathFits(platform::Utf8FromWide(file).c_str())) {
    MessageBeep(MB_ICONWARNING);
    return false;
  }
  SetDlgItemTextW(dialog, kVoice, file.c_str());
  return true;
}

void Close(HWND dialog, int result) {
  EndDialog(dialog, result);
  busy = false;
}

bool Stores(int id) { return id == kBack || id == kNext || id == kAdd || id == kApply || id == kOk; }

void Command(HWND dialog, int id) {
  AlarmEditor& editor = Editor();
  if (Stores(id) && !FieldsCanBeStored(dialog)) return;
  switch (id) {
    case kBack:
      if (editor.Back(ReadForm(dialog))) Refresh(dialog);
      break;
    case kNext:
      if (editor.Next(ReadForm(dialog))) Refresh(dialog);
      break;
    case kAdd:
      editor.Add(ReadForm(dialog));
      Refresh(dialog);
      break;
    case kDelete:
      if (editor.Delete()) Refresh(dialog);
      break;
    case kApply:
      editor.Apply(ReadForm(dialog));
      SaveAlarmList();  // what the user confirmed survives a crash
      Refresh(dialog);
      break;
    case kOk:
      editor.Ok(ReadForm(dialog));
      SaveAlarmList();
      Close(dialog, kOk);
      break;
    case kCancel:
      Close(dialog, kCancel);
      editor.Cancel();
      break;
    case kBrowse:
      ChooseVoiceFile(dialog);
      break;
    default:
      break;  // Enter and Esc do nothing
  }
}

INT_PTR CALLBACK AlarmDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      busy = true;
      FillLists(dialog);
      Editor().Open();
      ShowForm(dialog, Editor().Shown());
      UpdateWindow(dialog);
      break;
    case WM_PAINT:
      PaintGradient(dialog, GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNHIGHLIGHT));
      PaintLabels(dialog);
      break;
    case WM_DPICHANGED:
      RepaintAtNewDpi(dialog);
      break;
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED) Command(dialog, LOWORD(wParam));
      break;
    case WM_LBUTTONDOWN:
      if (!InSwitchLabel(LayoutPoint(dialog, lParam))) DragWindow(dialog);
      break;
    case WM_LBUTTONUP:
      if (InSwitchLabel(LayoutPoint(dialog, lParam))) {
        const bool on = IsDlgButtonChecked(dialog, kSwitch) == BST_CHECKED;
        CheckDlgButton(dialog, kSwitch, on ? BST_UNCHECKED : BST_CHECKED);
      }
      break;
    default:
      break;
  }
  return FALSE;
}

}  // namespace

void ShowAlarmDialog(HWND owner) {
  if (!OwnsAlarms()) {
    platform::ShowMessage(owner, "アラームは他の時計が管理しています.", platform::kCaption,
                          platform::MessageKind::Information);
    return;
  }
  if (!AlarmListAvailable()) {
    platform::ShowMessage(owner,
                          "設定ファイルを読み込めないため, アラームは使用できません.\n"
                          "ファイルを使用中のプログラムを終了してから, もう一度お試しください.",
                          platform::kCaption, platform::MessageKind::Warning);
    return;
  }
  JapaneseDialogBox(instance, IDD_ALARM_EDITOR, owner, AlarmDlgProc, 0);
}
