#pragma once
// For Windows tests that make a system call fail: swaps one slot of this
// executable's import table (the program's calls go through it) for the life
// of the object. Declare the slot with
//     extern "C" decltype(&Function) __imp_Function;
#include <windows.h>

template <typename F> class ImportSwap {
  public:
    ImportSwap(F& slot, F replacement) : slot_(slot), real_(slot) { Set(replacement); }
    ~ImportSwap() { Set(real_); }
    ImportSwap(const ImportSwap&) = delete;
    ImportSwap& operator=(const ImportSwap&) = delete;

  private:
    void Set(F value) {
        DWORD previous = 0;
        VirtualProtect(&slot_, sizeof slot_, PAGE_READWRITE, &previous);
        slot_ = value;
        VirtualProtect(&slot_, sizeof slot_, previous, &previous);
    }

    F& slot_;
    F real_;
};
