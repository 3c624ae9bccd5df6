#pragma once
// What the link cycle changes outside its own data: window controls, carried
// out on the GUI thread by the Win32 side in the order they are called. The
// thread's own sleep is apart (link/LinkSuspension.h).
#include <string>

class LinkEvents {
  public:
    virtual ~LinkEvents() = default;
    virtual void setStatus(const std::string& text) = 0;             // Label51
    virtual void setReadout(int param, const std::string& text) = 0; // Param_1..Param_14
    virtual void setDiagButtonsEnabled(bool enabled) = 0;            // Image16, Image17
    virtual void repaintRawPanel() = 0;                              // OpenGLPanel5
};

// Events that go nowhere: a base for code that decodes without a window (export,
// tests, benchmarks) and overrides only what it wants to see.
class NoLinkEvents : public LinkEvents {
  public:
    void setStatus(const std::string&) override {}
    void setReadout(int, const std::string&) override {}
    void setDiagButtonsEnabled(bool) override {}
    void repaintRawPanel() override {}
};
