#include "alarm/win32/wake_timer.h"

#include <windows.h>

#include <utility>

#include "platform/win32/handles.h"

namespace {

// 100 ns ticks from 1601-01-01 to 1970-01-01.
constexpr std::int64_t kUnixEpochTicks = 116444736000000000;

class WaitableWakeTimer final : public WakeTimerDevice {
 public:
  WaitableWakeTimer()
      : timer_(CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_MANUAL_RESET,
                                      TIMER_MODIFY_STATE | SYNCHRONIZE)) {}

  void Set(const WakeArming& at) override {
    if (!timer_) return;
    // A positive due time is an absolute UTC instant in FILETIME ticks.
    LARGE_INTEGER due{};
    due.QuadPart = kUnixEpochTicks + at.utc * 10000000;
    // fResume is the documented way to make a timer wake the computer; the
    // Ex form's reason context does not promise it. No completion routine:
    // the wake itself brings the resume message, and the clock's tick checks.
    if (!SetWaitableTimer(timer_.Get(), &due, 0, nullptr, nullptr, at.resume ? TRUE : FALSE)) {
      OutputDebugStringW(L"Horalune: the wake timer could not be set\n");
    }
  }

  void Cancel() override {
    if (timer_) CancelWaitableTimer(timer_.Get());
  }

 private:
  win32::WaitableTimer timer_;
};

}  // namespace

std::unique_ptr<WakeTimerDevice> MakeWaitableWakeTimer() {
  return std::make_unique<WaitableWakeTimer>();
}

void WakeTimer::ArmAt(std::optional<std::int64_t> utc) {
  Apply(utc ? std::optional<WakeArming>(WakeArming{*utc, wake_}) : std::nullopt);
}

void WakeTimer::SetWake(bool on) {
  wake_ = on;
  if (armed_) Apply(WakeArming{armed_->utc, on});
}

void WakeTimer::ReplaceDevice(std::unique_ptr<WakeTimerDevice> device) {
  if (armed_ && device_) device_->Cancel();
  device_ = std::move(device);
  armed_.reset();
}

void WakeTimer::Apply(std::optional<WakeArming> wanted) {
  if (wanted == armed_) return;
  if (device_) {
    if (wanted) {
      device_->Set(*wanted);
    } else {
      device_->Cancel();
    }
  }
  armed_ = wanted;
}
