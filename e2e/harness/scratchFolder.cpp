#include "e2e/harness/scratchFolder.h"

#include <windows.h>

namespace e2e {

namespace {

std::string temporaryFolder() {
    char buffer[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathA(MAX_PATH, buffer);
    std::string folder(buffer, length <= MAX_PATH ? length : 0);
    while (!folder.empty() && folder.back() == '\\') {
        folder.pop_back();
    }
    return folder;
}

bool isFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::string readAll(const std::string& path, bool& ok) {
    ok = false;
    std::string content;
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return content;
    }
    char chunk[65536];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) {
        content.append(chunk, got);
    }
    CloseHandle(file);
    ok = true;
    return content;
}

}  // namespace

ScratchFolder::ScratchFolder(const std::string& purpose, const std::string& parent) {
    const std::string base = parent.empty() ? temporaryFolder() : parent;
    if (base.empty()) {
        return;
    }
    const std::string stem = base + "\\tarnwick-e2e-" + purpose + "-" +
                             std::to_string(GetCurrentProcessId()) + "-";
    for (unsigned attempt = GetTickCount() % 100000, tries = 0; tries < 1000; ++attempt, ++tries) {
        const std::string candidate = stem + std::to_string(attempt);
        if (CreateDirectoryA(candidate.c_str(), nullptr)) {
            path_ = candidate;
            return;
        }
    }
}

ScratchFolder::~ScratchFolder() {
    if (!path_.empty()) {
        removeAll(path_);
    }
}

bool makeFolders(const std::string& folder) {
    if (folder.empty() || isFolder(folder)) {
        return true;
    }
    const std::size_t slash = folder.find_last_of('\\');
    if (slash != std::string::npos && slash > 0 && !makeFolders(folder.substr(0, slash))) {
        return false;
    }
    return CreateDirectoryA(folder.c_str(), nullptr) != FALSE || isFolder(folder);
}

bool copyFile(const std::string& from, const std::string& to) {
    return CopyFileA(from.c_str(), to.c_str(), FALSE) != FALSE;
}

bool fileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool sameContents(const std::string& first, const std::string& second) {
    bool firstRead = false;
    bool secondRead = false;
    const std::string a = readAll(first, firstRead);
    const std::string b = readAll(second, secondRead);
    return firstRead && secondRead && a == b;
}

bool removeAll(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return true;
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        return DeleteFileA(path.c_str()) != FALSE;
    }
    WIN32_FIND_DATAA found = {};
    const HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name != "." && name != "..") {
                removeAll(path + "\\" + name);
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    return RemoveDirectoryA(path.c_str()) != FALSE;
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string fileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace e2e
