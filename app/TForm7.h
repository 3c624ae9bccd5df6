#pragma once
// The about window: the program's name and version, what it does, a usage
// disclaimer, and an exit button that gives the main window its input back.
#include <array>
#include <string>

#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/Picture.h"

class TForm7 : public ui::Form {
  public:
    // Builds the window centred on owner and shows it.
    explicit TForm7(HWND owner);

    // Image1 is the form's background picture.
    ui::Picture Image2;
    ui::Label Label1, Label3, Label4;
    std::array<ui::Label, 13> Lines; // Label5..Label17
    ui::Label Label18, Label19;

    ui::Label& Label(int number); // Label5..Label17
    void Image2MouseUp();
};

extern TForm7* Form7;

// A new about window over owner (the one before, closed by now, is freed) and
// the owner disabled.
TForm7* ShowAboutWindow(HWND owner);

// The text of about line n (5..17) with its leading and trailing spaces.
std::string AboutLine(int n);
