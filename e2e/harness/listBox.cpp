#include "e2e/harness/listBox.h"

#include "e2e/harness/text.h"

namespace e2e {

namespace {

// A list box that takes longer than this to answer is taken as hung.
constexpr UINT answerTimeoutMs = 15000;

bool ask(HWND list, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& answer) {
    DWORD_PTR result = 0;
    if (SendMessageTimeoutW(list, message, wParam, lParam, SMTO_NORMAL, answerTimeoutMs,
                            &result) == 0) {
        return false;
    }
    answer = static_cast<LRESULT>(result);
    return true;
}

}  // namespace

bool lineRect(HWND list, int index, RECT& rect) {
    LRESULT result = 0;
    return ask(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect), result) &&
           result != LB_ERR;
}

int listBoxCount(HWND list) {
    LRESULT count = 0;
    if (!ask(list, LB_GETCOUNT, 0, 0, count) || count == LB_ERR) {
        return -1;
    }
    return static_cast<int>(count);
}

bool readListBoxLine(HWND list, int index, std::string& line) {
    std::wstring wide;
    if (!readListBoxLine(list, index, wide)) {
        return false;
    }
    line = toAnsi(wide);
    return true;
}

bool readListBoxLine(HWND list, int index, std::wstring& line) {
    LRESULT length = 0;
    if (!ask(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0, length) || length == LB_ERR) {
        return false;
    }
    // Room for the length in either unit and to spare: the line may be
    // replaced by a longer one between the two questions.
    constexpr std::size_t roomToSpare = 8192;
    std::wstring buffer(static_cast<std::size_t>(length) * 2 + roomToSpare, L'\0');
    LRESULT copied = 0;
    if (!ask(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&buffer[0]),
             copied) ||
        copied == LB_ERR) {
        return false;
    }
    buffer.resize(static_cast<std::size_t>(copied));
    line = buffer;
    return true;
}

bool readListBoxLines(HWND list, std::vector<std::string>& lines) {
    lines.clear();
    const int count = listBoxCount(list);
    if (count < 0) {
        return false;
    }
    for (int i = 0; i < count; ++i) {
        std::string line;
        if (!readListBoxLine(list, i, line)) {
            return false;
        }
        lines.push_back(line);
    }
    return true;
}

}  // namespace e2e
