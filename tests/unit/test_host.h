// The test helpers' seam: what differs between running the tests natively and
// on Windows (or Wine). tests/unit_native/ implements it for Linux,
// tests/unit_win32/ for Windows; the build picks one, as for platform/.
#pragma once
#include <cstdio>
#include <filesystem>
#include <string>

namespace testing_support {

// The separator between folder and file in the paths the program keeps.
extern const char kPathSeparator;

// The operating system's form of a UTF-8 path, and back.
std::filesystem::path HostPath(const std::string& utf8Path);
std::string Utf8FromHostPath(const std::filesystem::path& path);

// Opens a file named by a UTF-8 path; mode as for fopen.
std::FILE* OpenHostFile(const std::string& utf8Path, const char* mode);

long long ProcessId();

// The source tree's folder (HORALUNE_SOURCE_DIR) as this test program names
// it, without a separator at the end.
std::string SourceTree();

// The unit-test program's file name, as it lies in its build folder.
const char* TestProgramFileName();

// Whether file names may hold '<' and '>' (Windows refuses them).
bool FileNamesMayHoldAngleBrackets();

}  // namespace testing_support
