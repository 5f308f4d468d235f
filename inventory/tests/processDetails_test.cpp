#include <gtest/gtest.h>

#include <cstring>

#include "inventory/commandLine.h"
#include "inventory/openedProcess.h"
#include "inventory/processDetails.h"
#include "support/boundOnFirstUse.h"
#include "support/systemText.h"

namespace {

FILETIME at(std::uint64_t ticks) {
    return {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

// A process that took a parent's id after the parent ended was created after
// the child, and is not named as its parent.
TEST(ProcessDetails, AParentCreatedAfterTheChildIsNoParent) {
    EXPECT_TRUE(parentStillSame(at(100), at(200)));
    EXPECT_TRUE(parentStillSame(at(200), at(200)));
    EXPECT_FALSE(parentStillSame(at(201), at(200)));
    EXPECT_FALSE(parentStillSame(at(1ull << 32), at(0xFFFFFFFFull)));
}

// Wine does not answer class 60, the command line that Windows 8.1 and later
// give; a stand-in at the binding seam does, and passes every other question
// to ntdll.
using QueryInformation = decltype(&NtQueryInformationProcess);
QueryInformation realQuery() {
    return reinterpret_cast<QueryInformation>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
}

const wchar_t systemsAnswer[] = L"app.exe --as the system gives it";
bool answerClass60 = false;
bool denyReadAccess = false;
std::vector<DWORD> openedIds;

NTSTATUS NTAPI queryStandIn(HANDLE process, PROCESSINFOCLASS kind, PVOID buffer, ULONG bytes, PULONG written) {
    if (kind != static_cast<PROCESSINFOCLASS>(60)) {
        return realQuery()(process, kind, buffer, bytes, written);
    }
    if (!answerClass60) {
        return static_cast<NTSTATUS>(0xC0000003L);  // STATUS_INVALID_INFO_CLASS, as before 8.1
    }
    auto* text = static_cast<UNICODE_STRING*>(buffer);
    text->Length = static_cast<USHORT>(sizeof systemsAnswer - sizeof(wchar_t));
    text->MaximumLength = static_cast<USHORT>(sizeof systemsAnswer);
    text->Buffer = reinterpret_cast<PWSTR>(text + 1);
    std::memcpy(text->Buffer, systemsAnswer, sizeof systemsAnswer);
    return 0;
}

HANDLE WINAPI openStandIn(DWORD access, BOOL inherit, DWORD pid) {
    openedIds.push_back(pid);
    if (denyReadAccess && (access & PROCESS_VM_READ) != 0) {
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    return OpenProcess(access, inherit, pid);
}

TEST(ProcessDetails, TheCommandLineComesFromTheSystemThenFromTheProcessThenNowhere) {
    bound::NtQueryInformationProcess.replace(queryStandIn);
    bound::OpenProcess.replace(openStandIn);
    const struct {
        const char* name;
        bool class60;
        bool denyRead;
        std::string commandLine;
    } cases[] = {
        {"the system answers", true, false, textFromWide(systemsAnswer, wcslen(systemsAnswer))},
        {"from the process's parameters", false, false, textFromWide(GetCommandLineW(), wcslen(GetCommandLineW()))},
        {"neither", false, true, ""},
    };
    for (const auto& c : cases) {
        answerClass60 = c.class60;
        denyReadAccess = c.denyRead;
        OpenedProcess own(GetCurrentProcessId());
        EXPECT_EQ(commandLineOf(own), c.commandLine) << c.name;
    }
    bound::NtQueryInformationProcess.forget();
    bound::OpenProcess.forget();
    denyReadAccess = false;
}

// A child of this test, held suspended: its parent (this test) is opened
// once per read; details read while the parent could not be named (PSAPI
// not yet there) are read again once it can be, then kept.
TEST(ProcessDetails, TheParentIsOpenedOnceAndNamedOnceItCanBe) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child = {};
    ASSERT_TRUE(CreateProcessA(self, nullptr, nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                               &startup, &child));
    bound::OpenProcess.replace(openStandIn);
    OpenedProcess opened(child.dwProcessId);
    EXPECT_EQ(detailsOfProcess(opened, false).parentExe, "");
    openedIds.clear();
    EXPECT_EQ(detailsOfProcess(opened, true).parentExe, self);  // read again
    EXPECT_EQ(openedIds, std::vector<DWORD>(1, GetCurrentProcessId()));
    openedIds.clear();
    EXPECT_EQ(detailsOfProcess(opened, true).parentExe, self);  // then kept
    EXPECT_TRUE(openedIds.empty());
    bound::OpenProcess.forget();
    TerminateProcess(child.hProcess, 0);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
}

}  // namespace
