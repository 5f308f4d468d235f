#include "support/utf.h"

namespace {

void appendUtf8(std::string& out, unsigned long codePoint) {
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (codePoint >> 18));
        out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

bool isHighSurrogate(unsigned long unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool isLowSurrogate(unsigned long unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

constexpr wchar_t replacement = 0xFFFD;

}  // namespace

std::string utf8FromUtf16(const wchar_t* text, std::size_t length) {
    std::string out;
    out.reserve(length);
    for (std::size_t i = 0; i < length; ++i) {
        const unsigned long unit = static_cast<unsigned short>(text[i]);
        if (isHighSurrogate(unit) && i + 1 < length &&
            isLowSurrogate(static_cast<unsigned short>(text[i + 1]))) {
            const unsigned long low = static_cast<unsigned short>(text[++i]);
            appendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
        } else {
            appendUtf8(out, unit);
        }
    }
    return out;
}

std::string utf8FromUtf16(const std::wstring& text) {
    return utf8FromUtf16(text.data(), text.size());
}

std::size_t writeUtf16FromUtf8(const std::string& text, wchar_t* out) {
    std::size_t units = 0;
    const auto put = [&](unsigned long unit) {
        if (out != nullptr) {
            out[units] = static_cast<wchar_t>(unit);
        }
        ++units;
    };
    const std::size_t length = text.size();
    std::size_t i = 0;
    while (i < length) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        int trail = 0;
        unsigned long codePoint = 0;
        unsigned long smallest = 0;
        if (lead < 0x80) {
            codePoint = lead;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            trail = 1;
            codePoint = lead & 0x1F;
            smallest = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            trail = 2;
            codePoint = lead & 0x0F;
            smallest = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            trail = 3;
            codePoint = lead & 0x07;
            smallest = 0x10000;
        } else {
            put(replacement);
            ++i;
            continue;
        }
        std::size_t next = i + 1;
        for (int k = 0; k < trail && next < length; ++k, ++next) {
            const unsigned char byte = static_cast<unsigned char>(text[next]);
            if ((byte & 0xC0) != 0x80) {
                break;
            }
            codePoint = (codePoint << 6) | (byte & 0x3F);
        }
        if (next - i != static_cast<std::size_t>(trail) + 1 || codePoint < smallest ||
            codePoint > 0x10FFFF) {
            put(replacement);
            ++i;
            continue;
        }
        if (codePoint >= 0x10000) {
            codePoint -= 0x10000;
            put(0xD800 + (codePoint >> 10));
            put(0xDC00 + (codePoint & 0x3FF));
        } else {
            put(codePoint);
        }
        i = next;
    }
    return units;
}

std::wstring utf16FromUtf8(const std::string& text) {
    std::wstring out(writeUtf16FromUtf8(text, nullptr), L'\0');
    if (!out.empty()) {
        writeUtf16FromUtf8(text, &out[0]);
    }
    return out;
}
