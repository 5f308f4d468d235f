#include "e2e/harness/hostFacts.h"

#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

namespace e2e {

namespace {

std::string readHostFile(const std::string& linuxPath) {
    std::string windowsPath = "Z:" + linuxPath;
    for (char& c : windowsPath) {
        if (c == '/') {
            c = '\\';
        }
    }
    std::ifstream in(windowsPath, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<int> hostPids() {
    std::vector<int> pids;
    WIN32_FIND_DATAA entry;
    const HANDLE search = FindFirstFileA("Z:\\proc\\*", &entry);
    if (search == INVALID_HANDLE_VALUE) {
        return pids;
    }
    do {
        char* end = nullptr;
        const long pid = std::strtol(entry.cFileName, &end, 10);
        if (end != entry.cFileName && *end == '\0') {
            pids.push_back(static_cast<int>(pid));
        }
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return pids;
}

}  // namespace

int findHostProcess(const std::string& programName) {
    char prefix[MAX_PATH] = "";
    GetEnvironmentVariableA("WINEPREFIX", prefix, sizeof prefix);
    const std::string ourPrefix = std::string("WINEPREFIX=") + prefix;
    int newest = 0;
    long long newestStart = -1;
    for (int pid : hostPids()) {
        const std::string base = "/proc/" + std::to_string(pid);
        const std::string commandLine = readHostFile(base + "/cmdline");
        const std::string program = commandLine.substr(0, commandLine.find('\0'));
        if (program.size() < programName.size() ||
            program.compare(program.size() - programName.size(), programName.size(), programName) != 0) {
            continue;
        }
        const std::string environment = readHostFile(base + "/environ");
        if (prefix[0] != '\0' && (environment.find(ourPrefix + '\0') == std::string::npos)) {
            continue;
        }
        // Field 22 of stat is the start time.
        const std::string stat = readHostFile(base + "/stat");
        const std::size_t close = stat.rfind(')');
        std::istringstream fields(close == std::string::npos ? std::string() : stat.substr(close + 2));
        std::string field;
        long long started = 0;
        for (int number = 3; fields >> field; ++number) {
            if (number == 22) {
                started = std::atoll(field.c_str());
                break;
            }
        }
        if (started > newestStart) {
            newestStart = started;
            newest = pid;
        }
    }
    return newest;
}

long long cpuTicks(int hostPid) {
    const std::string stat = readHostFile("/proc/" + std::to_string(hostPid) + "/stat");
    // The command name may hold blanks; the fields after it are counted from
    // its closing parenthesis. utime and stime are fields 14 and 15.
    const std::size_t close = stat.rfind(')');
    if (close == std::string::npos) {
        return -1;
    }
    std::istringstream fields(stat.substr(close + 2));
    std::string field;
    long long utime = 0;
    long long stime = 0;
    for (int number = 3; fields >> field; ++number) {
        if (number == 14) {
            utime = std::atoll(field.c_str());
        } else if (number == 15) {
            stime = std::atoll(field.c_str());
            return utime + stime;
        }
    }
    return -1;
}

long long residentKiB(int hostPid) {
    std::istringstream status(readHostFile("/proc/" + std::to_string(hostPid) + "/status"));
    std::string line;
    while (std::getline(status, line)) {
        if (line.compare(0, 6, "VmRSS:") == 0) {
            return std::atoll(line.c_str() + 6);
        }
    }
    return -1;
}

std::string machineDescription() {
    std::istringstream cpuinfo(readHostFile("/proc/cpuinfo"));
    std::string line;
    std::string model = "unknown CPU";
    int cpus = 0;
    while (std::getline(cpuinfo, line)) {
        if (line.compare(0, 9, "processor") == 0) {
            ++cpus;
        } else if (line.compare(0, 10, "model name") == 0 && cpus == 1) {
            const std::size_t colon = line.find(':');
            if (colon != std::string::npos) {
                model = line.substr(colon + 2);
            }
        }
    }
    std::string kernel = readHostFile("/proc/sys/kernel/osrelease");
    while (!kernel.empty() && (kernel.back() == '\n' || kernel.back() == ' ')) {
        kernel.pop_back();
    }
    return model + ", " + std::to_string(cpus) + " CPUs, Linux " + kernel;
}

}  // namespace e2e
