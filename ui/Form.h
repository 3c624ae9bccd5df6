#pragma once
// A borderless skinned window: one background picture painted under its
// pictures and labels, double-buffered so frequent label changes never
// flicker. Secondary windows are centred on their owner and give the owner
// its input back when they close.
#include <windows.h>

#include <deque>
#include <functional>
#include <mutex>
#include <vector>

#include "ui/WindowClass.h"
#include "ui/Bitmap.h"
#include "ui/Control.h"

namespace ui {

class Form : public WindowObject {
  public:
    Form() = default;
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // Creates the (hidden) window with a client area of width x height.
    bool create(HWND owner, int width, int height, const wchar_t* title = L"");
    HWND handle() const { return hwnd_; }
    HWND owner() const { return owner_; }
    int clientWidth() const { return width_; }
    int clientHeight() const { return height_; }

    void setBackground(const Bitmap& picture);
    const Bitmap& background() const { return background_; }
    // Window background where the picture does not reach (and for child controls).
    void setColour(COLORREF colour);
    COLORREF colour() const { return colour_; }
    void add(Control& control); // painted above everything added before

    void moveTo(int left, int top);
    void centreOnOwner();
    void show();
    void hide();
    bool isVisible() const;
    // Hides the window and, for a secondary window, enables its owner again.
    void close();
    void setEnabled(bool enabled);
    bool isEnabled() const;
    static void SetWindowEnabled(HWND window, bool enabled);

    void invalidate(const RECT& area);
    void invalidateAll();
    // Paints the whole face (background, pictures, labels) into dc, as on screen.
    void renderTo(HDC dc);

    // Runs task on the GUI thread, after every task posted before it.
    // Callable from any thread.
    void post(std::function<void()> task);

    // The system asked the window to close (Alt+F4 and the like). The default
    // for a secondary window is close(), so its owner never stays disabled.
    std::function<void()> OnCloseRequest;

    // Child windows (trackbars, lists, panels) register themselves for their
    // notifications; return true when handled.
    // The returned id takes the handler away again.
    using ChildHandler = std::function<bool(UINT msg, WPARAM, LPARAM, LRESULT& result)>;
    int addChildHandler(ChildHandler handler);
    void removeChildHandler(int id);

  protected:
    virtual LRESULT handleMessage(UINT msg, WPARAM wp, LPARAM lp);

  private:
    LRESULT windowMessage(HWND, UINT msg, WPARAM wp, LPARAM lp) override {
        return handleMessage(msg, wp, lp);
    }
    void bound(HWND hwnd) override { hwnd_ = hwnd; }
    void paint();
    Control* controlAt(int x, int y) const;
    void mouseDown(MouseButton button, int x, int y);
    void mouseUp(MouseButton button, int x, int y);
    bool setCursorAt(int x, int y);
    void runPosted();

    HWND hwnd_ = nullptr;
    HWND owner_ = nullptr;
    int width_ = 0, height_ = 0;
    Bitmap background_;
    COLORREF colour_ = RGB(0, 0, 0);
    HBRUSH brush_ = nullptr;
    std::vector<Control*> controls_;
    friend class Control;
    void forget(Control& control); // a control going away
    std::vector<std::pair<int, ChildHandler>> childHandlers_;
    int nextHandlerId_ = 1;
    Control* captured_ = nullptr;
    MouseButton capturedButton_ = MouseButton::Left;

    std::mutex postLock_;
    std::deque<std::function<void()>> posted_;
};

} // namespace ui
