// Whether a loaded picture fits the curvature window. Lengths in twips
// (15 per pixel on a 96-dpi screen), as the window's outer size is measured.
#pragma once

namespace kv {

// Too large when the window's outer width less 50 is smaller than the
// picture's width, or its outer height less 100 smaller than the picture's
// height; a picture exactly at the limit fits. The window then shows
// curvature_texts::kPictureTooLargeMessage and drops the picture, keeping everything else.
bool pictureTooLarge(double windowWidthTwips, double windowHeightTwips, double pictureWidthTwips,
                     double pictureHeightTwips);

} // namespace kv
