// Fitting the list and the panel to the window's size.
#include "main_window/Form1.h"

#include "main_window/layout.h"

void Form1::layout() {
    if (List1 == nullptr || IsIconic(hwnd_)) {
        return;
    }
    RECT outer;
    RECT client;
    if (!GetWindowRect(hwnd_, &outer) || !GetClientRect(hwnd_, &client)) {
        return;
    }
    const float outerWidth = pixelsToTwips(outer.right - outer.left, dpiX_);
    const float clientWidth = pixelsToTwips(client.right - client.left, dpiX_);
    const float clientHeight = pixelsToTwips(client.bottom - client.top, dpiY_);

    const ListSize listSize = listSizeFor(outerWidth, clientHeight, frame1Rect_.height,
                                          {list1Rect_.width, list1Rect_.height});
    list1Rect_.width = listSize.width;
    list1Rect_.height = listSize.height;
    place(List1, list1Rect_);

    // The list box trims its height to whole lines; the panel follows the
    // height it really has.
    RECT listRect;
    if (GetWindowRect(List1, &listRect)) {
        list1Rect_.height = pixelsToTwips(listRect.bottom - listRect.top, dpiY_);
    }

    const PanelPlacement panel =
        panelPlacementFor(list1Rect_.height, clientWidth, cmdCloseRect_.width);
    frame1Rect_.top = panel.frameTop;
    frame1Rect_.width = panel.frameWidth;
    place(Frame1, frame1Rect_);
    cmdCloseRect_.left = panel.closeLeft;
    place(cmdClose, cmdCloseRect_);
}
