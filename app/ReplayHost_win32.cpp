#include "app/ReplayHost_win32.h"

#include <shellapi.h>

#include <commdlg.h>

#include "app/RecordControl_win32.h"
#include "app/TForm1.h"
#include "assets/resource.h"
#include "link/ComPort_win32.h"
#include "record/RecordFile_win32.h"
#include "record/RecordTexts.h"
#include "ui/Text.h"

namespace {

// How long a STOP may take before the recording is shown anyway.
constexpr int kStopWaitMs = 1500;

} // namespace

ReplayHost::~ReplayHost() {
    window_.reset();
}

void ReplayHost::attach(TForm1& form, Registry& registry, const std::string& startupRecording) {
    form_ = &form;
    registry_ = &registry;
    form.Image15.setDimWhenDisabled(true); // START is out of use while a recording plays
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
            path = ui::Narrow(wide);
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
    MessageBoxW(form_->handle(), ui::Widen(text).c_str(), L"MOTOSKOP", MB_OK | MB_ICONWARNING);
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
    if (window_) close();

    TForm1& f = *form_;
    // The link stops first: no poll and no command while a recording plays.
    if (f.connectState == 1) {
        f.Image15MouseUp();
        const DWORD until = GetTickCount() + kStopWaitMs;
        while (linkThread && !linkThread->SuspendedBySelf() && GetTickCount() < until)
            Sleep(5);
    }
    if (f.recordControl) f.recordControl->replayShown(true);
    f.Image15.setEnabled(false);
    f.Image16.setEnabled(false);
    for (ui::Picture* p : {&f.Image2, &f.Image3, &f.Image4})
        p->setEnabled(false);
    f.state.requests.clearCodesRequested = 0;

    UserVehicle user;
    const Selection& s = f.state.selection;
    user.carIndex = s.carIndex;
    user.engineIndex = s.engineIndex;
    user.carKey = s.carKey;
    user.engineKey = s.engineKey;
    user.family = s.ecuFamily.load();
    user.carLabel = f.Label2.text();
    user.engineLabel = f.Label3.text();
    auto session = std::make_unique<ReplaySession>(std::move(reader), clock_, f.state, f, f, f,
                                                   *registry_, std::move(user));
    window_ = std::make_unique<TFormReplay>(std::move(session), path, f.handle(),
                                            [this] { form_->post([this] { close(); }); });
    if (status == ReadStatus::Damaged) window_->showMessage(rectext::kDamaged);
    // A marker's text went into the file: it is read again, at the same moment.
    window_->OnMarkerTextSaved = [this, path](uint32_t timeMs) {
        form_->post([this, path, timeMs] {
            const std::string said = window_ ? window_->MessageLabel.text() : std::string();
            if (!open(path) || !window_) return;
            window_->session().seek(timeMs);
            window_->refresh();
            window_->showMessage(said);
        });
    };
    f.Image17.setEnabled(true); // the recording's trouble codes can be looked at
    return true;
}

void ReplayHost::close() {
    if (!window_ || !form_) return;
    TForm1& f = *form_;
    window_->session().close();
    window_.reset();
    f.state.requests.clearCodesRequested = 0;
    f.state.ecu.rawFrame.clear();
    if (f.recordControl) f.recordControl->replayShown(false);
    f.Image15.setEnabled(true);
    f.Image16.setEnabled(false);
    f.Image17.setEnabled(false);
    for (ui::Picture* p : {&f.Image2, &f.Image3, &f.Image4})
        p->setEnabled(true);
    f.repaintGraphs();
    f.OpenGLPanel5.Invalidate();
}

void ReplayHost::openPressed() {
    wchar_t file[MAX_PATH * 2] = {};
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = form_->handle();
    dialog.lpstrFilter = L"Записи MOTOSKOP (*.mrec)\0*.mrec\0Все файлы\0*.*\0";
    dialog.lpstrFile = file;
    dialog.nMaxFile = MAX_PATH * 2;
    dialog.lpstrTitle = L"Открыть запись";
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (GetOpenFileNameW(&dialog)) open(ui::Narrow(file));
}
