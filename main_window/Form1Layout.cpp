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
    const QuarterTwips outerWidth = pixelsToTwips(outer.right - outer.left, dpiX_);
    const QuarterTwips clientWidth = pixelsToTwips(client.right - client.left, dpiX_);
    const QuarterTwips clientHeight = pixelsToTwips(client.bottom - client.top, dpiY_);

    const ListSize listSize = listSizeFor(outerWidth, clientHeight, frame1Rect_.height,
                                          {list1Rect_.width, list1Rect_.height});
    list1Rect_.width = listSize.width;
    list1Rect_.height = listSize.height;
    place(List1, list1Rect_);

    // The list shows whole lines only, and the panel follows the height it
    // really has. The list box is made without integral height, so that it
    // never changes its own height behind the layout's back (it would, while
    // the window is minimised, when its horizontal scroll bar comes or goes);
    // the cut is made here instead, from the list box's border and scroll
    // bar as they are now, so the same size always gives the same places.
    RECT listRect;
    RECT listClient;
    if (GetWindowRect(List1, &listRect) && GetClientRect(List1, &listClient)) {
        const int height = listRect.bottom - listRect.top;
        const int lineHeight = static_cast<int>(SendMessageA(List1, LB_GETITEMHEIGHT, 0, 0));
        const int kept = wholeLinesHeight(height, height - listClient.bottom, lineHeight);
        list1Rect_.height = pixelsToTwips(kept, dpiY_);
        if (kept != height) {
            place(List1, list1Rect_);
        }
    }

    const PanelPlacement panel =
        panelPlacementFor(list1Rect_.height, clientWidth, cmdCloseRect_.width);
    frame1Rect_.top = panel.frameTop;
    frame1Rect_.width = panel.frameWidth;
    place(Frame1, frame1Rect_);
    cmdCloseRect_.left = panel.closeLeft;
    place(cmdClose, cmdCloseRect_);
}
