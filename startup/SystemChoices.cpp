#include "startup/SystemChoices.h"

char ChooseDecimalSeparator(const std::string& localeSeparator) {
    if (localeSeparator.size() == 1) {
        const char c = localeSeparator[0];
        if (c > ' ' && c < 0x7F && c != '-' && (c < '0' || c > '9')) return c;
    }
    return ',';
}

bool PanelsDrawThroughBitmap(bool forcedByCommandLine, bool runningUnderWine) {
    return forcedByCommandLine || runningUnderWine;
}

std::string GlFallbackStatus(const std::string& failure) {
    std::string text = "Графики рисуются через растр: OpenGL в окне недоступен";
    if (!failure.empty()) text += " (" + failure + ")";
    return text + ".";
}
