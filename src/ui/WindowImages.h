#pragma once

#include "gui/Image.h"

#include <map>
#include <memory>
#include <string>
#include <string_view>

namespace nimbrel {

// The window's embedded images by key ("grey.Image", ...). Each is loaded once and shared; a key
// the set lacks gives no image, and no error.
class WindowImages {
public:
    [[nodiscard]] std::shared_ptr<const gui::Image> image(std::wstring_view key);

private:
    std::map<std::wstring, std::shared_ptr<const gui::Image>, std::less<>> loaded_;
};

} // namespace nimbrel
