// The serial ports the program finds on the machine. The test prefix registers COM1..COM8 and
// COM12 with Wine (scripts/wine-env.sh), so all of them are present, mapped or not.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/Win32System.h"
#include "settings/PortChoice.h"

TEST(SerialPortList, FindsTheRegisteredPortsIncludingComTwelve) {
    const std::vector<std::string> names = ListSerialPortNames();
    const std::vector<int> present = PresentComNumbers(names);
    for (int number : {1, 2, 8, 12})
        EXPECT_NE(std::find(present.begin(), present.end(), number), present.end())
            << "COM" << number << " missing";
    // The port button's cycle reaches COM12 after COM8 and the ports present between.
    const std::vector<int> cycle = PortCycle(present);
    EXPECT_NE(std::find(cycle.begin(), cycle.end(), 11), cycle.end());
}
