#pragma once
// The base of every window the program registers a class for (the skinned forms,
// the OpenGL panels): the class is registered once per name, and the window's
// messages go to the object passed to CreateWindowExW, which it is bound to at
// WM_NCCREATE and let go of after WM_NCDESTROY.
#include <windows.h>

namespace ui {

class WindowObject {
  public:
    virtual ~WindowObject() = default;

  protected:
    struct ClassInfo {
        const wchar_t* name;
        UINT style = 0;
        bool programIcon = false; // the exe's icon (resource 1)
    };
    // CreateWindowExW of the class (registered here the first time), bound to this object.
    HWND createBound(const ClassInfo& info, DWORD exStyle, const wchar_t* title, DWORD style, int x,
                     int y, int width, int height, HWND parent);
    // Every message of the bound window, from WM_NCCREATE to WM_NCDESTROY; bound() is set
    // before the first.
    virtual LRESULT windowMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) = 0;
    virtual void bound(HWND hwnd) = 0;

  private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
};

} // namespace ui
