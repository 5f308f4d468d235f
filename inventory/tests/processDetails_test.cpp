#include <gtest/gtest.h>

#include <cstring>

#include "inventory/commandLine.h"
#include "inventory/openedProcess.h"
#include "inventory/processDetails.h"
#include "inventory/tests/boundFakes.h"
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

TEST(ProcessDetails, TheCommandLineComesFromTheSystemThenFromTheProcessThenNowhere) {
    bound::NtQueryInformationProcess.replace(queryStandIn);
    fakes::installRecordingOpen();
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
        fakes::refuseRead = c.denyRead;
        OpenedProcess own(GetCurrentProcessId());
        EXPECT_EQ(commandLineOf(own), c.commandLine) << c.name;
    }
    bound::NtQueryInformationProcess.forget();
    fakes::removeAll();
}

// A child of this test, held suspended: its parent is opened once per read,
// and details read while the parent could not be named (PSAPI not yet
// there) are read again once it can be, then kept.
TEST(ProcessDetails, TheParentIsOpenedOnceAndNamedOnceItCanBe) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    char commandLine[] = "child --gtest_list_tests";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child = {};
    ASSERT_TRUE(CreateProcessA(self, commandLine, nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                               &startup, &child));
    fakes::installRecordingOpen();
    OpenedProcess opened(child.dwProcessId);
    const std::vector<DWORD> parentOnce = {GetCurrentProcessId()};
    const struct {
        bool nameParent;
        std::string parentExe;
        std::vector<DWORD> opens;
    } reads[] = {{false, "", parentOnce}, {true, self, parentOnce}, {true, self, {}}};
    for (const auto& read : reads) {
        fakes::openedIds.clear();
        const ProcessDetails details = detailsOfProcess(opened, read.nameParent);
        EXPECT_EQ(details.parentPid, GetCurrentProcessId());
        EXPECT_EQ(details.parentExe, read.parentExe);
        EXPECT_EQ(fakes::openedIds, read.opens);
    }
    fakes::removeAll();
    TerminateProcess(child.hProcess, 0);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
}

}  // namespace
