#include "ui/Fonts.h"

#include <map>
#include <mutex>
#include <tuple>

namespace ui {

HFONT GetFont(const FontSpec& spec) {
    using Key = std::tuple<std::wstring, int, bool, bool>;
    static std::mutex lock;
    static std::map<Key, HFONT> fonts;
    std::lock_guard<std::mutex> guard(lock);
    Key key{spec.name, spec.height, spec.bold, spec.underline};
    auto found = fonts.find(key);
    if (found != fonts.end()) return found->second;
    HFONT font = CreateFontW(spec.height, 0, 0, 0, spec.bold ? FW_BOLD : FW_NORMAL, FALSE,
                             spec.underline ? TRUE : FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_SWISS, spec.name.c_str());
    if (!font) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    fonts.emplace(key, font);
    return font;
}

} // namespace ui
