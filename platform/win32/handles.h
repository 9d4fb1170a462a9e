// Small move-only owners for Win32 handles: each closes its handle exactly
// once, on every path out of a function. Copying is forbidden, since two
// copies would close the same handle twice.
#pragma once
#include <windows.h>

#include <utility>

namespace win32 {

// Owns one handle; Close is the function that releases it.
template <typename Handle, typename Traits>
class Owned {
 public:
  Owned() = default;
  explicit Owned(Handle handle) : handle_(handle) {}
  ~Owned() { Reset(); }
  Owned(Owned&& other) noexcept : handle_(other.Release()) {}
  Owned& operator=(Owned&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;

  Handle Get() const { return handle_; }
  explicit operator bool() const { return Traits::IsValid(handle_); }
  Handle Release() { return std::exchange(handle_, Traits::Invalid()); }
  void Reset(Handle handle = Traits::Invalid()) {
    if (Traits::IsValid(handle_)) Traits::Close(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = Traits::Invalid();
};

template <typename Handle, BOOL(WINAPI* CloseFunction)(Handle)>
struct NullIsInvalid {
  static Handle Invalid() { return nullptr; }
  static bool IsValid(Handle handle) { return handle != nullptr; }
  static void Close(Handle handle) { CloseFunction(handle); }
};

// DeleteObject takes any GDI object; the owner keeps the precise type.
template <typename Gdi>
struct GdiTraits {
  static Gdi Invalid() { return nullptr; }
  static bool IsValid(Gdi handle) { return handle != nullptr; }
  static void Close(Gdi handle) { DeleteObject(handle); }
};

struct FileTraits {
  static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
  static bool IsValid(HANDLE handle) { return handle != INVALID_HANDLE_VALUE && handle != nullptr; }
  static void Close(HANDLE handle) { CloseHandle(handle); }
};

using Font = Owned<HFONT, GdiTraits<HFONT>>;
using Bitmap = Owned<HBITMAP, GdiTraits<HBITMAP>>;
using Brush = Owned<HBRUSH, GdiTraits<HBRUSH>>;
using Pen = Owned<HPEN, GdiTraits<HPEN>>;
using Region = Owned<HRGN, GdiTraits<HRGN>>;
using Icon = Owned<HICON, NullIsInvalid<HICON, DestroyIcon>>;
using Menu = Owned<HMENU, NullIsInvalid<HMENU, DestroyMenu>>;
using MemoryDC = Owned<HDC, NullIsInvalid<HDC, DeleteDC>>;
using File = Owned<HANDLE, FileTraits>;
using Mutex = Owned<HANDLE, NullIsInvalid<HANDLE, CloseHandle>>;
using Hook = Owned<HHOOK, NullIsInvalid<HHOOK, UnhookWindowsHookEx>>;
using WaitableTimer = Owned<HANDLE, NullIsInvalid<HANDLE, CloseHandle>>;

// GetDC / ReleaseDC.
class WindowDC {
 public:
  explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDC() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  WindowDC(WindowDC&& other) noexcept
      : window_(other.window_), dc_(std::exchange(other.dc_, nullptr)) {}
  WindowDC& operator=(WindowDC&&) = delete;
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;

  HDC Get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND window_;
  HDC dc_;
};

// BeginPaint / EndPaint.
class PaintDC {
 public:
  explicit PaintDC(HWND window) : window_(window) { dc_ = BeginPaint(window, &paint_); }
  ~PaintDC() { EndPaint(window_, &paint_); }
  PaintDC(const PaintDC&) = delete;
  PaintDC& operator=(const PaintDC&) = delete;

  HDC Get() const { return dc_; }
  const PAINTSTRUCT& Paint() const { return paint_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_ = nullptr;
};

// SelectObject, undone when the scope ends; declare it after the object and
// the DC so that it is undone before either is deleted.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object)
      : dc_(dc), previous_(dc && object ? SelectObject(dc, object) : nullptr) {
    if (previous_ == HGDI_ERROR) previous_ = nullptr;
  }
  ~Selection() {
    if (previous_) SelectObject(dc_, previous_);
  }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;
  bool ok() const { return previous_ != nullptr; }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace win32
