// DrawBitmapFontText: a left-aligned draw that reports every failure as a
// TDrawTextException.
#include "bitmapfont/bitmapfont.h"

#include <cxxabi.h>
#include <typeinfo>

namespace {

std::string typeName(const std::type_info& type) {
    int status = 0;
    char* demangled = abi::__cxa_demangle(type.name(), nullptr, nullptr, &status);
    std::string name = status == 0 && demangled ? demangled : type.name();
    std::free(demangled);
    return name;
}

const char* const kUnhandled =
    "There was an unhandled exception inside this drawtext operation. The exception source is: ";

} // namespace

void DrawBitmapFontText(TBitmapFont* font, std::string_view text, int x, int y, int useFontBlends) {
    if (!font) throw TDrawTextException("Can't draw text becouse the bitmapfont is null.", nullptr);
    try {
        font->DrawText(text, float(x), float(y), useFontBlends, 0);
    } catch (const TDrawTextException& e) {
        throw TDrawTextException(kUnhandled + typeName(typeid(e)) + ":" + e.ToString(), nullptr);
    } catch (const std::exception& e) {
        throw TDrawTextException(kUnhandled + typeName(typeid(e)) + ":" + e.what(), nullptr);
    } catch (...) {
        throw TDrawTextException(std::string(kUnhandled) + "unknown:", nullptr);
    }
}
