#include "platform/InputLanguage.h"

#include <windows.h>

namespace nimbrel {

namespace {

class SystemInputLanguage final : public InputLanguage {
public:
    std::wstring defaultCultureName() override
    {
        HKL hkl = nullptr;
        SystemParametersInfoW(SPI_GETDEFAULTINPUTLANG, 0, &hkl, 0);
        if (hkl == nullptr) {
            // Wine reports success here without writing the layout; the current thread's layout
            // is the closest it has.
            hkl = GetKeyboardLayout(0);
        }
        const auto langId = static_cast<LANGID>(LOWORD(reinterpret_cast<UINT_PTR>(hkl)));
        wchar_t name[LOCALE_NAME_MAX_LENGTH];
        const int length =
            LCIDToLocaleName(MAKELCID(langId, SORT_DEFAULT), name, LOCALE_NAME_MAX_LENGTH, 0);
        if (length <= 0) {
            return {};
        }
        return std::wstring(name, static_cast<std::size_t>(length - 1)); // without the terminator
    }
};

} // namespace

InputLanguage& systemInputLanguage()
{
    static SystemInputLanguage language;
    return language;
}

} // namespace nimbrel
