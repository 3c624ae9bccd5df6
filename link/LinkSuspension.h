#pragma once
// How the link thread goes to sleep after closing the port or a failed open: the
// thread does it to itself (Com_Port), apart from the window updates it sends
// (LinkEvents); a press of START wakes it.
class LinkSuspension {
  public:
    virtual ~LinkSuspension() = default;
    // Suspends the calling link thread; returns when it has been resumed.
    virtual void suspendSelf() = 0;
};

// For code that runs the cycle on a thread of its own that never sleeps (tests,
// benchmarks).
class NoSuspension : public LinkSuspension {
  public:
    void suspendSelf() override {}
};
