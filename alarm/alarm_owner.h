// One program owns the alarms of one settings file: the first clock started
// on a Horalune.DAT takes a named lock, so clocks started from other folders
// keep their own alarms.
#pragma once
#include <cstdint>
#include <string>

// The lock's name from the identity of the settings file's folder: the
// volume's serial number and the folder's file index. Every spelling of one
// folder (a mapped drive and its network path, a link, a short name) meets the
// same lock. "Horalune.Alarms." then 8 and 16 hexadecimal digits.
std::string AlarmOwnerName(std::uint32_t volumeSerial, std::uint64_t fileIndex);

// The name when the folder's identity cannot be read: "Horalune.Alarms.path."
// and 16 hexadecimal digits drawn from the folder's full path in one canonical
// spelling (the shell upper-cases it, since Windows paths ignore case). It
// holds no backslash and stays short whatever the path's length.
std::string AlarmOwnerName(const std::string& canonicalPath);
