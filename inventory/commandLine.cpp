#include "inventory/commandLine.h"

#include <cstddef>
#include <vector>

#include "inventory/openedProcess.h"
#include "support/boundOnFirstUse.h"
#include "support/systemText.h"

namespace {

constexpr auto processCommandLineInformation = static_cast<PROCESSINFOCLASS>(60);  // Windows 8.1 on
constexpr ULONG longestText = 0xFFFE;  // a UNICODE_STRING's length is 16 bits

std::string textOf(const UNICODE_STRING& text) {
    return textFromWide(text.Buffer, text.Length / sizeof(wchar_t));
}

bool askTheSystem(const OpenedProcess& process, std::string& line) {
    if (!process.valid() || !bound::NtQueryInformationProcess.available()) {
        return false;
    }
    // The answer is a UNICODE_STRING followed by its text.
    const ULONG bytes = sizeof(UNICODE_STRING) + longestText + sizeof(wchar_t);
    std::vector<ULONG_PTR> buffer(bytes / sizeof(ULONG_PTR) + 1);
    ULONG written = 0;
    if (bound::NtQueryInformationProcess(process.handle(), processCommandLineInformation, buffer.data(), bytes,
                                         &written) < 0) {
        return false;
    }
    const auto* text = reinterpret_cast<const UNICODE_STRING*>(buffer.data());
    const auto* first = reinterpret_cast<const char*>(buffer.data());
    const auto* start = reinterpret_cast<const char*>(text->Buffer);
    if (text->Length > 0 && (start < first + sizeof(UNICODE_STRING) || start + text->Length > first + bytes)) {
        return false;
    }
    line = textOf(*text);
    return true;
}

// Whether the process's memory has the layout this program knows: a 64-bit
// process, as seen from the 32-bit program, has not.
bool layoutReadable(HANDLE process) {
#if defined(_WIN64)
    (void)process;
    return true;
#else
    BOOL programUnderWow64 = FALSE;
    if (!bound::IsWow64Process(GetCurrentProcess(), &programUnderWow64) || !programUnderWow64) {
        return true;  // 32-bit Windows, or one without WOW64: every process is 32-bit
    }
    BOOL processUnderWow64 = FALSE;
    return bound::IsWow64Process(process, &processUnderWow64) && processUnderWow64;
#endif
}

template <typename Value>
bool readFrom(HANDLE process, const void* at, Value& value) {
    SIZE_T read = 0;
    return ReadProcessMemory(process, at, &value, sizeof value, &read) && read == sizeof value;
}

bool readParameters(OpenedProcess& process, std::string& line) {
    if (!process.canRead() || !layoutReadable(process.handle())) {
        return false;
    }
    const PROCESS_BASIC_INFORMATION* basic = process.basicInformation();
    if (basic == nullptr || basic->PebBaseAddress == nullptr) {
        return false;
    }
    // The process environment block, its parameters and their command line,
    // in the program's own layout.
    const auto* peb = reinterpret_cast<const char*>(basic->PebBaseAddress);
    const char* parameters = nullptr;
    UNICODE_STRING commandLine = {};
    if (!readFrom(process.handle(), peb + offsetof(PEB, ProcessParameters), parameters) || parameters == nullptr ||
        !readFrom(process.handle(), parameters + offsetof(RTL_USER_PROCESS_PARAMETERS, CommandLine), commandLine)) {
        return false;
    }
    std::wstring text(commandLine.Length / sizeof(wchar_t), L'\0');
    SIZE_T read = 0;
    if (!text.empty() && (!ReadProcessMemory(process.handle(), commandLine.Buffer, &text[0],
                                             text.size() * sizeof(wchar_t), &read) ||
                          read != text.size() * sizeof(wchar_t))) {
        return false;
    }
    line = textFromWide(text.data(), text.size());
    return true;
}

}  // namespace

std::string commandLineOf(OpenedProcess& process) {
    std::string line;
    if (!askTheSystem(process, line) && !readParameters(process, line)) {
        line.clear();
    }
    return line;
}
