#pragma once

#include "gui/Control.h"
#include "gui/Image.h"

#include <memory>

namespace nimbrel::gui {

// Shows one image, or nothing, on its parent's background.
class PictureBox : public Control {
public:
    void create(HWND parent, int id, RECT bounds);

    void setImage(std::shared_ptr<const Image> image);
    [[nodiscard]] const std::shared_ptr<const Image>& image() const noexcept { return image_; }

    LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    std::shared_ptr<const Image> image_;
};

} // namespace nimbrel::gui
