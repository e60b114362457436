#include "draw/shared_images.h"

namespace vx {

SharedImages sharedImages;

}  // namespace vx
