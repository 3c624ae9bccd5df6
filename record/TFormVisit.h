#pragma once
// The window «Автомобиль и визит» (524 x 365, over its owner, which takes no input
// while it is open): the plate, VIN, odometer, the customer's complaint and the work
// done, and the workshop's name for the report. A VIN that does not look like one is
// warned of as it is typed and still taken. OK hands what was typed to the caller,
// which stores it (in the session, a recording, the registry); when that fails the
// window stays open with the caller's message and everything typed.
#include <windows.h>

#include <functional>
#include <string>

#include "record/RecordFormat.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/Picture.h"

struct VisitForm {
    recfile::Visit visit;
    std::string workshop;
};

class TFormVisit : public ui::Form {
  public:
    // Stores what was typed; the message to show when it could not, empty when done.
    using Save = std::function<std::string(const VisitForm&)>;

    // Builds the window centred on owner, shows it and disables the owner.
    TFormVisit(const VisitForm& shown, Save save, HWND owner);

    ui::Edit PlateEdit, VinEdit, OdometerEdit, ComplaintEdit, WorkDoneEdit, WorkshopEdit;
    ui::Label PlateCaption, VinCaption, OdometerCaption, ComplaintCaption, WorkDoneCaption,
        WorkshopCaption, WorkshopNote;
    ui::Label VinWarning;   // under the VIN while it does not look like one
    ui::Label MessageLabel; // why the last OK did not close the window
    ui::Picture OkButton, CancelButton;

    // OK: the fields checked and handed to the caller; the window closes when stored.
    void okPressed();
    void cancelPressed();

  private:
    void showVinWarning();

    Save save_;
};
