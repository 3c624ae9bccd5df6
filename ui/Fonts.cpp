#include "ui/Fonts.h"

#include <map>
#include <mutex>
#include <tuple>

namespace ui {

HFONT GetFont(const FontSpec& look) {
    using Key = std::tuple<std::wstring, int, bool, bool>;
    static std::mutex lock;
    static std::map<Key, HFONT> fonts;
    std::lock_guard<std::mutex> guard(lock);
    Key key{look.name, look.height, look.bold, look.underline};
    auto found = fonts.find(key);
    if (found != fonts.end()) return found->second;
    HFONT font = CreateFontW(look.height, 0, 0, 0, look.bold ? FW_BOLD : FW_NORMAL, FALSE,
                             look.underline ? TRUE : FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_SWISS, look.name.c_str());
    if (!font) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    fonts.emplace(key, font);
    return font;
}

} // namespace ui
