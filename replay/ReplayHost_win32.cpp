#include "replay/ReplayHost_win32.h"

#include <shellapi.h>

#include "assets/resource.h"
#include "record/RecordFile_win32.h"
#include "record/RecordTexts.h"
#include "replay/MainWindowIntents.h"
#include "platform/TextConversion.h"
#include "ui/FileDialog.h"

ReplayHost::~ReplayHost() {
    analysis_.reset();
    window_.reset();
}

void ReplayHost::openAnalysis(const std::string& path, const std::string& second) {
    if (!form_) return;
    analysis_.reset();
    analysis_ = std::make_unique<TFormAnalysis>(
        form_->handle(), *registry_, path, second,
        [this, path](uint32_t timeMs) { seekReplay(path, timeMs); },
        [this] { form_->post([this] { closeAnalysis(); }); });
}

void ReplayHost::closeAnalysis() {
    analysis_.reset();
}

void ReplayHost::seekReplay(const std::string& path, uint32_t timeMs) {
    if (window_ && replayPath_ == path) {
        window_->session().player().pause(window_->session());
        window_->session().player().seek(timeMs, window_->session());
        window_->refresh();
        return;
    }
    // The replay shows the recording first; the moment follows once it is up.
    pendingSeekMs_ = timeMs;
    seekPending_ = true;
    if (!open(path)) seekPending_ = false;
}

void ReplayHost::attach(ui::Form& form, MainWindowIntents& main, MainState& state,
                        LinkEvents& events, SelectionView& view, RepaintRequests& repaint,
                        Registry& registry, const std::string& startupRecording) {
    form_ = &form;
    main_ = &main;
    state_ = &state;
    events_ = &events;
    view_ = &view;
    repaint_ = &repaint;
    registry_ = &registry;
    OpenButton.setBounds(704, 322, 67, 20);
    OpenButton.setPicture(ui::Bitmap::FromResource(IDB_MAIN_OPEN));
    OpenButton.OnMouseDown = [this](ui::MouseButton, int, int) {
        OpenButton.setPicture(ui::Bitmap::FromResource(IDB_MAIN_OPEN_LIT));
    };
    OpenButton.OnMouseUp = [this](ui::MouseButton, int, int) {
        OpenButton.setPicture(ui::Bitmap::FromResource(IDB_MAIN_OPEN));
        openPressed();
    };
    form.add(OpenButton);

    DragAcceptFiles(form.handle(), TRUE);
    dropHandler_ = form.addChildHandler([this](UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
        if (msg != WM_DROPFILES) return false;
        HDROP drop = reinterpret_cast<HDROP>(wp);
        std::string path;
        const UINT length = DragQueryFileW(drop, 0, nullptr, 0);
        if (length > 0) {
            std::wstring wide(length + 1, L'\0');
            DragQueryFileW(drop, 0, wide.data(), length + 1);
            wide.resize(length);
            path = Narrow(wide);
        }
        DragFinish(drop);
        if (!path.empty()) {
            // Not inside the drop: a message box here would hold up the Explorer.
            form_->post([this, path] { open(path); });
        }
        result = 0;
        return true;
    });
    if (!startupRecording.empty()) form.post([this, startupRecording] { open(startupRecording); });
}

void ReplayHost::showError(const char* text) {
    if (ShowError) return ShowError(text);
    MessageBoxW(form_->handle(), Widen(text).c_str(), L"MOTOSKOP", MB_OK | MB_ICONWARNING);
}

bool ReplayHost::open(const std::string& path) {
    if (!form_) return false;
    auto reader = std::make_unique<RecordingReader>();
    const ReadStatus status = OpenRecording(*reader, path);
    if (status == ReadStatus::CannotOpen || status == ReadStatus::NotRecording ||
        status == ReadStatus::NewerFormat) {
        showError(reader->message());
        return false;
    }
    if (reader->pollCount() == 0) {
        showError(rectext::kEmpty);
        return false;
    }
    // The link stops first: no poll and no command while a recording plays.
    const unsigned opening = ++opening_;
    auto held = std::make_shared<std::unique_ptr<RecordingReader>>(std::move(reader));
    const bool damaged = status == ReadStatus::Damaged;
    main_->stopLink([this, opening, held, path, damaged] {
        if (opening == opening_) show(std::move(*held), path, damaged);
    });
    return true;
}

void ReplayHost::show(std::unique_ptr<RecordingReader> reader, const std::string& path,
                      bool damaged) {
    if (window_) close();
    main_->enterReplay();
    auto session =
        std::make_unique<ReplaySession>(std::move(reader), clock_, *state_, *events_, *view_,
                                        *repaint_, *registry_, main_->userVehicle());
    window_ = std::make_unique<TFormReplay>(std::move(session), path, form_->handle(),
                                            [this] { form_->post([this] { close(); }); });
    replayPath_ = path;
    window_->OnAnalyse = [this, path] { form_->post([this, path] { openAnalysis(path); }); };
    if (seekPending_) {
        seekPending_ = false;
        window_->session().player().seek(pendingSeekMs_, window_->session());
        window_->refresh();
    }
    if (damaged) window_->showMessage(rectext::kDamaged);
    // A marker's text went into the file: it is read again, at the same moment.
    window_->OnMarkerTextSaved = [this, path](uint32_t timeMs) {
        form_->post([this, path, timeMs] {
            const std::string said = window_ ? window_->MessageLabel.text() : std::string();
            if (!open(path) || !window_) return;
            window_->session().player().seek(timeMs, window_->session());
            window_->refresh();
            window_->showMessage(said);
        });
    };
}

void ReplayHost::close() {
    if (!window_ || !form_) return;
    window_->session().close();
    window_.reset();
    main_->leaveReplay();
}

void ReplayHost::openPressed() {
    ui::FileDialogRequest request;
    request.title = L"Открыть запись";
    request.filter = L"Записи MOTOSKOP (*.mrec)\0*.mrec\0Все файлы\0*.*\0";
    const std::string file = ui::ChooseFileToOpen(form_->handle(), request);
    if (!file.empty()) open(file);
}
