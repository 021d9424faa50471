#include "ui/WindowImages.h"

#include "gui/EmbeddedResource.h"

#include <array>
#include <utility>

namespace nimbrel {

namespace {

constexpr std::array<std::pair<std::wstring_view, const wchar_t*>, 5> resourceOfKey{{
    {L"grey.Image", L"GREY_IMAGE"},
    {L"green.Image", L"GREEN_IMAGE"},
    {L"red.Image", L"RED_IMAGE"},
    {L"pictureBox1.Image", L"LOGO_IMAGE"},
    {L"pictureBoxPayPal.Image", L"PAYPAL_IMAGE"},
}};

} // namespace

std::shared_ptr<const gui::Image> WindowImages::image(std::wstring_view key)
{
    if (const auto found = loaded_.find(key); found != loaded_.end()) {
        return found->second;
    }
    for (const auto& [name, resource] : resourceOfKey) {
        if (name == key) {
            auto image = gui::Image::fromBitmapFile(gui::embeddedResource(resource));
            loaded_.emplace(std::wstring(key), image);
            return image;
        }
    }
    return nullptr;
}

} // namespace nimbrel
