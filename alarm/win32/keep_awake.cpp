#include "alarm/win32/keep_awake.h"

#include <utility>

namespace {

int openNotifications = 0;
ExecutionStateCall executionStateCall;

void SetExecutionState(EXECUTION_STATE flags) {
  if (executionStateCall) {
    executionStateCall(flags);
  } else {
    SetThreadExecutionState(flags);
  }
}

}  // namespace

void NotificationOpened() {
  if (openNotifications++ == 0) {
    SetExecutionState(ES_DISPLAY_REQUIRED | ES_SYSTEM_REQUIRED | ES_CONTINUOUS);
  }
}

void NotificationClosed() {
  if (openNotifications == 0) return;  // never below none: nothing to let go
  if (--openNotifications == 0) SetExecutionState(ES_CONTINUOUS);
}

int OpenNotificationCount() { return openNotifications; }

void SetExecutionStateCall(ExecutionStateCall call) { executionStateCall = std::move(call); }
