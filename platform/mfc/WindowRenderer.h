#pragma once
// Pictures of windows: a window with its frame, its client area as its handlers paint it, and every
// visible child drawn over it in z-order, as the screen would show it. Visible pop-ups the window owns
// (a dropped list, a tool tip) are drawn over it where they lie on screen.
//
// Scale 1 is 96 dots per inch; scale 2 draws every pixel as 2 x 2 with text set at twice the size,
// for sharper pictures.
#include <filesystem>
#include <optional>
#include <string>

#include "platform/mfc/BitmapImage.h"
#include "platform/mfc/Win32Types.h"

class CDC;

namespace ui {

class Window;

BitmapImage renderWindow(HWND hwnd, int scale = 1);

// Paints a window's frame (borders, client edge, caption bar with its title and close box) on a
// context whose origin is the window's top-left corner.
void paintNonClient(const Window& window, CDC& dc);

// PNG files through the render module. Writing is atomic (a temporary file beside the target, then a
// rename), so a failed write leaves an existing picture as it was. False / nullopt with a message.
bool writePng(const std::filesystem::path& path, const BitmapImage& image, std::string* error);
std::optional<BitmapImage> readPng(const std::filesystem::path& path, std::string* error);

}  // namespace ui
