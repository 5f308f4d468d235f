#include "main_window/listMenu.h"

namespace {

// The menu, destroyed on every path.
class PopupMenu {
public:
    PopupMenu() : menu_(CreatePopupMenu()) {}
    PopupMenu(const PopupMenu&) = delete;
    PopupMenu& operator=(const PopupMenu&) = delete;
    ~PopupMenu() {
        if (menu_ != nullptr) {
            DestroyMenu(menu_);
        }
    }
    HMENU get() const { return menu_; }

private:
    HMENU menu_;
};

}  // namespace

ListMenuChoice trackListMenu(HWND owner, POINT at, bool lineChosen) {
    PopupMenu menu;
    if (menu.get() == nullptr) {
        return ListMenuChoice::none;
    }
    const UINT forOneLine = MF_STRING | (lineChosen ? 0 : MF_GRAYED);
    if (!AppendMenuA(menu.get(), forOneLine, static_cast<UINT_PTR>(ListMenuChoice::copy), "&Copy") ||
        !AppendMenuA(menu.get(), forOneLine, static_cast<UINT_PTR>(ListMenuChoice::copyWithDetails),
                     "Copy with &details") ||
        !AppendMenuA(menu.get(), MF_STRING, static_cast<UINT_PTR>(ListMenuChoice::copyAllWithDetails),
                     "Copy &all with details") ||
        !AppendMenuA(menu.get(), MF_STRING, static_cast<UINT_PTR>(ListMenuChoice::clear), "C&lear")) {
        return ListMenuChoice::none;
    }
    const BOOL chosen =
        TrackPopupMenu(menu.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, at.x, at.y, 0,
                       owner, nullptr);
    return chosen > 0 && chosen <= static_cast<BOOL>(ListMenuChoice::clear) ? static_cast<ListMenuChoice>(chosen)
                                                                             : ListMenuChoice::none;
}
