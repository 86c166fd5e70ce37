#include "engine/pending.h"


namespace sekiba {


}  // namespace sekiba
