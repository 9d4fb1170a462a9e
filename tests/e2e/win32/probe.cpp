// A small console tool the Wine scenarios use to look at and drive the clock's
// windows from outside. Run with wine in the program's prefix; one command per
// run (or many: serve); answers are tab-separated lines on standard output,
// texts in UTF-8 with backslash, tab and line breaks escaped. Exit code 0 on
// success, 1 when a wait times out or a window or control is not found, 2 for
// bad arguments.
//
//   find CLASS TITLE              every top-level window ("-" matches anything)
//   wait CLASS TITLE MS           the first visible match, polling up to MS
//   gone HWND MS                  waits until the window no longer exists
//   dialog MS [TITLE]             a visible dialog (#32770): its title, static
//                                 texts and buttons
//   click HWND BUTTON             BM_CLICK on a button given by id or text,
//                                 answered once the click is handled
//   key HWND VK                   posts WM_KEYDOWN + WM_KEYUP
//   command HWND ID               posts WM_COMMAND
//   close HWND                    posts WM_CLOSE
//   rect HWND                     the window's screen rectangle
//   exstyle HWND                  the extended style (hex) and the layered
//                                 alpha, "-" when the window has none
//   style HWND ID                 the style (hex) of a dialog's control
//   windowat X Y                  the top-level window WindowFromPoint finds
//   post HWND MSG WPARAM LPARAM   posts any message (e.g. a tray icon's click)
//   backdrop X Y W H MS           shows a plain window "beneath" for MS ms
//   text HWND [ID]                WM_GETTEXT of the window or of a child
//   settext HWND ID TEXT          WM_SETTEXT of a child (e.g. a file name box)
//   select HWND ID INDEX          CB_SETCURSEL on a child combo box
//   pixel X Y                     the screen colour as RRGGBB
//   workarea                      the primary work area
//   localtime                     time() and its localtime() fields, as the
//                                 clock reads them: seconds Y M D h m s
//   serve                         runs commands read from standard input,
//                                 one a line, arguments tab-separated and
//                                 escaped as the answers are; after each
//                                 answer a line "\x1e" and the exit code
//                                 (a Wine start per command costs more than
//                                 most scenarios' own work)
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

namespace {

constexpr DWORD kPollMs = 50;

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                    nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], n, nullptr,
                      nullptr);
  return out;
}

std::string Escaped(const std::wstring& text) {
  std::string out;
  for (char c : Utf8(text)) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default: out += c; break;
    }
  }
  return out;
}

void Line(const std::string& text) {
  const std::string line = text + "\n";
  fwrite(line.data(), 1, line.size(), stdout);
  fflush(stdout);
}

std::string Number(unsigned long long value) { return std::to_string(value); }
std::string Handle(HWND window) { return Number(reinterpret_cast<uintptr_t>(window)); }

HWND ParseHandle(const wchar_t* text) {
  return reinterpret_cast<HWND>(static_cast<uintptr_t>(wcstoull(text, nullptr, 0)));
}

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = L"";
  GetClassNameW(window, name, 256);
  return name;
}

// WM_GETTEXT with a timeout, so a hung program cannot hang the probe.
std::wstring TextOf(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) {
    return {};
  }
  std::vector<wchar_t> buffer(length + 1, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()),
                      SMTO_ABORTIFHUNG, 5000, &copied);
  return std::wstring(buffer.data());
}

bool Matches(const std::wstring& pattern, const std::wstring& value) {
  return pattern == L"-" || pattern == value;
}

struct Search {
  std::wstring className;
  std::wstring title;
  bool visibleOnly;
  std::vector<HWND> found;
};

BOOL CALLBACK Collect(HWND window, LPARAM data) {
  Search& search = *reinterpret_cast<Search*>(data);
  if (search.visibleOnly && !IsWindowVisible(window)) return TRUE;
  if (Matches(search.className, ClassOf(window)) && Matches(search.title, TextOf(window))) {
    search.found.push_back(window);
  }
  return TRUE;
}

std::vector<HWND> FindWindows(const std::wstring& className, const std::wstring& title,
                              bool visibleOnly) {
  Search search{className, title, visibleOnly, {}};
  EnumWindows(Collect, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void PrintWindow(HWND window) {
  Line("window\t" + Handle(window) + "\t" + (IsWindowVisible(window) ? "1" : "0") + "\t" +
       Escaped(ClassOf(window)) + "\t" + Escaped(TextOf(window)));
}

HWND WaitFor(const std::wstring& className, const std::wstring& title, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    const std::vector<HWND> found = FindWindows(className, title, true);
    if (!found.empty()) return found.front();
    if (GetTickCount() - start >= timeoutMs) return nullptr;
    Sleep(kPollMs);
  }
}

BOOL CALLBACK PrintChild(HWND child, LPARAM parent) {
  if (GetParent(child) != reinterpret_cast<HWND>(parent)) return TRUE;
  const std::wstring cls = ClassOf(child);
  const int id = GetDlgCtrlID(child) & 0xFFFF;
  std::string kind = "control";
  if (_wcsicmp(cls.c_str(), L"Static") == 0) kind = "static";
  if (_wcsicmp(cls.c_str(), L"Button") == 0) kind = "button";
  if (_wcsicmp(cls.c_str(), L"Edit") == 0) kind = "edit";
  Line(kind + "\t" + Number(static_cast<unsigned>(id)) + "\t" + Escaped(TextOf(child)) + "\t" +
       (IsWindowEnabled(child) ? "1" : "0"));
  if (kind == "static" && id == 0xFFFF) Line("text\t" + Escaped(TextOf(child)));
  return TRUE;
}

std::wstring WithoutAmpersands(const std::wstring& text) {
  std::wstring out;
  for (wchar_t c : text) {
    if (c != L'&') out += c;
  }
  return out;
}

struct ButtonSearch {
  std::wstring wanted;
  HWND found;
};

BOOL CALLBACK FindButton(HWND child, LPARAM data) {
  ButtonSearch& search = *reinterpret_cast<ButtonSearch*>(data);
  if (_wcsicmp(ClassOf(child).c_str(), L"Button") != 0) return TRUE;
  if (WithoutAmpersands(TextOf(child)) == WithoutAmpersands(search.wanted)) {
    search.found = child;
    return FALSE;
  }
  return TRUE;
}

// A dialog's visible controls: their ids and screen rectangles.
BOOL CALLBACK PrintControlRect(HWND child, LPARAM parent) {
  if (GetParent(child) != reinterpret_cast<HWND>(parent) || !IsWindowVisible(child)) return TRUE;
  RECT r{};
  GetWindowRect(child, &r);
  Line("control\t" + std::to_string(GetDlgCtrlID(child)) + "\t" + std::to_string(r.left) + "\t" +
       std::to_string(r.top) + "\t" + std::to_string(r.right) + "\t" + std::to_string(r.bottom));
  return TRUE;
}

BOOL CALLBACK HideChild(HWND child, LPARAM parent) {
  if (GetParent(child) == reinterpret_cast<HWND>(parent)) ShowWindow(child, SW_HIDE);
  return TRUE;
}

HWND Button(HWND dialog, const wchar_t* which) {
  wchar_t* end = nullptr;
  const long id = wcstol(which, &end, 0);
  if (end != which && *end == L'\0') return GetDlgItem(dialog, static_cast<int>(id));
  ButtonSearch search{which, nullptr};
  EnumChildWindows(dialog, FindButton, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// A plain window for others to be above; it answers clicks as any would.
int ShowBackdrop(int x, int y, int width, int height, DWORD lifetimeMs) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
  windowClass.lpszClassName = L"HoraluneBackdrop";
  RegisterClassW(&windowClass);
  HWND window = CreateWindowExW(0, L"HoraluneBackdrop", L"beneath", WS_POPUP | WS_VISIBLE, x, y,
                                width, height, nullptr, nullptr, windowClass.hInstance, nullptr);
  if (window == nullptr) return 1;
  PrintWindow(window);
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < lifetimeMs) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    Sleep(kPollMs);
  }
  DestroyWindow(window);
  return 0;
}

int Usage() {
  Line("usage: probe find|wait|gone|dialog|click|key|command|close|controls|hidecontrols|rect|exstyle|windowat|post|backdrop|text|settext|pixel|workarea|localtime ...");
  return 2;
}

int Run(int argc, wchar_t** argv) {
  if (argc < 2) return Usage();
  const std::wstring command = argv[1];
  if (command == L"find" && argc == 4) {
    for (HWND w : FindWindows(argv[2], argv[3], false)) PrintWindow(w);
    return 0;
  }
  if (command == L"wait" && argc == 5) {
    HWND w = WaitFor(argv[2], argv[3], wcstoul(argv[4], nullptr, 10));
    if (w == nullptr) {
      Line("timeout");
      return 1;
    }
    PrintWindow(w);
    return 0;
  }
  if (command == L"gone" && argc == 4) {
    HWND w = ParseHandle(argv[2]);
    const DWORD timeoutMs = wcstoul(argv[3], nullptr, 10);
    const DWORD start = GetTickCount();
    while (IsWindow(w)) {
      if (GetTickCount() - start >= timeoutMs) {
        Line("timeout");
        return 1;
      }
      Sleep(kPollMs);
    }
    Line("gone");
    return 0;
  }
  if (command == L"dialog" && (argc == 3 || argc == 4)) {
    HWND w = WaitFor(L"#32770", argc == 4 ? argv[3] : L"-", wcstoul(argv[2], nullptr, 10));
    if (w == nullptr) {
      Line("timeout");
      return 1;
    }
    Line("dialog\t" + Handle(w) + "\t" + Escaped(TextOf(w)));
    EnumChildWindows(w, PrintChild, reinterpret_cast<LPARAM>(w));
    return 0;
  }
  if (command == L"click" && argc == 4) {
    HWND button = Button(ParseHandle(argv[2]), argv[3]);
    if (button == nullptr) {
      Line("no such button");
      return 1;
    }
    // Sent, so that what the click does has been done when the answer comes
    // (a scenario reads the window next); a click that opens a modal window
    // is left running in it after a second.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_NORMAL, 1000, &ignored);
    Line("clicked\t" + Handle(button));
    return 0;
  }
  if (command == L"key" && argc == 4) {
    HWND w = ParseHandle(argv[2]);
    const WPARAM key = wcstoul(argv[3], nullptr, 0);
    PostMessageW(w, WM_KEYDOWN, key, 1);
    PostMessageW(w, WM_KEYUP, key, 0xC0000001);
    Line("posted");
    return 0;
  }
  if (command == L"command" && argc == 4) {
    PostMessageW(ParseHandle(argv[2]), WM_COMMAND, wcstoul(argv[3], nullptr, 0), 0);
    Line("posted");
    return 0;
  }
  if (command == L"close" && argc == 3) {
    PostMessageW(ParseHandle(argv[2]), WM_CLOSE, 0, 0);
    Line("posted");
    return 0;
  }
  if (command == L"controls" && argc == 3) {
    HWND dialog = ParseHandle(argv[2]);
    EnumChildWindows(dialog, PrintControlRect, reinterpret_cast<LPARAM>(dialog));
    return 0;
  }
  // Hides the controls and repaints the dialog, so that everything it paints
  // itself shows, even what a control would cover.
  if (command == L"hidecontrols" && argc == 3) {
    HWND dialog = ParseHandle(argv[2]);
    EnumChildWindows(dialog, HideChild, reinterpret_cast<LPARAM>(dialog));
    InvalidateRect(dialog, nullptr, TRUE);
    Line("hidden");
    return 0;
  }
  if (command == L"rect" && argc == 3) {
    RECT r{};
    if (!GetWindowRect(ParseHandle(argv[2]), &r)) {
      Line("no such window");
      return 1;
    }
    Line("rect\t" + std::to_string(r.left) + "\t" + std::to_string(r.top) + "\t" +
         std::to_string(r.right) + "\t" + std::to_string(r.bottom));
    return 0;
  }
  if (command == L"exstyle" && argc == 3) {
    HWND w = ParseHandle(argv[2]);
    if (!IsWindow(w)) {
      Line("no such window");
      return 1;
    }
    char style[16];
    std::snprintf(style, sizeof style, "%08lX",
                  static_cast<unsigned long>(GetWindowLongW(w, GWL_EXSTYLE)));
    BYTE alpha = 0;
    DWORD flags = 0;
    const bool layered = GetLayeredWindowAttributes(w, nullptr, &alpha, &flags) && (flags & LWA_ALPHA);
    Line(std::string("exstyle\t") + style + "\t" + (layered ? Number(alpha) : "-"));
    return 0;
  }
  if (command == L"style" && argc == 4) {
    HWND w = GetDlgItem(ParseHandle(argv[2]), static_cast<int>(wcstol(argv[3], nullptr, 0)));
    if (w == nullptr) {
      Line("no such control");
      return 1;
    }
    char style[16];
    std::snprintf(style, sizeof style, "%08lX", static_cast<unsigned long>(GetWindowLongW(w, GWL_STYLE)));
    Line(std::string("style\t") + style);
    return 0;
  }
  if (command == L"windowat" && argc == 4) {
    const POINT p{_wtoi(argv[2]), _wtoi(argv[3])};
    HWND w = WindowFromPoint(p);
    if (w != nullptr) w = GetAncestor(w, GA_ROOT);
    if (w == nullptr) {
      Line("none");
      return 1;
    }
    PrintWindow(w);
    return 0;
  }
  if (command == L"post" && argc == 6) {
    PostMessageW(ParseHandle(argv[2]), wcstoul(argv[3], nullptr, 0), wcstoull(argv[4], nullptr, 0),
                 static_cast<LPARAM>(wcstoll(argv[5], nullptr, 0)));
    Line("posted");
    return 0;
  }
  if (command == L"backdrop" && argc == 7) {
    return ShowBackdrop(_wtoi(argv[2]), _wtoi(argv[3]), _wtoi(argv[4]), _wtoi(argv[5]),
                        wcstoul(argv[6], nullptr, 10));
  }
  if (command == L"text" && (argc == 3 || argc == 4)) {
    HWND w = ParseHandle(argv[2]);
    if (argc == 4) w = GetDlgItem(w, static_cast<int>(wcstol(argv[3], nullptr, 0)));
    if (w == nullptr || !IsWindow(w)) {
      Line("no such window");
      return 1;
    }
    Line("text\t" + Escaped(TextOf(w)));
    return 0;
  }
  if ((command == L"settext" || command == L"select") && argc == 5) {
    // settext HWND ID TEXT: WM_SETTEXT on a child; select HWND ID INDEX: a
    // combo box's item by position (CB_SETCURSEL).
    HWND w = GetDlgItem(ParseHandle(argv[2]), static_cast<int>(wcstol(argv[3], nullptr, 0)));
    if (w == nullptr) {
      Line("no such window");
      return 1;
    }
    DWORD_PTR result = 0;
    const bool text = command == L"settext";
    SendMessageTimeoutW(w, text ? WM_SETTEXT : CB_SETCURSEL,
                        text ? 0 : wcstoul(argv[4], nullptr, 0),
                        text ? reinterpret_cast<LPARAM>(argv[4]) : 0, SMTO_ABORTIFHUNG, 5000,
                        &result);
    Line("set");
    return 0;
  }
  if (command == L"pixel" && argc == 4) {
    HDC screen = GetDC(nullptr);
    const COLORREF c = GetPixel(screen, _wtoi(argv[2]), _wtoi(argv[3]));
    ReleaseDC(nullptr, screen);
    char hex[16];
    std::snprintf(hex, sizeof hex, "%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
    Line(std::string("pixel\t") + hex);
    return 0;
  }
  if (command == L"localtime" && argc == 2) {
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    if (local == nullptr) return 1;
    Line("localtime\t" + std::to_string(static_cast<long long>(now)) + "\t" +
         std::to_string(local->tm_year + 1900) + "\t" + std::to_string(local->tm_mon + 1) + "\t" +
         std::to_string(local->tm_mday) + "\t" + std::to_string(local->tm_hour) + "\t" +
         std::to_string(local->tm_min) + "\t" + std::to_string(local->tm_sec));
    return 0;
  }
  if (command == L"workarea" && argc == 2) {
    RECT r{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
    Line("workarea\t" + std::to_string(r.left) + "\t" + std::to_string(r.top) + "\t" +
         std::to_string(r.right) + "\t" + std::to_string(r.bottom));
    return 0;
  }
  return Usage();
}

std::wstring Wide(const std::string& text) {
  if (text.empty()) return {};
  const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                    nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], n);
  return out;
}

// One command line of `serve`: tab-separated, with Escaped's escapes undone.
std::vector<std::wstring> Arguments(const std::string& line) {
  std::vector<std::wstring> out;
  std::string field;
  for (size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '\t') {
      out.push_back(Wide(field));
      field.clear();
    } else if (c == '\\' && i + 1 < line.size()) {
      const char next = line[++i];
      field += next == 'n' ? '\n' : next == 'r' ? '\r' : next == 't' ? '\t' : next;
    } else {
      field += c;
    }
  }
  out.push_back(Wide(field));
  return out;
}

int Serve() {
  std::string line;
  for (int c; (c = std::fgetc(stdin)) != EOF;) {
    if (c != '\n') {
      line += static_cast<char>(c);
      continue;
    }
    std::vector<std::wstring> arguments = Arguments(line);
    line.clear();
    std::vector<wchar_t*> argv{const_cast<wchar_t*>(L"probe")};
    for (std::wstring& a : arguments) argv.push_back(&a[0]);
    const int code = Run(static_cast<int>(argv.size()), argv.data());
    Line("\x1e" + std::to_string(code));
  }
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  _setmode(_fileno(stdout), _O_BINARY);  // no CR added to our line ends
  _setmode(_fileno(stdin), _O_BINARY);
  if (argc == 2 && std::wstring(argv[1]) == L"serve") return Serve();
  return Run(argc, argv);
}
