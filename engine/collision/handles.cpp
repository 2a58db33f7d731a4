#include "engine/collision/handles.h"

namespace collision {

Handles& handles() {
  static Handles* tables = new Handles;
  return *tables;
}

}  // namespace collision
