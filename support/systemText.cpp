#include "support/systemText.h"

#include "support/basOSinfo.h"
#include "support/utf.h"

std::string textFromAnsi(const std::string& ansi) {
    if (!OSInfo.isNT || ansi.empty()) {
        return ansi;
    }
    const int length = static_cast<int>(ansi.size());
    const int wide = MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, nullptr, 0);
    if (wide <= 0) {
        return std::string();
    }
    std::wstring buffer(static_cast<std::size_t>(wide), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, &buffer[0], wide);
    return utf8FromUtf16(buffer);
}

std::string textFromWide(const wchar_t* text, std::size_t length) {
    return utf8FromUtf16(text, length);
}

std::wstring wideFromText(const std::string& text) {
    return utf16FromUtf8(text);
}

std::size_t writeWideFromText(const std::string& text, wchar_t* out) {
    return writeUtf16FromUtf8(text, out);
}

std::size_t ansiFromWide(const wchar_t* wide, std::size_t units, char* out, std::size_t room) {
    if (units == 0) {
        return 0;
    }
    const int bytes = WideCharToMultiByte(CP_ACP, 0, wide, static_cast<int>(units), out,
                                          out != nullptr ? static_cast<int>(room) : 0, nullptr, nullptr);
    return bytes > 0 ? static_cast<std::size_t>(bytes) : 0;
}

HWND createListBox(DWORD exStyle, DWORD style, const RECT& place, HWND parent, int id) {
    const auto menu = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE));
    const int width = place.right - place.left;
    const int height = place.bottom - place.top;
    if (OSInfo.isNT) {
        return CreateWindowExW(exStyle, L"LISTBOX", L"", style, place.left, place.top, width,
                               height, parent, menu, instance, nullptr);
    }
    return CreateWindowExA(exStyle, "LISTBOX", "", style, place.left, place.top, width, height,
                           parent, menu, instance, nullptr);
}

LRESULT addListLine(HWND list, const std::string& line) {
    if (OSInfo.isNT) {
        const std::wstring wide = wideFromText(line);
        return SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    }
    return SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
}

LRESULT insertListLine(HWND list, int index, const std::string& line) {
    const auto at = static_cast<WPARAM>(index);
    if (OSInfo.isNT) {
        const std::wstring wide = wideFromText(line);
        return SendMessageW(list, LB_INSERTSTRING, at, reinterpret_cast<LPARAM>(wide.c_str()));
    }
    return SendMessageA(list, LB_INSERTSTRING, at, reinterpret_cast<LPARAM>(line.c_str()));
}

bool readListLine(HWND list, int index, std::string& line) {
    const auto item = static_cast<WPARAM>(index);
    if (OSInfo.isNT) {
        const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, item, 0);
        if (length == LB_ERR) {
            return false;
        }
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        const LRESULT copied = SendMessageW(list, LB_GETTEXT, item, reinterpret_cast<LPARAM>(&text[0]));
        if (copied == LB_ERR) {
            return false;
        }
        line = textFromWide(text.data(), static_cast<std::size_t>(copied));
        return true;
    }
    const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, item, 0);
    if (length == LB_ERR) {
        return false;
    }
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const LRESULT copied = SendMessageA(list, LB_GETTEXT, item, reinterpret_cast<LPARAM>(&text[0]));
    if (copied == LB_ERR) {
        return false;
    }
    text.resize(static_cast<std::size_t>(copied));
    line = text;
    return true;
}

SIZE measureText(HDC dc, const std::string& text) {
    SIZE extent = {0, 0};
    if (OSInfo.isNT) {
        const std::wstring wide = wideFromText(text);
        GetTextExtentPoint32W(dc, wide.data(), static_cast<int>(wide.size()), &extent);
    } else {
        GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &extent);
    }
    return extent;
}
