#include <gtest/gtest.h>

#include "inventory/basProcesses.h"
#include "inventory/tests/boundFakes.h"
#include "support/boundOnFirstUse.h"
#include "support/basOSinfo.h"

namespace {

std::string exeName(DWORD id) {
    return "C:\\Apps\\program" + std::to_string(id) + ".exe";
}

void addProcesses(int count, DWORD firstId = 100) {
    for (int i = 0; i < count; ++i) {
        const DWORD id = firstId + static_cast<DWORD>(i) * 4;
        fakes::processes.push_back({id, exeName(id)});
    }
}

class ProcessTable : public ::testing::Test {
protected:
    void SetUp() override {
        savedOs_ = OSInfo;
        savedPsapiState_ = psapiState;
    }
    void TearDown() override {
        fakes::removeAll();
        OSInfo = savedOs_;
        psapiState = savedPsapiState_;
    }
    int list() { return getProcessList(ids_, paths_); }

    std::vector<DWORD> ids_ = std::vector<DWORD>(processTablePositions, 0);
    std::vector<std::string> paths_ = std::vector<std::string>(processTablePositions);

private:
    OSInfoRecord savedOs_;
    int savedPsapiState_ = 0;
};

class ToolHelpTable : public ProcessTable {
protected:
    void SetUp() override {
        ProcessTable::SetUp();
        OSInfo.isNT = false;
        fakes::installToolHelp();
    }
};

TEST_F(ToolHelpTable, TenProcessesFillTenPositionsInSnapshotOrder) {
    addProcesses(10);
    EXPECT_EQ(list(), 10);
    for (int k = 1; k <= 10; ++k) {
        EXPECT_EQ(ids_[k - 1], fakes::processes[k - 1].id);
        EXPECT_EQ(paths_[k - 1], fakes::processes[k - 1].exe);
    }
    EXPECT_EQ(ids_[10], 0u);
    EXPECT_EQ(paths_[10], "");
    EXPECT_EQ(fakes::handlesOpened, 1);
    EXPECT_EQ(fakes::handlesClosed, 1);
}

TEST_F(ToolHelpTable, TwoHundredFiftyProcessesStopAt199) {
    addProcesses(250);
    EXPECT_EQ(list(), 199);
    EXPECT_EQ(ids_[198], fakes::processes[198].id);
    EXPECT_EQ(paths_[198], fakes::processes[198].exe);
    EXPECT_EQ(ids_[199], 0u);
    EXPECT_EQ(paths_[199], "");
    EXPECT_EQ(fakes::handlesClosed, 1);
}

TEST_F(ToolHelpTable, NoSnapshotGivesAnEmptyTable) {
    addProcesses(3);
    bound::CreateToolhelp32Snapshot.replace(
        [](DWORD, DWORD) -> HANDLE { return INVALID_HANDLE_VALUE; });
    EXPECT_EQ(list(), 0);
    EXPECT_EQ(ids_[0], 0u);
    EXPECT_EQ(fakes::handlesClosed, 0);
}

TEST_F(ToolHelpTable, MissingToolHelpGivesAnEmptyTable) {
    addProcesses(3);
    bound::CreateToolhelp32Snapshot.replace(nullptr);
    EXPECT_EQ(list(), 0);
    EXPECT_EQ(fakes::handlesClosed, 0);
}

TEST_F(ToolHelpTable, FileNamesLoseLeadingBlanks) {
    fakes::processes.push_back({8, "  EXPLORER.EXE  "});
    EXPECT_EQ(list(), 1);
    EXPECT_EQ(paths_[0], "EXPLORER.EXE  ");
}

class PsapiTable : public ProcessTable {
protected:
    void SetUp() override {
        ProcessTable::SetUp();
        OSInfo.isNT = true;
        psapiState = 2;  // PSAPI has loaded
        fakes::installPsapi();
    }
};

TEST_F(PsapiTable, FiftySevenProcessesTakeFiveCallsEndingAt256Bytes) {
    addProcesses(57);
    EXPECT_EQ(list(), 57);
    EXPECT_EQ(fakes::enumProcessesSizes, (std::vector<DWORD>{16, 32, 64, 128, 256}));
    for (int i = 1; i <= 57; ++i) {
        EXPECT_EQ(ids_[i - 1], fakes::processes[i - 1].id);
        EXPECT_EQ(paths_[i - 1], fakes::processes[i - 1].exe);
    }
    EXPECT_EQ(ids_[57], 0u);
}

TEST_F(PsapiTable, SixtyFourProcessesFillingTheBufferTakeOneMorePass) {
    addProcesses(64);
    EXPECT_EQ(list(), 64);
    EXPECT_EQ(fakes::enumProcessesSizes, (std::vector<DWORD>{16, 32, 64, 128, 256, 512}));
    EXPECT_EQ(paths_[63], fakes::processes[63].exe);
}

TEST_F(PsapiTable, EveryProcessIsOpenedForQueryAndReadAndClosed) {
    addProcesses(5);
    EXPECT_EQ(list(), 5);
    EXPECT_EQ(fakes::openAccess, std::vector<DWORD>(5, 0x410u));
    EXPECT_EQ(fakes::handlesOpened, 5);
    EXPECT_EQ(fakes::handlesClosed, 5);
}

TEST_F(PsapiTable, ProcessThatCannotBeOpenedKeepsIdZeroAndLaterPositionsLineUp) {
    addProcesses(6);
    fakes::processes[2].opens = false;
    fakes::processes[4].listsModules = false;
    EXPECT_EQ(list(), 6);
    EXPECT_EQ(ids_[2], 0u);
    EXPECT_EQ(paths_[2], "");
    EXPECT_EQ(ids_[4], 0u);
    EXPECT_EQ(paths_[4], "");
    for (int i : {0, 1, 3, 5}) {
        EXPECT_EQ(ids_[i], fakes::processes[i].id);
        EXPECT_EQ(paths_[i], fakes::processes[i].exe);
    }
    // The one whose modules could not be listed was opened, and closed again.
    EXPECT_EQ(fakes::handlesOpened, 5);
    EXPECT_EQ(fakes::handlesClosed, 5);
}

TEST_F(PsapiTable, FailedFileNameGivesTheIdWithEmptyText) {
    addProcesses(2);
    fakes::processes[1].namesModule = false;
    EXPECT_EQ(list(), 2);
    EXPECT_EQ(ids_[1], fakes::processes[1].id);
    EXPECT_EQ(paths_[1], "");
}

TEST_F(PsapiTable, MoreThan200IdsFillAtMost200Positions) {
    addProcesses(250);
    EXPECT_EQ(list(), 200);
    EXPECT_EQ(ids_[199], fakes::processes[199].id);
    EXPECT_EQ(paths_[199], fakes::processes[199].exe);
    EXPECT_EQ(fakes::handlesOpened, 200);
    EXPECT_EQ(fakes::handlesClosed, 200);
}

TEST_F(PsapiTable, AReportLargerThanTheBufferIsNotBelieved) {
    addProcesses(3);
    fakes::enumProcessesReportOverride = 0x7FFFFFF0;
    const int count = list();
    EXPECT_LE(count, processTablePositions);
    EXPECT_EQ(ids_[0], fakes::processes[0].id);
    EXPECT_EQ(paths_[2], fakes::processes[2].exe);
}

TEST_F(PsapiTable, MissingEnumProcessesGivesNoEntries) {
    addProcesses(3);
    bound::EnumProcesses.replace(nullptr);
    list();
    for (int i = 0; i < processTablePositions; ++i) {
        ASSERT_EQ(ids_[i], 0u);
        ASSERT_EQ(paths_[i], "");
    }
}

TEST_F(PsapiTable, ForOneProcessOnlyThatProcessIsOpened) {
    addProcesses(57);
    const DWORD wanted = fakes::processes[30].id;
    EXPECT_EQ(getProcessListFor(ids_, paths_, wanted), 57);
    EXPECT_EQ(fakes::openAccess.size(), 1u);
    EXPECT_EQ(ids_[30], wanted);
    EXPECT_EQ(paths_[30], fakes::processes[30].exe);
    for (int i = 0; i < processTablePositions; ++i) {
        if (i != 30) {
            ASSERT_EQ(ids_[i], 0u) << i;
            ASSERT_EQ(paths_[i], "") << i;
        }
    }
    EXPECT_EQ(fakes::handlesClosed, fakes::handlesOpened);
}

TEST_F(ToolHelpTable, ForOneProcessOtherPositionsStayEmptyButCount) {
    addProcesses(10);
    const DWORD wanted = fakes::processes[6].id;
    EXPECT_EQ(getProcessListFor(ids_, paths_, wanted), 10);
    EXPECT_EQ(ids_[6], wanted);
    EXPECT_EQ(paths_[6], fakes::processes[6].exe);
    EXPECT_EQ(ids_[5], 0u);
    EXPECT_EQ(paths_[7], "");
}

TEST(SmallerOf, EqualValuesGiveTheSecond) {
    EXPECT_EQ(smallerOf(1, 2), 1);
    EXPECT_EQ(smallerOf(3, 2), 2);
    EXPECT_EQ(smallerOf(200, 200), 200);
    EXPECT_EQ(smallerOf(-1, 0), -1);
}

}  // namespace
