#include <gtest/gtest.h>

#include "startup/CommandLine.h"

namespace {

CommandLineResult Parse(std::vector<std::string> args) {
    return ParseCommandLine(args);
}

} // namespace

TEST(CommandLine, NoArgumentsRunsWithNothingChosen) {
    const CommandLineResult r = Parse({});
    EXPECT_EQ(r.action, CommandLineAction::Run);
    EXPECT_EQ(r.options.portIndex, -1);
    EXPECT_FALSE(r.options.connect);
    EXPECT_FALSE(r.options.bitmapGl);
}

TEST(CommandLine, PortInBothFormsStoresNumberMinusOne) {
    EXPECT_EQ(Parse({"--port", "COM1"}).options.portIndex, 0);
    EXPECT_EQ(Parse({"--port=COM12"}).options.portIndex, 11);
    EXPECT_EQ(Parse({"--port", "com3"}).options.portIndex, 2);
    EXPECT_EQ(Parse({"--port", "7"}).options.portIndex, 6);
    const CommandLineResult r = Parse({"--connect", "--port", "COM9", "--bitmap-gl"});
    EXPECT_EQ(r.action, CommandLineAction::Run);
    EXPECT_EQ(r.options.portIndex, 8);
    EXPECT_TRUE(r.options.connect);
    EXPECT_TRUE(r.options.bitmapGl);
}

TEST(CommandLine, ComPortNumbers) {
    EXPECT_EQ(ParseComPortNumber("COM256"), 256);
    for (const char* bad : {"", "COM", "COM0", "COM01", "COM257", "COM1a", "LPT1", "-1",
                            "/dev/ttyS0", "COM99999999999"})
        EXPECT_EQ(ParseComPortNumber(bad), 0) << bad;
}

TEST(CommandLine, MistakesAreUsageErrorsNamingTheArgument) {
    struct Case {
        std::vector<std::string> args;
        const char* mentions;
    } cases[] = {
        {{"--bogus"},           "--bogus"  },
        {{"-p"},                "-p"       },
        {{"--port"},            "--port"   },
        {{"--port", "LPT1"},    "LPT1"     },
        {{"--port=COM0"},       "COM0"     },
        {{"--connect=yes"},     "--connect"},
        {{"a.mrec", "b.mrec"},  "b.mrec"   },
        {{"--help", "--bogus"}, "--bogus"  },
    };
    for (const Case& c : cases) {
        const CommandLineResult r = Parse(c.args);
        EXPECT_EQ(r.action, CommandLineAction::UsageError) << c.mentions;
        EXPECT_NE(r.error.find(c.mentions), std::string::npos) << r.error;
    }
}

TEST(CommandLine, HelpAndVersionWinOverRunningWhicheverComesFirst) {
    EXPECT_EQ(Parse({"--port", "COM2", "--help"}).action, CommandLineAction::Help);
    EXPECT_EQ(Parse({"--version", "--help"}).action, CommandLineAction::Version);
    EXPECT_EQ(Parse({"--help", "--version"}).action, CommandLineAction::Help);
}

TEST(CommandLine, UsageListsEveryOptionAndVersionNamesTheProgram) {
    const std::string usage = UsageText();
    for (const char* option : {"--port COMn", "--connect", "--bitmap-gl", "--help", "--version"})
        EXPECT_NE(usage.find(option), std::string::npos) << option;
    EXPECT_EQ(usage.back(), '\n');
    EXPECT_EQ(VersionText().rfind("MOTOSKOP ", 0), 0u);
}

TEST(CommandLine, ExportCsvTakesTheRecordingAnOptionalOutputAndStandard) {
    CommandLineResult r = Parse({"--export-csv", "C:\\Записи\\проба.mrec"});
    EXPECT_EQ(r.action, CommandLineAction::ExportCsv);
    EXPECT_EQ(r.options.exportRecording, "C:\\Записи\\проба.mrec");
    EXPECT_EQ(r.options.exportOutput, "");
    EXPECT_FALSE(r.options.csvStandard);

    r = Parse({"--standard", "--export-csv=a.mrec", "out.csv"});
    EXPECT_EQ(r.action, CommandLineAction::ExportCsv);
    EXPECT_EQ(r.options.exportRecording, "a.mrec");
    EXPECT_EQ(r.options.exportOutput, "out.csv");
    EXPECT_TRUE(r.options.csvStandard);

    EXPECT_EQ(Parse({"--export-csv", "a.mrec", "--help"}).action, CommandLineAction::Help);
    EXPECT_EQ(Parse({"--version", "--export-csv", "a.mrec"}).action, CommandLineAction::Version);
    EXPECT_NE(UsageText().find("--export-csv RECORDING"), std::string::npos);
    EXPECT_NE(UsageText().find("--standard"), std::string::npos);
}

TEST(CommandLine, APlainArgumentIsARecordingToPlayBack) {
    CommandLineResult r = Parse({"--port", "COM2", "C:\\Записи\\проба.mrec"});
    EXPECT_EQ(r.action, CommandLineAction::Run);
    EXPECT_EQ(r.options.replayRecording, "C:\\Записи\\проба.mrec");
    EXPECT_EQ(r.options.portIndex, 1);
    // After --export-csv the plain argument is still where the CSV goes.
    r = Parse({"--export-csv", "a.mrec", "out.csv"});
    EXPECT_EQ(r.options.replayRecording, "");
    EXPECT_EQ(r.options.exportOutput, "out.csv");
    EXPECT_NE(UsageText().find("[RECORDING]"), std::string::npos);
}

TEST(CommandLine, ExportCsvMistakes) {
    struct Case {
        std::vector<std::string> args;
        const char* mentions;
    } cases[] = {
        {{"--export-csv"},                             "--export-csv"},
        {{"--export-csv", "a.mrec", "b.csv", "c.csv"}, "c.csv"       },
        {{"b.csv", "--export-csv", "a.mrec"},          "b.csv"       },
        {{"--export-csv", "a", "--export-csv", "b"},   "twice"       },
        {{"--standard"},                               "--standard"  },
        {{"--standard", "--connect"},                  "--standard"  },
    };
    for (const Case& c : cases) {
        const CommandLineResult r = Parse(c.args);
        EXPECT_EQ(r.action, CommandLineAction::UsageError) << c.mentions;
        EXPECT_NE(r.error.find(c.mentions), std::string::npos) << r.error;
    }
}

TEST(CommandLine, RecordTakesAnOptionalFileThatIsNoOption) {
    CommandLineResult r = Parse({"--record"});
    EXPECT_EQ(r.action, CommandLineAction::Run);
    EXPECT_TRUE(r.options.record);
    EXPECT_EQ(r.options.recordPath, "");

    r = Parse({"--record", "--connect", "--port", "COM3"});
    EXPECT_TRUE(r.options.record);
    EXPECT_EQ(r.options.recordPath, "");
    EXPECT_TRUE(r.options.connect);
    EXPECT_EQ(r.options.portIndex, 2);

    r = Parse({"--port", "COM3", "--record", "C:\\Записи\\проба.mrec", "--connect"});
    EXPECT_EQ(r.options.recordPath, "C:\\Записи\\проба.mrec");
    EXPECT_TRUE(r.options.connect);
    EXPECT_EQ(Parse({"--record=a b.mrec"}).options.recordPath, "a b.mrec");
    EXPECT_FALSE(Parse({"--connect"}).options.record);

    EXPECT_EQ(Parse({"--record", "a.mrec", "b.mrec"}).action, CommandLineAction::UsageError);
    EXPECT_EQ(Parse({"--record", "--record"}).action, CommandLineAction::UsageError);
    EXPECT_EQ(Parse({"--export-csv", "a.mrec", "--record"}).action, CommandLineAction::UsageError);
    // A recording played back is never recorded again.
    EXPECT_EQ(Parse({"a.mrec", "--record"}).action, CommandLineAction::UsageError);
    EXPECT_NE(UsageText().find("--record [FILE]"), std::string::npos);
}

TEST(CommandLine, AnalyseTakesARecordingAndAnOptionalSecondOne) {
    struct Case {
        std::vector<std::string> args;
        std::string first, second, replay;
    };
    const Case cases[] = {
        {{"--analyse", "a.mrec"},                     "a.mrec", "",       ""      },
        {{"--analyse", "a.mrec", "b.mrec"},           "a.mrec", "b.mrec", ""      },
        {{"--analyse=a.mrec", "--port", "COM2"},      "a.mrec", "",       ""      },
        {{"r.mrec", "--analyse", "a.mrec"},           "a.mrec", "",       "r.mrec"},
        {{"--analyse", "a.mrec", "b.mrec", "c.mrec"}, "a.mrec", "b.mrec", "c.mrec"},
    };
    for (const Case& c : cases) {
        const CommandLineResult r = Parse(c.args);
        EXPECT_EQ(r.action, CommandLineAction::Run) << c.args[0];
        EXPECT_EQ(r.options.analyseRecording, c.first);
        EXPECT_EQ(r.options.analyseSecond, c.second);
        EXPECT_EQ(r.options.replayRecording, c.replay);
    }
    for (const std::vector<std::string>& bad : {
             std::vector<std::string>{"--analyse" },
             {               "--analyse", "a", "--analyse", "b"},
             {            "--analyse",                       "a", "--export-csv", "b"},
             { "--analyse","a", "--record"}
    })
        EXPECT_EQ(Parse(bad).action, CommandLineAction::UsageError) << bad.back();
}
