// Waiting for a condition while this thread keeps serving its own windows.
//
// The program asks our windows for their captions (WM_GETTEXTLENGTH and
// WM_GETTEXT are sent to the thread that owns the window), so a test thread
// that blocks without pumping would stall the program's log. Every wait here
// pumps.
#pragma once

#include <windows.h>

#include <functional>

namespace e2e {

// Long enough for a loaded two-core machine; a wait ends as soon as its
// condition holds, so passing tests never spend it.
constexpr DWORD defaultTimeoutMs = 30000;

// Dispatches every message waiting for this thread.
void pumpMessages();

// How long one wait step may block before the condition is looked at again,
// unless a message arrives first.
constexpr DWORD defaultStepMs = 5;

// Pumps until `condition` holds (true) or the time is up (false), looking at
// the condition every `stepMs` or sooner.
bool waitUntil(const std::function<bool()>& condition, DWORD timeoutMs = defaultTimeoutMs,
               DWORD stepMs = defaultStepMs);

// Pumps until `object` is signalled (true) or the time is up (false).
bool waitForObject(HANDLE object, DWORD timeoutMs = defaultTimeoutMs);

}  // namespace e2e
