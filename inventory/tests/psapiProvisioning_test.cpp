#include "inventory/psapiProvisioning.h"

#include <gtest/gtest.h>

namespace {

// A scripted world: which loads succeed, which copies succeed, the answers
// to the prompt, and a record of everything the sequence did.
struct World {
    std::vector<bool> loadResults;  // one per load, in order; missing: false
    std::vector<bool> copyResults;
    int answer = 7;                 // IDNO
    std::string registryText = "D:\\I386";  // as NT 4.0 records it
    std::function<void()> whileBoxIsOpen;

    int loads = 0;
    int registryReads = 0;
    std::vector<std::pair<std::string, std::string>> copies;
    std::vector<std::pair<std::string, unsigned>> boxes;

    PsapiOperations operations() {
        PsapiOperations ops;
        ops.loads = [this] {
            const bool result = loads < static_cast<int>(loadResults.size()) && loadResults[loads];
            ++loads;
            return result;
        };
        ops.installationSource = [this] {
            ++registryReads;
            return registryText;
        };
        ops.copy = [this](const std::string& source, const std::string& destination) {
            const std::size_t n = copies.size();
            copies.emplace_back(source, destination);
            return n < copyResults.size() && copyResults[n];
        };
        ops.ask = [this](const std::string& text, unsigned style) {
            boxes.emplace_back(text, style);
            if (whileBoxIsOpen) {
                whileBoxIsOpen();
            }
            return text == psapiText::prompt ? answer : 1;
        };
        return ops;
    }
};

const char folder[] = "C:\\Tools\\Tarnwick";
const char destination[] = "C:\\Tools\\Tarnwick\\PSAPI.DLL";
const char source[] = "D:\\I386\\..\\SUPPORT\\DEBUG\\I386\\PSAPI.DLL";

TEST(PsapiProvisioning, AlreadyLoadedCostsNothing) {
    World world;
    int state = 2;
    EXPECT_TRUE(ensurePsapiWith(state, folder, world.operations()));
    EXPECT_EQ(world.loads, 0);
    EXPECT_EQ(state, 2);
}

TEST(PsapiProvisioning, FirstLoadSucceedsWithoutRegistryCopyOrBox) {
    World world;
    world.loadResults = {true};
    int state = 0;
    EXPECT_TRUE(ensurePsapiWith(state, folder, world.operations()));
    EXPECT_EQ(state, 2);
    EXPECT_EQ(world.loads, 1);
    EXPECT_EQ(world.registryReads, 0);
    EXPECT_TRUE(world.copies.empty());
    EXPECT_TRUE(world.boxes.empty());
    EXPECT_TRUE(ensurePsapiWith(state, folder, world.operations()));
    EXPECT_EQ(world.loads, 1);
}

TEST(PsapiProvisioning, SilentCopyFromTheInstallationSource) {
    World world;
    world.loadResults = {false, true};
    world.copyResults = {true};
    int state = 0;
    EXPECT_TRUE(ensurePsapiWith(state, folder, world.operations()));
    EXPECT_EQ(state, 2);
    ASSERT_EQ(world.copies.size(), 1u);
    EXPECT_EQ(world.copies[0].first, source);
    EXPECT_EQ(world.copies[0].second, destination);
    EXPECT_TRUE(world.boxes.empty());
}

TEST(PsapiProvisioning, YesAfterAFailedSilentCopyCopiesAgain) {
    World world;
    world.loadResults = {false, true};
    world.copyResults = {false, true};
    world.answer = 6;
    int state = 0;
    EXPECT_TRUE(ensurePsapiWith(state, folder, world.operations()));
    ASSERT_EQ(world.boxes.size(), 1u);
    EXPECT_EQ(world.boxes[0].first,
              "PSAPI.DLL not found! Please instert the Windows NT4 Installation CD or an\r\n"
              "original Service Pack CD into the drive you installed Windows NT from!\r\n"
              "Copy the file now?");
    EXPECT_EQ(world.boxes[0].second, 0x34u);
    ASSERT_EQ(world.copies.size(), 2u);
    EXPECT_EQ(world.copies[1], world.copies[0]);
}

TEST(PsapiProvisioning, YesAndTheCopyFailsAgain) {
    World world;
    world.answer = 6;
    int state = 0;
    EXPECT_FALSE(ensurePsapiWith(state, folder, world.operations()));
    EXPECT_EQ(state, 1);
    ASSERT_EQ(world.boxes.size(), 2u);
    EXPECT_EQ(world.boxes[1].first, std::string("File not found. ") + "pc");
    EXPECT_EQ(world.boxes[1].second, 1u);
    EXPECT_EQ(world.loads, 2);  // the load is still tried once more
}

TEST(PsapiProvisioning, NoShowsTheManualCopyBoxAndStillTriesTheLoad) {
    World world;
    world.answer = 7;
    int state = 0;
    EXPECT_FALSE(ensurePsapiWith(state, folder, world.operations()));
    ASSERT_EQ(world.boxes.size(), 2u);
    EXPECT_EQ(world.boxes[1].first,
              "Please copy PSAPI.DLL manually to Vexa's folder from the NT4 CD's folder "
              "\\SUPPORT\\DEBUG\\I386\\PSAPI.DLL");
    EXPECT_EQ(world.boxes[1].second, 1u);
    EXPECT_EQ(world.copies.size(), 1u);
    EXPECT_EQ(world.loads, 2);
}

TEST(PsapiProvisioning, AFileCopiedByHandWhileTheBoxIsOpenIsPickedUp) {
    World world;
    world.loadResults = {false};
    world.whileBoxIsOpen = [&world] {
        if (world.boxes.size() == 2) {
            world.loadResults.push_back(true);  // the user copied the file
        }
    };
    int state = 0;
    EXPECT_TRUE(ensurePsapiWith(state, folder, world.operations()));
    EXPECT_EQ(state, 2);
}

TEST(PsapiProvisioning, AfterAFailedSequenceOnlySilentLoadAttempts) {
    World world;
    int state = 0;
    EXPECT_FALSE(ensurePsapiWith(state, folder, world.operations()));
    const std::size_t boxes = world.boxes.size();
    const std::size_t copies = world.copies.size();
    const int loads = world.loads;
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(ensurePsapiWith(state, folder, world.operations()));
    }
    EXPECT_EQ(world.boxes.size(), boxes);
    EXPECT_EQ(world.copies.size(), copies);
    EXPECT_EQ(world.loads, loads + 3);
    EXPECT_EQ(state, 1);

    // A file that turns up later is found by the next silent attempt.
    world.loadResults.assign(static_cast<std::size_t>(world.loads) + 1, false);
    world.loadResults.back() = true;
    EXPECT_TRUE(ensurePsapiWith(state, folder, world.operations()));
    EXPECT_EQ(state, 2);
}

// Without SourcePath the source would be relative to the current folder:
// nothing is copied, the user is asked at once, and Yes cannot copy either.
TEST(PsapiProvisioning, NoInstallationSourceCopiesNothing) {
    World world;
    world.registryText = "";
    world.copyResults = {true, true};
    world.answer = 6;
    int state = 0;
    EXPECT_FALSE(ensurePsapiWith(state, folder, world.operations()));
    EXPECT_TRUE(world.copies.empty());
    ASSERT_EQ(world.boxes.size(), 2u);
    EXPECT_EQ(world.boxes[0].first, psapiText::prompt);
    EXPECT_EQ(world.boxes[1].first, psapiText::copyFailed);
    EXPECT_EQ(world.loads, 2);
}

TEST(PsapiPaths, OneBackslashGoesBeforeTheDotsWhereTheRegistryTextLacksIt) {
    EXPECT_EQ(psapiSourcePath("D:\\I386\\"), source);
    EXPECT_EQ(psapiSourcePath("D:\\I386"), source);
    EXPECT_EQ(psapiSourcePath(""), "..\\SUPPORT\\DEBUG\\I386\\PSAPI.DLL");
}

TEST(PsapiPaths, ADriveRootGivesTwoBackslashes) {
    EXPECT_EQ(psapiDestinationPath("C:\\Tools"), "C:\\Tools\\PSAPI.DLL");
    EXPECT_EQ(psapiDestinationPath("T:\\"), "T:\\\\PSAPI.DLL");
}

}  // namespace
