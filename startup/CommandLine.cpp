#include "startup/CommandLine.h"

#include <cstdlib>

#include <cctype>

#include "startup/Version.h"

namespace {

constexpr int kHighestComPort = 256;

struct OptionRow {
    const char* name;      // "--port"
    const char* valueName; // shown in the usage; nullptr for a switch without a value; in
                           // brackets ("[FILE]") when it may be left out
    const char* help;      // one line of the usage
    // Applies the option; returns false with `error` set when the value is not acceptable.
    bool (*apply)(CommandLineResult& result, const std::string& value, std::string& error);
};

const OptionRow kOptions[] = {
    {"--port",       "COMn",      "выбрать порт адаптера (как кнопкой порта), например COM3 или COM12",
     [](CommandLineResult& r, const std::string& value, std::string& error) {
         const int number = ParseComPortNumber(value);
         if (number == 0) {
             error = "--port: \"" + value + "\" is not a COM port (COM1..COM256)";
             return false;
         }
         r.options.portIndex = number - 1;
         return true;
     }},
    {"--connect",    nullptr,     "нажать СТАРТ, как только откроется окно",
     [](CommandLineResult& r, const std::string&,       std::string&) {
         r.options.connect = true;
         return true;
     }      },
    {"--bitmap-gl",  nullptr,     "рисовать графики через растр (для старых драйверов и RDP)",
     [](CommandLineResult& r, const std::string&,       std::string&) {
         r.options.bitmapGl = true;
         return true;
     }      },
    {"--diag-log",   "PATH",      "писать диагностический журнал в файл (для долгих проверок)",
     [](CommandLineResult& r, const std::string& value, std::string&) {
         r.options.diagLogPath = value;
         return true;
     }},
    {"--diag-every", "S",         "записывать в журнал расход ресурсов каждые S секунд (60)",
     [](CommandLineResult& r, const std::string& value, std::string& error) {
         char* end = nullptr;
         const long seconds = std::strtol(value.c_str(), &end, 10);
         if (value.empty() || *end != '\0' || seconds < 1 || seconds > 86400) {
             error = "--diag-every: \"" + value + "\" is not a number of seconds (1..86400)";
             return false;
         }
         r.options.diagEverySeconds = static_cast<int>(seconds);
         return true;
     }},
    {"--record",     "[FILE]",    "начать запись сразу (в FILE или в Документы\\MOTOSKOP\\Записи)",
     [](CommandLineResult& r, const std::string& value, std::string& error) {
         if (r.options.record) {
             error = "--record is given twice";
             return false;
         }
         r.options.record = true;
         r.options.recordPath = value;
         return true;
     }},
    {"--export-csv", "RECORDING",
     "выгрузить запись в CSV без окна (следом можно указать файл .csv)",
     [](CommandLineResult& r, const std::string& value, std::string& error) {
         if (!r.options.exportRecording.empty()) {
             error = "--export-csv is given twice";
             return false;
         }
         r.options.exportRecording = value;
         if (r.action == CommandLineAction::Run) r.action = CommandLineAction::ExportCsv;
         return true;
     }},
    {"--report",     "RECORDING",
     "составить отчёт о проверках без окна (следом можно указать файл .html или .json)",
     [](CommandLineResult& r, const std::string& value, std::string& error) {
         if (!r.options.reportRecording.empty()) {
             error = "--report is given twice";
             return false;
         }
         r.options.reportRecording = value;
         if (r.action == CommandLineAction::Run) r.action = CommandLineAction::Report;
         return true;
     }},
    {"--before",     "RECORDING", "запись до ремонта: отчёт сравнит её с основной",
     [](CommandLineResult& r, const std::string& value, std::string&) {
         r.options.reportBefore = value;
         return true;
     }},
    {"--analyse",    "FILE",
     "открыть запись в окне анализа (следом можно указать вторую для сравнения)",
     [](CommandLineResult& r, const std::string& value, std::string& error) {
         if (!r.options.analyseRecording.empty()) {
             error = "--analyse is given twice";
             return false;
         }
         r.options.analyseRecording = value;
         return true;
     }},
    {"--standard",   nullptr,     "CSV с запятой и точкой, без BOM (вместо настроек Excel этого ПК)",
     [](CommandLineResult& r, const std::string&,       std::string&) {
         r.options.csvStandard = true;
         return true;
     }      },
    {"--help",       nullptr,     "показать эту справку",
     [](CommandLineResult& r, const std::string&,       std::string&) {
         if (r.action == CommandLineAction::Run || r.action == CommandLineAction::ExportCsv ||
             r.action == CommandLineAction::Report)
             r.action = CommandLineAction::Help;
         return true;
     }      },
    {"--version",    nullptr,     "показать версию программы",
     [](CommandLineResult& r, const std::string&,       std::string&) {
         if (r.action == CommandLineAction::Run || r.action == CommandLineAction::ExportCsv ||
             r.action == CommandLineAction::Report)
             r.action = CommandLineAction::Version;
         return true;
     }      },
};

const OptionRow* FindOption(const std::string& name) {
    for (const OptionRow& row : kOptions)
        if (name == row.name) return &row;
    return nullptr;
}

CommandLineResult Fail(std::string error) {
    CommandLineResult result;
    result.action = CommandLineAction::UsageError;
    result.error = std::move(error);
    return result;
}

// "[FILE]": the value may be left out; the next argument is taken only when it is no option.
bool ValueOptional(const OptionRow& row) {
    return row.valueName != nullptr && row.valueName[0] == '[';
}

} // namespace

int ParseComPortNumber(const std::string& text) {
    size_t i = 0;
    if (text.size() > 3 && std::toupper(static_cast<unsigned char>(text[0])) == 'C' &&
        std::toupper(static_cast<unsigned char>(text[1])) == 'O' &&
        std::toupper(static_cast<unsigned char>(text[2])) == 'M')
        i = 3;
    if (i == text.size() || text[i] == '0') return 0;
    int number = 0;
    for (; i < text.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return 0;
        number = number * 10 + (text[i] - '0');
        if (number > kHighestComPort) return 0;
    }
    return number;
}

CommandLineResult ParseCommandLine(const std::vector<std::string>& args) {
    CommandLineResult result;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        // "--name=value" and "--name value" both work for an option with a value.
        const size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        const OptionRow* row = arg.rfind("--", 0) == 0 ? FindOption(name) : nullptr;
        // The one plain argument: where --export-csv writes.
        if (row == nullptr && arg.rfind("-", 0) != 0 &&
            (!result.options.exportRecording.empty() || !result.options.reportRecording.empty()) &&
            result.options.exportOutput.empty() && !arg.empty()) {
            result.options.exportOutput = arg;
            continue;
        }
        // The plain argument after --analyse FILE: the second drive.
        if (row == nullptr && arg.rfind("-", 0) != 0 && !result.options.analyseRecording.empty() &&
            result.options.analyseSecond.empty() && result.options.replayRecording.empty() &&
            result.options.exportRecording.empty() && !arg.empty()) {
            result.options.analyseSecond = arg;
            continue;
        }
        // Otherwise the one plain argument is a recording to play back.
        if (row == nullptr && arg.rfind("-", 0) != 0 && !arg.empty() &&
            result.options.replayRecording.empty() && result.options.exportRecording.empty() &&
            result.options.reportRecording.empty()) {
            result.options.replayRecording = arg;
            continue;
        }
        if (row == nullptr)
            return Fail(arg.rfind("-", 0) == 0 ? "unknown option " + arg
                                               : "unexpected argument " + arg);
        std::string value;
        if (row->valueName != nullptr) {
            if (equals != std::string::npos) {
                value = arg.substr(equals + 1);
            } else if (ValueOptional(*row)) {
                if (i + 1 < args.size() && !args[i + 1].empty() && args[i + 1].rfind("-", 0) != 0)
                    value = args[++i];
            } else if (i + 1 < args.size()) {
                value = args[++i];
            } else {
                return Fail(name + " needs a value (" + row->valueName + ")");
            }
        } else if (equals != std::string::npos) {
            return Fail(name + " takes no value");
        }
        std::string error;
        if (!row->apply(result, value, error)) return Fail(error);
    }
    if (!result.options.replayRecording.empty() && !result.options.exportRecording.empty())
        return Fail("unexpected argument " + result.options.replayRecording);
    if (!result.options.reportRecording.empty() && !result.options.exportRecording.empty())
        return Fail("--report does not go with --export-csv");
    if (!result.options.reportBefore.empty() && result.options.reportRecording.empty())
        return Fail("--before goes with --report");
    if (result.options.record && !result.options.reportRecording.empty())
        return Fail("--record does not go with --report");
    if (result.options.csvStandard && result.options.exportRecording.empty())
        return Fail("--standard goes with --export-csv");
    if (result.options.record && !result.options.exportRecording.empty())
        return Fail("--record does not go with --export-csv");
    if (!result.options.analyseRecording.empty() && !result.options.exportRecording.empty())
        return Fail("--analyse does not go with --export-csv");
    if (!result.options.analyseRecording.empty() && result.options.record)
        return Fail("--analyse does not go with --record");
    if (result.options.record && !result.options.replayRecording.empty())
        return Fail("--record does not go with a recording to play back");
    return result;
}

std::string UsageText() {
    std::string text = "Использование: motoskop.exe";
    for (const OptionRow& row : kOptions) {
        text += std::string(" [") + row.name;
        if (row.valueName) text += std::string(" ") + row.valueName;
        text += "]";
    }
    text += " [RECORDING]\n\n";
    for (const OptionRow& row : kOptions) {
        std::string left = std::string("  ") + row.name;
        if (row.valueName) left += std::string(" ") + row.valueName;
        if (left.size() < 25) left.resize(25, ' ');
        text += left + " " + row.help + "\n";
    }
    std::string plain = "  RECORDING";
    plain.resize(25, ' ');
    text += plain + " открыть запись для просмотра (файл .mrec)\n";
    return text;
}

std::string VersionText() {
    return std::string(MOTOSKOP_NAME) + " " + MOTOSKOP_VERSION + "\n";
}
