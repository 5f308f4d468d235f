// Folders and files a test makes for itself: a fresh folder in the temporary
// folder that goes away with everything in it when the test is done, and the
// few file operations the tests need.
#pragma once

#include <string>

namespace e2e {

class ScratchFolder {
public:
    // Makes a new, empty folder "tarnwick-e2e-<purpose>-..." in the temporary
    // folder, or in `parent` when one is given.
    explicit ScratchFolder(const std::string& purpose, const std::string& parent = std::string());
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    bool valid() const { return !path_.empty(); }
    // The folder, without a trailing backslash.
    const std::string& path() const { return path_; }
    // `relative` inside the folder.
    std::string at(const std::string& relative) const { return path_ + "\\" + relative; }

private:
    std::string path_;
};

// Makes `folder` and every folder above it that is missing.
bool makeFolders(const std::string& folder);

// Copies a file, replacing any file at `to`.
bool copyFile(const std::string& from, const std::string& to);

bool fileExists(const std::string& path);

// True when both files exist and hold the same bytes.
bool sameContents(const std::string& first, const std::string& second);

// Removes a file or a folder with everything in it; true when it is gone.
bool removeAll(const std::string& path);

// The folder part of a path (up to, without, the last backslash).
std::string folderOf(const std::string& path);

// The file name part of a path (after the last backslash).
std::string fileNameOf(const std::string& path);

}  // namespace e2e
