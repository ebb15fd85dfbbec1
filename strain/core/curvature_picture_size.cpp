#include "strain/core/curvature_picture_size.h"

namespace kv {

bool pictureTooLarge(double windowWidthTwips, double windowHeightTwips, double pictureWidthTwips,
                     double pictureHeightTwips)
{
    // The window's sizes are single-precision values.
    const float widthLimit = static_cast<float>(windowWidthTwips) - 50.0f;
    const float heightLimit = static_cast<float>(windowHeightTwips) - 100.0f;
    return widthLimit < static_cast<float>(pictureWidthTwips) || heightLimit < static_cast<float>(pictureHeightTwips);
}

} // namespace kv
