#include "codes/TForm4.h"

#include "state/MainState.h"
#include "assets/resource.h"
#include "ui/Colours.h"
#include "ui/ShowWindow.h"

TForm4* Form4 = nullptr;

namespace {

constexpr int kWidth = 524;
constexpr int kHeight = 365;

} // namespace

TForm4::TForm4(MainState& state, HWND owner) : state_(state) {
    if (!create(owner, kWidth, kHeight, L"MOTOSKOP")) return;
    build();
    centreOnOwner();
    show();
    // Closed by the system rather than by "Выход": leave the same way.
    OnCloseRequest = [this] { Image3MouseUp(); };
}

void TForm4::build() {
    setBackground(ui::Bitmap::FromJpegResource(IDJ_CODES_BACKGROUND));

    RichEdit1.create(*this, 24, 20, 490, 305);
    RichEdit1.setColours(ui::kLabelGreen, GetSysColor(COLOR_WINDOWTEXT));
    RichEdit1.setFont(ui::FontSpec{L"MS Sans Serif", -11, false, false});
    if (HWND list = RichEdit1.handle()) {
        // Not a tab stop, no border.
        SetWindowLongPtrW(list, GWL_STYLE, GetWindowLongPtrW(list, GWL_STYLE) & ~WS_TABSTOP);
    }

    Label20.setText("Количество ошибок");
    Label20.place(22, 344);
    Label21.setText("0");
    Label21.place(136, 344);
    for (ui::Label* l : {&Label20, &Label21}) {
        l->setColour(ui::kLabelGreen);
        add(*l);
    }

    Image2.setBounds(168, 342, 26, 19);
    Image2.setPicture(ui::Bitmap::FromResource(IDB_CODES_RESET));
    ui::MakePressButton(Image2, [this] { Image2MouseUp(); });
    add(Image2);
    Label1.setText("Сброс");
    Label1.setColour(RGB(0, 0, 0));
    Label1.place(200, 344);
    add(Label1);

    Image3.setBounds(493, 342, 26, 19);
    Image3.setPicture(ui::Bitmap::FromResource(IDB_CODES_EXIT));
    ui::MakePressButton(Image3, [this] { Image3MouseUp(); });
    add(Image3);
    Label2.setText("Выход");
    Label2.setColour(ui::kLabelGreen);
    Label2.place(456, 344);
    add(Label2);

    Timer1.setInterval(100);
    Timer1.OnTimer = [this] { Timer1Timer(); };
}

void TForm4::Timer1Timer() {
    const TroubleCodeRefresh refresh =
        codes_.tick(state_.ecu.errors.snapshot(), state_.selection.ecuFamily.load());
    if (!refresh.rebuilt) return;
    RichEdit1.clear();
    for (const std::string& line : refresh.lines)
        RichEdit1.addLine(line);
    Label21.setText(refresh.countText);
}

void TForm4::Image2MouseUp() {
    RequestClearCodes(state_.requests);
}

void TForm4::Image3MouseUp() {
    SetWindowEnabled(owner(), true);
    Timer1.setEnabled(false);
    close();
}

TForm4* ShowTroubleCodeWindow(MainState& state, HWND owner) {
    ui::ShowSecondaryWindow(Form4, owner, state)->Timer1.setEnabled(true);
    return Form4;
}
