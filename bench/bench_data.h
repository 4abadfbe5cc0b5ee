#pragma once
// The files every benchmark program uses, made in memory: the logo and an oeminfo.ini of the program's layout.
#include <windows.h>

#include <string>

namespace bench {

// A 24-bit bottom-up bitmap of about 100 KB.
inline std::string LogoBytes() {
    const int width = 190, height = 176, row = (width * 3 + 3) & ~3;
    const DWORD pixels = static_cast<DWORD>(row * height);
    BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(14 + 40 + pixels), 0, 0, 14 + 40};
    BITMAPINFOHEADER info{40, width, height, 1, 24, BI_RGB, pixels, 2835, 2835, 0, 0};
    std::string bytes(reinterpret_cast<const char*>(&file), 14);
    bytes.append(reinterpret_cast<const char*>(&info), 40);
    for (DWORD i = 0; i < pixels; ++i)
        bytes += static_cast<char>(i * 7 % 251);
    return bytes;
}

// The four header lines, then support lines: `lines` lines in all, or (lines 0) at least minBytes. In code page
// 936 as the system writes it: maker 示例科技有限公司, model 示例 PC 2000, lines 技术支持热线：400-000-0000，网址 ...
inline std::string OemInfoText(std::size_t lines, std::size_t minBytes) {
    std::string text = "[General]\r\n"
                       "Manufacturer=\xCA\xBE\xC0\xFD\xBF\xC6\xBC\xBC\xD3\xD0\xCF\xDE\xB9\xAB\xCB\xBE\r\n"
                       "Model=\xCA\xBE\xC0\xFD PC 2000\r\n[Support Information]\r\n";
    for (std::size_t k = 1; (lines && k + 4 <= lines) || (!lines && text.size() < minBytes); ++k)
        text += "Line" + std::to_string(k) +
                "=\xBC\xBC\xCA\xF5\xD6\xA7\xB3\xD6\xC8\xC8\xCF\xDF\xA3\xBA" "400-000-0000\xA3\xAC\xCD\xF8\xD6\xB7"
                " https://support.example/\r\n";
    return text;
}

} // namespace bench
