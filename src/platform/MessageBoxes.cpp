#include "platform/MessageBoxes.h"

#include <string>

namespace nimbrel {

namespace {

class SystemMessageBoxes final : public MessageBoxes {
public:
    int show(HWND owner, std::wstring_view text, std::wstring_view caption, UINT type) override
    {
        const std::wstring terminatedText(text);
        const std::wstring terminatedCaption(caption);
        return MessageBoxW(owner, terminatedText.c_str(), terminatedCaption.c_str(), type);
    }
};

} // namespace

MessageBoxes& systemMessageBoxes()
{
    static SystemMessageBoxes boxes;
    return boxes;
}

} // namespace nimbrel
