#include "checks/TFormChecks.h"

#include <windowsx.h>

#include <algorithm>

#include "assets/resource.h"
#include "checks/LiveCheckRing.h"
#include "platform/Clock.h"
#include "platform/TextConversion.h"
#include "platform/UsbSerialAdapter_win32.h"
#include "state/Selection.h"
#include "ui/Colours.h"
#include "ui/Fonts.h"
#include "ui/SystemIds.h"

namespace {

// The places, as tools/artgen/ChecksArt.cpp draws their backgrounds.
constexpr int kWidth = 560, kHeight = 572;
constexpr int kCloseX = 536, kCloseY = 2, kCloseW = 18, kCloseH = 9;
constexpr int kDragW = 530, kDragH = 13;
constexpr int kAdapterTextX = 12, kAdapterTextY = 36, kAdapterTextW = 536, kAdapterTextH = 60;
constexpr int kListX = 12, kListY = 126, kListW = 536, kListH = 400;
constexpr int kButtonY = 543, kUpX = 12, kDownX = 40, kExitX = 523, kButtonW = 26, kButtonH = 19;
constexpr int kCaptionY = 20, kChecksCaptionY = 108, kStripTextY = 546;

constexpr unsigned kTickMs = 250;    // the window looks for a result this often
constexpr int64_t kRefreshMs = 1000; // and starts the checks again at most this often
constexpr int kPadding = 4;          // inside the wells
constexpr int kIndent = 16;          // figures, instructions and notes under their check
constexpr int kLineGap = 1;          // between the lines of a check
constexpr int kCheckGap = 4;         // between two checks
constexpr int kWheelStep = 45;       // pixels a notch of the wheel
constexpr int kPageOverlap = 30;     // pixels a page keeps of the one before
constexpr int kThumbWidth = 4;
constexpr int kBulletSize = 6;

constexpr COLORREF kNoteColour = RGB(120, 170, 125);
constexpr COLORREF kShownColour = RGB(70, 90, 76); // a figure shown, not judged
constexpr COLORREF kBandColour = RGB(22, 28, 26);  // every second check
constexpr COLORREF kThumbColour = RGB(90, 110, 96);

// The verdicts' colours: the readout's green and amber, the record control's alarm red.
struct VerdictLook {
    checks::Verdict verdict;
    COLORREF colour;
};
constexpr VerdictLook kVerdictLooks[] = {
    {checks::Verdict::Ok,        RGB(110,         230, 110)                  },
    {checks::Verdict::Attention, ui::kLabelAmber},
    {checks::Verdict::Fault,                        RGB(255,                                    90,    70)    },
    {checks::Verdict::NoData,                       RGB(150,                                  156, 160)},
};

COLORREF ColourOf(checks::Verdict v) {
    for (const VerdictLook& look : kVerdictLooks)
        if (look.verdict == v) return look.colour;
    return ui::kLabelGreen;
}

ui::FontSpec FontOf(bool bold) {
    ui::FontSpec font;
    font.bold = bold;
    return font;
}

// The height of text wrapped to width; draws it too when draw is set.
int WrappedText(HDC dc, const std::string& text, RECT box, bool bold, COLORREF colour, bool draw,
                UINT align = DT_LEFT) {
    HGDIOBJ old = SelectObject(dc, ui::GetFont(FontOf(bold)));
    const std::wstring wide = Widen(text);
    RECT measured = box;
    DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &measured,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | align);
    if (draw) {
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, colour);
        DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &box,
                  DT_WORDBREAK | DT_NOPREFIX | align);
    }
    SelectObject(dc, old);
    return measured.bottom - measured.top;
}

int TextWidth(HDC dc, const std::string& text, bool bold) {
    HGDIOBJ old = SelectObject(dc, ui::GetFont(FontOf(bold)));
    const std::wstring wide = Widen(text);
    SIZE size{};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    SelectObject(dc, old);
    return size.cx;
}

void Fill(HDC dc, const RECT& r, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

} // namespace

TFormChecks::TFormChecks(HWND owner, const checks::LiveCheckRing& ring, const Selection& selection,
                         std::function<void()> onClose)
    : ring_(ring), selection_(selection), onClose_(std::move(onClose)) {
    if (!create(owner, kWidth, kHeight, L"MOTOSKOP — Проверки")) return;
    build();
    OnCloseRequest = [this] { requestClose(); };
    placeBesideOwner();
    showAdapter();
    job_ = std::make_unique<checks::LiveChecksJob>(ring_);
    tick(); // the first run at once
    RefreshTimer.setEnabled(true);
    show();
}

TFormChecks::~TFormChecks() {
    RefreshTimer.setEnabled(false);
    job_.reset();
}

void TFormChecks::build() {
    setBackground(ui::Bitmap::FromJpegResource(IDJ_CHECKS_BACKGROUND));

    DragBar.setBounds(0, 0, kDragW, kDragH);
    DragBar.cursor = LoadCursorW(nullptr, ui::kSizeAllCursor);
    DragBar.OnMouseDown = [this](ui::MouseButton button, int, int) {
        if (button != ui::MouseButton::Left) return;
        ReleaseCapture();
        SendMessageW(handle(), WM_SYSCOMMAND, ui::kDragMoveCommand, 0);
    };
    add(DragBar);

    adapterArea_.painter = [this](HDC dc, const RECT& r) { paintAdapter(dc, r); };
    adapterArea_.setBounds(kAdapterTextX, kAdapterTextY, kAdapterTextW, kAdapterTextH);
    add(adapterArea_);
    listArea_.painter = [this](HDC dc, const RECT& r) { paintList(dc, r); };
    listArea_.setBounds(kListX, kListY, kListW, kListH);
    add(listArea_);

    struct Button {
        ui::Picture* picture;
        int left, top, width, height, resource;
        std::function<void()> action;
    };
    // clang-format off
    const Button buttons[] = {
        {&CloseButton, kCloseX, kCloseY,  kCloseW,  kCloseH,  IDB_MAIN_CLOSE,  [this] { requestClose(); }},
        {&UpButton,    kUpX,    kButtonY, kButtonW, kButtonH, IDB_CHECKS_UP,   [this] { scrollPages(-1); }},
        {&DownButton,  kDownX,  kButtonY, kButtonW, kButtonH, IDB_CHECKS_DOWN, [this] { scrollPages(1); }},
        {&ExitButton,  kExitX,  kButtonY, kButtonW, kButtonH, IDB_CHECKS_EXIT, [this] { requestClose(); }},
    };
    // clang-format on
    for (const Button& b : buttons) {
        b.picture->setBounds(b.left, b.top, b.width, b.height);
        b.picture->setPicture(ui::Bitmap::FromResource(b.resource));
        ui::MakePressButton(*b.picture, b.action);
        add(*b.picture);
    }

    struct Caption {
        ui::Label* label;
        int left, top;
        COLORREF colour;
        bool bold;
        const char* text;
    };
    // clang-format off
    const Caption captions[] = {
        {&AdapterCaption, 12,  kCaptionY,       ui::kLabelAmber, true,  "Адаптер"},
        {&ChecksCaption,  12,  kChecksCaptionY, ui::kLabelAmber, true,  "Проверки двигателя"},
        {&SummaryLabel,   160, kChecksCaptionY, ui::kLabelGreen, false, ""},
        {&SessionLabel,   74,  kStripTextY,     ui::kLabelGreen, false, ""},
        {&ExitLabel,      484, kStripTextY,     ui::kLabelGreen, false, "Выход"},
    };
    // clang-format on
    for (const Caption& c : captions) {
        c.label->setColour(c.colour);
        c.label->setBold(c.bold);
        c.label->place(c.left, c.top);
        c.label->setText(c.text);
        add(*c.label);
    }
    // Texts that change take the room up to the next control: a label measured narrower than
    // Wine draws its text would leave the end of a longer text unpainted.
    SummaryLabel.setFixedWidth(kListX + kListW - kPadding - SummaryLabel.left());
    SessionLabel.setFixedWidth(ExitLabel.left() - kPadding - SessionLabel.left());

    RefreshTimer.setInterval(kTickMs);
    RefreshTimer.OnTimer = [this] { tick(); };
}

void TFormChecks::placeBesideOwner() {
    RECT work{0, 0, 1366, 738};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    RECT o{0, 0, 0, 0};
    if (owner()) GetWindowRect(owner(), &o);
    // At the main window's right, or as far right as the screen lets it.
    const int left = std::max<int>(work.left, std::min<int>(o.right, work.right - kWidth));
    const int top = std::max<int>(work.top, std::min<int>(o.top, work.bottom - kHeight));
    moveTo(left, top);
}

void TFormChecks::tick() {
    checks::LiveChecksResult result;
    if (job_->take(result)) showResult(std::move(result));
    if (selection_.portName.get() != adapterPort_) showAdapter();
    const int64_t now = SteadyMs();
    const uint64_t revision = ring_.revision();
    if ((asked_ && revision == askedRevision_) || now - lastRunMs_ < kRefreshMs) return;
    if (!job_->start()) return; // the last run is still under way
    asked_ = true;
    askedRevision_ = revision;
    lastRunMs_ = now;
}

void TFormChecks::showAdapter() {
    adapterPort_ = selection_.portName.get();
    adapter_ = checks::AdapterLines(adapterPort_, QueryUsbSerialPort(adapterPort_));
    adapterArea_.invalidate();
}

void TFormChecks::showResult(checks::LiveChecksResult result) {
    ++refreshes_;
    view_ = std::move(result.view);
    SummaryLabel.setText(view_.summary);
    SessionLabel.setText(view_.session);
    layoutList();
    listArea_.invalidate();
}

void TFormChecks::layoutList() {
    HDC dc = GetDC(handle());
    laid_.assign(view_.lines.size(), Laid{});
    blocks_.clear();
    int y = kPadding;
    for (std::size_t k = 0; k < view_.lines.size(); ++k) {
        const checks::ViewLine& line = view_.lines[k];
        const bool check = line.kind == checks::LineKind::Check;
        if (check) {
            if (k > 0) y += kCheckGap;
            if (!blocks_.empty()) blocks_.back().height = y - kCheckGap / 2 - blocks_.back().top;
            blocks_.push_back(Laid{y - kCheckGap / 2, 0});
        }
        const int indent = check ? 0 : kIndent;
        const int verdictWidth = check ? TextWidth(dc, line.verdictText, true) + kPadding : 0;
        RECT box{kPadding + indent, 0, kListW - kPadding - kThumbWidth - verdictWidth, 10000};
        laid_[k].top = y;
        laid_[k].height = WrappedText(dc, line.text, box, check, 0, false);
        y += laid_[k].height + kLineGap;
    }
    ReleaseDC(handle(), dc);
    if (!blocks_.empty()) blocks_.back().height = y + kCheckGap / 2 - blocks_.back().top;
    contentHeight_ = y + kPadding;
    scrollBy(0); // the same place, kept within the new length
}

void TFormChecks::scrollPages(int pages) {
    scrollBy(pages * (kListH - kPageOverlap));
}

void TFormChecks::scrollBy(int pixels) {
    const int most = std::max(0, contentHeight_ - kListH);
    const int top = std::clamp(scroll_ + pixels, 0, most);
    if (top == scroll_) return;
    scroll_ = top;
    listArea_.invalidate();
}

void TFormChecks::paintAdapter(HDC dc, const RECT& area) {
    int y = area.top + kPadding / 2;
    for (std::size_t k = 0; k < adapter_.size(); ++k) {
        RECT box{area.left + kPadding, y, area.right - kPadding, area.bottom};
        if (box.top >= box.bottom) break;
        const COLORREF colour = k == 0 ? ui::kLabelAmber : ui::kLabelGreen;
        y += WrappedText(dc, adapter_[k], box, k == 0, colour, true);
    }
}

void TFormChecks::paintList(HDC dc, const RECT& area) {
    const int save = SaveDC(dc);
    IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
    const int right = area.right - kPadding - kThumbWidth;
    // Every second check on a band of its own, as the readout's rows.
    for (std::size_t b = 1; b < blocks_.size(); b += 2)
        Fill(dc,
             RECT{area.left, area.top + blocks_[b].top - scroll_, area.right - kThumbWidth,
                  area.top + blocks_[b].top + blocks_[b].height - scroll_},
             kBandColour);
    for (std::size_t k = 0; k < view_.lines.size() && k < laid_.size(); ++k) {
        const checks::ViewLine& line = view_.lines[k];
        const int top = area.top + laid_[k].top - scroll_;
        const int bottom = top + laid_[k].height;
        if (bottom < area.top || top > area.bottom) continue;
        RECT box{area.left + kPadding, top, right, bottom + 1};
        switch (line.kind) {
        case checks::LineKind::Check: {
            const int verdictWidth = TextWidth(dc, line.verdictText, true);
            WrappedText(dc, line.verdictText, RECT{right - verdictWidth, top, right, bottom + 1},
                        true, ColourOf(line.verdict), true);
            box.right -= verdictWidth + kPadding;
            WrappedText(dc, line.text, box, true, ui::kLabelGreen, true);
            break;
        }
        case checks::LineKind::Figure: {
            const int bulletTop = top + (laid_[k].height > 0 ? 4 : 0);
            Fill(dc,
                 RECT{box.left + 4, bulletTop, box.left + 4 + kBulletSize, bulletTop + kBulletSize},
                 line.judged ? ColourOf(line.verdict) : kShownColour);
            box.left += kIndent;
            WrappedText(dc, line.text, box, false, ui::kLabelGreen, true);
            break;
        }
        case checks::LineKind::Instruction:
            box.left += kIndent;
            WrappedText(dc, line.text, box, false, ui::kLabelAmber, true);
            break;
        case checks::LineKind::Note:
            box.left += kIndent;
            WrappedText(dc, line.text, box, false, kNoteColour, true);
            break;
        }
    }
    // Where the well's part lies in the whole list.
    if (contentHeight_ > kListH) {
        const int track = area.bottom - area.top;
        const int thumb = std::max(12, track * kListH / contentHeight_);
        const int at = (track - thumb) * scroll_ / std::max(1, contentHeight_ - kListH);
        Fill(dc, RECT{area.right - kThumbWidth, area.top + at, area.right, area.top + at + thumb},
             kThumbColour);
    }
    RestoreDC(dc, save);
}

void TFormChecks::requestClose() {
    RefreshTimer.setEnabled(false);
    if (onClose_) onClose_();
}

LRESULT TFormChecks::handleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_MOUSEWHEEL) {
        scrollBy(-GET_WHEEL_DELTA_WPARAM(wp) * kWheelStep / WHEEL_DELTA);
        return 0;
    }
    return ui::Form::handleMessage(msg, wp, lp);
}
