#pragma once
// A standard control (list box, edit) as a child window of a form, in the skin's
// colours and "MS Sans Serif": it answers the form's colour messages for itself and
// destroys its window with it.
#include <windows.h>

namespace ui {

class Form;

class ChildControl {
  public:
    virtual ~ChildControl();
    ChildControl(const ChildControl&) = delete;
    ChildControl& operator=(const ChildControl&) = delete;

    HWND handle() const { return hwnd_; }
    void setColours(COLORREF text, COLORREF background);
    void setEnabled(bool enabled);

  protected:
    ChildControl() = default;
    // The window of the standard class, with the colours it starts in.
    bool createChild(Form& form, const wchar_t* windowClass, DWORD style, int left, int top,
                     int width, int height, COLORREF text, COLORREF background);
    // The form's notifications about this control other than its colours; true when handled.
    virtual bool notified(UINT, WPARAM, LRESULT&) { return false; }

  private:
    Form* form_ = nullptr;
    int handlerId_ = 0;
    HWND hwnd_ = nullptr;
    HBRUSH brush_ = nullptr;
    COLORREF text_ = 0, background_ = 0;
};

} // namespace ui
