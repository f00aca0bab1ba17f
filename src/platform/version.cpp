#include "platform/product.h"

namespace kelmar::platform {

const char kVersion[] = KELMAR_VERSION;

}  // namespace kelmar::platform
