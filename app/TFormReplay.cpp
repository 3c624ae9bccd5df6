#include "app/TFormReplay.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>

#include "app/CsvExportCommand.h"
#include "app/SystemChoices.h"
#include "assets/resource.h"
#include "record/CsvExport.h"
#include "record/MarkerTexts.h"
#include "record/RecordFile_win32.h"
#include "ui/Colours.h"
#include "ui/Fonts.h"
#include "ui/Text.h"

namespace {

constexpr int kWidth = 800, kHeight = 190;
constexpr COLORREF kListBackground = RGB(0, 0, 0);
constexpr COLORREF kEditBackground = RGB(10, 16, 12);
constexpr const char* kMarkerTextSaved = "Текст метки сохранён.";
constexpr UINT kTimerMs = 50;      // how often the clock is looked at: the live sampler's pace
constexpr int kSliderStepMs = 100; // one slider position
constexpr const char* kSpeedTexts[kReplaySpeedCount] = {"0,25×", "0,5×", "1×", "2×", "4×", "8×"};

std::string LocaleText(LCTYPE what) {
    wchar_t text[8] = {};
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, what, text, 8) == 0) return {};
    return ui::Narrow(text);
}

void Place(ui::Label& label, int left, int top, COLORREF colour, int width = 0,
           ui::Align align = ui::Align::Left) {
    label.setColour(colour);
    label.setAlignment(align);
    label.place(left, top);
    if (width) label.setFixedWidth(width);
}

} // namespace

PerformanceClock::PerformanceClock() {
    LARGE_INTEGER f;
    if (QueryPerformanceFrequency(&f) && f.QuadPart > 0) frequency_ = f.QuadPart;
}

int64_t PerformanceClock::nowUs() const {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<int64_t>(static_cast<long double>(now.QuadPart) * 1000000.0L /
                                static_cast<long double>(frequency_));
}

TFormReplay::TFormReplay(std::unique_ptr<ReplaySession> session, const std::string& path,
                         HWND owner, std::function<void()> onClose)
    : session_(std::move(session)), path_(path), onClose_(std::move(onClose)) {
    if (!create(owner, kWidth, kHeight, L"MOTOSKOP")) return;
    build();
    wire();
    // Under the main window's face, kept on the screen.
    POINT below{0, 572};
    RECT face{};
    if (owner && GetClientRect(owner, &face)) {
        below = {0, face.bottom};
        ClientToScreen(owner, &below);
    }
    const int screen = GetSystemMetrics(SM_CYSCREEN);
    if (screen > kHeight && below.y + kHeight > screen) below.y = screen - kHeight;
    moveTo(below.x, below.y);
    OnCloseRequest = [this] {
        if (onClose_) onClose_();
    };
    session_->start();
    refresh();
    show();
}

TFormReplay::~TFormReplay() {
    PlayTimer.setEnabled(false);
    if (listHandler_) removeChildHandler(listHandler_);
    if (EventList && IsWindow(EventList)) DestroyWindow(EventList);
    if (listBrush_) DeleteObject(listBrush_);
    if (MarkerEdit && IsWindow(MarkerEdit)) DestroyWindow(MarkerEdit);
    if (editBrush_) DeleteObject(editBrush_);
}

void TFormReplay::build() {
    setBackground(ui::Bitmap::FromResource(IDB_REPLAY_BACKGROUND));
    struct Spot {
        ui::Picture* picture;
        int left, top, width, height, resource;
    };
    const Spot spots[] = {
        {&StepBackButton,    120, 22,  26,  19, IDB_REPLAY_LEFT     },
        {&StepForwardButton, 148, 22,  26,  19, IDB_REPLAY_RIGHT    },
        {&SlowerButton,      190, 22,  26,  19, IDB_REPLAY_LEFT     },
        {&FasterButton,      264, 22,  26,  19, IDB_REPLAY_RIGHT    },
        {&PreviousButton,    306, 22,  26,  19, IDB_REPLAY_JUMP_PREV},
        {&NextButton,        334, 22,  26,  19, IDB_REPLAY_JUMP_NEXT},
        {&FromButton,        684, 92,  26,  19, IDB_REPLAY_NEXT     },
        {&ToButton,          684, 115, 26,  19, IDB_REPLAY_NEXT     },
        {&PresetButton,      684, 138, 26,  19, IDB_REPLAY_NEXT     },
        {&ExportButton,      508, 161, 120, 20, IDB_REPLAY_EXPORT   },
        {&CloseButton,       764, 161, 26,  19, IDB_REPLAY_EXIT     },
        {&MarkerSaveButton,  398, 159, 26,  19, IDB_REPLAY_SAVE     },
    };
    PlayButton.setBounds(12, 22, 95, 20);
    showPlayFace(false, false);
    add(PlayButton);
    for (const Spot& s : spots) {
        s.picture->setBounds(s.left, s.top, s.width, s.height);
        s.picture->setPicture(ui::Bitmap::FromResource(s.resource));
        add(*s.picture);
    }

    Place(StepCaption, 122, 7, ui::kLabelAmber);
    StepCaption.setText("Шаг");
    Place(SpeedCaption, 192, 7, ui::kLabelAmber);
    SpeedCaption.setText("Скорость");
    Place(JumpCaption, 308, 7, ui::kLabelAmber);
    JumpCaption.setText("Метка, событие");
    Place(SpeedLabel, 218, 25, ui::kLabelAmber, 44, ui::Align::Centre);
    SpeedLabel.setBold(true);
    Place(TimeLabel, 372, 25, ui::kLabelGreen, 204, ui::Align::Centre);
    TimeLabel.setBold(true);
    Place(DateLabel, 582, 25, ui::kLabelGreen, 206, ui::Align::Centre);
    DateLabel.setBold(true);
    Place(FromCaption, 508, 95, ui::kLabelGreen);
    FromCaption.setText("С:");
    Place(ToCaption, 508, 118, ui::kLabelGreen);
    ToCaption.setText("По:");
    Place(PresetCaption, 508, 141, ui::kLabelGreen);
    PresetCaption.setText("Вид:");
    Place(FromLabel, 540, 95, ui::kLabelAmber, 140, ui::Align::Centre);
    Place(ToLabel, 540, 118, ui::kLabelAmber, 140, ui::Align::Centre);
    Place(PresetLabel, 540, 141, ui::kLabelAmber, 140, ui::Align::Centre);
    Place(MessageLabel, 634, 164, ui::kLabelGreen, 126);
    Place(MarkerCaption, 16, 161, ui::kLabelGreen);
    MarkerCaption.setText("Текст метки:");
    for (ui::Label* l : {&StepCaption, &SpeedCaption, &JumpCaption, &SpeedLabel, &TimeLabel,
                         &DateLabel, &FromCaption, &ToCaption, &PresetCaption, &FromLabel, &ToLabel,
                         &PresetLabel, &MessageLabel, &MarkerCaption})
        add(*l);

    const uint32_t duration = session_->player().durationMs();
    Position.create(*this, 10, 52, kWidth - 20, 28, 0,
                    static_cast<int>((duration + kSliderStepMs - 1) / kSliderStepMs));
    // A tick every ten seconds at most, never a wall of them.
    SendMessageW(Position.handle(), TBM_SETTICFREQ, std::max(100, Position.max() / 60 / 100 * 100),
                 0);
    Position.setBackgroundColour(RGB(40, 46, 52));
    buildList();
    PlayTimer.setInterval(kTimerMs);
}

void TFormReplay::buildList() {
    EventList = CreateWindowExW(
        0, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
        14, 92, 474, 62, handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    MarkerEdit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 101, 161,
                                 288, 15, handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    if (MarkerEdit) {
        SendMessageW(MarkerEdit, WM_SETFONT,
                     reinterpret_cast<WPARAM>(ui::GetFont(ui::FontSpec{L"MS Sans Serif", -11})),
                     FALSE);
        // UTF-8 takes up to two bytes for a Cyrillic letter.
        SendMessageW(MarkerEdit, EM_LIMITTEXT, recfile::kMaxText / 2, 0);
        EnableWindow(MarkerEdit, FALSE);
    }
    MarkerSaveButton.setDimWhenDisabled(true);
    MarkerSaveButton.setEnabled(false);
    editBrush_ = CreateSolidBrush(kEditBackground);
    if (!EventList) return;
    SendMessageW(EventList, WM_SETFONT,
                 reinterpret_cast<WPARAM>(ui::GetFont(ui::FontSpec{L"MS Sans Serif", -11})), FALSE);
    listBrush_ = CreateSolidBrush(kListBackground);
    lines_ = ReplayEventLines(session_->reader());
    for (const ReplayEventLine& line : lines_)
        SendMessageW(EventList, LB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(ui::Widen(line.text).c_str()));
    listHandler_ = addChildHandler([this](UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
        if ((msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORSTATIC) &&
            reinterpret_cast<HWND>(lp) == MarkerEdit && MarkerEdit) {
            SetTextColor(reinterpret_cast<HDC>(wp), ui::kLabelAmber);
            SetBkColor(reinterpret_cast<HDC>(wp), kEditBackground);
            result = reinterpret_cast<LRESULT>(editBrush_);
            return true;
        }
        if (msg == WM_CTLCOLORLISTBOX && reinterpret_cast<HWND>(lp) == EventList) {
            SetTextColor(reinterpret_cast<HDC>(wp), ui::kLabelGreen);
            SetBkColor(reinterpret_cast<HDC>(wp), kListBackground);
            result = reinterpret_cast<LRESULT>(listBrush_);
            return true;
        }
        if (msg == WM_COMMAND && reinterpret_cast<HWND>(lp) == EventList &&
            HIWORD(wp) == LBN_SELCHANGE) {
            const LRESULT at = SendMessageW(EventList, LB_GETCURSEL, 0, 0);
            if (at >= 0 && static_cast<std::size_t>(at) < lines_.size())
                lineChosen(static_cast<std::size_t>(at));
            result = 0;
            return true;
        }
        return false;
    });
}

void TFormReplay::wire() {
    // The play button swaps its face, so its lit face is a picture of its own.
    PlayButton.OnMouseDown = [this](ui::MouseButton, int, int) {
        showPlayFace(showingPause_, true);
    };
    PlayButton.OnMouseUp = [this](ui::MouseButton, int, int) {
        showPlayFace(showingPause_, false);
        session_->togglePlay();
        refresh();
    };
    ui::MakePressButton(StepBackButton, [this] {
        session_->stepBack();
        refresh();
    });
    ui::MakePressButton(StepForwardButton, [this] {
        session_->stepForward();
        refresh();
    });
    ui::MakePressButton(SlowerButton, [this] { changeSpeed(-1); });
    ui::MakePressButton(FasterButton, [this] { changeSpeed(+1); });
    ui::MakePressButton(PreviousButton, [this] {
        session_->previousEvent();
        refresh();
    });
    ui::MakePressButton(NextButton, [this] {
        session_->nextEvent();
        refresh();
    });
    const int choices = static_cast<int>(session_->reader().markers().size()) + 1;
    ui::MakePressButton(FromButton, [this, choices] {
        from_ = (from_ + 1) % choices;
        refresh();
    });
    ui::MakePressButton(ToButton, [this, choices] {
        to_ = (to_ + 1) % choices;
        refresh();
    });
    ui::MakePressButton(PresetButton, [this] {
        standard_ = !standard_;
        refresh();
    });
    ui::MakePressButton(ExportButton, [this] { exportPressed(); });
    ui::MakePressButton(MarkerSaveButton, [this] { saveMarkerText(); });
    ui::MakePressButton(CloseButton, [this] {
        if (onClose_) onClose_();
    });
    Position.OnChange = [this] {
        if (movingSlider_) return;
        session_->seek(static_cast<uint32_t>(Position.position()) * kSliderStepMs);
        refresh();
    };
    PlayTimer.OnTimer = [this] {
        session_->tick();
        // The charts move at every tick; the time, date and slider every other one are
        // enough to read, and cost the window half its repaints.
        if (++ticks_ % 2 == 0 || !session_->player().playing()) refresh();
    };
}

void TFormReplay::showPlayFace(bool pause, bool lit) {
    const int face = (pause ? 2 : 0) + (lit ? 1 : 0);
    if (face == playFace_) return;
    playFace_ = face;
    showingPause_ = pause;
    static constexpr int kFaces[4] = {IDB_REPLAY_PLAY, IDB_REPLAY_PLAY_LIT, IDB_REPLAY_PAUSE,
                                      IDB_REPLAY_PAUSE_LIT};
    PlayButton.setPicture(ui::Bitmap::FromResource(kFaces[face]));
}

void TFormReplay::lineChosen(std::size_t line) {
    session_->seek(lines_[line].timeMs);
    refresh();
    // A marker's line lets its text be typed.
    markerNumber_ = lines_[line].marker;
    std::string text;
    for (const MarkerInfo& m : session_->reader().markers())
        if (m.number == markerNumber_) text = m.text;
    if (MarkerEdit) {
        SetWindowTextW(MarkerEdit, ui::Widen(text).c_str());
        EnableWindow(MarkerEdit, markerNumber_ > 0 ? TRUE : FALSE);
    }
    MarkerSaveButton.setEnabled(markerNumber_ > 0);
}

void TFormReplay::saveMarkerText() {
    if (markerNumber_ <= 0 || !MarkerEdit) return;
    const int length = GetWindowTextLengthW(MarkerEdit);
    std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(MarkerEdit, wide.data(), length + 1);
    wide.resize(static_cast<std::size_t>(length));
    std::string text = ui::Narrow(wide);
    // Cut to what a record holds, never inside a letter.
    if (text.size() > recfile::kMaxText) {
        std::size_t cut = recfile::kMaxText;
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
            --cut;
        text.resize(cut);
    }
    Win32RecordFile file;
    const FileError error = AppendMarkerText(file, path_, session_->reader(), markerNumber_, text);
    if (error != FileError::None) {
        showMessage(MarkerTextMessage(error));
        return;
    }
    showMessage(kMarkerTextSaved);
    if (OnMarkerTextSaved) OnMarkerTextSaved(session_->player().positionMs());
}

void TFormReplay::changeSpeed(int by) {
    session_->setSpeedIndex(session_->player().speedIndex() + by);
    refresh();
}

void TFormReplay::refresh() {
    const ReplayPlayer& player = session_->player();
    const bool playing = player.playing();
    if (PlayTimer.enabled() != playing) PlayTimer.setEnabled(playing);
    showPlayFace(playing, false);
    SpeedLabel.setText(kSpeedTexts[player.speedIndex()]);
    TimeLabel.setText(FormatElapsed(player.positionMs()) + " / " +
                      FormatElapsed(player.durationMs()));
    DateLabel.setText(RecordedDateTime(session_->reader(), player.positionMs()));
    movingSlider_ = true;
    Position.setPosition(static_cast<int>(player.positionMs() / kSliderStepMs));
    movingSlider_ = false;
    FromLabel.setText(SpanChoiceText(session_->reader(), from_, false));
    ToLabel.setText(SpanChoiceText(session_->reader(), to_, true));
    PresetLabel.setText(standard_ ? "стандарт" : "Excel");
}

void TFormReplay::exportTo(const std::string& path) {
    CsvOptions options = StandardCsv();
    if (!standard_) {
        const char decimal = ChooseDecimalSeparator(LocaleText(LOCALE_SDECIMAL));
        options = ExcelCsv(ChooseListSeparator(LocaleText(LOCALE_SLIST), decimal), decimal);
    }
    Win32RecordFile file;
    const FileError error = ExportCsv(session_->reader(), options,
                                      SpanOfChoices(session_->reader(), from_, to_), file, path);
    showMessage(ExportMessage(error, path));
}

void TFormReplay::exportPressed() {
    const bool wasPlaying = session_->player().playing();
    if (wasPlaying) session_->togglePlay();
    refresh();
    std::wstring name = ui::Widen(DefaultCsvPath(path_));
    wchar_t file[MAX_PATH * 2] = {};
    name.copy(file, std::min<std::size_t>(name.size(), MAX_PATH * 2 - 1));
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = handle();
    dialog.lpstrFilter = L"CSV (*.csv)\0*.csv\0Все файлы\0*.*\0";
    dialog.lpstrFile = file;
    dialog.nMaxFile = MAX_PATH * 2;
    dialog.lpstrDefExt = L"csv";
    dialog.lpstrTitle = L"Экспорт CSV";
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetSaveFileNameW(&dialog)) return;
    // The user agreed to replace the file; the export itself never overwrites.
    if (GetFileAttributesW(file) != INVALID_FILE_ATTRIBUTES) DeleteFileW(file);
    exportTo(ui::Narrow(file));
}
