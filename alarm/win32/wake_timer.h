// The wake timer: one waitable timer armed at the next moment an alarm falls
// due, so that a sleeping computer can wake for it. Waking needs the user's
// leave ("Wake the PC for alarms") and Windows' (its power options must allow
// wake timers); without it the timer is armed all the same but wakes nothing.
#pragma once
#include <cstdint>
#include <memory>
#include <optional>

// When the timer is set to go off: seconds since 1970-01-01 00:00:00 UTC, and
// whether it may wake the computer.
struct WakeArming {
  std::int64_t utc = 0;
  bool resume = false;
  bool operator==(const WakeArming& other) const {
    return utc == other.utc && resume == other.resume;
  }
  bool operator!=(const WakeArming& other) const { return !(*this == other); }
};

// What arms and cancels: the waitable timer itself, or a test's recorder.
class WakeTimerDevice {
 public:
  virtual ~WakeTimerDevice() = default;
  virtual void Set(const WakeArming& at) = 0;
  virtual void Cancel() = 0;
};

// The device over CreateWaitableTimerExW / SetWaitableTimerEx.
std::unique_ptr<WakeTimerDevice> MakeWaitableWakeTimer();

// Keeps the armed moment and touches the device only when it changes, so it
// can be asked again after every check.
class WakeTimer {
 public:
  explicit WakeTimer(std::unique_ptr<WakeTimerDevice> device) : device_(std::move(device)) {}

  // The next due instant, or none: then the timer is cancelled.
  void ArmAt(std::optional<std::int64_t> utc);
  // Whether the timer may wake the computer; an armed timer is set again.
  void SetWake(bool on);
  bool Wake() const { return wake_; }
  const std::optional<WakeArming>& Armed() const { return armed_; }

  // Tests: the device that records instead of arming (the armed moment is
  // forgotten, so the next ArmAt reaches the new device).
  void ReplaceDevice(std::unique_ptr<WakeTimerDevice> device);

 private:
  void Apply(std::optional<WakeArming> wanted);

  std::unique_ptr<WakeTimerDevice> device_;
  std::optional<WakeArming> armed_;
  bool wake_ = false;
};
