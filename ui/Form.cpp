#include "ui/Form.h"

#include <algorithm>
#include <windowsx.h>

#include <utility>

#include "ui/SystemIds.h"

namespace ui {

namespace {

constexpr UINT kRunPosted = WM_APP + 0x51;

bool Intersects(const RECT& a, const RECT& b) {
    RECT out;
    return IntersectRect(&out, &a, &b) != FALSE;
}

} // namespace

Form::~Form() {
    if (hwnd_) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
    for (Control* c : controls_)
        c->form_ = nullptr;
    if (brush_) DeleteObject(brush_);
}

bool Form::create(HWND owner, int width, int height, const wchar_t* title) {
    owner_ = owner;
    width_ = width;
    height_ = height;
    hwnd_ = createBound({L"MotoskopForm", CS_DBLCLKS, true}, 0, title, WS_POPUP | WS_CLIPCHILDREN,
                        0, 0, width, height, owner);
    if (!hwnd_) return false;
    if (owner && !OnCloseRequest) OnCloseRequest = [this] { close(); };
    return true;
}

void Form::setBackground(const Bitmap& picture) {
    background_ = picture;
    invalidateAll();
}

void Form::setColour(COLORREF colour) {
    colour_ = colour;
    if (brush_) DeleteObject(brush_);
    brush_ = CreateSolidBrush(colour);
    invalidateAll();
}

void Form::forget(Control& control) {
    controls_.erase(std::remove(controls_.begin(), controls_.end(), &control), controls_.end());
}

void Form::add(Control& control) {
    control.form_ = this;
    controls_.push_back(&control);
    control.invalidate();
}

void Form::moveTo(int left, int top) {
    if (hwnd_)
        SetWindowPos(hwnd_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::centreOnOwner() {
    if (!hwnd_ || !owner_) return;
    RECT o{};
    GetWindowRect(owner_, &o);
    moveTo(o.left + ((o.right - o.left) - width_) / 2, o.top + ((o.bottom - o.top) - height_) / 2);
}

void Form::show() {
    if (hwnd_) ShowWindow(hwnd_, SW_SHOW);
}

void Form::hide() {
    if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
}

bool Form::isVisible() const {
    return hwnd_ && IsWindowVisible(hwnd_);
}

void Form::close() {
    // The owner first, so that Windows hands the activation back to it.
    if (owner_) SetWindowEnabled(owner_, true);
    hide();
}

void Form::SetWindowEnabled(HWND window, bool enabled) {
    if (window) EnableWindow(window, enabled ? TRUE : FALSE);
}

void Form::setEnabled(bool enabled) {
    SetWindowEnabled(hwnd_, enabled);
}

bool Form::isEnabled() const {
    return hwnd_ && IsWindowEnabled(hwnd_);
}

void Form::invalidate(const RECT& area) {
    if (hwnd_) InvalidateRect(hwnd_, &area, FALSE);
}

void Form::invalidateAll() {
    if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

void Form::renderTo(HDC dc) {
    RECT all{0, 0, width_, height_};
    if (background_.empty() || background_.width() < width_ || background_.height() < height_) {
        HBRUSH fill = CreateSolidBrush(colour_);
        FillRect(dc, &all, fill);
        DeleteObject(fill);
    }
    DrawBitmap(dc, background_, 0, 0);
    RECT clip{};
    if (GetClipBox(dc, &clip) == NULLREGION) return;
    for (Control* c : controls_)
        if (c->visible() && Intersects(c->bounds(), clip)) c->paint(dc);
}

void Form::paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    const RECT& r = ps.rcPaint;
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w > 0 && h > 0) {
        // Compose the dirty rectangle off screen, then copy it in one go.
        HDC buffer = CreateCompatibleDC(dc);
        HBITMAP pixels = CreateCompatibleBitmap(dc, w, h);
        HGDIOBJ old = SelectObject(buffer, pixels);
        SetWindowOrgEx(buffer, r.left, r.top, nullptr);
        IntersectClipRect(buffer, r.left, r.top, r.right, r.bottom);
        renderTo(buffer);
        SetWindowOrgEx(buffer, 0, 0, nullptr);
        BitBlt(dc, r.left, r.top, w, h, buffer, 0, 0, SRCCOPY);
        SelectObject(buffer, old);
        DeleteObject(pixels);
        DeleteDC(buffer);
    }
    EndPaint(hwnd_, &ps);
}

Control* Form::controlAt(int x, int y) const {
    POINT p{x, y};
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        Control* c = *it;
        RECT b = c->bounds();
        if (c->visible() && c->takesMouse() && PtInRect(&b, p)) return c;
    }
    return nullptr;
}

void Form::mouseDown(MouseButton button, int x, int y) {
    if (captured_) return; // a second button while one is held
    Control* c = controlAt(x, y);
    if (!c || !c->enabled()) return; // a disabled picture ignores the mouse
    captured_ = c;
    capturedButton_ = button;
    SetCapture(hwnd_);
    if (c->OnMouseDown) c->OnMouseDown(button, x - c->left(), y - c->top());
}

void Form::mouseUp(MouseButton button, int x, int y) {
    Control* c = captured_;
    if (!c || button != capturedButton_) return;
    captured_ = nullptr;
    if (GetCapture() == hwnd_) ReleaseCapture();
    // Last statement: the handler may close or even destroy this form.
    if (c->OnMouseUp) c->OnMouseUp(button, x - c->left(), y - c->top());
}

bool Form::setCursorAt(int x, int y) {
    Control* c = controlAt(x, y);
    if (!c || !c->cursor) return false;
    SetCursor(c->cursor);
    return true;
}

void Form::post(std::function<void()> task) {
    {
        std::lock_guard<std::mutex> guard(postLock_);
        posted_.push_back(std::move(task));
    }
    if (hwnd_) PostMessageW(hwnd_, kRunPosted, 0, 0);
}

void Form::runPosted() {
    for (;;) {
        std::function<void()> task;
        {
            std::lock_guard<std::mutex> guard(postLock_);
            if (posted_.empty()) return;
            task = std::move(posted_.front());
            posted_.pop_front();
        }
        if (task) task();
    }
}

int Form::addChildHandler(ChildHandler handler) {
    const int id = nextHandlerId_++;
    childHandlers_.emplace_back(id, std::move(handler));
    return id;
}

// Emptied rather than erased: a handler may end its own control while the
// list is being walked.
void Form::removeChildHandler(int id) {
    for (auto& [handlerId, handler] : childHandlers_)
        if (handlerId == id) handler = nullptr;
}

LRESULT Form::handleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    for (auto& [id, handler] : childHandlers_) {
        LRESULT result = 0;
        if (handler && handler(msg, wp, lp, result)) return result;
    }
    const int x = GET_X_LPARAM(lp), y = GET_Y_LPARAM(lp);
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        paint();
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        mouseDown(MouseButton::Left, x, y);
        return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        mouseDown(MouseButton::Right, x, y);
        return 0;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        mouseDown(MouseButton::Middle, x, y);
        return 0;
    case WM_LBUTTONUP:
        mouseUp(MouseButton::Left, x, y);
        return 0;
    case WM_RBUTTONUP:
        mouseUp(MouseButton::Right, x, y);
        return 0;
    case WM_MBUTTONUP:
        mouseUp(MouseButton::Middle, x, y);
        return 0;
    case WM_SIZE:
        // Only a resizable window (the analysis) ever changes size.
        if (wp != SIZE_MINIMIZED) {
            width_ = LOWORD(lp);
            height_ = HIWORD(lp);
            invalidateAll();
        }
        break;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lp) != hwnd_) captured_ = nullptr;
        return 0;
    case WM_SETCURSOR:
        if (LOWORD(lp) == HTCLIENT) {
            POINT p;
            GetCursorPos(&p);
            ScreenToClient(hwnd_, &p);
            if (setCursorAt(p.x, p.y)) return TRUE;
        }
        break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
        if (brush_) {
            SetBkColor(reinterpret_cast<HDC>(wp), colour_);
            return reinterpret_cast<LRESULT>(brush_);
        }
        break;
    case WM_CLOSE:
        if (OnCloseRequest) OnCloseRequest();
        return 0;
    case kRunPosted:
        runPosted();
        return 0;
    default:
        break;
    }
    return DefWindowProcW(hwnd_, msg, wp, lp);
}

} // namespace ui
