#include "platform/headless/dock.hpp"

#include <algorithm>

namespace quibor15::headless {

void LayOutDocked(std::span<DockedBounds> docked, double client_width, double client_height) {
    double top = 0, bottom = client_height, left = 0, right = client_width;
    for (DockedBounds& b : docked) {
        switch (b.align) {
            case 1:
                b.left = left;
                b.top = top;
                b.width = std::max(0.0, right - left);
                if (b.visible) top += b.height;
                break;
            case 2:
                b.left = left;
                b.width = std::max(0.0, right - left);
                b.top = bottom - b.height;
                if (b.visible) bottom -= b.height;
                break;
            case 3:
                b.left = left;
                b.top = top;
                b.height = std::max(0.0, bottom - top);
                if (b.visible) left += b.width;
                break;
            default:
                b.top = top;
                b.height = std::max(0.0, bottom - top);
                b.left = right - b.width;
                if (b.visible) right -= b.width;
                break;
        }
    }
}

}  // namespace quibor15::headless
