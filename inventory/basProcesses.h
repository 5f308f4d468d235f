// The process and window inventory: which executable belongs to a window.
//
// Every lookup takes a fresh snapshot of the running processes (ids and the
// paths of their executables) and a fresh list of the top-level task windows
// (handles and the ids of their processes), then joins the two. Nothing is
// kept from one lookup to the next.
//
// The tables are 1-based in the descriptions below; position k of a table is
// element k - 1 of its vector.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

constexpr int processTablePositions = 200;
constexpr int windowListPositions = 400;

// --- lookup -----------------------------------------------------------------

// The full path of the executable of the process that owns the top-level task
// window `hwnd`, or empty text. Any handle is accepted, 0 included.
std::string getExeOfWindow(HWND hwnd);

// Builds the process table, then the window list, and joins them for `hwnd`.
// Only the window's own process is asked for its executable, and the walk of
// the windows ends at `hwnd`: nothing below it in z-order, and no other
// process, can change the answer, and opening every process costs
// milliseconds each on some systems.
std::string findWindowProcess(HWND hwnd);

// The join: the path of the process whose id the window list gives for
// `hwnd`. Looks at positions 1..windowCount and 1..processCount; when several
// process entries carry the same id, the last one wins.
std::string joinWindowToExe(HWND hwnd, const std::vector<HWND>& windowHandles,
                            const std::vector<DWORD>& windowProcessIds, int windowCount,
                            const std::vector<DWORD>& processIds,
                            const std::vector<std::string>& processExePaths, int processCount);

// --- window list --------------------------------------------------------------

// Walks the top-level windows in z-order from the top and lists each task
// window that is visible, has an area and is its own visible root. Returns
// the number listed, at most the capacity of the tables. With `stopAt`, the
// walk ends once it has examined that window.
int getTopLevelWindowList(std::vector<HWND>& windowHandles, std::vector<DWORD>& windowProcessIds,
                          HWND stopAt = nullptr);

// Climbs from `hwnd` through its parents or owners as long as they are visible.
HWND getVisibleRootWindow(HWND hwnd);

// --- process table -------------------------------------------------------------

// Fills the tables from position 1 on and returns the number of positions
// covered. On the 95 family through ToolHelp (at most 199 entries), on the NT
// family through PSAPI (at most 200; a process that cannot be opened keeps id
// 0 and empty text, so position i stays the i-th id reported).
int getProcessList(std::vector<DWORD>& processIds, std::vector<std::string>& processExePaths);

// The same table with only the entries of process `wantedPid` filled in; the
// positions of other processes stay empty, as if they could not be opened.
// Each position still stands for the same process as in the full table.
int getProcessListFor(std::vector<DWORD>& processIds, std::vector<std::string>& processExePaths,
                      DWORD wantedPid);

// a when a < b, otherwise b.
int smallerOf(int a, int b);

// The name unchanged, or, when it ends in NTVDM.EXE (any case), the file name
// of the 16-bit Windows task that process `pid` hosts.
std::string resolveNtvdmName(const std::string& name, DWORD pid);

// The file name of the last 16-bit task of NTVDM process `pid` that is not
// WOWEXEC.EXE, or empty text. Lets the program's window run once.
std::string getWowTaskName(DWORD pid);

// VDMDBG callbacks, with the platform's signatures.
BOOL WINAPI enumWowProcessProc(DWORD dwProcessId, DWORD dwAttributes, LPARAM lpUserDefined);
BOOL WINAPI enumWowTaskProc(DWORD dwThreadId, WORD hMod16, WORD hTask16, PSZ pszModName,
                            PSZ pszFileName, LPARAM lpUserDefined);

// A NUL-terminated ANSI text at `pointer`, at most 259 bytes of it. Empty text
// for a null pointer.
std::string strFromAnsiPtr(const char* pointer);

// The VDM lookup's state, valid only during getWowTaskName.
extern DWORD wowWantedPid;
extern std::string wowTaskResult;

// --- PSAPI provisioning ------------------------------------------------------------

// 0: no load of PSAPI.DLL has failed yet; 1: a load failed and the one-time
// copy-and-prompt sequence has run; 2: PSAPI.DLL has loaded (final).
extern int psapiState;

// True when PSAPI.DLL loads, so the PSAPI functions may be called. The first
// time it does not, tries once per run to copy it into the program's folder,
// silently from the installation source first, then asking the user.
bool ensurePsapi();
