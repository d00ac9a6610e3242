// Resolution-dependent measures (DisplayScale.h).

#include "windows/DisplayScale.h"

#include <cstddef>

#include "windows/Handles.h"
#include "windows/SystemLibrary.h"

namespace {

constexpr int kDefaultDpi = 96;

// Windows before Vista know the metrics without the padded border's field
// and refuse the longer structure.
constexpr UINT kXpNonClientMetricsSize = offsetof(NONCLIENTMETRICSA, iPaddedBorderWidth);

// The message font at the system DPI, as the user set it.
bool SystemMessageFont(LOGFONTA& font) {
    NONCLIENTMETRICSA metrics{};
    for (UINT size : {static_cast<UINT>(sizeof metrics), kXpNonClientMetricsSize}) {
        metrics.cbSize = size;
        if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, size, &metrics, 0)) {
            font = metrics.lfMessageFont;
            return true;
        }
    }
    return false;
}

}  // namespace

int SystemDpi() {
    UniqueWindowDc screen(GetDC(nullptr), nullptr);
    const int dpi = screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    return dpi > 0 ? dpi : kDefaultDpi;
}

int WindowDpi(HWND window, int fallback) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = FindUserFunction<GetDpiForWindowFn>("GetDpiForWindow");
    const UINT dpi = getDpiForWindow ? getDpiForWindow(window) : 0;
    return dpi > 0 ? static_cast<int>(dpi) : fallback;
}

SIZE OuterSizeForDpi(SIZE client, DWORD style, DWORD exStyle, int dpi, int systemDpi) {
    RECT outer{0, 0, client.cx, client.cy};
    bool adjusted = false;
    if (dpi != systemDpi) {
        using AdjustForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
        static const auto adjustForDpi = FindUserFunction<AdjustForDpiFn>("AdjustWindowRectExForDpi");
        adjusted = adjustForDpi && adjustForDpi(&outer, style, FALSE, exStyle, static_cast<UINT>(dpi));
    }
    if (!adjusted) AdjustWindowRectEx(&outer, style, FALSE, exStyle);
    return SIZE{outer.right - outer.left, outer.bottom - outer.top};
}

HFONT CreateMessageFont(int dpi, int systemDpi) {
    LOGFONTA font{};
    if (dpi == systemDpi) return SystemMessageFont(font) ? CreateFontIndirectA(&font) : nullptr;
    using ParametersForDpiFn = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);
    static const auto parametersForDpi = FindUserFunction<ParametersForDpiFn>("SystemParametersInfoForDpi");
    if (parametersForDpi) {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        if (parametersForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, static_cast<UINT>(dpi))) {
            return CreateFontIndirectW(&metrics.lfMessageFont);
        }
    }
    if (!SystemMessageFont(font)) return nullptr;
    font.lfHeight = MulDiv(font.lfHeight, dpi, systemDpi);
    return CreateFontIndirectA(&font);
}

int IconSize(int metric, int dpi, int systemDpi) {
    using MetricsForDpiFn = int(WINAPI*)(int, UINT);
    static const auto metricsForDpi = FindUserFunction<MetricsForDpiFn>("GetSystemMetricsForDpi");
    const int size = metricsForDpi ? metricsForDpi(metric, static_cast<UINT>(dpi)) : 0;
    return size > 0 ? size : MulDiv(GetSystemMetrics(metric), dpi, systemDpi);
}
