// One program owns the alarms of one settings file: the first clock started
// on a Horalune.DAT takes a named lock whose name comes from that file's full
// path, so clocks started from other folders keep their own alarms.
#pragma once
#include <string>

// "Horalune.Alarms." and 16 hexadecimal digits drawn from the path. The path
// must be the file's full path in one canonical spelling (the shell upper-cases
// it, since Windows paths ignore case); the name holds no backslash and stays
// short whatever the path's length.
std::string AlarmOwnerName(const std::string& canonicalPath);
