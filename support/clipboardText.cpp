#include "support/clipboardText.h"

#include <cstring>

#include "support/basOSinfo.h"
#include "support/clipboardHandles.h"
#include "support/systemText.h"

namespace {

constexpr UINT clipboardMemory = GMEM_MOVEABLE | GMEM_DDESHARE;

// The 95 family: the pieces as they are, in the system's code page.
bool ansiTextOf(const TextPieces& pieces, GlobalBlock& ansi) {
    std::size_t bytes = 0;
    pieces([&](const std::string& piece) { bytes += piece.size(); });
    ansi.allocate(clipboardMemory, bytes + 1);
    LockedBlock<char> out(ansi);
    if (out.get() == nullptr) {
        return false;
    }
    std::size_t written = 0;
    pieces([&](const std::string& piece) {
        const std::size_t size = written + piece.size() <= bytes ? piece.size() : 0;
        std::memcpy(out.get() + written, piece.data(), size);
        written += size;
    });
    out.get()[written] = '\0';
    return true;
}

// The NT family: the pieces as UTF-16, then the system's code page made from
// that copy.
bool wideAndAnsiTextOf(const TextPieces& pieces, GlobalBlock& wide, GlobalBlock& ansi) {
    std::size_t units = 0;
    pieces([&](const std::string& piece) { units += writeWideFromText(piece, nullptr); });
    wide.allocate(clipboardMemory, (units + 1) * sizeof(wchar_t));
    LockedBlock<wchar_t> wideOut(wide);
    if (wideOut.get() == nullptr) {
        return false;
    }
    std::size_t written = 0;
    pieces([&](const std::string& piece) {
        if (written + writeWideFromText(piece, nullptr) <= units) {
            written += writeWideFromText(piece, wideOut.get() + written);
        }
    });
    wideOut.get()[written] = L'\0';
    const std::size_t bytes = ansiFromWide(wideOut.get(), written, nullptr, 0);
    ansi.allocate(clipboardMemory, bytes + 1);
    LockedBlock<char> ansiOut(ansi);
    if (ansiOut.get() == nullptr) {
        return false;
    }
    ansiOut.get()[ansiFromWide(wideOut.get(), written, ansiOut.get(), bytes)] = '\0';
    return true;
}

// Hands `block` to the open clipboard as `format`, which then owns it.
bool hand(GlobalBlock& block, UINT format) {
    if (SetClipboardData(format, block.get()) == nullptr) {
        return false;
    }
    block.release();
    return true;
}

}  // namespace

bool copyPiecesToClipboard(HWND owner, const TextPieces& pieces) {
    // Everything is made before the clipboard is touched: should memory run
    // short, the clipboard keeps what it had.
    GlobalBlock wide;
    GlobalBlock ansi;
    if (OSInfo.isNT ? !wideAndAnsiTextOf(pieces, wide, ansi) : !ansiTextOf(pieces, ansi)) {
        return false;
    }
    OpenClipboardSession clipboard(owner);
    if (!clipboard.isOpen() || !EmptyClipboard()) {
        return false;
    }
    const bool unicode = !OSInfo.isNT || hand(wide, CF_UNICODETEXT);
    return hand(ansi, CF_TEXT) && unicode;
}

bool copyTextToClipboard(HWND owner, const std::string& text) {
    return copyPiecesToClipboard(owner, [&text](const TakePiece& take) { take(text); });
}
