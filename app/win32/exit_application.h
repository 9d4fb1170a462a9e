// The one way out of the program.
#pragma once

// Every way out (Esc, the Exit command, giving up at start-up) comes here: the
// help window is closed, the alarm list saved and the tray icon removed, once
// even if two of them meet; the message loop then ends.
bool ExitApplication();
