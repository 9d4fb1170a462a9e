// The call that puts a freshly written file in the place of an existing one
// (ReplaceFileW). Tests put in one that fails the ways ReplaceFileW can, to
// see that a safe write still leaves a whole file.
#pragma once
#include <windows.h>

namespace platform {

// Replaces `replaced` by `replacement`; FALSE with the thread's last error set
// on failure, as ReplaceFileW does.
using ReplaceFileCall = BOOL (*)(const wchar_t* replaced, const wchar_t* replacement);

// nullptr restores the real call.
void SetReplaceFileCall(ReplaceFileCall call);

}  // namespace platform
