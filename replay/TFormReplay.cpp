#include "replay/SaveDialogs_win32.h"
#include "replay/TFormReplay.h"

#include <commctrl.h>

#include <algorithm>

#include "replay/CsvExportCommand.h"
#include "replay/ReplayTexts.h"
#include "startup/SystemChoices.h"
#include "assets/resource.h"
#include "record/CsvExport.h"
#include "record/FileErrorTexts.h"
#include "record/MarkerTexts.h"
#include "record/RecordFile_win32.h"
#include "ui/Colours.h"
#include "ui/FileDialog.h"
#include "ui/Fonts.h"
#include "platform/TextConversion.h"
#include "platform/Win32System.h"

namespace {

constexpr int kWidth = 800, kHeight = 190;
constexpr UINT kTimerMs = kSamplePeriodMs; // how often the clock is looked at: the sampler's pace
constexpr int kSliderStepMs = 100;         // one slider position

void Place(ui::Label& label, int left, int top, COLORREF colour, int width = 0,
           ui::Align align = ui::Align::Left) {
    label.setColour(colour);
    label.setAlignment(align);
    label.place(left, top);
    if (width) label.setFixedWidth(width);
}

} // namespace

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
    session_->player().start(*session_);
    refresh();
    show();
}

TFormReplay::~TFormReplay() {
    PlayTimer.setEnabled(false);
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
        {&AnalyseButton,     716, 92,  72,  20, IDB_REPLAY_ANALYSE  },
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
    EventList.create(*this, 14, 92, 474, 62);
    lines_ = ReplayEventLines(session_->reader());
    std::vector<std::string> texts;
    for (const ReplayEventLine& line : lines_)
        texts.push_back(line.text);
    EventList.setLines(texts);
    EventList.OnChoose = [this](std::size_t line) { lineChosen(line); };
    MarkerEdit.create(*this, 101, 161, 288, 15);
    // UTF-8 takes up to two bytes for a Cyrillic letter.
    MarkerEdit.setLimit(recfile::kMaxText / 2);
    MarkerEdit.setEnabled(false);
    MarkerSaveButton.setDimWhenDisabled(true);
    MarkerSaveButton.setEnabled(false);
}

void TFormReplay::wire() {
    // The play button swaps its face, so its lit face is a picture of its own.
    PlayButton.OnMouseDown = [this](ui::MouseButton, int, int) {
        showPlayFace(showingPause_, true);
    };
    PlayButton.OnMouseUp = [this](ui::MouseButton, int, int) {
        showPlayFace(showingPause_, false);
        session_->player().togglePlay(*session_);
        refresh();
    };
    ui::MakePressButton(StepBackButton, [this] {
        session_->player().stepBack(*session_);
        refresh();
    });
    ui::MakePressButton(StepForwardButton, [this] {
        session_->player().stepForward(*session_);
        refresh();
    });
    ui::MakePressButton(SlowerButton, [this] { changeSpeed(-1); });
    ui::MakePressButton(FasterButton, [this] { changeSpeed(+1); });
    ui::MakePressButton(PreviousButton, [this] {
        session_->player().previousEvent(*session_);
        refresh();
    });
    ui::MakePressButton(NextButton, [this] {
        session_->player().nextEvent(*session_);
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
    ui::MakePressButton(AnalyseButton, [this] {
        if (OnAnalyse) OnAnalyse();
    });
    ui::MakePressButton(CloseButton, [this] {
        if (onClose_) onClose_();
    });
    Position.OnChange = [this] {
        if (movingSlider_) return;
        session_->player().seek(static_cast<uint32_t>(Position.position()) * kSliderStepMs,
                                *session_);
        refresh();
    };
    PlayTimer.OnTimer = [this] {
        session_->player().advance(*session_);
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
    session_->player().seek(lines_[line].timeMs, *session_);
    refresh();
    // A marker's line lets its text be typed.
    markerNumber_ = lines_[line].marker;
    std::string text;
    for (const MarkerInfo& m : session_->reader().markers())
        if (m.number == markerNumber_) text = m.text;
    MarkerEdit.setText(text);
    MarkerEdit.setEnabled(markerNumber_ > 0);
    MarkerSaveButton.setEnabled(markerNumber_ > 0);
}

void TFormReplay::saveMarkerText() {
    if (markerNumber_ <= 0 || !MarkerEdit.handle()) return;
    std::string text = MarkerEdit.text();
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
        showMessage(FileErrorText(error, FileSituation::MarkerText));
        return;
    }
    showMessage(kMarkerTextSaved);
    if (OnMarkerTextSaved) OnMarkerTextSaved(session_->player().positionMs());
}

void TFormReplay::changeSpeed(int by) {
    session_->player().setSpeedIndex(session_->player().speedIndex() + by);
    refresh();
}

void TFormReplay::refresh() {
    const ReplayPlayer& player = session_->player();
    const bool playing = player.playing();
    if (PlayTimer.enabled() != playing) PlayTimer.setEnabled(playing);
    showPlayFace(playing, false);
    SpeedLabel.setText(kReplaySpeedTexts[player.speedIndex()]);
    TimeLabel.setText(FormatElapsed(player.positionMs()) + " / " +
                      FormatElapsed(player.durationMs()));
    DateLabel.setText(RecordedDateTime(session_->reader(), player.positionMs()));
    movingSlider_ = true;
    Position.setPosition(static_cast<int>(player.positionMs() / kSliderStepMs));
    movingSlider_ = false;
    FromLabel.setText(SpanChoiceText(session_->reader(), from_, false));
    ToLabel.setText(SpanChoiceText(session_->reader(), to_, true));
    PresetLabel.setText(standard_ ? kStandardPresetText : kExcelPresetText);
}

void TFormReplay::exportTo(const std::string& path) {
    const CsvOptions options = CsvPreset(standard_, UserLocaleText(LocaleItem::ListSeparator),
                                         UserLocaleText(LocaleItem::DecimalSeparator));
    Win32RecordFile file;
    const FileError error = ExportCsv(session_->reader(), options,
                                      SpanOfChoices(session_->reader(), from_, to_), file, path);
    showMessage(ExportMessage(error, path));
}

void TFormReplay::exportPressed() {
    const bool wasPlaying = session_->player().playing();
    if (wasPlaying) session_->player().pause(*session_);
    refresh();
    const std::string file = AskCsvPath(handle(), path_);
    if (!file.empty()) exportTo(file);
}
