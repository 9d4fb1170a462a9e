// The alarm subsystem's process-wide objects, defined in their construction
// order with the other process-wide objects of the program.
#pragma once
#include "alarm/alarm_list.h"
#include "alarm/alarm_queue.h"
#include "alarm/notification_placer.h"

extern AlarmList alarmList;
extern AlarmQueue alarmQueue;
extern NotificationPlacer notificationPlacer;
