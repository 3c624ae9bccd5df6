// The main window's ties to the machine it runs on: the serial ports present, the
// user's decimal separator and the graph panels' fallback to bitmap drawing.
#include "app/TForm1.h"

#include "startup/SystemChoices.h"
#include "platform/Win32System.h"
#include "settings/PortChoice.h"

namespace {

// A port that is not on the machine: the label greys out.
constexpr COLORREF kAbsentPortColour = RGB(112, 124, 114);

} // namespace

std::vector<int> TForm1::presentPorts() const {
    return PresentComNumbers(ListSerialPortNames());
}

void TForm1::selectNextPort() {
    SelectNextPresentPort(registry_, state.selection, *this, presentPorts());
    showPortPresence();
}

void TForm1::showPortPresence() {
    if (portLabelColour_ == 0) portLabelColour_ = Label1.colour();
    const int number = PortNumberOfDeviceName(state.selection.portName.get());
    const bool present = number > 0 && IsPortPresent(number - 1, presentPorts());
    Label1.setColour(present ? portLabelColour_ : kAbsentPortColour);
}

void TForm1::takeLocaleSettings() {
    state.selection.decimalSeparator =
        ChooseDecimalSeparator(UserLocaleText(LocaleItem::DecimalSeparator));
}

void TForm1::reportGlFallback(const std::string& failure) {
    if (glFallbackReported_) return;
    glFallbackReported_ = true;
    setStatus(GlFallbackStatus(failure));
}
