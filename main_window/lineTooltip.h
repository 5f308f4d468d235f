// The tooltip over the log's lines. Hovering a line shows when its window
// came to the front and how long it stayed there, and what was read of its
// process (tipText.h); moving to another line shows that line's text. It
// shows while another program is in front, too. On the NT family its text is
// Unicode, as the lines are.
//
// The list's own procedure hands it the mouse messages (relay()): the
// tooltip does not subclass the list itself, so the list has one subclass
// only, which its owner removes before the tooltip goes. (Before version
// 5.80 of the common controls, a tooltip's subclass is a plain link in the
// list's chain of procedures, and links taken out of order leave the list
// calling into a tooltip that is gone.)
#pragma once

#include <windows.h>

#include <functional>
#include <string>

class LineTooltip {
public:
    // The text for line `index` of the list (empty: no tip).
    using TextOfLine = std::function<std::string(int index)>;

    LineTooltip() = default;
    ~LineTooltip();
    LineTooltip(const LineTooltip&) = delete;
    LineTooltip& operator=(const LineTooltip&) = delete;

    // Makes the tooltip for `list`, a child of `owner`, which receives the
    // tooltip's questions (answer them with answer()).
    bool attach(HWND owner, HWND list, TextOfLine textOfLine);

    // Takes the tooltip away.
    void destroy();

    // A mouse message of the list, as its procedure received it.
    void relay(UINT message, WPARAM wParam, LPARAM lParam);

    // Answers a WM_NOTIFY from the tooltip asking for the text; false for
    // any other notification.
    bool answer(LPARAM notification);

    // The lines' texts changed (a line came or went): a tip on show goes,
    // and the next one asks again.
    void linesChanged();

    // Whether a tip may have several lines. The common controls of Windows
    // 95 as first released (4.00) show one line only; they do not know the
    // message that sets a tip's width, and answer it with 0.
    bool showsManyLines() const { return manyLines_; }

private:
    int lineUnderCursor() const;
    void hide();

    HWND tooltip_ = nullptr;
    HWND list_ = nullptr;
    TextOfLine textOfLine_;
    bool manyLines_ = false;
    int hotLine_ = -1;     // the line whose text the tip has, or -1
    std::string text_;     // the tip's text, held while the tooltip shows it
    std::wstring wideText_;
};

// The line of `list` at `point` (client coordinates), or -1 over no line.
int lineAtPoint(HWND list, POINT point);
