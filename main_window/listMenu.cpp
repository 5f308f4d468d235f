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

UINT trackMenu(HWND owner, POINT at, const MenuItem* items, int count) {
    PopupMenu menu;
    if (menu.get() == nullptr) {
        return 0;
    }
    for (int i = 0; i < count; ++i) {
        if (!AppendMenuA(menu.get(), MF_STRING | (items[i].enabled ? 0 : MF_GRAYED), items[i].id, items[i].text)) {
            return 0;
        }
    }
    const BOOL chosen = TrackPopupMenu(menu.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD,
                                       at.x, at.y, 0, owner, nullptr);
    return chosen > 0 ? static_cast<UINT>(chosen) : 0;
}

ListMenuChoice trackListMenu(HWND owner, POINT at, bool lineChosen) {
    const auto id = [](ListMenuChoice choice) { return static_cast<UINT>(choice); };
    const MenuItem items[] = {
        {id(ListMenuChoice::copy), "&Copy", lineChosen},
        {id(ListMenuChoice::copyWithDetails), "Copy with &details", lineChosen},
        {id(ListMenuChoice::copyAllWithDetails), "Copy &all with details", true},
        {id(ListMenuChoice::clear), "C&lear", true},
        {id(ListMenuChoice::suspects), "&Suspects", true},
    };
    const UINT chosen = trackMenu(owner, at, items, static_cast<int>(sizeof items / sizeof items[0]));
    return chosen <= id(ListMenuChoice::suspects) ? static_cast<ListMenuChoice>(chosen) : ListMenuChoice::none;
}
