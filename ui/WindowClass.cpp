#include "ui/WindowClass.h"

#include <string>
#include <vector>

#include "ui/SystemIds.h"

namespace ui {

namespace {

bool RegisterOnce(const wchar_t* name, UINT style, bool programIcon, WNDPROC proc) {
    static std::vector<std::wstring> registered; // GUI thread only
    for (const std::wstring& done : registered)
        if (done == name) return true;
    WNDCLASSW wc{};
    wc.style = style;
    if (programIcon) wc.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, kArrowCursor);
    wc.lpszClassName = name;
    if (RegisterClassW(&wc) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
    registered.emplace_back(name);
    return true;
}

} // namespace

HWND WindowObject::createBound(const ClassInfo& info, DWORD exStyle, const wchar_t* title,
                               DWORD style, int x, int y, int width, int height, HWND parent) {
    if (!RegisterOnce(info.name, info.style, info.programIcon, &WindowObject::Proc)) return nullptr;
    return CreateWindowExW(exStyle, info.name, title, style, x, y, width, height, parent, nullptr,
                           GetModuleHandleW(nullptr), this);
}

LRESULT CALLBACK WindowObject::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* created = reinterpret_cast<const CREATESTRUCTW*>(lp);
        auto* object = static_cast<WindowObject*>(created->lpCreateParams);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
        if (object) object->bound(hwnd);
    }
    auto* object = reinterpret_cast<WindowObject*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!object) return DefWindowProcW(hwnd, msg, wp, lp);
    const LRESULT result = object->windowMessage(hwnd, msg, wp, lp);
    if (msg == WM_NCDESTROY) SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    return result;
}

} // namespace ui
