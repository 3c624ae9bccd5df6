// The trouble-code, actuator and colour windows driven in-process under Wine:
// real controls, real mouse messages, the owner's enabling.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "state/MainState.h"
#include "codes/TForm4.h"
#include "link/TForm5.h"
#include "platform/MemoryRegistry.h"
#include "settings/ColourSettings.h"
#include "settings/TForm6.h"
#include "tests/win/ProgramDriver.h"
#include "ui/Form.h"

using namespace program_driver;

namespace {

// A stand-in for the main window.
struct Owner {
    ui::Form form;
    Owner() {
        form.create(nullptr, 800, 572, L"owner");
        form.show();
    }
    HWND handle() const { return form.handle(); }
    bool enabled() const { return IsWindowEnabled(form.handle()) != FALSE; }
};

} // namespace

TEST(TroubleCodeWindow, ListsCountsResetsAndExits) {
    Owner owner;
    MainState state;
    state.selection.ecuFamily = 4;
    state.ecu.errors.storeGroup(4, 0x30);
    state.ecu.errors.storeGroup(3, 0x40);

    TForm4* window = ShowTroubleCodeWindow(state, owner.handle());
    ASSERT_NE(window->handle(), nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(owner.enabled());
    EXPECT_TRUE(window->Timer1.enabled());
    EXPECT_EQ(window->Timer1.interval(), 100u);
    EXPECT_EQ(window->Label21.text(), "0");

    window->Timer1.fire();
    EXPECT_EQ(window->RichEdit1.lines(),
              (std::vector<std::string>{"58Х EST В замкнут на +.", "Датчик давления кондиционера.",
                                        "Датчик давления кондиционера."}));
    EXPECT_EQ(window->Label21.text(), "3");
    // The rich edit holds the same three lines.
    wchar_t text[512] = {};
    GetWindowTextW(window->RichEdit1.handle(), text, 512);
    EXPECT_NE(std::wstring(text).find(L"Датчик давления кондиционера.\r"), std::wstring::npos);

    Click(*window, window->Image2);
    EXPECT_EQ(state.requests.clearCodesRequested.load(), 1);
    EXPECT_TRUE(window->Image2.visible());
    window->Timer1.fire();
    EXPECT_EQ(window->RichEdit1.lines().size(), 3u);

    state.ecu.errors.storeGroup(3, 0);
    state.ecu.errors.storeGroup(4, 0);
    window->Timer1.fire();
    EXPECT_TRUE(window->RichEdit1.lines().empty());
    EXPECT_EQ(window->Label21.text(), "0");

    Click(*window, window->Image3);
    EXPECT_TRUE(owner.enabled());
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(window->Timer1.enabled());

    // A second opening starts empty and builds at once.
    state.ecu.errors.storeGroup(1, 0x01);
    TForm4* again = ShowTroubleCodeWindow(state, owner.handle());
    EXPECT_TRUE(again->RichEdit1.lines().empty());
    again->Timer1.fire();
    EXPECT_EQ(again->Label21.text(), "1");
    // Closed by the system: the owner is usable again.
    SendMessageW(again->handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(owner.enabled());
    EXPECT_FALSE(again->Timer1.enabled());
    delete Form4;
    Form4 = nullptr;
}

TEST(ActuatorWindow, FamilyFourControlsRequestsAndStatusLine) {
    Owner owner;
    MainState state;
    state.selection.ecuFamily = 4;
    state.ecu.ecuAirFuelRaw = 147;

    TForm5* window = ShowActuatorWindow(state, owner.handle());
    ASSERT_NE(window->handle(), nullptr);
    EXPECT_FALSE(owner.enabled());
    EXPECT_TRUE(window->Timer1.enabled());
    EXPECT_FALSE(window->Image5.enabled());
    EXPECT_FALSE(window->Image13.enabled());
    EXPECT_TRUE(window->Image14.enabled());
    EXPECT_TRUE(window->TrackBar2.enabled());
    EXPECT_EQ(window->Label10.colour(), RGB(146, 218, 149));
    EXPECT_EQ(window->Label6.colour(), RGB(128, 128, 128));

    Click(*window, window->Image13); // disabled: nothing
    EXPECT_EQ(state.requests.commandRequests[6].load(), 0);
    Click(*window, window->Image14);
    EXPECT_EQ(state.requests.commandRequests[6].load(), 1);
    EXPECT_TRUE(window->Image14.visible());
    EXPECT_TRUE(window->Timer2.enabled());

    window->Timer1.fire();
    EXPECT_EQ(window->TrackBar2.position(), 147);
    EXPECT_EQ(state.requests.mixtureTarget.load(), 147);
    EXPECT_EQ(window->Label13.text(), "14,7");
    EXPECT_EQ(window->Label15.text(), "14,7");

    Drag(*window, window->TrackBar1, 100);
    EXPECT_EQ(state.requests.idleTarget.load(), 100);
    EXPECT_EQ(state.requests.commandRequests[9].load(), 1);
    EXPECT_EQ(window->Label14.text(), "625");

    state.requests.requestStatus = 2;
    window->Timer1.fire();
    EXPECT_EQ(window->Label11.text(), "ЭБУ отклонил запрос.");
    window->Timer2.fire();
    EXPECT_EQ(window->Label11.text(), "");
    EXPECT_FALSE(window->Timer2.enabled());
    // Family 4 does not report the desired idle in 6.25 rpm steps: the idle
    // trackbar stays where the user put it.
    EXPECT_EQ(window->TrackBar1.position(), 100);

    Click(*window, window->Image3);
    EXPECT_TRUE(owner.enabled());
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(window->Timer1.enabled());
    EXPECT_EQ(state.requests.returnControlRequested.load(), 1);
    delete Form5;
    Form5 = nullptr;
}

TEST(ActuatorWindow, FamilyOneFollowsTheEcuIdleAndClosesLikeExit) {
    Owner owner;
    MainState state;
    state.ecu.ecuIdleRaw = 128;
    TForm5* window = ShowActuatorWindow(state, owner.handle());
    EXPECT_EQ(window->TrackBar1.position(), 128);
    EXPECT_EQ(window->Label14.text(), "800");
    EXPECT_EQ(state.requests.commandRequests[9].load(), 1);
    EXPECT_FALSE(window->TrackBar2.enabled());
    window->Timer1.fire();
    EXPECT_EQ(window->Label12.text(), "800");
    EXPECT_EQ(window->Label13.text(), "0,0");

    SendMessageW(window->handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(owner.enabled());
    EXPECT_EQ(state.requests.returnControlRequested.load(), 1);
    EXPECT_FALSE(window->Timer1.enabled());
    delete Form5;
    Form5 = nullptr;
}

TEST(ColourWindow, OpensFromTheColoursStoresAndRepaints) {
    Owner owner;
    MainState state;
    auto registry = std::make_unique<MemoryRegistry>();
    MemoryRegistry& stored = *registry;
    stored.createKey("\\MOTOSKOP\\Com");
    std::vector<int> repaints;

    TForm6* window = ShowColourWindow(
        state.colours, std::move(registry), [&repaints](int panel) { repaints.push_back(panel); },
        owner.handle());
    ASSERT_NE(window->handle(), nullptr);
    EXPECT_FALSE(owner.enabled());
    const int expected[16] = {80, 70, 30, 80, 99, 0, 0, 99, 40, 60, 90, 80, 50, 70, 70, 30};
    for (int n = 1; n <= 16; ++n) {
        EXPECT_EQ(window->TrackBar(n).position(), expected[n - 1]) << n;
        EXPECT_EQ(SendMessageW(window->TrackBar(n).handle(), TBM_GETPOS, 0, 0), expected[n - 1]);
    }
    EXPECT_EQ(repaints.size(), 70u);

    Click(*window, window->Image3);
    for (const ColourValue& value : ColourValues())
        EXPECT_EQ(stored.dword("\\MOTOSKOP\\Com", value.name),
                  static_cast<uint32_t>(value.standard));

    repaints.clear();
    Drag(*window, window->TrackBar(16), 0);
    EXPECT_EQ(state.colours.gridColour.t, 0.0f);
    EXPECT_EQ(repaints, (std::vector<int>{1, 2, 3, 4, 5}));
    Drag(*window, window->TrackBar(5), 255);
    EXPECT_FLOAT_EQ(state.colours.graphicColour.r, 2.55f);

    Click(*window, window->Image2);
    EXPECT_FLOAT_EQ(state.colours.gridColour.t, 0.3f);
    EXPECT_EQ(window->TrackBar(16).position(), 0); // the sliders keep their place

    SendMessageW(window->handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(owner.enabled());
    EXPECT_FALSE(window->isVisible());
    delete Form6;
    Form6 = nullptr;
    Pump();
}
