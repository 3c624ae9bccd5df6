#pragma once
// The checks window «Проверки»: beside the main window and never in its way (START/STOP, the
// charts and the readout go on), it shows the twelve checks of the live session so far, each
// with its verdict in its colour, its figures with the ranges they were judged by and, for
// «нет данных», what to do to get the data; above them the USB adapter behind the port with
// the advice for it. About once a second the checks run again off the GUI thread
// (checks/LiveChecksJob) on a copy of the session's ring; closing the window ends that work.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "checks/LiveChecksJob.h"
#include "checks/LiveChecksView.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/Picture.h"
#include "ui/Timer.h"

struct Selection;

namespace checks {
class LiveCheckRing;
}

class TFormChecks : public ui::Form {
  public:
    // Beside owner (the main window), shown. onClose runs when the user closes it (the owner
    // destroys it then).
    TFormChecks(HWND owner, const checks::LiveCheckRing& ring, const Selection& selection,
                std::function<void()> onClose);
    ~TFormChecks() override;

    // What the window shows, for tests.
    const checks::ChecksView& view() const { return view_; }
    const std::vector<std::string>& adapterLines() const { return adapter_; }
    int refreshes() const { return refreshes_; } // results taken from the job
    int scrollTop() const { return scroll_; }
    int contentHeight() const { return contentHeight_; }

    // A page of the list up or down (the arrow buttons), or pixels (the wheel).
    void scrollPages(int pages);
    void scrollBy(int pixels);

    ui::Picture DragBar, CloseButton, UpButton, DownButton, ExitButton;
    ui::Label AdapterCaption, ChecksCaption, SummaryLabel, SessionLabel, ExitLabel;
    ui::Timer RefreshTimer;

  protected:
    LRESULT handleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

  private:
    // A well's text, drawn by the window into the form's back buffer.
    class TextArea : public ui::Control {
      public:
        std::function<void(HDC, const RECT&)> painter;
        void paint(HDC dc) override {
            if (painter) painter(dc, bounds());
        }
        bool takesMouse() const override { return false; }
    };
    struct Laid {
        int top = 0, height = 0; // in the list, before scrolling
    };

    void build();
    void placeBesideOwner();
    void tick();
    void showAdapter();
    void showResult(checks::LiveChecksResult result);
    void layoutList();
    void paintAdapter(HDC dc, const RECT& area);
    void paintList(HDC dc, const RECT& area);
    void requestClose();

    const checks::LiveCheckRing& ring_;
    const Selection& selection_;
    std::function<void()> onClose_;
    checks::ChecksView view_;
    std::vector<Laid> laid_;   // each line
    std::vector<Laid> blocks_; // each check with its lines
    std::vector<std::string> adapter_;
    std::string adapterPort_;
    int contentHeight_ = 0, scroll_ = 0;
    int refreshes_ = 0;
    uint64_t askedRevision_ = 0;
    bool asked_ = false;
    int64_t lastRunMs_ = 0;
    TextArea adapterArea_, listArea_;
    // Last: its thread reads the ring until it is gone.
    std::unique_ptr<checks::LiveChecksJob> job_;
};
