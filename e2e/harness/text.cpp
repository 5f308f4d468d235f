#include "e2e/harness/text.h"

#include <windows.h>

namespace e2e {

namespace {

std::string narrow(UINT codePage, const std::wstring& text) {
    const int length = static_cast<int>(text.size());
    const int size = WideCharToMultiByte(codePage, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string converted(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (size > 0) {
        WideCharToMultiByte(codePage, 0, text.data(), length, &converted[0], size, nullptr, nullptr);
    }
    return converted;
}

std::wstring widen(UINT codePage, const std::string& text) {
    const int length = static_cast<int>(text.size());
    const int size = MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
    std::wstring converted(static_cast<std::size_t>(size > 0 ? size : 0), L'\0');
    if (size > 0) {
        MultiByteToWideChar(codePage, 0, text.data(), length, &converted[0], size);
    }
    return converted;
}

}  // namespace

std::string toAnsi(const std::wstring& text) {
    return narrow(CP_ACP, text);
}

std::wstring fromAnsi(const std::string& text) {
    return widen(CP_ACP, text);
}

std::string toUtf8(const std::wstring& text) {
    return narrow(CP_UTF8, text);
}

std::wstring fromUtf8(const std::string& text) {
    return widen(CP_UTF8, text);
}

}  // namespace e2e
