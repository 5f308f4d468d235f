#include <gtest/gtest.h>

#include "inventory/taskWindowRule.h"

namespace {

constexpr std::uint32_t overlapped = 0x14CF0000u;  // WS_OVERLAPPEDWINDOW | WS_VISIBLE

WindowTraits ordinary() {
    WindowTraits window;
    window.style = overlapped;
    window.className = "EditorFrame";
    window.visible = 1;
    window.width = 640;
    window.height = 480;
    return window;
}

struct RuleCase {
    const char* name;
    WindowTraits window;
    bool qualifies;
};

RuleCase with(const char* name, bool qualifies, void (*change)(WindowTraits&)) {
    WindowTraits window = ordinary();
    change(window);
    return {name, window, qualifies};
}

TEST(TaskWindowRule, DecidesWhichWindowsGetTheirExecutableNamed) {
    const RuleCase cases[] = {
        with("an ordinary window", true, [](WindowTraits&) {}),
        with("a pop-up", false, [](WindowTraits& w) { w.style |= 0x80000000u; }),
        with("a child", false, [](WindowTraits& w) { w.style = 0x50000000u; }),
        with("disabled", false, [](WindowTraits& w) { w.style |= 0x08000000u; }),
        with("style bit 0x80", false, [](WindowTraits& w) { w.style |= 0x80u; }),
        with("other low style bits", true, [](WindowTraits& w) { w.style |= 0x7Fu; }),
        with("no class name", false, [](WindowTraits& w) { w.className.clear(); }),
        with("tooltips_class32", false, [](WindowTraits& w) { w.className = "tooltips_class32"; }),
        with("ToolTip inside", false, [](WindowTraits& w) { w.className = "MyToOlTiPHost"; }),
        with("Tool_Tip", true, [](WindowTraits& w) { w.className = "Tool_Tip"; }),
        with("the taskbar", false, [](WindowTraits& w) { w.className = "Shell_TrayWnd"; }),
        with("the taskbar in lower case", true, [](WindowTraits& w) { w.className = "shell_traywnd"; }),
        with("taskbar name inside", true, [](WindowTraits& w) { w.className = "Shell_TrayWnd2"; }),
        with("hidden", false, [](WindowTraits& w) { w.visible = 0; }),
        with("visible answers 2", false, [](WindowTraits& w) { w.visible = 2; }),
        with("no width", false, [](WindowTraits& w) { w.width = 0; }),
        with("no height", false, [](WindowTraits& w) { w.height = 0; }),
        with("negative height", false, [](WindowTraits& w) { w.height = -5; }),
        with("one pixel", true, [](WindowTraits& w) { w.width = w.height = 1; }),
        with("owned by a visible window", false, [](WindowTraits& w) { w.parentOrOwnerVisible = true; }),
    };
    for (const RuleCase& c : cases) {
        EXPECT_EQ(qualifiesForLookup(c.window), c.qualifies) << c.name;
    }
}

}  // namespace
