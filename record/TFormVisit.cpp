#include "record/TFormVisit.h"

#include "assets/resource.h"
#include "record/VisitFields.h"
#include "settings/ReportSettings.h"
#include "ui/Colours.h"

namespace {

// The places, as tools/artgen/VisitArt.cpp draws the wells and buttons under them.
constexpr int kWidth = 524, kHeight = 365;
constexpr int kCaptionX = 22, kFieldX = 160, kWideW = 344, kLineH = 18;
constexpr int kPlateY = 48, kPlateW = 150;
constexpr int kVinY = 74, kVinW = 190, kVinWarningY = 95;
constexpr int kOdometerY = 114, kOdometerW = 90;
constexpr int kComplaintY = 140, kWorkDoneY = 204, kTextH = 56;
constexpr int kWorkshopY = 270, kWorkshopNoteY = 291;
constexpr int kMessageY = 311;
constexpr int kOkX = 348, kOkY = 339, kOkW = 80, kOkH = 20;
constexpr int kCancelX = 432, kCancelY = 339, kCancelW = 84, kCancelH = 20;

constexpr COLORREF kDimGreen = RGB(110, 150, 112);
constexpr COLORREF kWarningRed = RGB(255, 110, 90);

void Caption(TFormVisit& form, ui::Label& label, int top, const char* text) {
    label.setColour(ui::kLabelGreen);
    label.setBold(true);
    label.place(kCaptionX, top + 2);
    label.setText(text);
    form.add(label);
}

} // namespace

TFormVisit::TFormVisit(const VisitForm& shown, Save save, HWND owner) : save_(std::move(save)) {
    create(owner, kWidth, kHeight, L"Автомобиль и визит");
    setBackground(ui::Bitmap::FromResource(IDB_VISIT_BACKGROUND));

    Caption(*this, PlateCaption, kPlateY, "Госномер");
    Caption(*this, VinCaption, kVinY, "VIN");
    Caption(*this, OdometerCaption, kOdometerY, "Пробег, км");
    Caption(*this, ComplaintCaption, kComplaintY, "Жалоба клиента");
    Caption(*this, WorkDoneCaption, kWorkDoneY, "Выполненные работы");
    Caption(*this, WorkshopCaption, kWorkshopY, "Мастерская");
    WorkshopNote.setColour(kDimGreen);
    WorkshopNote.place(kFieldX, kWorkshopNoteY);
    WorkshopNote.setText("в шапке отчёта; хранится в программе, не в записи");
    add(WorkshopNote);
    VinWarning.setColour(kWarningRed);
    VinWarning.place(kFieldX, kVinWarningY);
    VinWarning.setFixedWidth(kWideW); // a changing text is repainted whole
    add(VinWarning);
    MessageLabel.setColour(kWarningRed);
    MessageLabel.setBold(true);
    MessageLabel.place(kCaptionX, kMessageY);
    MessageLabel.setFixedWidth(kWidth - 2 * kCaptionX);
    add(MessageLabel);

    const VisitTexts texts = TextsOfVisit(shown.visit);
    PlateEdit.create(*this, kFieldX, kPlateY, kPlateW, kLineH);
    PlateEdit.setLimit(kPlateChars);
    PlateEdit.setText(texts.plate);
    VinEdit.create(*this, kFieldX, kVinY, kVinW, kLineH);
    VinEdit.setLimit(kVinChars);
    VinEdit.setText(texts.vin);
    VinEdit.OnChange = [this] { showVinWarning(); };
    OdometerEdit.create(*this, kFieldX, kOdometerY, kOdometerW, kLineH);
    OdometerEdit.setLimit(kOdometerChars);
    OdometerEdit.setText(texts.odometer);
    ComplaintEdit.createMultiline(*this, kFieldX, kComplaintY, kWideW, kTextH);
    ComplaintEdit.setLimit(kComplaintChars);
    ComplaintEdit.setText(texts.complaint);
    WorkDoneEdit.createMultiline(*this, kFieldX, kWorkDoneY, kWideW, kTextH);
    WorkDoneEdit.setLimit(kWorkDoneChars);
    WorkDoneEdit.setText(texts.workDone);
    WorkshopEdit.create(*this, kFieldX, kWorkshopY, kWideW, kLineH);
    WorkshopEdit.setLimit(kWorkshopChars);
    WorkshopEdit.setText(shown.workshop);
    showVinWarning();

    OkButton.setBounds(kOkX, kOkY, kOkW, kOkH);
    OkButton.setPicture(ui::Bitmap::FromResource(IDB_VISIT_OK));
    ui::MakePressButton(OkButton, [this] { okPressed(); });
    add(OkButton);
    CancelButton.setBounds(kCancelX, kCancelY, kCancelW, kCancelH);
    CancelButton.setPicture(ui::Bitmap::FromResource(IDB_VISIT_CANCEL));
    ui::MakePressButton(CancelButton, [this] { cancelPressed(); });
    add(CancelButton);

    centreOnOwner();
    show();
    Form::SetWindowEnabled(owner, false);
    PlateEdit.focus();
}

void TFormVisit::showVinWarning() {
    const std::string warning = ::VinWarning(VinEdit.text());
    if (VinWarning.text() != warning) VinWarning.setText(warning);
}

void TFormVisit::okPressed() {
    VisitTexts texts;
    texts.plate = PlateEdit.text();
    texts.vin = VinEdit.text();
    texts.odometer = OdometerEdit.text();
    texts.complaint = ComplaintEdit.text();
    texts.workDone = WorkDoneEdit.text();
    VisitForm typed;
    std::string why;
    if (!VisitFromTexts(texts, typed.visit, why)) {
        MessageLabel.setText(why);
        OdometerEdit.focus();
        return;
    }
    typed.workshop = WorkshopEdit.text();
    why = save_ ? save_(typed) : std::string();
    if (!why.empty()) {
        MessageLabel.setText(why); // everything typed stays for another try
        return;
    }
    MessageLabel.setText("");
    close();
}

void TFormVisit::cancelPressed() {
    close();
}
