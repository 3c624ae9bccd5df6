#include "app/TForm7.h"

#include "app/AboutTexts.h"
#include "startup/Version.h"
#include "ui/Colours.h"
#include "ui/ShowWindow.h"
#include "assets/resource.h"

TForm7* Form7 = nullptr;

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);

} // namespace

std::string AboutLine(int n) {
    for (const AboutText& line : kAboutTexts)
        if (line.label == n)
            return std::string(static_cast<size_t>(line.leadingSpaces), ' ') + line.text +
                   std::string(static_cast<size_t>(line.trailingSpaces), ' ');
    return {};
}

ui::Label& TForm7::Label(int number) {
    return Lines[static_cast<size_t>(number - 5)];
}

TForm7::TForm7(HWND owner) {
    create(owner, 524, 365);
    setBackground(ui::Bitmap::FromResource(IDB_ABOUT_BACKGROUND));

    Label1.setFont({L"MS Sans Serif", -13, true, true});
    Label1.setColour(ui::kLabelGreen);
    Label1.place(184, 32);
    Label1.setText(MOTOSKOP_NAME "  версия " MOTOSKOP_VERSION);
    add(Label1);

    for (int n = 5; n <= 17; ++n) {
        ui::Label& line = Label(n);
        if (n <= 11) {
            line.place(24, 64 + 16 * (n - 5));
            line.setColour(ui::kLabelGreen);
        } else if (n == 12) {
            line.place(24, 176);
            line.setColour(kRed);
            line.setBold(true);
        } else {
            line.place(24, 192 + 16 * (n - 13));
            line.setColour(kRed);
        }
        line.setText(AboutLine(n));
        add(line);
    }

    Label18.place(24, 296);
    Label18.setText("Разработано для мастерских, обслуживающих автомобили Daewoo.");
    Label19.place(24, 312);
    Label19.setText("Адаптер K-line, порты COM1 - COM8.");
    Label3.place(360, 312);
    Label3.setText("Отзывы: на странице проекта.");
    Label4.place(456, 344);
    Label4.setText("Выход");
    for (ui::Label* l : {&Label18, &Label19, &Label3, &Label4}) {
        l->setColour(ui::kLabelGreen);
        add(*l);
    }

    Image2.setBounds(493, 342, 24, 18);
    Image2.setPicture(ui::Bitmap::FromResource(IDB_ABOUT_EXIT));
    ui::MakePressButton(Image2, [this] { Image2MouseUp(); });
    add(Image2);

    centreOnOwner();
    show();
}

void TForm7::Image2MouseUp() {
    close();
} // close() enables the owner first

TForm7* ShowAboutWindow(HWND owner) {
    return ui::ShowSecondaryWindow(Form7, owner);
}
