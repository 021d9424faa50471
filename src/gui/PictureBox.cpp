#include "gui/PictureBox.h"

namespace nimbrel::gui {

namespace {
constexpr wchar_t className[] = L"Nimbrel.PictureBox";
}

void PictureBox::create(HWND parent, int id, RECT bounds)
{
    registerOwnClass(className, &ownClassProc<PictureBox>, nullptr);
    Control::create(parent, id, className, L"", WS_VISIBLE, WS_EX_TRANSPARENT, bounds, this);
}

void PictureBox::setImage(std::shared_ptr<const Image> image)
{
    if (image == image_) {
        return;
    }
    image_ = std::move(image);
    InvalidateRect(handle(), nullptr, TRUE);
}

LRESULT PictureBox::handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        eraseWithParentBackground(window, reinterpret_cast<HDC>(wParam));
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        if (image_) {
            image_->draw(dc, 0, 0);
        }
        EndPaint(window, &paint);
        return 0;
    }
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace nimbrel::gui
