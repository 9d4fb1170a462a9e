// The display and the computer kept on exactly while an alarm notification is
// open: a computer the wake timer woke would otherwise sleep again within a
// couple of minutes, with the notice on a dark screen.
#pragma once
#include <windows.h>

#include <functional>

// Each notification window calls these once, when it is created and when it
// is destroyed; the first opened holds the display and the system on, the last
// closed lets them go.
void NotificationOpened();
void NotificationClosed();
int OpenNotificationCount();

// Tests: where the execution state goes; empty restores SetThreadExecutionState.
using ExecutionStateCall = std::function<void(EXECUTION_STATE flags)>;
void SetExecutionStateCall(ExecutionStateCall call);
